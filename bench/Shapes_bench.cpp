// The main window's two figures on a 600x600 32-bit DIB section, per call: the 15-pixel rounded
// frame with a hollow brush, and the 596x596 card filled with a 1-pixel pen. A plain FillRect of
// the card's area is the floor they are measured against.
#include <benchmark/benchmark.h>

#include "framework/platform/Gdi.h"
#include "framework/platform/Shapes.h"

namespace {

using namespace win;

class TCanvas {
 public:
  TCanvas() {
    BITMAPINFO info{};
    info.bmiHeader.biWidth = 600;
    info.bmiHeader.biHeight = -600;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    FBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    Dc = CreateCompatibleDC(nullptr);
    FPrevious = SelectObject(Dc, FBitmap);
  }
  ~TCanvas() {
    SelectObject(Dc, FPrevious);
    DeleteDC(Dc);
    DeleteObject(FBitmap);
  }
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Dc = nullptr;

 private:
  HBITMAP FBitmap = nullptr;
  HGDIOBJ FPrevious = nullptr;
};

// Selects a pen and a brush for the lifetime of a benchmark and deletes them afterwards.
class TSelection {
 public:
  TSelection(HDC dc, HPEN pen, HBRUSH brush) : FDc(dc), FPen(pen), FBrush(brush) {
    FOldPen = SelectObject(dc, pen);
    FOldBrush = SelectObject(dc, brush);
  }
  ~TSelection() {
    SelectObject(FDc, FOldPen);
    SelectObject(FDc, FOldBrush);
    DeleteObject(FPen);
    DeleteObject(FBrush);
  }
  TSelection(const TSelection&) = delete;
  TSelection& operator=(const TSelection&) = delete;

 private:
  HDC FDc;
  HPEN FPen;
  HBRUSH FBrush;
  HGDIOBJ FOldPen = nullptr;
  HGDIOBJ FOldBrush = nullptr;
};

void BM_RoundRectFrame15PixelPenHollow(benchmark::State& state) {
  const TCanvas canvas;
  const LOGBRUSH hollow{BS_HOLLOW, 0, 0};
  const TSelection selection(canvas.Dc, CreatePen(PS_SOLID, 15, RGB(248, 164, 72)),
                             CreateBrushIndirect(&hollow));
  for (auto _ : state) {
    benchmark::DoNotOptimize(RoundRect(canvas.Dc, 7, 7, 593, 593, 146, 146));
  }
}
BENCHMARK(BM_RoundRectFrame15PixelPenHollow)->Unit(benchmark::kMicrosecond);

void BM_RoundRectCard1PixelPenFilled(benchmark::State& state) {
  const TCanvas canvas;
  const COLORREF cream = RGB(255, 244, 224);
  const TSelection selection(canvas.Dc, CreatePen(PS_SOLID, 1, cream), CreateSolidBrush(cream));
  for (auto _ : state) {
    benchmark::DoNotOptimize(RoundRect(canvas.Dc, 2, 2, 598, 598, 149, 149));
  }
}
BENCHMARK(BM_RoundRectCard1PixelPenFilled)->Unit(benchmark::kMicrosecond);

void BM_FillRectCardAreaFloor(benchmark::State& state) {
  const TCanvas canvas;
  HBRUSH brush = CreateSolidBrush(RGB(255, 244, 224));
  const RECT card{2, 2, 598, 598};
  for (auto _ : state) {
    benchmark::DoNotOptimize(FillRect(canvas.Dc, &card, brush));
  }
  DeleteObject(brush);
}
BENCHMARK(BM_FillRectCardAreaFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
