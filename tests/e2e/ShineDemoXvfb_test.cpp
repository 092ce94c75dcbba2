// End to end on a real X server: the shine demo runs with the SDL2 backend under a private Xvfb
// and is driven from outside with xdotool. The pointer over a group member changes its look
// (the hot glyph and caption), a click puts it down (the screen shows the pressed face once the
// pointer has gone, and the demo prints the group's Down states), a click on the framework speed
// button of the same group raises it again, and its accelerator typed into the window puts
// another member down.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/OutputLines.h"
#include "tests/e2e/XdotoolWindows.h"
#include "tests/e2e/XvfbSession.h"
#include "tests/support/ChildProcess.h"

namespace tovu::e2e {
namespace {

struct TPlace {
  int X = 0, Y = 0, Width = 0, Height = 0;
};

// The group members' places on the screen, printed before "shown".
std::map<std::string, TPlace> ReadPlaces(TLineReader& reader) {
  std::map<std::string, TPlace> places;
  for (auto line = reader.Next(); line && *line != "shown"; line = reader.Next()) {
    char name[16] = {};
    TPlace p;
    if (std::sscanf(line->c_str(), "button %15s %d %d %d %d", name, &p.X, &p.Y, &p.Width,
                    &p.Height) == 5)
      places[name] = p;
  }
  return places;
}

constexpr std::uint32_t UpFace = 0x00D4D0C8;       // clBtnFace
constexpr std::uint32_t PressedFace = 0x00FFF080;  // the group's PressedColors.Color
constexpr std::uint32_t HotCaption = 0x000A246A;   // clHighlight, the hot font's colour

class ShineDemoOnXvfb : public ::testing::Test {
 protected:
  // Waits up to 3 s for the screen to show `Colour` at a point.
  bool Shows(int X, int Y, std::uint32_t Colour) const {
    for (int attempt = 0; attempt < 60; ++attempt) {
      const auto pixel = FXvfb.Capture(X, Y, 1, 1);
      if (pixel && (*pixel)[0] == Colour) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }
  // How many pixels of a screen rectangle show `Colour`.
  long Count(const TPlace& p, std::uint32_t Colour) const {
    const auto shown = FXvfb.Capture(p.X, p.Y, p.Width, p.Height);
    return shown ? std::count(shown->begin(), shown->end(), Colour) : -1;
  }
  // Waits up to 3 s for some pixel of a screen rectangle to show `Colour`.
  bool ShowsSomewhere(const TPlace& p, std::uint32_t Colour) const {
    for (int attempt = 0; attempt < 60; ++attempt) {
      if (Count(p, Colour) > 0) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }
  bool PointAt(int X, int Y) const {
    return Xdotool(FXvfb.Display(), {"mousemove", std::to_string(X), std::to_string(Y)});
  }
  bool ClickAt(int X, int Y) const {
    return PointAt(X, Y) && Xdotool(FXvfb.Display(), {"click", "1"});
  }
  // The face pixel four pixels inside the button's top-left corner.
  static int FaceX(const TPlace& p) { return p.X + 4; }
  static int FaceY(const TPlace& p) { return p.Y + 4; }

  TXvfbSession FXvfb{800, 600};
};

TEST_F(ShineDemoOnXvfb, HoverAndClicksChangeTheLooksAndTheGroupsDownStates) {
  if (!FXvfb.Running()) GTEST_SKIP() << "Xvfb could not start here";
  TChildProcess demo({TOVU_SHINE_DEMO}, FXvfb.SdlProgramEnvironment(), true);
  ASSERT_TRUE(demo.Started());
  TLineReader reader(demo);
  const auto places = ReadPlaces(reader);
  ASSERT_EQ(places.size(), 4u) << "the group's places were not printed";
  const TPlace a = places.at("A"), f = places.at("F");

  ASSERT_TRUE(PointAt(5, 590));
  ASSERT_TRUE(Shows(FaceX(a), FaceY(a), UpFace)) << "the demo's window did not show";
  EXPECT_EQ(Count(a, HotCaption), 0);
  ASSERT_TRUE(PointAt(a.X + a.Width / 2, a.Y + a.Height / 2));
  EXPECT_TRUE(ShowsSomewhere(a, HotCaption)) << "A did not light up under the pointer";
  EXPECT_TRUE(Shows(FaceX(a), FaceY(a), UpFace)) << "hot, A keeps its up face";

  ASSERT_TRUE(Xdotool(FXvfb.Display(), {"click", "1"}));
  EXPECT_EQ(reader.Next(), std::optional<std::string>("clicked A down 1 0 0 0"));
  ASSERT_TRUE(PointAt(5, 590));
  EXPECT_TRUE(Shows(FaceX(a), FaceY(a), PressedFace)) << "A does not look down";

  ASSERT_TRUE(ClickAt(f.X + f.Width / 2, f.Y + f.Height / 2));
  EXPECT_EQ(reader.Next(), std::optional<std::string>("clicked F down 0 0 0 1"));
  ASSERT_TRUE(PointAt(5, 590));
  EXPECT_TRUE(Shows(FaceX(a), FaceY(a), UpFace)) << "the framework button did not raise A";

  // B's caption is 中(&C): the accelerator, typed into the window once it has the focus.
  const std::string window =
      FindWindowTitled(FXvfb.Display(), "Tovu shine buttons", std::chrono::seconds(5));
  ASSERT_FALSE(window.empty());
  std::optional<std::string> typed;
  for (int attempt = 0; attempt < 20 && !typed; ++attempt) {
    Xdotool(FXvfb.Display(), {"windowfocus", window});
    Xdotool(FXvfb.Display(), {"key", "c"});
    typed = reader.Next();
  }
  EXPECT_EQ(typed, std::optional<std::string>("clicked B down 0 1 0 0"));
  const TPlace b = places.at("B");
  EXPECT_TRUE(Shows(FaceX(b), FaceY(b), PressedFace)) << "B does not look down";
  demo.Kill();
}

}  // namespace
}  // namespace tovu::e2e
