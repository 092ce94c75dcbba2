#include "framework/Bitmap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/BmpLayout.h"
#include "framework/BmpReader.h"
#include "framework/ByteOrder.h"
#include "framework/Canvas.h"
#include "framework/ColorTables.h"
#include "framework/Exceptions.h"
#include "framework/GdiHandles.h"
#include "framework/Streams.h"
#include "framework/TypeInfo.h"
#include "framework/platform/Gdi.h"

namespace fw {

using gdihandles::TMemoryDC;
using gdihandles::TSelected;

namespace detail {

// One platform bitmap with what the bitmap class needs to know of it; shared between assigned
// bitmaps until one of them changes it. An empty image (no handle) still carries the format a
// bitmap takes when it is given a size.
struct TBitmapImage {
  win::HBITMAP Handle = nullptr;
  win::HPALETTE Palette = nullptr;
  bool IsDIB = false;
  int BitCount = 32;
  bool Mask565 = false;  // 16 bits per pixel with 5-6-5 masks (otherwise 5-5-5)
  bool Defined = false;  // a pixel format was asked for (or the image has pixels)
  int Width = 0;
  int Height = 0;
  std::unique_ptr<TMemoryStream> KeptFile;
  bool CoreHeader = false;
  std::uint64_t PixelDataRead = 0;
  std::uint64_t PixelDataExpected = 0;

