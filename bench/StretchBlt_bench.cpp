// StretchBlt of a 4000x3000 24-bit picture to 590x442 on a 32-bit target with COLORONCOLOR:
// the program's display of a large photo, per call.
#include <benchmark/benchmark.h>

#include <cstring>

#include "framework/platform/Gdi.h"

namespace {

using namespace win;

struct TDibContext {
  HDC Dc = nullptr;
  HBITMAP Bitmap = nullptr;
  HGDIOBJ Previous = nullptr;

  TDibContext(int width, int height, int bitCount, bool topDown) {
    BITMAPINFO info{};
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = topDown ? -height : height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(bitCount);
    void* bits = nullptr;
    Bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bits) {
      const std::size_t stride = (std::size_t(width) * std::size_t(bitCount) + 31) / 32 * 4;
      auto* bytes = static_cast<std::uint8_t*>(bits);
      for (std::size_t i = 0; i < stride * std::size_t(height); ++i)
        bytes[i] = std::uint8_t(i * 7 + i / stride);
    }
    Dc = CreateCompatibleDC(nullptr);
    Previous = SelectObject(Dc, Bitmap);
  }
  ~TDibContext() {
    SelectObject(Dc, Previous);
    DeleteDC(Dc);
    DeleteObject(Bitmap);
  }
};

void BM_StretchBltPhotoToImageArea(benchmark::State& state) {
  const TDibContext source(4000, 3000, 24, false);
  const TDibContext target(600, 600, 32, true);
  SetStretchBltMode(target.Dc, COLORONCOLOR);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        StretchBlt(target.Dc, 5, 90, 590, 442, source.Dc, 0, 0, 4000, 3000, SRCCOPY));
  }
  state.SetItemsProcessed(state.iterations() * 590 * 442);
}
BENCHMARK(BM_StretchBltPhotoToImageArea)->Unit(benchmark::kMillisecond);

void BM_BitBltWindowCopy(benchmark::State& state) {
  const TDibContext source(600, 600, 32, true);
  const TDibContext target(600, 600, 32, true);
  for (auto _ : state) {
    benchmark::DoNotOptimize(BitBlt(target.Dc, 0, 0, 600, 600, source.Dc, 0, 0, SRCCOPY));
  }
  state.SetItemsProcessed(state.iterations() * 600 * 600);
}
BENCHMARK(BM_BitBltWindowCopy)->Unit(benchmark::kMillisecond);

}  // namespace
