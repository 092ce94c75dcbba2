// The state glyph: a copy up and down, each hot shine and disabled look with the exact values of
// its formula, the frame lights around a lone pixel, the edge mask, the background taken from the
// bottom-left pixel, and the glyph kept in 32-bit form whatever it is given.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "framework/Bitmap.h"
#include "tests/controls/shine/ShineTestSupport.h"

namespace shine::testing {
namespace {

using TPlaces = std::set<std::pair<int, int>>;

// P is red 10, green 20, blue 31; W is red 200, green 250, blue 100; the rest is lime.
constexpr fw::TColor P = 0x001F140A;
constexpr fw::TColor W = 0x0064FAC8;
// The shine: red 32, green 64, blue 128.
constexpr fw::TColor Shine = 0x00804020;

class ShineGlyphTest : public TShineTest {
 protected:
  void SetUp() override {
    TShineTest::SetUp();
    FButton = Place<TStateButton>(10, 10);
    FButton->SetShineColor(Shine);
  }
  // P at (1, 1), W at (2, 1) on a 4 x 3 lime glyph.
  void ProbeGlyph() {
    fw::TBitmap glyph;
    PaintGlyph(glyph, {"....", ".PW.", "...."}, {{'P', P}, {'W', W}});
    FButton->SetGlyph(&glyph);
  }
  std::unique_ptr<fw::TBitmap> GlyphIn(TShineState State) {
    FButton->ForceState(State);
    return FButton->CreateStateGlyph();
  }
  // The places of a state glyph that show `Color`.
  static TPlaces PlacesOf(fw::TBitmap& Bitmap, fw::TColor Color) {
    TPlaces places;
    for (int y = 0; y < Bitmap.Height(); ++y)
      for (int x = 0; x < Bitmap.Width(); ++x)
        if (PixelOf(Bitmap, x, y) == Color) places.insert({x, y});
    return places;
  }

