// Figures and text drawn through a canvas come out as the platform draws them: the canvas only
// sets up pen, brush and font, so its pixels must equal the GDI's golden pictures.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Streams.h"
#include "framework/platform/CodePageConversion.h"
#include "framework/platform/Gdi.h"

namespace fw {
namespace {

// Loads a golden picture of the GDI fixtures.
void LoadGolden(TBitmap& golden, const std::string& name) {
  golden.LoadFromFile(std::string(TOVU_TEST_DATA) + "/gdi/" + name);
}

// Number of pixels in which the canvas's bitmap differs from the golden picture, with the first
// few listed in `detail`.
int DifferingPixels(TBitmap& drawn, TBitmap& golden, std::string& detail) {
  if (drawn.Width() != golden.Width() || drawn.Height() != golden.Height()) return -1;
  int differing = 0;
  std::ostringstream out;
  for (int y = 0; y < drawn.Height(); ++y)
    for (int x = 0; x < drawn.Width(); ++x) {
      const TColor a = drawn.Canvas()->Pixels(x, y), b = golden.Canvas()->Pixels(x, y);
      if (a == b) continue;
      if (++differing <= 5)
        out << " (" << x << "," << y << ") " << std::hex << a << "!=" << b << std::dec;
    }
  detail = out.str();
  return differing;
}

TBitmap& WhiteCanvas(TBitmap& b, int w, int h) {
  b.SetPixelFormat(pf32bit);
  b.SetSize(w, h);
  return b;
}

TEST(CanvasFigures, MainWindowCardAndFrameMatchTheGoldenPicture) {
  TBitmap drawn;
  TCanvas* canvas = WhiteCanvas(drawn, 600, 600).Canvas();
  canvas->Pen()->SetColor(0x00E0F4FF);
  canvas->Brush()->SetColor(0x00E0F4FF);
  canvas->RoundRect(2, 2, 598, 598, 149, 149);
  canvas->Pen()->SetColor(0x0048A4F8);
  canvas->Pen()->SetWidth(15);
  canvas->Brush()->SetStyle(bsClear);
  canvas->RoundRect(7, 7, 593, 593, 146, 146);
  TBitmap golden;
  LoadGolden(golden, "shapes/frame-600.bmp");
  std::string detail;
  EXPECT_EQ(DifferingPixels(drawn, golden, detail), 0) << detail;
}

TEST(CanvasFigures, EllipsesWithEveryPenWidthMatchTheGoldenPicture) {
  TBitmap drawn;
  TCanvas* canvas = WhiteCanvas(drawn, 300, 110).Canvas();
  canvas->Pen()->SetColor(0x00933A1F);
  canvas->Brush()->SetColor(0x0041B0F5);
  int left = 8;
  for (const int width : {0, 1, 2, 3, 4, 5, 15}) {
    canvas->Pen()->SetWidth(width);
    canvas->Ellipse(left, 8, left + 33, 37);
    canvas->Ellipse(left, 58, left + 34, 88);
    left += 41;
  }
  TBitmap golden;
  LoadGolden(golden, "shapes/ellipse-pens-filled.bmp");
  std::string detail;
  EXPECT_EQ(DifferingPixels(drawn, golden, detail), 0) << detail;
}

}  // namespace
}  // namespace fw

namespace fw {
namespace {

TEST(CanvasText, JapaneseTextOnASolidBrushMatchesTheGoldenPicture) {
  TBitmap drawn;
  TCanvas* canvas = WhiteCanvas(drawn, 260, 70).Canvas();
  canvas->Brush()->SetColor(0x00C0FFFF);
  canvas->Font()->SetColor(0x00000080);
  canvas->Font()->SetCharset(1);
  canvas->Font()->SetName("IPAPGothic");
  canvas->Font()->SetHeight(-12);
  canvas->TextOut(4, 4, win::FromUtf8("Tovuザビロナ！ 画像を保存しました"));
  canvas->Font()->SetHeight(-16);
  canvas->TextOut(4, 24, win::FromUtf8("ファイル（Ｆ） ｶﾅ 漢字かな"));
  canvas->Font()->SetHeight(-12);
  canvas->Font()->SetName("IPAGothic");
  const std::string fixedPitch = win::FromUtf8("等幅 IPAGothic 0123 ｱｲｳ");
  canvas->TextOut(4, 48, fixedPitch);
  TBitmap golden;
  LoadGolden(golden, "text/ipa-japanese.bmp");
  std::string detail;
  EXPECT_EQ(DifferingPixels(drawn, golden, detail), 0) << detail;
  EXPECT_EQ(canvas->PenPos(), Point(4 + canvas->TextWidth(fixedPitch), 48));
}

}  // namespace
}  // namespace fw
