#include "gfx/JPEGImage.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/ColorTables.h"
#include "framework/Exceptions.h"
#include "framework/FileReplacement.h"
#include "framework/GdiHandles.h"
#include "framework/Picture.h"
#include "framework/PictureLimits.h"
#include "framework/Streams.h"
#include "framework/TypeInfo.h"
#include "framework/platform/Gdi.h"
#include "gfx/JpegCodec.h"

namespace fw {

TJPEGDefaults JpegDefaults;

namespace {

using gdihandles::TMemoryDC;
using gdihandles::TOwned;

constexpr TResString SJPEGImageFile{"JPEG イメージファイル"};

std::span<const std::uint8_t> BytesOf(const TMemoryStream* data) {
  if (data == nullptr || data->Size() == 0) return {};
  return {data->Memory(), std::size_t(data->Size())};
}

// Library failures become the framework's exceptions.
template <class F>
void WithJpegErrors(F&& run) {
  try {
    run();
  } catch (const EJpegFailure& e) {
    throw EJPEG(e.Code());
  } catch (const EJpegTooLarge& e) {
    CheckPictureSize(e.Width(), e.Height());
    throw;
  } catch (const EJpegTooManyScans& e) {
    throw EInvalidGraphic(Exception::ResMessage(SJpegTooManyScans, e.Limit()));
  }
}

TProgressStage StageOf(TJpegProgressStage stage) {
  switch (stage) {
    case jpsStarting:
      return psStarting;
    case jpsRunning:
      return psRunning;
    case jpsEnding:
      break;
  }
  return psEnding;
}

// The decoded picture's home: a bottom-up section of the output's depth (with the library's
// colour map as its colour table and palette for 8-bit output). Rows come top first.
class TDecodeTarget {
 public:
  explicit TDecodeTarget(TBitmap& bitmap) : FBitmap(bitmap) {}

  TJpegRowTarget Begin(const TJpegOutputLayout& layout) {
    CheckPictureSize(layout.Width, layout.Height);
    TDibHeader info{};
    info.Header.biWidth = layout.Width;
    info.Header.biHeight = layout.Height;
    info.Header.biPlanes = 1;
    info.Header.biBitCount = win::WORD(layout.BitsPerPixel);
    info.Header.biCompression = win::BI_RGB;
    const std::size_t colors = std::min<std::size_t>(layout.Palette.size(), 256);
    for (std::size_t i = 0; i < colors; ++i) {
      const std::uint32_t c = layout.Palette[i];
      info.Colors[i] = win::RGBQUAD{win::BYTE(c), win::BYTE(c >> 8), win::BYTE(c >> 16), 0};
    }
    info.Header.biClrUsed = win::DWORD(colors);
    void* bits = nullptr;
    TOwned<win::HBITMAP> section(
        win::CreateDIBSection(nullptr, info.Info(), win::DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || bits == nullptr) throw EOutOfResources(LoadResString(SOutOfResources));
    const win::HPALETTE palette =
        CreatePaletteFromColorTable(reinterpret_cast<const std::uint8_t*>(info.Colors), colors);
    FBitmap.AdoptImage(section.Get(), palette, nullptr, false);
    section.Release();
    const auto stride = std::ptrdiff_t(win::DibStride(layout.Width, layout.BitsPerPixel));
    auto* bottom = static_cast<std::uint8_t*>(bits) + stride * (layout.Height - 1);
    return [bottom, stride](int y) { return bottom - stride * y; };
  }

 private:
  TBitmap& FBitmap;
};

// The rows of a picture being compressed, as 24-bit blue-green-red, converted a band at a time:
// compression never holds a converted copy of the whole picture, and the picture itself is only
// read (a capture shared with other bitmaps stays shared).
class TBgrBands {
 public:
  explicit TBgrBands(const TBitmap& picture) : FPicture(picture) {
    FBand.SetPixelFormat(pf24bit);
    FBand.SetSize(picture.Width(), std::min(BandRows, picture.Height()));
  }

  // Row y (0 = top); rows are asked for top first.
  const std::uint8_t* Row(int y) {
    const int first = y - y % BandRows;
    if (first != FFirst) {
      // Rows of the last band below the picture are converted from nothing and never read.
      FPicture.ConvertRowsInto(FBand, first);
      FFirst = first;
    }
    return FBand.ScanLine(y - first);
  }

 private:
  // The rows the library takes at once for 4:2:0 sampling.
  static constexpr int BandRows = 16;

