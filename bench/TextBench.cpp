// Cost of text: laying out a caption, turning glyphs into coverage, realizing a font.
#include <benchmark/benchmark.h>

#include <climits>

#include "framework/platform/CodePage.h"
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

}  // namespace
