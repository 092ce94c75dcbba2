// The replay tool's loading of BMP files for the `load` command, the framework's reading of the
// headers followed by the oracle's steps, and the 24-bit BMP writer the oracle saves canvases with.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/BmpLayout.h"
#include "framework/platform/GdiBitmaps.h"
#include "framework/platform/GdiTypes.h"

namespace tovu::gdiscript {

std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

// Creates the bitmap a file describes, as the oracle does once it has read the headers and the
// colour table: the pixel data follows the table (whatever the file header's offset says), in a
// DIB section for uncompressed and bit-field data (a top-down file stays top-down), in a
// device-compatible bitmap of `screen` (CreateDIBitmap) for run-length encoded data.
// Throws EScriptError for files the oracle or the framework's header reading refuses.
win::HBITMAP LoadBmpFile(const std::string& path, win::HDC screen);

// A 24-bit bottom-up BI_RGB file with a 54-byte header; `pixel(x, y)` gives 0x00BBGGRR colours.
template <class TPixel>
std::vector<std::uint8_t> EncodeBmp24(int width, int height, TPixel pixel);
void WriteFile(const std::string& path, const std::vector<std::uint8_t>& data);

template <class TPixel>
std::vector<std::uint8_t> EncodeBmp24(int width, int height, TPixel pixel) {
  const std::size_t rowBytes = std::size_t(std::max<std::int64_t>(win::DibStride(width, 24), 0));
  win::BITMAPINFOHEADER info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biSizeImage = win::DWORD(rowBytes * std::size_t(height));
  std::vector<std::uint8_t> out = fw::BmpFileStart(info, 0);
  const std::size_t pixelsAt = out.size();
  out.resize(pixelsAt + info.biSizeImage, 0);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = out.data() + pixelsAt + std::size_t(height - 1 - y) * rowBytes;
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