  const TBitmap& FPicture;
  TBitmap FBand;
  int FFirst = -1;
};

}  // namespace

TJPEGData::TJPEGData() = default;
TJPEGData::~TJPEGData() = default;

TOVU_IMPLEMENT_CLASS(TJPEGImage)
void TJPEGImage::DefineClass(TClassBuilder<TJPEGImage>&) {}

TJPEGImage::TJPEGImage()
    : FImage(std::make_shared<TJPEGData>()),
      FJpegQuality(JpegDefaults.JpegQuality),
      FGrayscaleMode(JpegDefaults.GrayscaleMode),
      FProgressiveEncode(JpegDefaults.ProgressiveEncode),
      FDecodeSpeed(JpegDefaults.DecodeSpeed),
      FDecodePixelFormat(JpegDefaults.DecodePixelFormat),
      FProgressiveDecode(JpegDefaults.ProgressiveDecode),
      FDecodeScale(JpegDefaults.DecodeScale),
      FBlockSmoothing(JpegDefaults.BlockSmoothing) {}

TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::NewImage() {
  FImage = std::make_shared<TJPEGData>();
}

void TJPEGImage::FreeBitmap() {
  FBitmap.reset();
  FSamples.reset();
  FSamplesWidth = FSamplesHeight = 0;
}

void TJPEGImage::Assign(const TPersistent* Source) {
  if (const auto* bitmap = dynamic_cast<const TBitmap*>(Source)) {
    NewImage();
    FreeBitmap();
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(bitmap);
    FBitmap = std::move(copy);
    Changed(this);
    return;
  }
  if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(Source)) {
    if (jpeg == this) return;
    FImage = jpeg->FImage;
    FreeBitmap();
    if (jpeg->FBitmap) {
      auto copy = std::make_unique<TBitmap>();
      copy->Assign(jpeg->FBitmap.get());
      FBitmap = std::move(copy);
    }
    Changed(this);
    return;
  }
  inherited::Assign(Source);
}

void TJPEGImage::AssignTo(TPersistent* Dest) const {
  if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
    bitmap->Assign(const_cast<TJPEGImage*>(this)->Bitmap());
    return;
  }
  inherited::AssignTo(Dest);
}

void TJPEGImage::ForwardProgress(TProgressStage Stage, int Percent, const TRect& Rows) {
  Progress(this, Stage, std::uint8_t(std::clamp(Percent, 0, 100)), !Rows.IsEmpty(), Rows, "");
}

void TJPEGImage::Compress() {
  // Copies of this image keep the bytes they share; a failed or stopped compression leaves no
  // bytes, so that the next save tries again.
  NewImage();
  auto data = std::make_shared<TJPEGData>();
  data->FData = std::make_unique<TMemoryStream>();
  if (!FBitmap || FBitmap->Width() == 0 || FBitmap->Height() == 0) {
    FImage = std::move(data);
    return;
  }
  data->FWidth = FBitmap->Width();
  data->FHeight = FBitmap->Height();
  data->FGrayscale = FGrayscaleMode;
  TBgrBands bands(*FBitmap);
  TJpegCompressSettings settings;
  settings.Quality = FJpegQuality;
  settings.Grayscale = FGrayscaleMode;
  settings.Progressive = FProgressiveEncode;
  TMemoryStream& bytes = *data->FData;
  const TJpegWrite write = [&bytes](const std::uint8_t* chunk, std::size_t count) {
    return std::size_t(bytes.Write(chunk, std::int64_t(count)));
  };
  const TJpegProgress progress = [this](TJpegProgressStage stage, int percent, const win::RECT&) {
    ForwardProgress(StageOf(stage), percent, TRect{});
  };
  try {
    WithJpegErrors([&] {
      CompressBgr(
          data->FWidth, data->FHeight, [&bands](int y) { return bands.Row(y); }, settings, write,
          progress);
    });
  } catch (const EAbort&) {
    return;
  }
  FImage = std::move(data);
}

TJpegDecodeSettings TJPEGImage::DecodeSettings() const {
  TJpegDecodeSettings settings;
  settings.ScaleShift = int(FDecodeScale);
  settings.BlockSmoothing = FBlockSmoothing;
  settings.Grayscale = FGrayscaleMode;
  settings.EightBitOutput = FDecodePixelFormat == jf8Bit;
  settings.BestSpeed = FDecodeSpeed == dsBestSpeed;
  settings.ProgressiveDecode = FProgressiveDecode;
  settings.MaxPixels = MaxPicturePixels;
  settings.MaxScans = MaxJpegScans;
  return settings;
}

