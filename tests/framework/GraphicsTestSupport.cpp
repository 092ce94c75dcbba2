#include "tests/framework/GraphicsTestSupport.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/GdiHandles.h"
#include "framework/platform/Gdi.h"
#include "tools/gdiscript/BmpLoader.h"

namespace fw::testing {

using gdihandles::TMemoryDC;
using gdihandles::TOwned;
using gdihandles::TSelected;

namespace {

TPixels ReadBack(win::HDC dc, win::HBITMAP bitmap, int width, int height) {
  TPixels pixels;
  pixels.Width = width;
  pixels.Height = height;
  pixels.Colors.resize(std::size_t(width) * std::size_t(height));
  win::BITMAPINFO info{};
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = win::BI_RGB;
  win::GetDIBits(dc, bitmap, 0, win::UINT(height), pixels.Colors.data(), &info,
                 win::DIB_RGB_COLORS);
  // The 32-bit layout is 0x00RRGGBB; colours are compared as 0x00BBGGRR.
  for (std::uint32_t& c : pixels.Colors)
    c = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  return pixels;
}

}  // namespace

TPixels PixelsOf(TBitmap& Bitmap) {
  TMemoryDC dc;
  return ReadBack(dc.Get(), Bitmap.Handle(), Bitmap.Width(), Bitmap.Height());
}

TPixels ReadGolden(const std::string& Path) {
  TMemoryDC dc;
  // Run-length goldens become device bitmaps of this context's (32-bit) format.
  TOwned<win::HBITMAP> format(win::CreateBitmap(1, 1, 1, 32, nullptr));
  TSelected selected(dc.Get(), format.Get());
  TOwned<win::HBITMAP> golden(tovu::gdiscript::LoadBmpFile(Path, dc.Get()));
  win::BITMAP description;
  win::GetObject(golden.Get(), int(sizeof description), &description);
  return ReadBack(dc.Get(), golden.Get(), description.bmWidth, std::abs(description.bmHeight));
}

long CountDifferences(const TPixels& Actual, const TPixels& Expected, std::string& Detail) {
  if (Actual.Width != Expected.Width || Actual.Height != Expected.Height) {
    Detail = "size " + std::to_string(Actual.Width) + "x" + std::to_string(Actual.Height) +
             " instead of " + std::to_string(Expected.Width) + "x" +
             std::to_string(Expected.Height);
    return -1;
  }
  long count = 0;
  std::ostringstream out;
  for (int y = 0; y < Actual.Height; ++y)
    for (int x = 0; x < Actual.Width; ++x) {
      if (Actual.At(x, y) == Expected.At(x, y)) continue;
      if (++count <= 6)
        out << " (" << x << "," << y << ") " << std::hex << Actual.At(x, y) << " instead of "
            << Expected.At(x, y) << std::dec;
    }
  Detail = out.str();
  return count;
}

void MakeCanvas(TBitmap& Bitmap, int Width, int Height, std::uint32_t Color) {
  Bitmap.SetPixelFormat(pf32bit);
  Bitmap.SetSize(Width, Height);
  Bitmap.Canvas()->Brush()->SetColor(static_cast<TColor>(Color));
  Bitmap.Canvas()->FillRect(TRect{0, 0, Width, Height});
}

std::string TestData(const std::string& RelativePath) {
  return std::string(TOVU_TEST_DATA) + "/" + RelativePath;
}

TBytes& TBytes::U8(std::uint8_t V) {
  Data.push_back(V);
  return *this;
}
TBytes& TBytes::U16(std::uint16_t V) {
  return U8(std::uint8_t(V)).U8(std::uint8_t(V >> 8));
}
TBytes& TBytes::U32(std::uint32_t V) {
  return U16(std::uint16_t(V)).U16(std::uint16_t(V >> 16));
}
TBytes& TBytes::Fill(std::size_t Count, std::uint8_t V) {
  Data.insert(Data.end(), Count, V);
  return *this;
}
TBytes& TBytes::Append(const std::vector<std::uint8_t>& More) {
  Data.insert(Data.end(), More.begin(), More.end());
  return *this;
}

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& Path) {
  std::ifstream in(Path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::filesystem::path& Path, const std::vector<std::uint8_t>& Bytes) {
  std::ofstream out(Path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(Bytes.data()), std::streamsize(Bytes.size()));
}

TScratchFolder::TScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tovu-gfx-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder");
  FPath = pattern;
}

TScratchFolder::~TScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(FPath, ignored);
}

}  // namespace fw::testing