  TBitmapImage() = default;
  TBitmapImage(const TBitmapImage&) = delete;
  TBitmapImage& operator=(const TBitmapImage&) = delete;
  ~TBitmapImage() {
    if (Handle != nullptr) win::DeleteObject(Handle);
    if (Palette != nullptr) win::DeleteObject(Palette);
  }
};

}  // namespace detail

using detail::TBitmapImage;

struct TBitmap::TFormat {
  bool IsDIB = false;
  int BitCount = 32;
  bool Mask565 = false;
};

namespace {

[[noreturn]] void RaiseOutOfResources() {
  throw EOutOfResources(LoadResString(SOutOfResources));
}

int DeviceBitCount() {
  static const int bits = [] {
    TMemoryDC dc;
    return win::GetDeviceCaps(dc.Get(), win::BITSPIXEL) * win::GetDeviceCaps(dc.Get(), win::PLANES);
  }();
  return bits;
}

win::RGBQUAD Quad(int r, int g, int b) {
  return win::RGBQUAD{static_cast<win::BYTE>(b), static_cast<win::BYTE>(g),
                      static_cast<win::BYTE>(r), 0};
}

// Colour tables of new indexed bitmaps: black and white; the 16 standard colours; those plus a
// 6x6x6 colour cube and a grey ramp that ends in white.
std::vector<win::RGBQUAD> DefaultColorTable(int bitCount) {
  std::vector<win::RGBQUAD> table;
  if (bitCount == 1) return {Quad(0, 0, 0), Quad(255, 255, 255)};
  static constexpr int kVga[16][3] = {
      {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
      {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
      {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
  for (const auto& c : kVga)
    table.push_back(Quad(c[0], c[1], c[2]));
  if (bitCount == 4) return table;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        table.push_back(Quad(r * 51, g * 51, b * 51));
  for (int i = 1; i <= 24; ++i) {
    const int level = i == 24 ? 255 : i * 10;
    table.push_back(Quad(level, level, level));
  }
  return table;
}

win::HBITMAP CreateDib(int width, int height, int bitCount, bool mask565,
                       const std::vector<win::RGBQUAD>& table) {
  TDibHeader dib{};
  dib.Header.biWidth = width;
  dib.Header.biHeight = height;
  dib.Header.biPlanes = 1;
  dib.Header.biBitCount = static_cast<win::WORD>(bitCount);
  dib.Header.biCompression = win::BI_RGB;
  if (bitCount == 16 && mask565) {
    dib.Header.biCompression = win::BI_BITFIELDS;
    const win::DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(dib.Colors, masks, sizeof masks);
  } else if (bitCount <= 8) {
    const std::size_t n = std::min<std::size_t>(table.size(), std::size_t{1} << bitCount);
    std::copy_n(table.begin(), n, dib.Colors);
    dib.Header.biClrUsed = static_cast<win::DWORD>(n);
  }
  void* bits = nullptr;
  return win::CreateDIBSection(nullptr, dib.Info(), win::DIB_RGB_COLORS, &bits, nullptr, 0);
}

std::vector<win::RGBQUAD> ColorTableOf(win::HBITMAP handle, int bitCount) {
  std::vector<win::RGBQUAD> table(std::size_t{1} << std::min(bitCount, 8));
  TMemoryDC dc;
  TSelected selected(dc.Get(), handle);
  table.resize(
      win::GetDIBColorTable(dc.Get(), 0, static_cast<win::UINT>(table.size()), table.data()));
  return table;
}

std::shared_ptr<TBitmapImage> EmptyImage(const TBitmapImage& like) {
  auto image = std::make_shared<TBitmapImage>();
  image->IsDIB = like.IsDIB;
  image->BitCount = like.BitCount;
  image->Mask565 = like.Mask565;
  image->Defined = like.Defined;
  return image;
}

// A new image of the format of `format` with room for width x height pixels, filled white.
std::shared_ptr<TBitmapImage> NewImage(bool isDIB, int bitCount, bool mask565, int width,
                                       int height, const std::vector<win::RGBQUAD>& table) {
  auto image = std::make_shared<TBitmapImage>();
  image->IsDIB = isDIB;
  image->BitCount = bitCount;
  image->Mask565 = mask565;
  image->Defined = true;
  if (width == 0 || height == 0) return image;
  image->Handle =
      isDIB ? CreateDib(width, height, bitCount, mask565,
                        table.empty() ? DefaultColorTable(bitCount) : table)
            : win::CreateBitmap(width, height, 1, static_cast<win::UINT>(bitCount), nullptr);
  if (image->Handle == nullptr) RaiseOutOfResources();
  image->Width = width;
  image->Height = height;
  TMemoryDC dc;
  TSelected selected(dc.Get(), image->Handle);
  const win::RECT all{0, 0, width, height};
  win::FillRect(dc.Get(), &all,
                win::HandleCast<win::HBRUSH>(win::GetStockObject(win::WHITE_BRUSH)));
  return image;
}

win::HPALETTE CopyPalette(win::HPALETTE palette) {
  if (palette == nullptr) return nullptr;
  std::vector<win::PALETTEENTRY> entries(win::GetPaletteEntries(palette, 0, 256, nullptr));
  win::GetPaletteEntries(palette, 0, static_cast<win::UINT>(entries.size()), entries.data());
  return CreatePaletteOf(entries);
}

bool Describe(win::HBITMAP handle, TBitmapImage& image) {
  win::DIBSECTION ds;
  const int size = win::GetObject(handle, static_cast<int>(sizeof ds), &ds);
  if (size == static_cast<int>(sizeof(win::DIBSECTION))) {
    image.IsDIB = true;
    image.BitCount = ds.dsBmih.biBitCount;
    image.Mask565 = image.BitCount == 16 && ds.dsBitfields[1] == 0x07E0;
  } else if (size == static_cast<int>(sizeof(win::BITMAP))) {
    image.IsDIB = false;
    image.BitCount = ds.dsBm.bmBitsPixel;
    image.Mask565 = false;
  } else {
    return false;
  }
  image.Width = ds.dsBm.bmWidth;
  image.Height = std::abs(ds.dsBm.bmHeight);
  image.Defined = true;
  return true;
}

}  // namespace

// The canvas of a bitmap: a memory context with the bitmap's image selected, made on demand and
// given up whenever the image is replaced.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap* Bitmap) : FBitmap(Bitmap) {
    OnChanging = [this](TObject*) { FBitmap->BeforeImageChange(); };
    OnChange = [this](TObject* Sender) { FBitmap->Changed(Sender); };
  }
  ~TBitmapCanvas() override { FreeContext(); }
  TBitmapCanvas(const TBitmapCanvas&) = delete;
  TBitmapCanvas& operator=(const TBitmapCanvas&) = delete;

  void FreeContext() {
    if (FDC == nullptr) return;
    const win::HDC dc = FDC;
    FDC = nullptr;
    SetHandle(nullptr);
    if (FOldBitmap != nullptr) win::SelectObject(dc, FOldBitmap);
    if (FOldPalette != nullptr) win::SelectPalette(dc, FOldPalette, TRUE);
    FOldBitmap = nullptr;
    FOldPalette = nullptr;
    win::DeleteDC(dc);
  }

 protected:
  void CreateHandle() override {
    FBitmap->Unshare();
    const win::HDC dc = win::CreateCompatibleDC(nullptr);
    if (dc == nullptr) RaiseOutOfResources();
    const TBitmapImage& image = *FBitmap->FImage;
    if (image.Handle != nullptr) FOldBitmap = win::SelectObject(dc, image.Handle);
    if (image.Palette != nullptr) {
      FOldPalette = win::SelectPalette(dc, image.Palette, TRUE);
      win::RealizePalette(dc);
    }
    FDC = dc;
    SetHandle(dc);
  }

 private:
  static constexpr win::BOOL TRUE = win::TRUE;
  TBitmap* FBitmap;
  win::HDC FDC = nullptr;
  win::HGDIOBJ FOldBitmap = nullptr;
  win::HPALETTE FOldPalette = nullptr;
};

TOVU_IMPLEMENT_CLASS(TBitmap)
void TBitmap::DefineClass(TClassBuilder<TBitmap>&) {}

TBitmap::TBitmap() : FImage(std::make_shared<TBitmapImage>()) {
  FImage->BitCount = DeviceBitCount();
}

TBitmap::~TBitmap() {
  FCanvas.reset();
  if (FMask != nullptr) win::DeleteObject(FMask);
}

bool TBitmap::Empty() const {
  return FImage->Handle == nullptr;
}
int TBitmap::Width() const {
  return FImage->Width;
}
int TBitmap::Height() const {
  return FImage->Height;
}
bool TBitmap::HandleAllocated() const {
  return FImage->Handle != nullptr;
}
bool TBitmap::CoreHeader() const {
  return FImage->CoreHeader;
}
void TBitmap::NotePixelData(std::uint64_t Read, std::uint64_t Expected) {
  FImage->PixelDataRead = Read;
  FImage->PixelDataExpected = Expected;
}
std::uint64_t TBitmap::PixelDataRead() const {
  return FImage->PixelDataRead;
}
std::uint64_t TBitmap::PixelDataExpected() const {
  return FImage->PixelDataExpected;
}

template <class F>
void TBitmap::WithImageDC(F&& Use) const {
  if (FCanvas && FCanvas->HandleAllocated()) {
    Use(FCanvas->Handle());
    return;
  }
  TMemoryDC dc;
  TSelected selected(dc.Get(), FImage->Handle);
  Use(dc.Get());
}

void TBitmap::FreeContext() {
  if (FCanvas) FCanvas->FreeContext();
}

void TBitmap::ReplaceImage(std::shared_ptr<TBitmapImage> Image) {
  FreeContext();
  FImage = std::move(Image);
  if (FMask != nullptr) win::DeleteObject(FMask);
  FMask = nullptr;
}

void TBitmap::Unshare() {
  if (FImage.use_count() <= 1) return;
  const TBitmapImage& old = *FImage;
  std::shared_ptr<TBitmapImage> copy;
  if (old.Handle == nullptr) {
    copy = EmptyImage(old);
  } else if (old.IsDIB) {
    copy = NewImage(
        true, old.BitCount, old.Mask565, old.Width, old.Height,
        old.BitCount <= 8 ? ColorTableOf(old.Handle, old.BitCount) : std::vector<win::RGBQUAD>{});
    win::DIBSECTION from, to;
    win::GetObject(old.Handle, static_cast<int>(sizeof from), &from);
    win::GetObject(copy->Handle, static_cast<int>(sizeof to), &to);
    std::memcpy(
        to.dsBm.bmBits, from.dsBm.bmBits,
        static_cast<std::size_t>(from.dsBm.bmWidthBytes) * static_cast<std::size_t>(old.Height));
  } else {
    copy = NewImage(false, old.BitCount, false, old.Width, old.Height, {});
    TMemoryDC target;
    TSelected selected(target.Get(), copy->Handle);
    WithImageDC([&](win::HDC source) {
      win::BitBlt(target.Get(), 0, 0, old.Width, old.Height, source, 0, 0, win::SRCCOPY);
    });
  }
  copy->Palette = CopyPalette(old.Palette);
  copy->CoreHeader = old.CoreHeader;
  if (old.KeptFile) {
    copy->KeptFile = std::make_unique<TMemoryStream>();
    copy->KeptFile->LoadFromStream(*old.KeptFile);
  }
  ReplaceImage(std::move(copy));
}

void TBitmap::FreeImage() {
  Unshare();
}

void TBitmap::BeforeImageChange() {
  Unshare();
  FImage->KeptFile.reset();
}

void TBitmap::Changed(TObject* Sender) {
  if (FMask != nullptr) win::DeleteObject(FMask);
  FMask = nullptr;
  TGraphic::Changed(Sender);
}

void TBitmap::Assign(const TPersistent* Source) {
  if (Source == nullptr) {
    ReplaceImage(EmptyImage(*FImage));
    Changed(this);
    return;
  }
  if (const auto* bitmap = dynamic_cast<const TBitmap*>(Source)) {
    if (bitmap == this) return;
    // Neither canvas may keep the shared bitmap selected: the next drawing unshares first.
    const_cast<TBitmap*>(bitmap)->FreeContext();
    ReplaceImage(bitmap->FImage);
    FTransparentColor = bitmap->FTransparentColor;
    FTransparentMode = bitmap->FTransparentMode;
    if (bitmap->Transparent() != Transparent()) TGraphic::SetTransparent(bitmap->Transparent());
    Changed(this);
    return;
  }
  inherited::Assign(Source);
}

void TBitmap::SetSize(int NewWidth, int NewHeight) {
  if (NewWidth < 0 || NewHeight < 0)
    throw EInvalidGraphicOperation(Exception::ResMessage(SBitmapTooLarge, NewWidth, NewHeight));
  if (NewWidth == Width() && NewHeight == Height()) return;
  const TBitmapImage& old = *FImage;
  const bool isDIB = old.Defined ? old.IsDIB : false;
  const int bitCount = old.Defined ? old.BitCount : DeviceBitCount();
  std::vector<win::RGBQUAD> table;
  if (old.Handle != nullptr && old.IsDIB && old.BitCount <= 8)
    table = ColorTableOf(old.Handle, old.BitCount);
  auto image = NewImage(isDIB, bitCount, old.Mask565, NewWidth, NewHeight, table);
  image->Palette = CopyPalette(old.Palette);
  if (old.Handle != nullptr && image->Handle != nullptr) {
    TMemoryDC target;
    TSelected selected(target.Get(), image->Handle);
    WithImageDC([&](win::HDC source) {
      win::BitBlt(target.Get(), 0, 0, std::min(NewWidth, old.Width),
                  std::min(NewHeight, old.Height), source, 0, 0, win::SRCCOPY);
    });
  }
  ReplaceImage(std::move(image));
  Changed(this);
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(this);
  return FCanvas.get();
}

win::HBITMAP TBitmap::Handle() {
  Unshare();
  FreeContext();
  return FImage->Handle;
}

void TBitmap::SetHandle(win::HBITMAP Value) {
  if (Value == nullptr) {
    ReplaceImage(EmptyImage(*FImage));
    Changed(this);
    return;
  }
  AdoptImage(Value, nullptr, nullptr, false);
}

void TBitmap::AdoptImage(win::HBITMAP Handle, win::HPALETTE Palette,
                         std::unique_ptr<TMemoryStream> KeptFile, bool CoreHeader) {
  auto image = std::make_shared<TBitmapImage>();
  image->Palette = Palette;
  if (Handle != nullptr && !Describe(Handle, *image)) {
    throw EInvalidGraphic(LoadResString(SInvalidBitmap));
  }
  image->Handle = Handle;
  image->KeptFile = std::move(KeptFile);
  image->CoreHeader = CoreHeader;
  if (Handle == nullptr) {
    image->IsDIB = FImage->IsDIB;
    image->BitCount = FImage->BitCount;
  }
  ReplaceImage(std::move(image));
  Changed(this);
}

win::HBITMAP TBitmap::ReleaseHandle() {
  Unshare();
  FreeContext();
  const win::HBITMAP handle = FImage->Handle;
  FImage->Handle = nullptr;
  FImage->Width = FImage->Height = 0;
  FImage->KeptFile.reset();
  if (FMask != nullptr) win::DeleteObject(FMask);
  FMask = nullptr;
  return handle;
}

win::HPALETTE TBitmap::Palette() const {
  return FImage->Palette;
}

void TBitmap::SetPalette(win::HPALETTE Value) {
  if (Value == FImage->Palette) return;
  Unshare();
  FreeContext();
  if (FImage->Palette != nullptr) win::DeleteObject(FImage->Palette);
  FImage->Palette = Value;
  SetPaletteModified(true);
  Changed(this);
}

TBitmapHandleType TBitmap::HandleType() const {
  return FImage->IsDIB ? bmDIB : bmDDB;
}

void TBitmap::SetHandleType(TBitmapHandleType Value) {
  if (Value == HandleType()) return;
  const int bits = FImage->BitCount;
  if (Value == bmDDB)
    ConvertTo({false, bits == 1 ? 1 : DeviceBitCount(), false});
  else
    ConvertTo({true, bits, false});
}

TPixelFormat TBitmap::PixelFormat() const {
  const TBitmapImage& image = *FImage;
  if (!image.IsDIB) return image.BitCount == 1 ? pf1bit : pfDevice;
  switch (image.BitCount) {
    case 1:
      return pf1bit;
    case 4:
      return pf4bit;
    case 8:
      return pf8bit;
    case 16:
      return image.Mask565 ? pf16bit : pf15bit;
    case 24:
      return pf24bit;
    case 32:
      return pf32bit;
    default:
      return pfCustom;
  }
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == PixelFormat() && FImage->Defined) return;
  switch (Value) {
    case pfDevice:
      ConvertTo({false, DeviceBitCount(), false});
      return;
    case pf1bit:
      ConvertTo({true, 1, false});
      return;
    case pf4bit:
      ConvertTo({true, 4, false});
      return;
    case pf8bit:
      ConvertTo({true, 8, false});
      return;
    case pf15bit:
      ConvertTo({true, 16, false});
      return;
    case pf16bit:
      ConvertTo({true, 16, true});
      return;
    case pf24bit:
      ConvertTo({true, 24, false});
      return;
    case pf32bit:
      ConvertTo({true, 32, false});
      return;
    case pfCustom:
      throw EInvalidGraphic(LoadResString(SInvalidPixelFormat));
  }
}

bool TBitmap::Monochrome() const {
  return FImage->BitCount == 1;
}

void TBitmap::SetMonochrome(bool Value) {
  if (Value == Monochrome()) return;
  ConvertTo({false, Value ? 1 : DeviceBitCount(), false});
}

void TBitmap::ConvertTo(const TFormat& Format) {
  const TBitmapImage& old = *FImage;
  std::vector<win::RGBQUAD> table;
  if (Format.IsDIB && Format.BitCount <= 8 && old.Handle != nullptr && old.IsDIB &&
      old.BitCount == Format.BitCount)
    table = ColorTableOf(old.Handle, old.BitCount);
  auto image =
      NewImage(Format.IsDIB, Format.BitCount, Format.Mask565, old.Width, old.Height, table);
  if (old.Handle != nullptr) {
    TMemoryDC target;
    TSelected selected(target.Get(), image->Handle);
    BlitRowsTo(target.Get(), old.Width, old.Height, 0);
    image->Palette = CopyPalette(old.Palette);
  }
  ReplaceImage(std::move(image));
  Changed(this);
}

void TBitmap::BlitRowsTo(win::HDC Target, int Width, int Height, int FirstRow) const {
  WithImageDC([&](win::HDC source) {
    // Colour to monochrome: pixels of the source's background colour become white.
    const win::COLORREF background = win::SetBkColor(source, 0x00FFFFFF);
    win::BitBlt(Target, 0, 0, Width, Height, source, 0, FirstRow, win::SRCCOPY);
    win::SetBkColor(source, background);
  });
}

void TBitmap::ConvertRowsInto(TBitmap& Target, int FirstRow) const {
  if (FImage->Handle == nullptr) return;
  const int width = Target.Width();
  const int height = Target.Height();
  TMemoryDC target;
  TSelected selected(target.Get(), Target.Handle());
  BlitRowsTo(target.Get(), width, height, FirstRow);
}

std::uint8_t* TBitmap::ScanLine(int Row) {
  if (Row < 0 || Row >= Height()) throw EInvalidGraphicOperation(LoadResString(SScanLine));
  BeforeImageChange();
  if (!FImage->IsDIB) SetHandleType(bmDIB);
  if (FMask != nullptr) win::DeleteObject(FMask);
  FMask = nullptr;
  win::DIBSECTION ds;
  win::GetObject(FImage->Handle, static_cast<int>(sizeof ds), &ds);
  const bool topDown = ds.dsBmih.biHeight < 0;
  const int row = topDown ? Row : Height() - 1 - Row;
  return static_cast<std::uint8_t*>(ds.dsBm.bmBits) +
         static_cast<std::ptrdiff_t>(row) * ds.dsBm.bmWidthBytes;
}

int TBitmap::ScanLineStride() const {
  if (!FImage->IsDIB || FImage->Handle == nullptr) return 0;
  win::DIBSECTION ds;
  win::GetObject(FImage->Handle, static_cast<int>(sizeof ds), &ds);
  return ds.dsBmih.biHeight < 0 ? ds.dsBm.bmWidthBytes : -ds.dsBm.bmWidthBytes;
}

TColor TBitmap::PixelAt(int X, int Y) const {
  TColor color = clNone;
  WithImageDC([&](win::HDC dc) { color = static_cast<TColor>(win::GetPixel(dc, X, Y)); });
  return color;
}

TColor TBitmap::TransparentColor() const {
  if (Empty()) return clDefault;
  if (FTransparentMode == tmFixed) return FTransparentColor;
  return PixelAt(0, Height() - 1);
}

void TBitmap::SetTransparentColor(TColor Value) {
  const TTransparentMode mode = Value == clDefault ? tmAuto : tmFixed;
  if (Value == FTransparentColor && mode == FTransparentMode) return;
  FTransparentColor = Value;
  FTransparentMode = mode;
  Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == FTransparentMode) return;
  if (Value == tmAuto)
    SetTransparentColor(clDefault);
  else
    SetTransparentColor(TransparentColor());
}

win::HBITMAP TBitmap::MaskHandle() {
  if (Empty()) return nullptr;
  const TColor color = TransparentColor();
  if (FMask != nullptr && FMaskColor == color) return FMask;
  if (FMask != nullptr) win::DeleteObject(FMask);
  FMask = win::CreateBitmap(Width(), Height(), 1, 1, nullptr);
  if (FMask == nullptr) RaiseOutOfResources();
  FMaskColor = color;
  TMemoryDC mask;
  TSelected selected(mask.Get(), FMask);
  const win::COLORREF rgb = ColorToRGB(color);
  WithImageDC([&](win::HDC source) {
    if (Monochrome()) {
      // A monochrome source copies its bits: white pixels are 1 already.
      win::BitBlt(mask.Get(), 0, 0, Width(), Height(), source, 0, 0,
                  (rgb & 0xFFFFFF) == 0 ? win::NOTSRCCOPY : win::SRCCOPY);
      return;
    }
    const win::COLORREF background = win::SetBkColor(source, rgb);
    win::BitBlt(mask.Get(), 0, 0, Width(), Height(), source, 0, 0, win::SRCCOPY);
    win::SetBkColor(source, background);
  });
  return FMask;
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (Empty()) return;
  const win::HDC target = ACanvas->Handle();
  win::HPALETTE oldPalette = nullptr;
  if (FImage->Palette != nullptr) {
    oldPalette = win::SelectPalette(target, FImage->Palette, win::TRUE);
    win::RealizePalette(target);
  }
  const int targetBits =
      win::GetDeviceCaps(target, win::BITSPIXEL) * win::GetDeviceCaps(target, win::PLANES);
  if (targetBits <= 8 && targetBits < FImage->BitCount) {
    win::POINT origin;
    win::GetBrushOrgEx(target, &origin);
    win::SetStretchBltMode(target, win::HALFTONE);
    win::SetBrushOrgEx(target, origin.x, origin.y, nullptr);
  } else if (!Monochrome()) {
    win::SetStretchBltMode(target, win::COLORONCOLOR);
  }
  const int w = Rect.Width(), h = Rect.Height();
  if (Transparent()) {
    // The classic mask technique: target ^= image; target &= mask (transparent pixels white,
    // others black); target ^= image. Transparent pixels keep the target, others take the image.
    const win::HBITMAP maskBitmap = MaskHandle();
    TMemoryDC mask;
    TSelected selected(mask.Get(), maskBitmap);
    const win::COLORREF text = win::SetTextColor(target, 0x00000000);
    const win::COLORREF background = win::SetBkColor(target, 0x00FFFFFF);
    WithImageDC([&](win::HDC source) {
      win::StretchBlt(target, Rect.Left, Rect.Top, w, h, source, 0, 0, Width(), Height(),
                      win::SRCINVERT);
      win::StretchBlt(target, Rect.Left, Rect.Top, w, h, mask.Get(), 0, 0, Width(), Height(),
                      win::SRCAND);
      win::StretchBlt(target, Rect.Left, Rect.Top, w, h, source, 0, 0, Width(), Height(),
                      win::SRCINVERT);
    });
    win::SetTextColor(target, text);
    win::SetBkColor(target, background);
  } else {
    WithImageDC([&](win::HDC source) {
      win::StretchBlt(target, Rect.Left, Rect.Top, w, h, source, 0, 0, Width(), Height(),
                      ACanvas->CopyMode());
    });
  }
  if (oldPalette != nullptr) win::SelectPalette(target, oldPalette, win::TRUE);
}

void TBitmap::LoadFromStream(TStream& Stream) {
  ReadBitmapFile(*this, Stream);
}

void TBitmap::SaveToStream(TStream& Stream) {
  if (Empty()) return;
  if (FImage->KeptFile) {
    FImage->KeptFile->SaveToStream(Stream);
    return;
  }
  FreeContext();
  const TBitmapImage& image = *FImage;
  // The pixels as a device-independent layout: a section's own, or a device bitmap's at its
  // depth (monochrome with a black and white table).
  int bitCount = image.BitCount;
  std::vector<win::RGBQUAD> table;
  std::vector<std::uint8_t> pixels;
  win::BITMAPINFOHEADER header;
  header.biWidth = image.Width;
  header.biHeight = image.Height;
  header.biPlanes = 1;
  bool bitfields = false;
  win::DWORD masks[3] = {};
  if (image.IsDIB) {
    win::DIBSECTION ds;
    win::GetObject(image.Handle, static_cast<int>(sizeof ds), &ds);
    header.biHeight = ds.dsBmih.biHeight;
    if (bitCount <= 8) table = ColorTableOf(image.Handle, bitCount);
    if (bitCount == 16 && image.Mask565) {
      bitfields = true;
      std::copy_n(ds.dsBitfields, 3, masks);
    }
    const auto* bits = static_cast<const std::uint8_t*>(ds.dsBm.bmBits);
    pixels.assign(bits, bits + static_cast<std::size_t>(ds.dsBm.bmWidthBytes) * image.Height);
  } else {
    if (bitCount != 1) bitCount = 32;
    if (bitCount == 1) table = DefaultColorTable(1);
    const auto stride = static_cast<std::size_t>(win::DibStride(image.Width, bitCount));
    pixels.resize(stride * static_cast<std::size_t>(image.Height));
    TDibHeader dib{};
    dib.Header = header;
    dib.Header.biBitCount = static_cast<win::WORD>(bitCount);
    std::copy(table.begin(), table.end(), dib.Colors);
    TMemoryDC dc;
    win::GetDIBits(dc.Get(), image.Handle, 0, static_cast<win::UINT>(image.Height), pixels.data(),
                   dib.Info(), win::DIB_RGB_COLORS);
  }
  header.biBitCount = static_cast<win::WORD>(bitCount);
  header.biCompression = bitfields ? win::BI_BITFIELDS : win::BI_RGB;
  header.biSizeImage = static_cast<win::DWORD>(pixels.size());
  header.biClrUsed = static_cast<win::DWORD>(table.size());
  const std::uint32_t extra =
      (bitfields ? 12u : 0u) + static_cast<std::uint32_t>(table.size()) * 4u;
  std::vector<std::uint8_t> out = BmpFileStart(header, extra);
  if (bitfields)
    for (const win::DWORD m : masks)
      AppendLe32(out, m);
  for (const win::RGBQUAD& q : table)
    out.insert(out.end(), {q.rgbBlue, q.rgbGreen, q.rgbRed, 0});
  Stream.WriteBuffer(out.data(), static_cast<std::int64_t>(out.size()));
  Stream.WriteBuffer(pixels.data(), static_cast<std::int64_t>(pixels.size()));
}

void TBitmap::ReadData(TStream& Stream) {
  TMemoryStream data;
  ReadLengthPrefixed(Stream, data);
  LoadFromStream(data);
}

void TBitmap::WriteData(TStream& Stream) {
  TMemoryStream data;
  SaveToStream(data);
  WriteLengthPrefixed(Stream, {data.Memory(), static_cast<std::size_t>(data.Size())});
}

}  // namespace fw