std::unique_ptr<TBitmap> TJPEGImage::DecodeWith(const TJpegSamples* samples) {
  auto decoded = std::make_unique<TBitmap>();
  if (!FImage->HasBytes()) return decoded;
  const TJpegDecodeSettings settings = DecodeSettings();
  TDecodeTarget target(*decoded);
  const TJpegBeginOutput begin = [&target](const TJpegOutputLayout& layout) {
    return target.Begin(layout);
  };
  const TJpegProgress progress = [this](TJpegProgressStage stage, int percent,
                                        const win::RECT& rows) {
    ForwardProgress(StageOf(stage), percent, TRect::FromRECT(rows));
  };
  const std::span<const std::uint8_t> bytes = BytesOf(FImage->Data());
  try {
    WithJpegErrors([&] {
      if (samples)
        DecodeJpegSamples(bytes, settings, *samples, begin, progress);
      else
        DecodeJpeg(bytes, settings, begin, progress);
    });
  } catch (const EAbort&) {
    // Stopped by a progress handler: what was decoded so far is the picture.
  }
  return decoded;
}

void TJPEGImage::Decode() {
  FreeBitmap();
  FBitmap = DecodeWith(nullptr);
}

TBitmap* TJPEGImage::Bitmap() {
  if (!FBitmap) Decode();
  return FBitmap.get();
}

bool TJPEGImage::SamplesServe(int w, int h) const {
  const int pictureWidth = FImage->Width(), pictureHeight = FImage->Height();
  const bool defaults = FDecodeScale == jsFullSize && !FGrayscaleMode &&
                        FDecodePixelFormat == jf24Bit && FDecodeSpeed == dsBestQuality &&
                        !FProgressiveDecode;
  if (FBitmap || !FImage->HasBytes() || !defaults || Transparent()) return false;
  if (w <= 0 || h <= 0 || (w >= pictureWidth && h >= pictureHeight)) return false;
  if (FSamples) return FSamplesWidth == w && FSamplesHeight == h;
  // Only a platform that names the pixels its stretch keeps can be given just those.
  return !win::StretchSourceOffsets(2, 1, false).empty();
}

TBitmap* TJPEGImage::Samples(int w, int h) {
  if (FSamples) return FSamples.get();
  // Every offset of a direction that is not shrunk: the stretch itself maps it as before.
  auto offsets = [](int size, int target, bool rows) {
    if (target < size) {
      const std::vector<win::LONG> chosen = win::StretchSourceOffsets(size, target, rows);
      return std::vector<int>(chosen.begin(), chosen.end());
    }
    std::vector<int> all(std::size_t(size), 0);
    for (int i = 0; i < size; ++i)
      all[std::size_t(i)] = i;
    return all;
  };
  TJpegSamples samples;
  samples.Columns = offsets(FImage->Width(), w, false);
  samples.Rows = offsets(FImage->Height(), h, true);
  FSamples = DecodeWith(&samples);
  FSamplesWidth = w;
  FSamplesHeight = h;
  return FSamples.get();
}

void TJPEGImage::DecodeForDrawing(int TargetWidth, int TargetHeight) {
  if (SamplesServe(TargetWidth, TargetHeight))
    Samples(TargetWidth, TargetHeight);
  else
    Bitmap();
}

bool TJPEGImage::Empty() const {
  if (FImage->HasBytes()) return false;
  return !FBitmap || FBitmap->Empty();
}

namespace {

// The library's output size at 1 / 2^shift: the size divided, rounded up.
int Scaled(int size, TJPEGScale scale) {
  const int divisor = 1 << int(scale);
  return int((std::int64_t(size) + divisor - 1) / divisor);
}

}  // namespace

int TJPEGImage::Width() const {
  return FBitmap ? FBitmap->Width() : Scaled(FImage->Width(), FDecodeScale);
}

int TJPEGImage::Height() const {
  return FBitmap ? FBitmap->Height() : Scaled(FImage->Height(), FDecodeScale);
}

void TJPEGImage::SetWidth(int) {
  throw EInvalidGraphicOperation(LoadResString(SJPEGImageSize));
}

void TJPEGImage::SetHeight(int) {
  throw EInvalidGraphicOperation(LoadResString(SJPEGImageSize));
}

win::HPALETTE TJPEGImage::Palette() const {
  // Samples carry the same colour map as the whole picture.
  if (FBitmap) return FBitmap->Palette();
  return FSamples ? FSamples->Palette() : nullptr;
}

