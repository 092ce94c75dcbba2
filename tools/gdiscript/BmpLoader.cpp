#include "tools/gdiscript/BmpLoader.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "framework/ColorTables.h"
#include "framework/GdiHandles.h"
#include "framework/platform/Gdi.h"
#include "tools/gdiscript/ScriptArgs.h"

namespace tovu::gdiscript {

using namespace win;

namespace {

// Why a file whose headers the framework cannot read is refused.
std::string Refusal(fw::TBmpReadResult result) {
  switch (result) {
    case fw::brrReadError:
      return "file ends inside its headers, masks or colour table, or holds no pixel data";
    case fw::brrEmbedded:
      return "a JPEG or PNG picture inside a BMP file";
    default:
      return "not a BMP file (signature, header size or planes)";
  }
}

// Uncompressed and bit-field data: copied into the memory of a section made from the header.
HBITMAP LoadSection(const std::string& path, HDC screen, const BITMAPINFO* info,
                    const std::uint8_t* data, std::size_t bytes) {
  void* bits = nullptr;
  fw::gdihandles::TOwned<HBITMAP> bitmap(
      CreateDIBSection(screen, info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) Fail(path + ": CreateDIBSection failed");
  std::memcpy(bits, data, bytes);
  return bitmap.Release();
}

// Compressed data: a device-compatible bitmap made by CreateDIBitmap on the screen context, with
// the colour table's palette realised meanwhile in a memory context, as the oracle does.
HBITMAP LoadDeviceBitmap(const std::string& path, HDC screen, const fw::TBmpLayout& layout,
                         const std::vector<std::uint8_t>& bits) {
  const auto* info = reinterpret_cast<const BITMAPINFO*>(layout.Info.data());
  fw::gdihandles::TOwned<HPALETTE> palette(
      fw::CreatePaletteFromColorTable(layout.ColorTable(), layout.ColorCount));
  HDC memory = palette ? CreateCompatibleDC(screen) : nullptr;
  HPALETTE old = nullptr;
  if (memory) {
    old = SelectPalette(memory, palette.Get(), FALSE);
    RealizePalette(memory);
  }
  HBITMAP bitmap =
      CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, bits.data(), info, DIB_RGB_COLORS);
  if (memory) {
    if (old) SelectPalette(memory, old, FALSE);
    DeleteDC(memory);
  }
  if (!bitmap) Fail(path + ": CreateDIBitmap failed");
  return bitmap;
}

}  // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail("cannot open " + path);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& data) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
  out.close();
  if (!out) Fail("error writing " + path);
}

HBITMAP LoadBmpFile(const std::string& path, HDC screen) {
  const std::vector<std::uint8_t> file = ReadWholeFile(path);
  fw::TBmpLayout layout;
  const fw::TBmpReadResult result = fw::ReadBmpLayout(file, layout);
  if (result != fw::brrOk) Fail(path + ": " + Refusal(result));
  if (layout.Width <= 0 || layout.Height == 0) Fail(path + ": bad bitmap size");

  // The pixel data follows the colour table directly, as long as the header says and the file
  // holds.
  const std::uint64_t rows = std::uint64_t(std::abs(std::int64_t(layout.Height)));
  const std::uint64_t fullSize = fw::BmpRowBytes(layout.Width, layout.BitCount) * rows;
  const std::size_t present =
      std::size_t(std::min<std::uint64_t>(layout.DataLength, file.size() - layout.TableEnd));
  const std::uint8_t* data = file.data() + layout.TableEnd;
  if (layout.Compression == fw::BmpRgb || layout.Compression == fw::BmpBitFields) {
    return LoadSection(path, screen, reinterpret_cast<const BITMAPINFO*>(layout.Info.data()), data,
                       std::size_t(std::min<std::uint64_t>(present, fullSize)));
  }
  if (layout.DataLength > (std::uint64_t(1) << 30)) Fail(path + ": implausible pixel data size");
  std::vector<std::uint8_t> bits(std::size_t(layout.DataLength), 0);
  if (present) std::memcpy(bits.data(), data, present);
  return LoadDeviceBitmap(path, screen, layout, bits);
}

}  // namespace tovu::gdiscript
