#include "app/Entrance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace app {
namespace {

// A client area whose window keeps the platform's minimum client size.
class TFakeClientArea : public TClientArea {
 public:
  TFakeClientArea(int minWidth, int minHeight) : FMinWidth(minWidth), FMinHeight(minHeight) {}
  int ClientWidth() const override { return FWidth; }
  int ClientHeight() const override { return FHeight; }
  void SetClientWidth(int value) override { FWidth = std::max(value, FMinWidth); }
  void SetClientHeight(int value) override { FHeight = std::max(value, FMinHeight); }

 private:
  int FMinWidth, FMinHeight;
  int FWidth = 600, FHeight = 600;
};

TEST(Entrance, EdgeFollowsTheQuarterOfTheClockFace) {
  for (int minute : {0, 7, 53, 59})
    EXPECT_EQ(DirectionFromMinute(minute), DirectionTop) << minute;
  for (int minute : {8, 22})
    EXPECT_EQ(DirectionFromMinute(minute), DirectionRight) << minute;
  for (int minute : {23, 37})
    EXPECT_EQ(DirectionFromMinute(minute), DirectionBottom) << minute;
  for (int minute : {38, 41, 52})
    EXPECT_EQ(DirectionFromMinute(minute), DirectionLeft) << minute;
  EXPECT_EQ(DirectionFromMinute(60), DirectionLeft);
  EXPECT_EQ(MinuteFromDigits("07"), 7);
  EXPECT_EQ(MinuteFromDigits("41"), 41);
}

TEST(Entrance, ConstructorPlacementOnA1024By768Screen) {
  EXPECT_EQ(ConstructorPlacement(DirectionLeft, 1024, 768), (TPlacement{-620, 84}));
  EXPECT_EQ(ConstructorPlacement(DirectionRight, 1024, 768), (TPlacement{1644, 84}));
  EXPECT_EQ(ConstructorPlacement(DirectionTop, 1024, 768), (TPlacement{212, -620}));
  EXPECT_EQ(ConstructorPlacement(DirectionBottom, 1024, 768), (TPlacement{212, 1388}));
}

TEST(Entrance, FittingTable) {
  // picture size -> client size, picture area bounds
  const std::tuple<int, int, int, int, TBounds> cases[] = {
      {1000, 700, 600, 600, {5, 90, 590, 420}},   {800, 500, 800, 800, {5, 150, 790, 500}},
      {400, 300, 400, 400, {5, 50, 390, 300}},    {300, 400, 400, 400, {50, 5, 300, 390}},
      {600, 600, 600, 600, {0, 5, 600, 590}},     {700, 900, 600, 600, {67, 5, 466, 590}},
      {1920, 1080, 600, 600, {5, 131, 590, 337}}, {601, 600, 600, 600, {5, 1, 590, 598}},
  };
  for (const auto& [pw, ph, cw, ch, bounds] : cases) {
    TFakeClientArea area(0, 0);
    EXPECT_EQ(FitToPicture(pw, ph, area), bounds) << pw << "x" << ph;
    EXPECT_EQ(area.ClientWidth(), cw) << pw << "x" << ph;
    EXPECT_EQ(area.ClientHeight(), ch) << pw << "x" << ph;
  }
}

TEST(Entrance, TinyPictureUsesTheClientSizeThePlatformGave) {
  TFakeClientArea area(106, 0);  // a window that cannot be narrower than 112 outer pixels
  const TBounds image = FitToPicture(50, 40, area);
  EXPECT_EQ(area.ClientWidth(), 106);
  EXPECT_EQ(area.ClientHeight(), 50);
  // The scale follows the wider client side, so the picture area overhangs the short client height.
  EXPECT_EQ(image, (TBounds{5, -17, 96, 84}));
}

// Runs the slide as the timer does: the first tick repositions and steps; the arrival tick does
// not move. Returns the resting placement and the number of the arrival tick.
std::pair<TPlacement, int> Slide(int direction, TPlacement start) {
  TPlacement placement = start;
  int tick = 1;
  while (SlideStepTowardCentre(direction, placement, 606, 624, 1024, 768))
    ++tick;
  return {placement, tick};
}

TEST(Entrance, SlidesOnA1024By768Screen) {
  const TPlacement left = EdgePlacement(DirectionLeft, 606, 624, 1024, 768);
  EXPECT_EQ(left, (TPlacement{-626, 72}));
  EXPECT_EQ(Slide(DirectionLeft, left), std::make_pair(TPlacement{238, 72}, 28));

  const TPlacement right = EdgePlacement(DirectionRight, 606, 624, 1024, 768);
  EXPECT_EQ(right, (TPlacement{1226, 72}));
  EXPECT_EQ(Slide(DirectionRight, right), std::make_pair(TPlacement{202, 72}, 33));

  const TPlacement top = EdgePlacement(DirectionTop, 606, 624, 1024, 768);
  EXPECT_EQ(top, (TPlacement{209, -644}));
  EXPECT_EQ(Slide(DirectionTop, top), std::make_pair(TPlacement{209, 92}, 24));

  const TPlacement bottom = EdgePlacement(DirectionBottom, 606, 624, 1024, 768);
  EXPECT_EQ(bottom, (TPlacement{209, 1244}));
  EXPECT_EQ(Slide(DirectionBottom, bottom), std::make_pair(TPlacement{209, 60}, 38));
}

}  // namespace
}  // namespace app
