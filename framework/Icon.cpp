#include "framework/Icon.h"

#include <cstring>

#include "framework/ByteOrder.h"
#include "framework/Canvas.h"
#include "framework/ColorTables.h"
#include "framework/Exceptions.h"
#include "framework/GdiHandles.h"
#include "framework/Streams.h"
#include "framework/TypeInfo.h"
#include "framework/platform/Gdi.h"

namespace fw {
namespace {

// Icons are small; anything larger is a broken or hostile file.
constexpr int kMaxIconSide = 1024;

[[noreturn]] void RaiseInvalidIcon() {
  throw EInvalidGraphic(LoadResString(SInvalidIcon));
}

win::HBITMAP MakeSection(int width, int height, int bitCount, const std::uint8_t* table,
                         std::size_t colors, const std::uint8_t* bits, std::size_t byteCount) {
  TDibHeader dib{};
  dib.Header.biWidth = width;
  dib.Header.biHeight = height;
  dib.Header.biPlanes = 1;
  dib.Header.biBitCount = static_cast<win::WORD>(bitCount);
  dib.Header.biClrUsed = static_cast<win::DWORD>(colors);
  std::memcpy(dib.Colors, table, colors * 4);
  void* pixels = nullptr;
  const win::HBITMAP section =
      win::CreateDIBSection(nullptr, dib.Info(), win::DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (section == nullptr || pixels == nullptr) {
    if (section != nullptr) win::DeleteObject(section);
    RaiseInvalidIcon();
  }
  std::memcpy(pixels, bits, byteCount);
  return section;
}

}  // namespace

TOVU_IMPLEMENT_CLASS(TIcon)
void TIcon::DefineClass(TClassBuilder<TIcon>&) {}

TIcon::TIcon() = default;

TIcon::~TIcon() {
  Clear();
}

void TIcon::Clear() {
  if (FImage != nullptr) win::DeleteObject(FImage);
  if (FMask != nullptr) win::DeleteObject(FMask);
  FImage = FMask = nullptr;
  FWidth = FHeight = 0;
  FFile.clear();
}

void TIcon::SetWidth(int) {
  throw EInvalidGraphicOperation(LoadResString(SChangeIconSize));
}

void TIcon::SetHeight(int) {
  throw EInvalidGraphicOperation(LoadResString(SChangeIconSize));
}

void TIcon::Parse(const std::vector<std::uint8_t>& File) {
  const std::uint8_t* f = File.data();
  const std::size_t size = File.size();
  if (size < 6 + 16 || ReadLe16(f) != 0 || (ReadLe16(f + 2) != 1 && ReadLe16(f + 2) != 2) ||
      ReadLe16(f + 4) == 0)
    RaiseInvalidIcon();
  const std::uint64_t bytes = ReadLe32(f + 6 + 8);
  const std::uint64_t offset = ReadLe32(f + 6 + 12);
  if (bytes < 40 || offset + bytes > size) RaiseInvalidIcon();
  const std::uint8_t* image = f + offset;
  const std::uint32_t headerSize = ReadLe32(image);
  const auto width = static_cast<std::int32_t>(ReadLe32(image + 4));
  const auto doubleHeight = static_cast<std::int32_t>(ReadLe32(image + 8));
  const std::uint32_t bitCount = ReadLe16(image + 14);
  const std::uint32_t compression = ReadLe32(image + 16);
  std::uint64_t colors = ReadLe32(image + 32);
  if (headerSize < 40 || headerSize > bytes || compression != win::BI_RGB) RaiseInvalidIcon();
  if (width <= 0 || width > kMaxIconSide || doubleHeight < 2 || doubleHeight > 2 * kMaxIconSide)
    RaiseInvalidIcon();
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
    RaiseInvalidIcon();
  if (colors == 0 && bitCount <= 8) colors = std::uint64_t{1} << bitCount;
  if (bitCount > 8) colors = 0;
  if (colors > 256) RaiseInvalidIcon();
  const int height = doubleHeight / 2;
  const auto xorBytes =
      static_cast<std::uint64_t>(win::DibStride(width, static_cast<int>(bitCount)) * height);
  const auto andBytes = static_cast<std::uint64_t>(win::DibStride(width, 1) * height);
  const std::uint64_t tableAt = headerSize;
  const std::uint64_t xorAt = tableAt + colors * 4;
  const std::uint64_t andAt = xorAt + xorBytes;
  if (andAt + andBytes > bytes) RaiseInvalidIcon();

  gdihandles::TOwned<win::HBITMAP> colour(MakeSection(
      width, height, static_cast<int>(bitCount), image + tableAt, colors, image + xorAt, xorBytes));
  static const std::uint8_t kBlackWhite[8] = {0, 0, 0, 0, 255, 255, 255, 0};
  const win::HBITMAP mask = MakeSection(width, height, 1, kBlackWhite, 2, image + andAt, andBytes);
  Clear();
  FFile = File;
  FImage = colour.Release();
  FMask = mask;
  FWidth = width;
  FHeight = height;
}

void TIcon::LoadFromStream(TStream& Stream) {
  const std::int64_t count = Stream.Size() - Stream.Position();
  if (count <= 0 || count > TMemoryStream::MaxSize) RaiseInvalidIcon();
  std::vector<std::uint8_t> file(static_cast<std::size_t>(count));
  Stream.ReadBuffer(file.data(), count);
  Parse(file);
  Changed(this);
}

void TIcon::SaveToStream(TStream& Stream) {
  if (!FFile.empty()) Stream.WriteBuffer(FFile.data(), static_cast<std::int64_t>(FFile.size()));
}

void TIcon::Assign(const TPersistent* Source) {
  if (Source == nullptr) {
    Clear();
    Changed(this);
    return;
  }
  if (const auto* icon = dynamic_cast<const TIcon*>(Source)) {
    if (icon == this) return;
    if (icon->FFile.empty())
      Clear();
    else
      Parse(icon->FFile);
    Changed(this);
    return;
  }
  inherited::Assign(Source);
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (Empty()) return;
  const win::HDC target = ACanvas->Handle();
  const win::HDC source = win::CreateCompatibleDC(nullptr);
  if (source == nullptr) throw EOutOfResources(LoadResString(SOutOfResources));
  const win::COLORREF text = win::SetTextColor(target, 0x00000000);
  const win::COLORREF background = win::SetBkColor(target, 0x00FFFFFF);
  win::SetStretchBltMode(target, win::COLORONCOLOR);
  // As the platform draws icons: the AND mask clears the opaque pixels, the image is XOR-ed on.
  const win::HGDIOBJ old = win::SelectObject(source, FMask);
  win::StretchBlt(target, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), source, 0, 0, FWidth,
                  FHeight, win::SRCAND);
  win::SelectObject(source, FImage);
  win::StretchBlt(target, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), source, 0, 0, FWidth,
                  FHeight, win::SRCINVERT);
  win::SelectObject(source, old);
  win::DeleteDC(source);
  win::SetTextColor(target, text);
  win::SetBkColor(target, background);
}

}  // namespace fw
