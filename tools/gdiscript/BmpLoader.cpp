#include "tools/gdiscript/BmpLoader.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "framework/platform/Gdi.h"
#include "tools/gdiscript/ScriptArgs.h"

namespace tovu::gdiscript {

using namespace win;

std::uint32_t ReadLe16(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8;
}

std::uint32_t ReadLe32(const std::uint8_t* p) {
  return ReadLe16(p) | ReadLe16(p + 2) << 16;
}

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
  const std::size_t size = file.size();
  if (size < 18 || file[0] != 'B' || file[1] != 'M') Fail(path + ": not a BMP file");
  std::size_t pos = 14;

  // Info header: a core header widens to a 40-byte one, anything else is kept whole.
  const std::uint32_t headerSize = ReadLe32(&file[pos]);
  const bool core = headerSize == 12;
  if (!core && headerSize < 40) {
    Fail(path + ": unsupported info header size " + std::to_string(headerSize));
  }
  if (headerSize > size - pos) Fail(path + ": file ends inside the info header");
  std::vector<std::uint8_t> info;
  if (core) {
    BITMAPINFOHEADER h;
    h.biWidth = LONG(ReadLe16(&file[pos + 4]));
    h.biHeight = LONG(ReadLe16(&file[pos + 6]));
    h.biPlanes = WORD(ReadLe16(&file[pos + 8]));
    h.biBitCount = WORD(ReadLe16(&file[pos + 10]));
    const auto* p = reinterpret_cast<const std::uint8_t*>(&h);
    info.assign(p, p + sizeof(h));
  } else {
    info.assign(file.begin() + std::ptrdiff_t(pos),
                file.begin() + std::ptrdiff_t(pos + headerSize));
  }
  pos += headerSize;
  BITMAPINFOHEADER h;
  std::memcpy(static_cast<void*>(&h), info.data(), sizeof(h));
  if (h.biWidth <= 0 || h.biHeight == 0) Fail(path + ": bad bitmap size");

  if (headerSize == 40 && h.biCompression == BI_BITFIELDS &&
      (h.biBitCount == 16 || h.biBitCount == 32)) {
    if (size - pos < 12) Fail(path + ": file ends inside the colour masks");
    info.insert(info.end(), file.begin() + std::ptrdiff_t(pos),
                file.begin() + std::ptrdiff_t(pos + 12));
    pos += 12;
  }

  std::uint64_t colours = h.biClrUsed;
  if (colours == 0 && (h.biBitCount == 1 || h.biBitCount == 4 || h.biBitCount == 8)) {
    colours = 1u << h.biBitCount;
  }
  const std::size_t entryBytes = core ? 3 : 4;
  if (colours * entryBytes > size - pos) Fail(path + ": file ends inside the colour table");
  std::vector<RGBQUAD> table(static_cast<std::size_t>(colours));
  for (std::size_t i = 0; i < table.size(); ++i, pos += entryBytes) {
    table[i] = RGBQUAD{file[pos], file[pos + 1], file[pos + 2], BYTE(core ? 0 : file[pos + 3])};
  }
  if (!table.empty()) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(table.data());
    info.insert(info.end(), p, p + table.size() * sizeof(RGBQUAD));
  }

  const std::uint64_t stride = (std::uint64_t(h.biWidth) * h.biBitCount + 31) / 32 * 4;
  const std::uint64_t rows =
      h.biHeight < 0 ? std::uint64_t(-std::int64_t(h.biHeight)) : std::uint64_t(h.biHeight);
  const std::uint64_t fullSize = stride * rows;
  const std::uint64_t declared = h.biSizeImage ? h.biSizeImage : fullSize;
  const std::size_t present = std::size_t(std::min<std::uint64_t>(declared, size - pos));
  const std::uint8_t* data = file.data() + pos;
  const auto* bmi = reinterpret_cast<const BITMAPINFO*>(info.data());

  if (h.biCompression == BI_RGB || h.biCompression == BI_BITFIELDS) {
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
      if (bitmap) DeleteObject(bitmap);
      Fail(path + ": CreateDIBSection failed");
    }
    std::memcpy(bits, data, std::size_t(std::min<std::uint64_t>(present, fullSize)));
    return bitmap;
  }
  if (declared > (std::uint64_t(1) << 30)) Fail(path + ": implausible pixel data size");
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(declared), 0);
  if (present) std::memcpy(bits.data(), data, present);
  HDC memory = nullptr;
  HPALETTE palette = nullptr, old = nullptr;
  if (!table.empty()) {
    std::vector<std::uint8_t> buffer(sizeof(LOGPALETTE) + table.size() * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(buffer.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = WORD(std::min<std::size_t>(table.size(), 0xFFFF));
    PALETTEENTRY* entries = lp->palPalEntry;  // the table runs past the declared one entry
    for (std::size_t i = 0; i < lp->palNumEntries; ++i) {
      entries[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    }
    palette = CreatePalette(lp);
    memory = CreateCompatibleDC(screen);
    if (palette && memory) {
      old = SelectPalette(memory, palette, FALSE);
      RealizePalette(memory);
    }
  }
  HBITMAP bitmap =
      CreateDIBitmap(screen, &bmi->bmiHeader, CBM_INIT, bits.data(), bmi, DIB_RGB_COLORS);
  if (memory) {
    if (old) SelectPalette(memory, old, FALSE);
    DeleteDC(memory);
  }
  if (palette) DeleteObject(palette);
  if (!bitmap) Fail(path + ": CreateDIBitmap failed");
  return bitmap;
}

}  // namespace tovu::gdiscript