void TJPEGImage::DecodingChanged() {
  // Without bytes the bitmap is the picture itself, not a decoding of it.
  if (FImage->HasBytes()) FreeBitmap();
  Changed(this);
}

void TJPEGImage::SetGrayscaleMode(bool Value) {
  if (Value == FGrayscaleMode) return;
  FGrayscaleMode = Value;
  DecodingChanged();
}

void TJPEGImage::SetDecodeSpeed(TJPEGDecodeSpeed Value) {
  if (Value == FDecodeSpeed) return;
  FDecodeSpeed = Value;
  DecodingChanged();
}

void TJPEGImage::SetDecodePixelFormat(TJPEGPixelFormat Value) {
  if (Value == FDecodePixelFormat) return;
  FDecodePixelFormat = Value;
  DecodingChanged();
}

void TJPEGImage::SetProgressiveDecode(bool Value) {
  if (Value == FProgressiveDecode) return;
  FProgressiveDecode = Value;
  DecodingChanged();
}

void TJPEGImage::SetDecodeScale(TJPEGScale Value) {
  if (Value == FDecodeScale) return;
  FDecodeScale = Value;
  DecodingChanged();
}

void TJPEGImage::SetBlockSmoothing(bool Value) {
  if (Value == FBlockSmoothing) return;
  FBlockSmoothing = Value;
  DecodingChanged();
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
  // A bitmap is drawn with COLORONCOLOR on devices of more than 8 bits per pixel: a shrink then
  // takes whole source rows and columns, and the samples are those the stretch would take.
  const win::HDC target = ACanvas->Handle();
  const int targetBits =
      win::GetDeviceCaps(target, win::BITSPIXEL) * win::GetDeviceCaps(target, win::PLANES);
  if (targetBits > 8 && SamplesServe(Rect.Width(), Rect.Height())) {
    ACanvas->StretchDraw(Rect, Samples(Rect.Width(), Rect.Height()));
    return;
  }
  ACanvas->StretchDraw(Rect, Bitmap());
}

void TJPEGImage::LoadFromStream(TStream& Stream) {
  const std::int64_t count = std::max<std::int64_t>(Stream.Size() - Stream.Position(), 0);
  auto data = std::make_shared<TJPEGData>();
  data->FData = std::make_unique<TMemoryStream>();
  if (count > 0) {
    data->FData->SetSize(count);
    Stream.ReadBuffer(data->FData->Memory(), count);
    WithJpegErrors([&] {
      const TJpegHeaderInfo header = ReadJpegHeader(BytesOf(data->FData.get()));
      CheckPictureSize(header.Width, header.Height);
      data->FWidth = header.Width;
      data->FHeight = header.Height;
      data->FGrayscale = header.Grayscale;
    });
  }
  FImage = std::move(data);
  FreeBitmap();
  Changed(this);
}

void TJPEGImage::SaveToStream(TStream& Stream) {
  if (!FImage->HasBytes()) Compress();
  const std::span<const std::uint8_t> bytes = BytesOf(FImage->Data());
  if (!bytes.empty()) Stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

void TJPEGImage::SaveToFile(const std::string& FileName) {
  if (!FImage->HasBytes()) Compress();
  WriteFileReplacing(FileName, BytesOf(FImage->Data()));
}

void TJPEGImage::ReadData(TStream& Stream) {
  TMemoryStream data;
  ReadLengthPrefixed(Stream, data);
  LoadFromStream(data);
}

void TJPEGImage::WriteData(TStream& Stream) {
  WriteLengthPrefixed(Stream, BytesOf(FImage->Data()));
}

namespace {

bool& JpegUnitInitialized() {
  static bool initialized = false;
  return initialized;
}

}  // namespace

void InitializeJpegUnit() {
  if (JpegUnitInitialized()) return;
  TMemoryDC screen;
  const int screenBits = win::GetDeviceCaps(screen.Get(), win::BITSPIXEL) *
                         win::GetDeviceCaps(screen.Get(), win::PLANES);
  JpegDefaults.DecodePixelFormat = screenBits <= 8 ? jf8Bit : jf24Bit;
  const std::string description = LoadResString(SJPEGImageFile);
  TPicture::RegisterFileFormat("jpeg", description, TJPEGImage::StaticClass());
  TPicture::RegisterFileFormat("jpg", description, TJPEGImage::StaticClass());
  JpegUnitInitialized() = true;
}

void FinalizeJpegUnit() {
  if (!JpegUnitInitialized()) return;
  TPicture::UnregisterGraphicClass(TJPEGImage::StaticClass());
  JpegUnitInitialized() = false;
}

}  // namespace fw
