// Pictures of forms for looking at controls and testing them: a text form description created
// on the headless backend, pointer input played on it, and its client area read as displayed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Form.h"

namespace tovu::formrender {

// One step played on the rendered form; positions are in the form's client coordinates.
struct TAction {
  enum TKind { akMove, akPress, akRelease } Kind = akMove;
  int X = 0;
  int Y = 0;
};

// The client area as displayed, 0x00RRGGBB, rows from the top.
struct TPicture {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;
};

// Makes every class a description may name known (standard controls, shapes, images, pictures,
// the transparent controls, the shine speed button). Safe to call more than once.
void RegisterRenderableClasses();

// Reads the description in `Path` into a new form of the class it names, owned by the
// application. A property line `X.File = 'name'` (Picture.File, Glyph.File) loads that file into
// the picture or graphic X once the form is read; relative names resolve against the
// description's folder. Errors raise the framework's exceptions.
std::unique_ptr<fw::TCustomForm> ReadForm(const std::string& Path);

// Shows the form, lets pending work run, plays the actions and answers what the form shows.
// Needs the headless backend and an application object.
TPicture ShowForm(fw::TCustomForm& Form, const std::vector<TAction>& Actions);

// ReadForm, then ShowForm. Errors raise the framework's exceptions, among them the first error
// the form's windows report to the application meanwhile (a failed image build, say).
TPicture RenderForm(const std::string& Path, const std::vector<TAction>& Actions);

// Writes the picture as an uncompressed 24-bit BMP.
void SaveBmp(const TPicture& Picture, const std::string& Path);

}  // namespace tovu::formrender
