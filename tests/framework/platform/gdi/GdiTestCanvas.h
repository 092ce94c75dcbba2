// A memory context over a DIB section of any depth for the GDI tests, released on destruction.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/platform/Gdi.h"

namespace tovu::test {

class TDibCanvas {
 public:
  // A top-down section; `colors` is the colour table of indexed depths.
  TDibCanvas(int width, int height, int bitCount, std::vector<win::RGBQUAD> colors = {})
      : FWidth(width), FBitCount(bitCount) {
    std::vector<std::uint8_t> buffer(sizeof(win::BITMAPINFOHEADER) + 256 * sizeof(win::RGBQUAD));
    auto* info = reinterpret_cast<win::BITMAPINFO*>(buffer.data());
    info->bmiHeader = win::BITMAPINFOHEADER{};
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = -height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = win::WORD(bitCount);
    info->bmiHeader.biClrUsed = win::DWORD(colors.size());
    std::copy(colors.begin(), colors.end(), info->bmiColors);
    Bitmap = win::CreateDIBSection(nullptr, info, win::DIB_RGB_COLORS, &FBits, nullptr, 0);
    Dc = win::CreateCompatibleDC(nullptr);
    FPrevious = win::SelectObject(Dc, Bitmap);
  }
  ~TDibCanvas() {
    win::SelectObject(Dc, FPrevious);
    win::DeleteDC(Dc);
    win::DeleteObject(Bitmap);
  }
  TDibCanvas(const TDibCanvas&) = delete;
  TDibCanvas& operator=(const TDibCanvas&) = delete;

  std::size_t Stride() const {
    return (std::size_t(FWidth) * std::size_t(FBitCount) + 31) / 32 * 4;
  }
  std::uint8_t* Row(int y) const {
    return static_cast<std::uint8_t*>(FBits) + Stride() * std::size_t(y);
  }
  // The raw value of a pixel: an index, or 0x00RRGGBB for 24 and 32 bits.
  std::uint32_t At(int x, int y) const {
    const std::uint8_t* row = Row(y);
    switch (FBitCount) {
      case 1:
        return (row[x / 8] >> (7 - x % 8)) & 1;
      case 4:
        return (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
      case 8:
        return row[x];
      case 24:
        return std::uint32_t(row[3 * x]) | std::uint32_t(row[3 * x + 1]) << 8 |
               std::uint32_t(row[3 * x + 2]) << 16;
      default:
        return reinterpret_cast<const std::uint32_t*>(row)[x];
    }
  }
  void Fill(win::COLORREF color) {
    win::HBRUSH brush = win::CreateSolidBrush(color);
    const win::RECT all{0, 0, FWidth, 1 << 20};
    win::FillRect(Dc, &all, brush);
    win::DeleteObject(brush);
  }

  win::HDC Dc = nullptr;
  win::HBITMAP Bitmap = nullptr;

 private:
  int FWidth;
  int FBitCount;
  void* FBits = nullptr;
  win::HGDIOBJ FPrevious = nullptr;
};

// A memory context holding a device bitmap (CreateBitmap) of the given depth.
class TDeviceCanvas {
 public:
  TDeviceCanvas(int width, int height, int bitCount) {
    Bitmap = win::CreateBitmap(width, height, 1, win::UINT(bitCount), nullptr);
    Dc = win::CreateCompatibleDC(nullptr);
    FPrevious = win::SelectObject(Dc, Bitmap);
  }
  ~TDeviceCanvas() {
    win::SelectObject(Dc, FPrevious);
    win::DeleteDC(Dc);
    win::DeleteObject(Bitmap);
  }
  TDeviceCanvas(const TDeviceCanvas&) = delete;
  TDeviceCanvas& operator=(const TDeviceCanvas&) = delete;

  win::HDC Dc = nullptr;
  win::HBITMAP Bitmap = nullptr;

 private:
  win::HGDIOBJ FPrevious = nullptr;
};

}  // namespace tovu::test
