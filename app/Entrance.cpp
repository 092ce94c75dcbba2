#include "app/Entrance.h"

#include <cstdint>

namespace app {
namespace {

constexpr int DesignSide = 600;
constexpr int StartDistance = 620;
constexpr int StartGap = 20;
constexpr int PictureMargin = 10;
constexpr int FitScale = 100000;

// Client side scaled by shorter / longer side with the fixed-point steps truncating in order:
// (side * 100000) div longer * shorter div 100000. The product wraps like 32-bit arithmetic for
// client sides above 21474 pixels.
int ScaledSide(int clientSide, int longer, int shorter) {
  const auto scaled = static_cast<std::int32_t>(static_cast<std::uint32_t>(clientSide) *
                                                static_cast<std::uint32_t>(FitScale));
  const std::int64_t ratio = scaled / longer;
  return static_cast<int>(ratio * shorter / FitScale);
}

}  // namespace

int MinuteFromDigits(const std::string& digits) {
  int minute = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') break;
    minute = minute * 10 + (c - '0');
  }
  return minute;
}

int DirectionFromMinute(int minute) {
  int direction = DirectionLeft;
  if ((minute >= 53 && minute <= 59) || (minute >= 0 && minute <= 7)) direction = DirectionTop;
  if (minute >= 8 && minute <= 22) direction = DirectionRight;
  if (minute >= 23 && minute <= 37) direction = DirectionBottom;
  if (minute >= 38 && minute <= 52) direction = DirectionLeft;
  return direction;
}

TPlacement ConstructorPlacement(int direction, int screenWidth, int screenHeight) {
  const int centredLeft = (screenWidth - DesignSide) / 2;
  const int centredTop = (screenHeight - DesignSide) / 2;
  switch (direction) {
    case DirectionRight:
      return {screenWidth + StartDistance, centredTop};
    case DirectionTop:
      return {centredLeft, -StartDistance};
    case DirectionBottom:
      return {centredLeft, screenHeight + StartDistance};
    default:
      return {-StartDistance, centredTop};
  }
}

namespace {

// A client area that takes every size it is given, starting at the design size.
class TRequestedArea : public TClientArea {
 public:
  int ClientWidth() const override { return FWidth; }
  int ClientHeight() const override { return FHeight; }
  void SetClientWidth(int value) override { FWidth = value; }
  void SetClientHeight(int value) override { FHeight = value; }

 private:
  int FWidth = DesignSide;
  int FHeight = DesignSide;
};

}  // namespace

TBounds RequestedClientArea(int pictureWidth, int pictureHeight) {
  TRequestedArea area;
  FitToPicture(pictureWidth, pictureHeight, area);
  return TBounds{0, 0, area.ClientWidth(), area.ClientHeight()};
}

TBounds RequestedPictureArea(int pictureWidth, int pictureHeight) {
  TRequestedArea area;
  return FitToPicture(pictureWidth, pictureHeight, area);
}

TBounds FitToPicture(int pictureWidth, int pictureHeight, TClientArea& area) {
  TBounds image;
  if (pictureWidth > pictureHeight) {
    if (pictureHeight < DesignSide) {
      area.SetClientHeight(pictureWidth);
      area.SetClientWidth(pictureWidth);
    }
    image.Width = area.ClientWidth() - PictureMargin;
    image.Height = ScaledSide(area.ClientWidth(), pictureWidth, pictureHeight);
  } else {
    if (pictureWidth < DesignSide) {
      area.SetClientWidth(pictureHeight);
      area.SetClientHeight(pictureHeight);
    }
    image.Height = area.ClientHeight() - PictureMargin;
    image.Width = ScaledSide(area.ClientHeight(), pictureHeight, pictureWidth);
  }
  image.Left = (area.ClientWidth() - image.Width) / 2;
  image.Top = (area.ClientHeight() - image.Height) / 2;
  return image;
}

TPlacement EdgePlacement(int direction, int outerWidth, int outerHeight, int screenWidth,
                         int screenHeight) {
  const int centredLeft = (screenWidth - outerWidth) / 2;
  const int centredTop = (screenHeight - outerHeight) / 2;
  switch (direction) {
    case DirectionRight:
      return {outerWidth + StartDistance, centredTop};
    case DirectionTop:
      return {centredLeft, -outerHeight - StartGap};
    case DirectionBottom:
      return {centredLeft, outerHeight + StartDistance};
    default:
      return {-outerWidth - StartGap, centredTop};
  }
}

bool SlideStepTowardCentre(int direction, TPlacement& placement, int outerWidth, int outerHeight,
                           int screenWidth, int screenHeight) {
  const int targetLeft = (screenWidth - outerWidth) / 2;
  const int targetTop = (screenHeight - outerHeight) / 2;
  switch (direction) {
    case DirectionRight:
      if (placement.Left <= targetLeft) return false;
      placement.Left -= SlideStep;
      return true;
    case DirectionTop:
      if (placement.Top >= targetTop) return false;
      placement.Top += SlideStep;
      return true;
    case DirectionBottom:
      if (placement.Top <= targetTop) return false;
      placement.Top -= SlideStep;
      return true;
    default:
      if (placement.Left >= targetLeft) return false;
      placement.Left += SlideStep;
      return true;
  }
}

}  // namespace app
