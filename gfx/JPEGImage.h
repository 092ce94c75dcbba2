// The JPEG image class: compressed file bytes shared between copies of an image, compression of
// a bitmap through the JPEG library when bytes are needed, and decoding for display with the
// decoding settings; the process-wide defaults and the registration of the file extensions.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/EnumInfo.h"
#include "framework/Graphic.h"

namespace fw {

class TBitmap;
class TMemoryStream;
struct TJpegDecodeSettings;
struct TJpegSamples;

TOVU_ENUM(TJPEGDecodeSpeed, std::uint8_t, dsBestQuality, dsBestSpeed)
TOVU_ENUM(TJPEGPixelFormat, std::uint8_t, jf24Bit, jf8Bit)
TOVU_ENUM(TJPEGScale, std::uint8_t, jsFullSize, jsHalf, jsQuarter, jsEighth)
using TJPEGQualityRange = std::uint8_t;  // 1 to 100

// What a JPEG image knows of its file: the compressed bytes (none until a compression or a load;
// a loaded empty file has bytes, 0 of them), the picture's size and whether it is one gray
// component. Shared, reference-counted, between images assigned from each other.
class TJPEGData {
 public:
  TJPEGData();
  ~TJPEGData();
  TJPEGData(const TJPEGData&) = delete;
  TJPEGData& operator=(const TJPEGData&) = delete;

  bool HasBytes() const { return FData != nullptr; }
  const TMemoryStream* Data() const { return FData.get(); }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Grayscale() const { return FGrayscale; }

 private:
  friend class TJPEGImage;
  std::unique_ptr<TMemoryStream> FData;
  int FWidth = 0;
  int FHeight = 0;
  bool FGrayscale = false;
};

// The settings every new JPEG image starts with.
struct TJPEGDefaults {
  TJPEGQualityRange JpegQuality = 90;
  bool GrayscaleMode = false;
  TJPEGDecodeSpeed DecodeSpeed = dsBestQuality;
  TJPEGPixelFormat DecodePixelFormat = jf24Bit;
  bool ProgressiveDecode = false;
  bool ProgressiveEncode = false;
  TJPEGScale DecodeScale = jsFullSize;
  bool BlockSmoothing = true;
};

extern TJPEGDefaults JpegDefaults;

class TJPEGImage : public TGraphic {
  TOVU_CLASS(TJPEGImage, TGraphic)

 public:
  TJPEGImage();
  ~TJPEGImage() override;

  // From a bitmap: fresh image data and a copy of the bitmap, compressed later. From another
  // JPEG image: its image data shared and its bitmap copied.
  void Assign(const TPersistent* Source) override;

  // Makes the compressed bytes from the bitmap (none for a missing or zero-sized bitmap).
  void Compress();
  // The decoded picture (decoded now if needed); the image keeps owning it.
  TBitmap* Bitmap();
  // Decodes now what drawing into a TargetWidth x TargetHeight rectangle of a true-colour device
  // needs, so that a file whose data does not decode fails here rather than when drawn: only the
  // pixels that the shrinking COLORONCOLOR stretch takes when the picture is shrunk in either
  // direction with the default decoding settings, the whole picture otherwise.
  void DecodeForDrawing(int TargetWidth, int TargetHeight);

  bool Empty() const override;
  int Width() const override;
  int Height() const override;
  // The size of a JPEG image cannot be changed: EInvalidGraphicOperation.
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;
  win::HPALETTE Palette() const override;

  // Copies the stream from its position to its end and reads the header; the pixels are
  // decoded on first use. An empty stream loads as an image of size 0 x 0.
  void LoadFromStream(TStream& Stream) override;
  // Compresses when there are no bytes, then writes all the bytes.
  void SaveToStream(TStream& Stream) override;
  // Compresses first, then writes through a temporary file in the same folder that replaces the
  // target only when complete: a failure leaves an existing file as it was.
  void SaveToFile(const std::string& FileName);

  const TJPEGData& ImageData() const { return *FImage; }

  TJPEGQualityRange JpegQuality() const { return FJpegQuality; }
  void SetJpegQuality(TJPEGQualityRange Value) { FJpegQuality = Value; }
  bool GrayscaleMode() const { return FGrayscaleMode; }
  void SetGrayscaleMode(bool Value);
  bool ProgressiveEncode() const { return FProgressiveEncode; }
  void SetProgressiveEncode(bool Value) { FProgressiveEncode = Value; }
  TJPEGDecodeSpeed DecodeSpeed() const { return FDecodeSpeed; }
  void SetDecodeSpeed(TJPEGDecodeSpeed Value);
  TJPEGPixelFormat DecodePixelFormat() const { return FDecodePixelFormat; }
  void SetDecodePixelFormat(TJPEGPixelFormat Value);
  bool ProgressiveDecode() const { return FProgressiveDecode; }
  void SetProgressiveDecode(bool Value);
  TJPEGScale DecodeScale() const { return FDecodeScale; }
  void SetDecodeScale(TJPEGScale Value);
  bool BlockSmoothing() const { return FBlockSmoothing; }
  void SetBlockSmoothing(bool Value);

 protected:
  void AssignTo(TPersistent* Dest) const override;
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  // A 32-bit little-endian byte count, then the compressed bytes.
  void ReadData(TStream& Stream) override;
  void WriteData(TStream& Stream) override;

 private:
  void NewImage();
  void FreeBitmap();
  TJpegDecodeSettings DecodeSettings() const;
  // Decodes the whole picture, or only the samples when given.
  std::unique_ptr<TBitmap> DecodeWith(const TJpegSamples* samples);
  void Decode();
  // Whether a stretch into a w x h rectangle can be drawn from the pixels it samples alone: a
  // shrink in either direction, default decoding settings, no decoded picture yet, and either no
  // samples yet or samples for this very size (another size takes the whole picture).
  bool SamplesServe(int w, int h) const;
  // The picture's pixels that a COLORONCOLOR stretch into w x h takes, decoded once and kept:
  // the shrunk directions at the target's size, the others whole.
  TBitmap* Samples(int w, int h);
  // A decoding setting changed: a decoded picture of the old settings goes.
  void DecodingChanged();
  void ForwardProgress(TProgressStage Stage, int Percent, const TRect& Rows);

  std::shared_ptr<TJPEGData> FImage;
  std::unique_ptr<TBitmap> FBitmap;
  std::unique_ptr<TBitmap> FSamples;
  int FSamplesWidth = 0;  // the target size the samples are for
  int FSamplesHeight = 0;
  TJPEGQualityRange FJpegQuality;
  bool FGrayscaleMode;
  bool FProgressiveEncode;
  TJPEGDecodeSpeed FDecodeSpeed;
  TJPEGPixelFormat FDecodePixelFormat;
  bool FProgressiveDecode;
  TJPEGScale FDecodeScale;
  bool FBlockSmoothing;
};

// Sets the defaults' pixel format from the screen (8-bit output on screens of 8 bits or fewer)
// and registers the extensions "jpeg" and "jpg"; running it again does nothing.
void InitializeJpegUnit();
// Removes the registration again.
void FinalizeJpegUnit();

}  // namespace fw
