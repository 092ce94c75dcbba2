// The replay tool's own reading of BMP files for the `load` command, step for step as the
// oracle reads them, and the 24-bit BMP writer the oracle saves its canvases with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/platform/GdiTypes.h"

namespace tovu::gdiscript {

std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

// Creates the bitmap a file describes: a DIB section for uncompressed and bit-field data, a
// device-compatible bitmap of `screen` (CreateDIBitmap) for run-length encoded data.
// Throws EScriptError for files the oracle refuses.
win::HBITMAP LoadBmpFile(const std::string& path, win::HDC screen);

// A 24-bit bottom-up BI_RGB file with a 54-byte header; `pixel(x, y)` gives 0x00BBGGRR colours.
template <class TPixel>
std::vector<std::uint8_t> EncodeBmp24(int width, int height, TPixel pixel);
void WriteFile(const std::string& path, const std::vector<std::uint8_t>& data);

std::uint32_t ReadLe16(const std::uint8_t* p);
std::uint32_t ReadLe32(const std::uint8_t* p);

template <class TPixel>
std::vector<std::uint8_t> EncodeBmp24(int width, int height, TPixel pixel) {
  const std::size_t rowBytes = (std::size_t(width) * 3 + 3) / 4 * 4;
  const std::size_t dataSize = rowBytes * std::size_t(height);
  std::vector<std::uint8_t> out(54 + dataSize, 0);
  auto put16 = [&](std::size_t at, std::uint32_t v) {
    out[at] = std::uint8_t(v);
    out[at + 1] = std::uint8_t(v >> 8);
  };
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    put16(at, v & 0xFFFF);
    put16(at + 2, v >> 16);
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, std::uint32_t(54 + dataSize));
  put32(10, 54);
  put32(14, 40);
  put32(18, std::uint32_t(width));
  put32(22, std::uint32_t(height));
  put16(26, 1);
  put16(28, 24);
  put32(34, std::uint32_t(dataSize));
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = out.data() + 54 + std::size_t(height - 1 - y) * rowBytes;
    for (int x = 0; x < width; ++x) {
      const win::COLORREF c = pixel(x, y);
      row[3 * x] = win::GetBValue(c);
      row[3 * x + 1] = win::GetGValue(c);
      row[3 * x + 2] = win::GetRValue(c);
    }
  }
  return out;
}

}  // namespace tovu::gdiscript