  TStateButton* FButton = nullptr;
};

TEST_F(ShineGlyphTest, UpAndDownCopyTheGlyphAndAnEmptyGlyphGivesNone) {
  EXPECT_EQ(GlyphIn(shUp), nullptr);
  ProbeGlyph();
  for (const TShineState state : {shUp, shDown}) {
    const auto glyph = GlyphIn(state);
    ASSERT_NE(glyph, nullptr);
    EXPECT_EQ(PixelOf(*glyph, 1, 1), P);
    EXPECT_EQ(PixelOf(*glyph, 2, 1), W);
    EXPECT_TRUE(glyph->Transparent());
    EXPECT_EQ(glyph->TransparentColor(), fw::clLime);
  }
  FButton->SetGlyph(nullptr);
  EXPECT_TRUE(FButton->Glyph()->Empty());
  EXPECT_EQ(GlyphIn(shUp), nullptr);
}

struct TShine {
  TActiveImageType Effect;
  fw::TColor Color;
  fw::TColor AtP;
  fw::TColor AtW;
};

void PrintTo(const TShine& shine, std::ostream* out) {
  *out << EnumTypeInfo(shine.Effect).Name(shine.Effect);
}

class ShineGlyphHot : public ShineGlyphTest, public ::testing::WithParamInterface<TShine> {};

TEST_P(ShineGlyphHot, OpaquePixelsShineByTheFormulaAndTheBackgroundStays) {
  const TShine& shine = GetParam();
  ProbeGlyph();
  FButton->SetActiveImage(shine.Effect);
  FButton->SetShineColor(shine.Color);
  for (const TShineState state : {shActiveUp, shActiveDown}) {
    const auto glyph = GlyphIn(state);
    EXPECT_EQ(PixelOf(*glyph, 1, 1), shine.AtP);
    EXPECT_EQ(PixelOf(*glyph, 2, 1), shine.AtW);
    EXPECT_EQ(PlacesOf(*glyph, fw::clLime).size(), 10u) << "background unchanged";
  }
  EXPECT_EQ(PixelOf(*FButton->Glyph(), 1, 1), P) << "the glyph itself is untouched";
}

INSTANTIATE_TEST_SUITE_P(
    Effects, ShineGlyphHot,
    ::testing::Values(TShine{aiNormal, Shine, P, W},
                      // Per channel c xor s: 10 ^ 32, 20 ^ 64, 31 ^ 128; 200 ^ 32 ...
                      TShine{aiXorLight, Shine, 0x009F542A, 0x00E4BAE8},
                      TShine{aiXorLight, fw::clBlack, P, W},
                      // (c + s) / 2: 21, 42, 79; 116, 157, 114.
                      TShine{aiHalfLight, Shine, 0x004F2A15, 0x00729D74},
                      // (3s + c) / 4: 26, 53, 103; 74, 110, 121.
                      TShine{aiQuaterLight, Shine, 0x0067351A, 0x00796E4A},
                      // min(c + s, 255): 42, 84, 159; 232, 255, 228.
                      TShine{aiAddLight, Shine, 0x009F542A, 0x00E4FFE8},
                      TShine{aiAddLight, fw::clWhite, fw::clWhite, fw::clWhite},
                      // Checkered: (1, 1) is even and stays, (2, 1) is odd and shines.
                      TShine{aiMaskLight, Shine, P, Shine}),
    [](const ::testing::TestParamInfo<TShine>& param) {
      return EnumTypeInfo(param.param.Effect).Name(param.param.Effect) + "_" +
             std::to_string(param.index);
    });

TEST_F(ShineGlyphTest, FrameLightsOutlineALonePixelOnceOrTwiceOver) {
  fw::TBitmap glyph;
  PaintGlyph(glyph, {".......", ".......", ".......", "...P...", ".......", ".......", "......."},
             {{'P', P}});
  FButton->SetGlyph(&glyph);
  FButton->SetActiveImage(aiFrameLight);
  const TPlaces near{{2, 3}, {4, 3}, {3, 2}, {3, 4}};
  const auto thin = GlyphIn(shActiveUp);
  EXPECT_EQ(PlacesOf(*thin, Shine), near);
  EXPECT_EQ(PixelOf(*thin, 3, 3), P);

  FButton->SetActiveImage(aiFrameLight2);
  TPlaces thick = near;
  thick.insert({{1, 3}, {5, 3}, {3, 1}, {3, 5}, {2, 2}, {4, 2}, {2, 4}, {4, 4}});
  const auto wide = GlyphIn(shActiveUp);
  EXPECT_EQ(PlacesOf(*wide, Shine), thick);
  EXPECT_EQ(PlacesOf(*wide, fw::clLime).size(), 49u - 1u - 12u);
}

TEST_F(ShineGlyphTest, MaskEffectsCheckerEveryGlyphFromItsTopLeftPixel) {
  fw::TBitmap glyph;
  PaintGlyph(glyph, {"PPP", "PPP", ".PP"}, {{'P', P}});
  FButton->SetGlyph(&glyph);
  FButton->SetActiveImage(aiMaskLight);
  const TPlaces odd{{1, 0}, {0, 1}, {2, 1}, {1, 2}};
  EXPECT_EQ(PlacesOf(*GlyphIn(shActiveDown), Shine), odd);
  FButton->SetDisabledImage(diMaskTrans);
  const auto disabled = GlyphIn(shDisabled);
  TPlaces seeThrough = odd;
  seeThrough.insert({0, 2});
  EXPECT_EQ(PlacesOf(*disabled, fw::clLime), seeThrough);
  EXPECT_EQ(PixelOf(*disabled, 0, 0), P);
}

TEST_F(ShineGlyphTest, DisabledLooksBlendWithTheUpFaceColour) {
  ProbeGlyph();
  FButton->Colors()->SetColor(fw::clBtnFace);  // 212, 208, 200
  struct TLook {
    TDisabledImageType Effect;
    fw::TColor AtP;
  };
  // Grey (10 + 20 + 31) / 3 = 20; (f + c) / 2: 111, 114, 115; (3f + c) / 4: 161, 161, 157.
  for (const TLook look : {TLook{diGrayscale, 0x00141414}, TLook{diAlphaHalfTrans, 0x0073726F},
                           TLook{diAlphaQuaterTrans, 0x009DA1A1}}) {
    FButton->SetDisabledImage(look.Effect);
    const auto glyph = GlyphIn(shDisabled);
    EXPECT_EQ(PixelOf(*glyph, 1, 1), look.AtP) << EnumTypeInfo(look.Effect).Name(look.Effect);
    EXPECT_EQ(glyph->TransparentColor(), fw::clLime);
  }
}

TEST_F(ShineGlyphTest, TheDefaultDisabledLookIsAMonochromeMaskOfColourEdges) {
  fw::TBitmap glyph;
  PaintGlyph(glyph, {"PP..", "PP..", "...."}, {{'P', P}});
  FButton->SetGlyph(&glyph);
  const auto mask = GlyphIn(shDisabled);
  EXPECT_TRUE(mask->Monochrome());
  EXPECT_EQ(mask->TransparentColor(), fw::clBlack);
  // Marked where a diagonal of the pixel's 2 x 2 block differs; the inside of the block, the
  // plain background, the last row and the last column are not.
  EXPECT_EQ(PlacesOf(*mask, fw::clWhite), (TPlaces{{1, 0}, {0, 1}, {1, 1}}));
}

TEST_F(ShineGlyphTest, TheBottomLeftColourIsTheBackgroundEvenInsideThePicture) {
  fw::TBitmap glyph;
  PaintGlyph(glyph, {"RRR", "RPR", "RRR"}, {{'R', fw::clRed}, {'P', P}});
  FButton->SetGlyph(&glyph);
  FButton->SetActiveImage(aiXorLight);
  const auto glyphShown = GlyphIn(shActiveUp);
  EXPECT_EQ(PlacesOf(*glyphShown, fw::clRed).size(), 8u);
  EXPECT_EQ(PixelOf(*glyphShown, 1, 1), fw::TColor(0x009F542A));
  EXPECT_EQ(glyphShown->TransparentColor(), fw::clRed);
}

TEST_F(ShineGlyphTest, TheGlyphIsHeldAs32BitDeviceIndependentPixels) {
  fw::TBitmap glyph;
  PaintGlyph(glyph, {"..", ".P"}, {{'P', P}});
  ASSERT_EQ(glyph.PixelFormat(), fw::pf24bit);
  FButton->SetGlyph(&glyph);
  EXPECT_EQ(FButton->Glyph()->PixelFormat(), fw::pf32bit);
  EXPECT_EQ(FButton->Glyph()->HandleType(), fw::bmDIB);
  EXPECT_EQ(glyph.PixelFormat(), fw::pf24bit) << "the argument is copied, not converted";
  // Changes made to the owned glyph itself are converted too.
  FButton->Glyph()->SetPixelFormat(fw::pf24bit);
  EXPECT_EQ(FButton->Glyph()->PixelFormat(), fw::pf32bit);
  EXPECT_EQ(PixelOf(*FButton->Glyph(), 1, 1), P);
}

}  // namespace
}  // namespace shine::testing
