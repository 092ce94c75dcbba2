#include "framework/platform/gdi/TextPlacement.h"

#include <gtest/gtest.h>

namespace win::gdi {
namespace {

constexpr LONG Ascent = 11;
constexpr LONG Descent = 2;

TEST(TextPlacement, HorizontalAlignmentMovesTheStart) {
  const POINT ref{100, 50};
  EXPECT_EQ(PlaceText(TA_LEFT, ref, 40, Ascent, Descent).Origin.x, 100);
  EXPECT_EQ(PlaceText(TA_RIGHT, ref, 40, Ascent, Descent).Origin.x, 60);
  EXPECT_EQ(PlaceText(TA_CENTER, ref, 41, Ascent, Descent).Origin.x, 80);
}

TEST(TextPlacement, VerticalAlignmentFindsTheBaseline) {
  const POINT ref{0, 50};
  EXPECT_EQ(PlaceText(TA_TOP, ref, 10, Ascent, Descent).Origin.y, 61);
  EXPECT_EQ(PlaceText(TA_BASELINE, ref, 10, Ascent, Descent).Origin.y, 50);
  EXPECT_EQ(PlaceText(TA_BOTTOM, ref, 10, Ascent, Descent).Origin.y, 48);
  EXPECT_EQ(PlaceText(TA_BASELINE | TA_CENTER, ref, 10, Ascent, Descent).Origin, (POINT{-5, 50}));
}

TEST(TextPlacement, CurrentPositionFollowsTheText) {
  const POINT ref{100, 50};
  EXPECT_EQ(PlaceText(TA_UPDATECP, ref, 40, Ascent, Descent).NextPosition, (POINT{140, 50}));
  EXPECT_EQ(PlaceText(TA_UPDATECP | TA_RIGHT, ref, 40, Ascent, Descent).NextPosition,
            (POINT{60, 50}));
  EXPECT_EQ(PlaceText(TA_UPDATECP | TA_CENTER, ref, 40, Ascent, Descent).NextPosition, ref);
}

}  // namespace
}  // namespace win::gdi
