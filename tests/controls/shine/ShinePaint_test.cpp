// The shine button's drawing beyond the goldens: the gradient strip's colour at given steps in
// both directions, a transparent button drawing straight over its parent, and where glyph and
// caption go for each layout, margin and overhang, also at the integer limits; only the visible
// part composed, and repaints after changes once shown.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <vector>

#include "framework/Canvas.h"
#include "framework/platform/Paint.h"
#include "tests/controls/shine/ShineTestSupport.h"

namespace shine::testing {
namespace {

class ShinePaintTest : public TShineTest {
 protected:
  void SetUp() override {
    TShineTest::SetUp();
    FForm->SetBounds(0, 0, 300, 300);
    PointAt(290, 290);
  }
};

// From red 10, green 200, blue 30 to red 250, green 0, blue 90: channel c at step i is
// S + i * (E - S) / 255 truncated toward zero, so green at step 200 is 200 - 156, not 200 - 157.
constexpr fw::TColor From = 0x001EC80A;
constexpr fw::TColor To = 0x005A00FA;
struct TStep {
  int Step;
  fw::TColor Color;
};
const std::vector<TStep> Steps{{0, From}, {100, 0x00357A68}, {200, 0x004D2CC6}, {255, To}};

TEST_F(ShinePaintTest, TheGradientFaceRunsThroughTheStripsSteps) {
  auto* across = Place(10, 10, 256, 20);
  auto* down = Place(270, 10, 20, 256);
  for (TShineSpeedButton* button : {across, down}) {
    button->SetUpFrame(false);
    button->Colors()->SetColor(From);
    button->Colors()->SetGradColor(To);
    button->Colors()->SetGradation(true);
  }
  down->Colors()->SetGradVertical(true);
  Pump();
  for (const TStep& step : Steps) {
    EXPECT_EQ(ShownAt(10 + step.Step, 20), step.Color) << "column " << step.Step;
    EXPECT_EQ(ShownAt(280, 10 + step.Step), step.Color) << "row " << step.Step;
  }
  EXPECT_EQ(ShownAt(10, 10), ShownAt(10, 29)) << "one colour per column";
}

TEST_F(ShinePaintTest, ATransparentButtonLeavesItsParentShowingAndDrawsTheRestOverIt) {
  auto* button = Place(10, 10, 40, 30);
  button->Colors()->SetColor(fw::clRed);
  button->SetTransparent(true);
  Pump();
  EXPECT_EQ(ShownAt(30, 25), fw::clTeal);
  EXPECT_EQ(ShownAt(10, 10), fw::clWhite) << "the highlight of the raised frame";
  EXPECT_EQ(ShownAt(49, 39), fw::clBlack) << "its dark shadow";
  PointAt(30, 25);  // hot and back: the parent is drawn again under the new look
  PointAt(290, 290);
  EXPECT_EQ(ShownAt(30, 25), fw::clTeal);
  button->SetTransparent(false);
  Pump();
  EXPECT_EQ(ShownAt(30, 25), fw::clRed);
}

// A button larger than any bitmap the platform makes composes only the part that can be seen;
// a part of any button repaints with the pixels that painting all of it gives.
TEST_F(ShinePaintTest, OnlyTheVisiblePartIsComposedWithTheWholeButtonsPixels) {
  std::string reported;
  FApplication->OnException = [&](fw::TObject*, const fw::Exception& e) { reported = e.Message(); };
  auto* huge = Place(150, 150, 40000, 40000);
  huge->Colors()->SetColor(From);
  huge->Colors()->SetGradColor(To);
  huge->Colors()->SetGradation(true);
  Pump();
  EXPECT_EQ(reported, "");
  EXPECT_EQ(ShownAt(150, 150), fw::clWhite) << "the highlight of the raised frame";
  EXPECT_EQ(ShownAt(151, 200), From) << "the gradient's first column";
  huge->SetVisible(false);

  auto* across = Place(10, 10, 200, 50);
  auto* down = Place(220, 10, 40, 130);
  fw::TBitmap glyph;
  PaintGlyph(glyph, {"RRRRRRRR", "RBBBBBBR", "RRRRRRRR", "........"},
             {{'R', fw::clRed}, {'B', fw::clBlue}});
  for (TShineSpeedButton* button : {across, down}) {
    button->Colors()->SetColor(From);
    button->Colors()->SetGradColor(To);
    button->Colors()->SetGradation(true);
    button->SetGlyph(&glyph);
    button->SetCaption("&Partly");
    button->SetFontShadow(fw::clWhite);
  }
  down->Colors()->SetGradVertical(true);
  down->SetLayout(fw::blGlyphTop);
  Pump();
  const auto whole = FBackend->ReadFramebuffer(FForm->Handle());
  ASSERT_TRUE(whole);
  for (const win::RECT& part : {win::RECT{37, 5, 120, 33}, win::RECT{150, 30, 240, 70},
                                win::RECT{225, 41, 251, 90}, win::RECT{0, 58, 300, 61}}) {
    win::InvalidateRect(FForm->Handle(), &part, win::TRUE);
    Pump();
    const auto shown = FBackend->ReadFramebuffer(FForm->Handle());
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->FPixels, whole->FPixels) << part.left << "," << part.top;
  }
}

struct TChange {
  const char* What;
  std::function<void(TShineSpeedButton&)> Apply;
  bool Down = false;  // shown down, in the pressed colours
};

// Once shown, a button repaints after a change of its caption, a colour set or a font, and then
// looks like a button made with the new value.
TEST_F(ShinePaintTest, AShownButtonRepaintsAfterCaptionColourSetAndFontChanges) {
  const std::vector<TChange> changes{
      {"caption", [](TShineSpeedButton& b) { b.SetCaption("&Go"); }},
      {"face colour", [](TShineSpeedButton& b) { b.Colors()->SetColor(fw::clRed); }},
      {"frame colour", [](TShineSpeedButton& b) { b.Colors()->SetDarkShadow(fw::clBlue); }},
      {"gradient", [](TShineSpeedButton& b) { b.Colors()->SetGradation(true); }},
      {"colour set",
       [](TShineSpeedButton& b) {
         TShineBtnColors colors;
         colors.SetColor(fw::clYellow);
         colors.SetShadow(fw::clRed);
         b.SetColors(&colors);
       }},
      {"pressed colours", [](TShineSpeedButton& b) { b.PressedColors()->SetColor(fw::clAqua); },
       true},
      {"font colour", [](TShineSpeedButton& b) { b.Font()->SetColor(fw::clRed); }},
      {"font height", [](TShineSpeedButton& b) { b.Font()->SetHeight(-17); }},
      {"font", [](TShineSpeedButton& b) {
         fw::TFont font;
         font.SetName("DejaVu Sans");
         font.SetStyle({fw::fsBold});
         b.SetFont(&font);
       }}};
  const auto make = [this](int Left, bool Down) {
    auto* button = Place(Left, 10, 70, 30);
    button->SetCaption("Shine");
    button->SetGroupIndex(Left);  // a group of its own, so that it can stay down
    button->SetDown(Down);
    Pump();
    return button;
  };
  for (const TChange& change : changes) {
    TShineSpeedButton* shown = make(10, change.Down);
    const auto before = FBackend->ReadFramebuffer(FForm->Handle());
    change.Apply(*shown);
    Pump();
    TShineSpeedButton* fresh = make(100, change.Down);
    change.Apply(*fresh);
    Pump();
    const auto after = FBackend->ReadFramebuffer(FForm->Handle());
    ASSERT_TRUE(before && after);
    int changed = 0, unlike = 0;
    for (int y = 10; y < 40; ++y)
      for (int x = 0; x < 70; ++x) {
        changed += before->Pixel(10 + x, y) != after->Pixel(10 + x, y);
        unlike += after->Pixel(10 + x, y) != after->Pixel(100 + x, y);
      }
    EXPECT_GT(changed, 0) << change.What;
    EXPECT_EQ(unlike, 0) << change.What;
    shown->SetParent(nullptr);
    fresh->SetParent(nullptr);
  }
}

struct TPlace {
  fw::TButtonLayout Layout;
  int Margin;
  int Width, Height;  // of the button
  int GlyphWidth, GlyphHeight;
  bool WithCaption;
};

class ShineLayoutTest : public ShinePaintTest {
 protected:
  // Glyph position and caption box of a button laid out as `Place` says, with the caption's
  // measured size.
  void Lay(const TPlace& Wanted, fw::TPoint& Glyph, fw::TRect& Text, fw::TSize& Caption) {
    auto* button = Place(20, 20, Wanted.Width, Wanted.Height);
    fw::TBitmap glyph;
    glyph.SetSize(Wanted.GlyphWidth, Wanted.GlyphHeight);
    button->SetGlyph(&glyph);
    button->SetLayout(Wanted.Layout);
    button->SetMargin(Wanted.Margin);
    if (Wanted.WithCaption) button->SetCaption("Shine");
    fw::TCanvas& canvas = *button->Canvas();
    canvas.SetFont(button->Font());
    Caption = Wanted.WithCaption ? canvas.TextExtent("Shine") : fw::TSize{};
    button->CalcDrawPosition(canvas, Glyph, Text);
  }
};

TEST_F(ShineLayoutTest, AGlyphAloneIsCentredInEveryLayoutAndOverhangsHalvedTowardZero) {
  for (const fw::TButtonLayout layout :
       {fw::blGlyphLeft, fw::blGlyphRight, fw::blGlyphTop, fw::blGlyphBottom}) {
    fw::TPoint glyph;
    fw::TRect text;
    fw::TSize caption;
    Lay({layout, -1, 25, 25, 16, 12, false}, glyph, text, caption);
    EXPECT_EQ(glyph, fw::Point(4, 6)) << "no spacing without a caption";
    Lay({layout, -1, 25, 25, 40, 30, false}, glyph, text, caption);
    EXPECT_EQ(glyph, fw::Point(-7, -2)) << "(25 - 40) / 2 and (25 - 30) / 2";
  }
}

TEST_F(ShineLayoutTest, WithAMarginTheContentKeepsToTheEdgeItsLayoutNames) {
  fw::TPoint glyph;
  fw::TRect text;
  fw::TSize caption;
  // 16 x 12 glyph, spacing 4, margin 3 in a 120 x 60 button.
  Lay({fw::blGlyphLeft, 3, 120, 60, 16, 12, true}, glyph, text, caption);
  ASSERT_GT(caption.cy, 12);
  ASSERT_GT(caption.cx, 16);
  EXPECT_EQ(glyph.X, 3);
  EXPECT_EQ(text.Left, 3 + 16 + 4);
  EXPECT_EQ(text.Width(), caption.cx);
  EXPECT_EQ(text.Height(), caption.cy);
  EXPECT_EQ(text.Top, (60 - caption.cy) / 2) << "the caption is higher than the glyph";
  EXPECT_EQ(glyph.Y, (60 - caption.cy) / 2 + (caption.cy - 12) / 2);

  Lay({fw::blGlyphRight, 3, 120, 60, 16, 12, true}, glyph, text, caption);
  EXPECT_EQ(glyph.X, 120 - 3 - 16);
  EXPECT_EQ(text.Right, 120 - 3 - 16 - 4);

  Lay({fw::blGlyphTop, 3, 120, 60, 16, 12, true}, glyph, text, caption);
  EXPECT_EQ(glyph.Y, 3);
  EXPECT_EQ(text.Top, 3 + 12 + 4);
  EXPECT_EQ(text.Left, (120 - caption.cx) / 2) << "the caption is wider than the glyph";
  EXPECT_EQ(glyph.X, (120 - caption.cx) / 2 + (caption.cx - 16) / 2);

  Lay({fw::blGlyphBottom, 3, 120, 60, 16, 12, true}, glyph, text, caption);
  EXPECT_EQ(glyph.Y, 60 - 3 - 12);
  EXPECT_EQ(text.Bottom, 60 - 3 - 12 - 4);
}

struct TFarPlace {
  fw::TButtonLayout Layout;
  int Margin;
  int Spacing;
  bool GlyphAtTheRightEdge;  // else nothing of the content shows
};

// Margins and spacings near the integer limits place the content as exact arithmetic would: far
// out of sight, in its layout's order, or (a right-hand glyph with the largest spacing and margin
// 0) exactly at its edge; no sum wraps around into the button.
TEST_F(ShineLayoutTest, MarginsAndSpacingsAtTheIntegerLimitsPlaceTheContentWithoutWrapping) {
  const std::vector<TFarPlace> places{{fw::blGlyphRight, 0, INT_MAX, true},
                                      {fw::blGlyphLeft, INT_MAX - 10, 4, false},
                                      {fw::blGlyphLeft, -1, INT_MAX, false},
                                      {fw::blGlyphTop, -1, INT_MIN, false},
                                      {fw::blGlyphBottom, INT_MAX, INT_MAX, false},
                                      {fw::blGlyphRight, INT_MIN + 1, INT_MIN, false}};
  fw::TBitmap glyph;  // red, but for its see-through bottom-left pixel
  PaintGlyph(glyph, {"RRRRRRRRRRRRRRRR", "RRRRRRRRRRRRRRRR", ".RRRRRRRRRRRRRRR"},
             {{'R', fw::clRed}});
  auto* button = Place<TStateButton>(20, 20, 120, 60);
  button->SetGlyph(&glyph);
  button->SetCaption("Shine");
  button->Canvas()->SetFont(button->Font());
  for (const TFarPlace& place : places) {
    button->SetLayout(place.Layout);
    button->SetSpacing(place.Spacing);
    button->SetMargin(place.Margin);
    const std::string name = "layout " + std::to_string(place.Layout) + ", margin " +
                             std::to_string(place.Margin) + ", spacing " +
                             std::to_string(place.Spacing);
    fw::TPoint at;
    fw::TRect text;
    button->CalcDrawPosition(*button->Canvas(), at, text);
    if (place.Spacing >= 0 && place.Layout == fw::blGlyphLeft) {
      EXPECT_GE(text.Left, at.X) << name << ": the caption follows the glyph";
    }
    if (place.GlyphAtTheRightEdge) {
      EXPECT_EQ(at.X, 120 - 16) << name;
    }
    for (const TShineState state : {shUp, shDown}) {
      button->ForceState(state);
      button->Invalidate();
      Pump();
      const auto shown = FBackend->ReadFramebuffer(FForm->Handle());
      ASSERT_TRUE(shown);
      const int shift = state == shDown ? 1 : 0;
      if (place.GlyphAtTheRightEdge) {
        EXPECT_EQ(shown->Pixel(20 + 104 + shift + 8, 20 + at.Y + shift + 1), 0xFF0000u) << name;
      }
      const std::uint32_t face = shown->Pixel(22, 22);
      int drawn = 0;  // inside the frame, and left of where the right-hand glyph goes
      for (int y = 22; y < 20 + 58; ++y)
        for (int x = 22; x < 20 + 104; ++x)
          drawn += shown->Pixel(x, y) != face;
      EXPECT_EQ(drawn, 0) << name << ", state " << static_cast<int>(state);
    }
  }
}

}  // namespace
}  // namespace shine::testing
