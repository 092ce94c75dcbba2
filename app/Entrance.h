// Arithmetic of the main window's entrance: the edge chosen from the minute, the placements beyond
// that edge, the fitting of the client area and picture area to the picture, and the slide steps.
#pragma once

#include <string>

namespace app {

// Entrance edges as stored in the main window's Direction member.
inline constexpr int DirectionLeft = 0;
inline constexpr int DirectionRight = 1;
inline constexpr int DirectionTop = 2;
inline constexpr int DirectionBottom = 3;

inline constexpr int SlideStep = 32;

struct TPlacement {
  int Left = 0;
  int Top = 0;
  friend bool operator==(const TPlacement&, const TPlacement&) = default;
};

struct TBounds {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TBounds&, const TBounds&) = default;
};

// The minute of a local time formatted as "%M": two decimal digits read back as 0 to 59.
int MinuteFromDigits(const std::string& digits);

// Quarter of the clock face in which the minute falls: top around 0, right around 15, bottom
// around 30, left around 45. Minutes outside 0..59 leave the left edge.
int DirectionFromMinute(int minute);

// Placement of the freshly created window, beyond the chosen edge, from the design size 600.
TPlacement ConstructorPlacement(int direction, int screenWidth, int screenHeight);

// The client area as the fitting sees it: every size it sets is read back, because the platform
// may give the window another size than asked (a minimum window size, for one).
class TClientArea {
 public:
  virtual ~TClientArea() = default;
  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;
  virtual void SetClientWidth(int value) = 0;
  virtual void SetClientHeight(int value) = 0;
};

// Sizes the client area for a picture of pictureWidth x pictureHeight (both above 0) and returns
// the bounds of the picture area within it.
TBounds FitToPicture(int pictureWidth, int pictureHeight, TClientArea& area);

// The client area the fitting asks for a picture of pictureWidth x pictureHeight (both above 0),
// before the platform has a say: the design size, or a square as large as the picture's longer
// side when its shorter side is under 600.
TBounds RequestedClientArea(int pictureWidth, int pictureHeight);
// The picture area within that client area.
TBounds RequestedPictureArea(int pictureWidth, int pictureHeight);

// Placement at the chosen edge once the window has its final outer size.
TPlacement EdgePlacement(int direction, int outerWidth, int outerHeight, int screenWidth,
                         int screenHeight);

// One slide step toward the screen's centre. Returns false, and leaves the placement as it is,
// when the window has arrived.
bool SlideStepTowardCentre(int direction, TPlacement& placement, int outerWidth, int outerHeight,
                           int screenWidth, int screenHeight);

}  // namespace app
