// Bitmaps: a platform bitmap (device-independent section or device-compatible bitmap) of a pixel
// format, with direct row access, transparency through a mask made from the transparent colour,
// a canvas to draw on, copy-on-write sharing of the image between assigned bitmaps, and BMP files
// read and written.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/Color.h"
#include "framework/EnumInfo.h"
#include "framework/Graphic.h"
#include "framework/platform/WinTypes.h"

namespace fw {

class TCanvas;
class TMemoryStream;
class TBitmapCanvas;

TOVU_ENUM(TBitmapHandleType, std::uint8_t, bmDIB, bmDDB)
TOVU_ENUM(TPixelFormat, std::uint8_t, pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit,
          pf32bit, pfCustom)
TOVU_ENUM(TTransparentMode, std::uint8_t, tmAuto, tmFixed)

namespace detail {
struct TBitmapImage;
}

class TBitmap : public TGraphic {
  TOVU_CLASS(TBitmap, TGraphic)

 public:
  TBitmap();
  ~TBitmap() override;

  // A bitmap shares the image of the bitmap assigned to it until either changes it; other
  // graphics are asked to copy themselves here; null empties the bitmap.
  void Assign(const TPersistent* Source) override;

  bool Empty() const override;
  int Width() const override;
  int Height() const override;
  void SetWidth(int Value) override { SetSize(Value, Height()); }
  void SetHeight(int Value) override { SetSize(Width(), Value); }
  // Resizes keeping the pixel format and the pixels that still fit; new pixels are white. A
  // bitmap that never had a pixel format becomes device-compatible. Negative sizes raise
  // EInvalidGraphicOperation, sizes the platform cannot allocate EOutOfResources.
  void SetSize(int NewWidth, int NewHeight);

  // The canvas drawing on the bitmap; drawing first gives the bitmap an image of its own.
  TCanvas* Canvas();
  bool HandleAllocated() const;
  // The platform bitmap (the bitmap keeps owning it); asking for it unshares the image.
  win::HBITMAP Handle();
  // Takes ownership of a platform bitmap (null empties the bitmap).
  void SetHandle(win::HBITMAP Value);
  // Gives up the platform bitmap to the caller; the bitmap is empty afterwards.
  win::HBITMAP ReleaseHandle();
  win::HPALETTE Palette() const override;
  // Takes ownership of a palette.
  void SetPalette(win::HPALETTE Value) override;

  TBitmapHandleType HandleType() const;
  void SetHandleType(TBitmapHandleType Value);
  TPixelFormat PixelFormat() const;
  void SetPixelFormat(TPixelFormat Value);
  bool Monochrome() const;
  void SetMonochrome(bool Value);
  // Row `Row` (0 is the top row) of the pixels, which the bitmap holds device-independently from
  // then on; outside the rows EInvalidGraphicOperation is raised.
  std::uint8_t* ScanLine(int Row);
  // Bytes from one row to the next in ScanLine's memory (negative for bottom-up rows).
  int ScanLineStride() const;
  // Converts rows from FirstRow on into Target (as many as it is high, top row first) the way
  // SetPixelFormat converts a whole bitmap, reading this bitmap without unsharing or changing it,
  // so that a reader can take a picture band by band instead of converting a copy of it all.
  void ConvertRowsInto(TBitmap& Target, int FirstRow) const;

  // The colour drawn see-through when Transparent: with tmAuto the bottom-left pixel's colour,
  // with tmFixed the colour set. Setting clDefault returns to tmAuto.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);
  // A monochrome bitmap, 1 where the pixel has the transparent colour; owned by the bitmap.
  win::HBITMAP MaskHandle();

  // Gives the bitmap an image of its own (ends sharing).
  void FreeImage();

  // Reads a BMP file from the stream's position to its end (see ReadBitmapFile).
  void LoadFromStream(TStream& Stream) override;
  // Writes a BMP file: the file read, when it is unchanged, otherwise the pixels as they are.
  void SaveToStream(TStream& Stream) override;

  // For the file reader: takes ownership of a bitmap and its palette, the file as read when
  // the image must be written back unchanged (compressed files), and whether the file had a
  // core header; raises the change notification.
  void AdoptImage(win::HBITMAP Handle, win::HPALETTE Palette,
                  std::unique_ptr<TMemoryStream> KeptFile, bool CoreHeader);
  bool CoreHeader() const;
  // For the file reader: how many bytes of pixel data the file held and how many the picture
  // needed. Fewer read than expected means the file ends inside its pixels. Both 0 for a bitmap
  // not read from a file.
  void NotePixelData(std::uint64_t Read, std::uint64_t Expected);
  std::uint64_t PixelDataRead() const;
  std::uint64_t PixelDataExpected() const;

 protected:
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  void Changed(TObject* Sender) override;
  void ReadData(TStream& Stream) override;
  void WriteData(TStream& Stream) override;

 private:
  friend class TBitmapCanvas;
  struct TFormat;

  void Unshare();
  void BeforeImageChange();
  void FreeContext();
  void ReplaceImage(std::shared_ptr<detail::TBitmapImage> Image);
  void ConvertTo(const TFormat& Format);
  // Copies rows from FirstRow on into the bitmap selected in Target, converting their format.
  void BlitRowsTo(win::HDC Target, int Width, int Height, int FirstRow) const;
  TColor PixelAt(int X, int Y) const;
  template <class F>
  void WithImageDC(F&& Use) const;

  std::shared_ptr<detail::TBitmapImage> FImage;
  std::unique_ptr<TBitmapCanvas> FCanvas;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
  win::HBITMAP FMask = nullptr;
  TColor FMaskColor = clNone;
};

}  // namespace fw
