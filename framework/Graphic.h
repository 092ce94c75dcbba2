// Graphics that a picture holds (bitmaps, icons, metafiles, JPEG images): size, emptiness,
// transparency, drawing into a rectangle of a canvas, loading and saving through streams, and
// the change and progress notifications.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "framework/EnumInfo.h"
#include "framework/Events.h"
#include "framework/Persistent.h"
#include "framework/Types.h"
#include "framework/platform/WinTypes.h"

namespace fw {

class TCanvas;
class TStream;

TOVU_ENUM(TProgressStage, std::uint8_t, psStarting, psRunning, psEnding)
using TProgressEvent =
    std::function<void(TObject* Sender, TProgressStage Stage, std::uint8_t PercentDone,
                       bool RedrawNow, const TRect& R, const std::string& Msg)>;

class TGraphic : public TPersistent {
  TOVU_CLASS(TGraphic, TPersistent)

 public:
  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int Value) = 0;
  virtual void SetHeight(int Value) = 0;
  virtual bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  bool Modified() const { return FModified; }
  void SetModified(bool Value);
  virtual win::HPALETTE Palette() const { return nullptr; }
  virtual void SetPalette(win::HPALETTE) {}
  bool PaletteModified() const { return FPaletteModified; }
  void SetPaletteModified(bool Value) { FPaletteModified = Value; }

  // Reads the graphic from the stream's position to its end.
  virtual void LoadFromStream(TStream& Stream) = 0;
  virtual void SaveToStream(TStream& Stream) = 0;
  // Opens the file for reading with others denied writing (EFOpenError names it on failure).
  void LoadFromFile(const std::string& FileName);
  // Creates the file (EFCreateError names it on failure) and saves into it.
  void SaveToFile(const std::string& FileName);

  TNotifyEvent OnChange;
  TProgressEvent OnProgress;

  // A graphic that a published property holds (a button's Glyph) is stored in a form description
  // as its Data: the bytes ReadData and WriteData exchange.
  void DefineProperties(TFiler& Filer) override;

 protected:
  friend class TCanvas;
  friend class TPicture;
  // Draws the graphic into `Rect` of `ACanvas`.
  virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
  // Marks the graphic modified and raises OnChange.
  virtual void Changed(TObject* Sender);
  void Progress(TObject* Sender, TProgressStage Stage, std::uint8_t PercentDone, bool RedrawNow,
                const TRect& R, const std::string& Msg);
  // The graphic's data inside a picture stored in a form description.
  virtual void ReadData(TStream& Stream);
  virtual void WriteData(TStream& Stream);

 private:
  bool FTransparent = false;
  bool FModified = false;
  bool FPaletteModified = false;
};

}  // namespace fw
