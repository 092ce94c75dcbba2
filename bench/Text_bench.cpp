// Cost of text: laying out a caption, turning glyphs into coverage, realizing a font.
#include <benchmark/benchmark.h>

#include <climits>

#include "framework/platform/CodePage.h"
#include "framework/platform/Gdi.h"
#include "framework/platform/Text.h"
#include "framework/platform/gdi/FaceMeasure.h"
#include "framework/platform/gdi/FontCache.h"
#include "framework/platform/gdi/TextCoverage.h"
#include "framework/platform/gdi/TextLayout.h"

namespace {

using namespace win;
using namespace win::gdi;

std::shared_ptr<const TFontFace> CaptionFont() {
  TFontRequest request;
  request.Family = "ＭＳ Ｐゴシック";
  request.Height = -12;
  request.CharSet = SHIFTJIS_CHARSET;
  return TFontCache::Instance().Realize(request);
}

void LayoutCaption(benchmark::State& state) {
  const auto face = CaptionFont();
  const TFaceMeasure measure(*face);
  for (auto _ : state) {
    TTextLayout layout = LayoutDrawText("画像を開く(&O)\r\nTovuザビロナ！", CP_UTF8,
                                        RECT{0, 0, 200, 60}, DT_CENTER, measure);
    benchmark::DoNotOptimize(layout);
  }
}
BENCHMARK(LayoutCaption);

void CaptionInk(benchmark::State& state) {
  const auto face = CaptionFont();
  const std::u32string text = U"Tovuザビロナ ～ 画像を保存しました";
  for (auto _ : state) {
    TRegion ink = GlyphRunInk(*face, text, POINT{10, 20}, RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    benchmark::DoNotOptimize(ink);
  }
}
BENCHMARK(CaptionInk);

// Realizing a font that is not cached: fontconfig match, face open, metrics.
void RealizeUncached(benchmark::State& state) {
  LONG height = -10;
  for (auto _ : state) {
    TFontRequest request;
    request.Family = "ＭＳ Ｐゴシック";
    request.Height = height;
    height = height <= -200 ? -10 : height - 1;  // more sizes than the cache keeps
    benchmark::DoNotOptimize(TFontFace::Create(request));
  }
}
BENCHMARK(RealizeUncached);

// A caption drawn end to end: layout, glyph coverage and painting into a 32-bit bitmap.
void DrawCaption(benchmark::State& state) {
  BITMAPINFO info{};
  info.bmiHeader.biWidth = 200;
  info.bmiHeader.biHeight = -60;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ previousBitmap = SelectObject(dc, bitmap);
  const HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0,
                                 NONANTIALIASED_QUALITY, 0, "ＭＳ Ｐゴシック");
  const HGDIOBJ previousFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  for (auto _ : state) {
    RECT area{0, 0, 200, 60};
    benchmark::DoNotOptimize(
        DrawTextA(dc, "画像を開く(&O)\r\nTovuザビロナ！", -1, &area, DT_CENTER));
  }
  SelectObject(dc, previousFont);
  SelectObject(dc, previousBitmap);
  DeleteObject(font);
  DeleteDC(dc);
  DeleteObject(bitmap);
}
BENCHMARK(DrawCaption);

}  // namespace
