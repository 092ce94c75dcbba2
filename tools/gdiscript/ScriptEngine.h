// The replay engine: runs scripts of the GDI oracle's command language on our own GDI, so a
// golden picture made by the oracle can be compared with ours pixel for pixel.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <map>
#include <string>

#include "framework/platform/GdiTypes.h"
#include "tools/gdiscript/ScriptArgs.h"

namespace tovu::gdiscript {

// A named bitmap of the script (`load`), selected into its own memory context.
struct TSourceBitmap {
  win::HDC Dc = nullptr;
  win::HBITMAP Bitmap = nullptr;
  win::HGDIOBJ Previous = nullptr;
};

class TScriptEngine {
 public:
  // Relative paths in the script resolve against `baseDir`; `pixel` prints to `out`.
  TScriptEngine(std::filesystem::path baseDir, std::ostream& out);
  ~TScriptEngine();
  TScriptEngine(const TScriptEngine&) = delete;
  TScriptEngine& operator=(const TScriptEngine&) = delete;

  // Runs one line; throws EScriptError.
  void Run(const std::string& line);
  // Runs a whole script; throws EScriptError with "file:line: " in front of the message.
  void RunText(const std::string& text, const std::string& name);

  // The canvas (a top-down DIB section in its own memory context).
  bool HasCanvas() const { return FCanvas != nullptr; }
  win::HDC Dc() const;  // throws without a canvas
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  win::COLORREF CanvasPixel(int x, int y) const;   // read from memory, as the oracle does
  std::vector<std::uint8_t> EncodeCanvas() const;  // the 24-bit BMP the oracle would save

  // Used by the command handlers.
  void NewCanvas(int width, int height, win::COLORREF color, int bitCount);
  void ReplacePen(win::HPEN pen);
  void ReplaceBrush(win::HBRUSH brush);
  void ReplaceFont(win::HFONT font);
  void SetSource(const std::string& name, win::HBITMAP bitmap, int bitCount);
  const TSourceBitmap& Source(const std::string& name) const;
  std::string Resolve(const std::string& path) const;
  win::HDC Screen() const { return FScreen; }
  std::ostream& Out() const { return FOut; }

 private:
  void ResetObjects();
  void ReleaseCanvas();

  std::filesystem::path FBaseDir;
  std::ostream& FOut;
  win::HDC FScreen = nullptr;  // stands in for the screen's context (32 bits per pixel)
  win::HDC FCanvas = nullptr;
  win::HBITMAP FCanvasBitmap = nullptr;
  win::HGDIOBJ FCanvasPrevious = nullptr;
  void* FBits = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  int FBitCount = 32;
  win::HPEN FPen = nullptr;
  win::HBRUSH FBrush = nullptr;
  win::HFONT FFont = nullptr;
  std::map<std::string, TSourceBitmap> FSources;
};

// One command of the language: its name and its handler.
using TCommandHandler = void (*)(TScriptEngine& engine, TScriptArgs& args);
struct TCommand {
  const char* Name;
  TCommandHandler Handler;
};
// The command table (ScriptCommands.cpp).
const TCommand* FindCommand(const std::string& name);

}  // namespace tovu::gdiscript
