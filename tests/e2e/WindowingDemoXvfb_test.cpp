// End to end on a real X server: the windowing demo runs with the SDL2 backend under a private
// Xvfb, its window is found by its title, it moves, and the screen shows exactly the pixels its
// window device context reads back.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/XvfbSession.h"
#include "tests/support/ChildProcess.h"

namespace tovu::e2e {
namespace {

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;
constexpr int Ticks = 150;
const char* const Title = "Tovu windowing demo";

struct TImage {
  int FWidth = 0;
  int FHeight = 0;
  std::vector<std::uint32_t> FPixels;
};

std::optional<TImage> ReadPpm(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::string magic;
  TImage image;
  int maxValue = 0;
  file >> magic >> image.FWidth >> image.FHeight >> maxValue;
  file.get();
  if (magic != "P6" || maxValue != 255 || image.FWidth <= 0 || image.FHeight <= 0 ||
      image.FWidth > 4096 || image.FHeight > 4096) {
    return std::nullopt;
  }
  std::vector<unsigned char> bytes(std::size_t(image.FWidth) * std::size_t(image.FHeight) * 3);
  if (!file.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()))) {
    return std::nullopt;
  }
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    image.FPixels.push_back((std::uint32_t(bytes[i]) << 16) | (std::uint32_t(bytes[i + 1]) << 8) |
                            bytes[i + 2]);
  }
  return image;
}

struct TGeometry {
  int FX = 0;
  int FY = 0;
};

// The position xdotool reports for the first window with the title, if any.
std::optional<TGeometry> FindWindow(const std::string& display) {
  const auto output = RunAndCapture({"xdotool", "search", "--name", Title, "getwindowgeometry"},
                                    {"DISPLAY=" + display}, std::chrono::seconds(5));
  if (!output) return std::nullopt;
  const std::size_t at = output->find("Position: ");
  if (at == std::string::npos) return std::nullopt;
  TGeometry geometry;
  if (std::sscanf(output->c_str() + at, "Position: %d,%d", &geometry.FX, &geometry.FY) != 2) {
    return std::nullopt;
  }
  return geometry;
}

// Counts the pixels of the dumped client area that differ from the screen where the client area
// lies on the screen.
std::optional<long> DifferingVisiblePixels(const TXvfbSession& xvfb, const TImage& image, int x,
                                           int y) {
  const int left = std::max(x, 0);
  const int top = std::max(y, 0);
  const int right = std::min(x + image.FWidth, ScreenWidth);
  const int bottom = std::min(y + image.FHeight, ScreenHeight);
  if (right <= left || bottom <= top) return std::nullopt;
  const auto screen = xvfb.Capture(left, top, right - left, bottom - top);
  if (!screen) return std::nullopt;
  long differing = 0;
  for (int row = top; row < bottom; ++row) {
    for (int column = left; column < right; ++column) {
      const std::uint32_t shown = (*screen)[std::size_t(row - top) * std::size_t(right - left) +
                                            std::size_t(column - left)];
      const std::uint32_t drawn =
          image.FPixels[std::size_t(row - y) * std::size_t(image.FWidth) + std::size_t(column - x)];
      differing += shown != drawn ? 1 : 0;
    }
  }
  return differing;
}

TEST(WindowingDemoOnXvfb, WindowAppearsMovesAndTheScreenShowsItsFramebuffer) {
  TXvfbSession xvfb(ScreenWidth, ScreenHeight);
  if (!xvfb.Running()) GTEST_SKIP() << "Xvfb could not start here";

  char directory[] = "/tmp/tovu-e2e-XXXXXX";
  ASSERT_NE(mkdtemp(directory), nullptr);
  const std::string dump = std::string(directory) + "/client.ppm";
  TChildProcess demo(
      {TOVU_WINDOWING_DEMO, "--ticks", std::to_string(Ticks), "--dump", dump, "--stay-ms", "20000"},
      xvfb.SdlProgramEnvironment(), true);
  ASSERT_TRUE(demo.Started());

  std::vector<TGeometry> seen;
  std::string line;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (line.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    if (const auto geometry = FindWindow(xvfb.Display())) seen.push_back(*geometry);
    line += demo.ReadOutput(std::chrono::milliseconds(50));
    ASSERT_FALSE(demo.Wait(std::chrono::milliseconds(0))) << "the demo ended early";
  }
  ASSERT_NE(line.find('\n'), std::string::npos) << "no dump within 30 s";
  ASSERT_FALSE(seen.empty()) << "no window titled \"" << Title << "\" was found";

  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  ASSERT_EQ(std::sscanf(line.c_str(), "dumped %d %d %d %d", &x, &y, &width, &height), 4) << line;
  // The window started at (40, 60) with a 3-pixel frame and an 18-pixel caption (no window
  // manager under Xvfb reports other extents), and moved 2 pixels per tick.
  EXPECT_EQ(x, 43 + 2 * Ticks);
  EXPECT_EQ(y, 81);
  const auto last = FindWindow(xvfb.Display());
  ASSERT_TRUE(last);
  EXPECT_EQ(last->FX, x);
  EXPECT_EQ(last->FY, y);
  EXPECT_LT(seen.front().FX, last->FX) << "the window was seen moving";

  const auto image = ReadPpm(dump);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->FWidth, width);
  EXPECT_EQ(image->FHeight, height);
  // The last frame reaches the X server once the demo is back in its message loop.
  std::optional<long> differing;
  for (int attempt = 0; attempt < 40; ++attempt) {
    differing = DifferingVisiblePixels(xvfb, *image, x, y);
    if (differing && *differing == 0) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_TRUE(differing);
  EXPECT_EQ(*differing, 0);

  // The button-like child follows the real pointer: hot under it, paused by a click, plain again
  // once the pointer has left the window.
  const std::string display = "DISPLAY=" + xvfb.Display();
  const auto pixelBecomes = [&](int px, int py, std::uint32_t colour) {
    for (int attempt = 0; attempt < 60; ++attempt) {
      const auto pixel = xvfb.Capture(x + px, y + py, 1, 1);
      if (pixel && (*pixel)[0] == colour) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  };
  ASSERT_TRUE(
      RunAndCapture({"xdotool", "mousemove", std::to_string(x + 260), std::to_string(y + 130)},
                    {display}, std::chrono::seconds(5)));
  EXPECT_TRUE(pixelBecomes(260, 130, 0x00FAF096)) << "the button did not light up";
  ASSERT_TRUE(RunAndCapture({"xdotool", "click", "1"}, {display}, std::chrono::seconds(5)));
  EXPECT_TRUE(pixelBecomes(215, 135, 0x00C82828)) << "the click did not pause the demo";
  ASSERT_TRUE(
      RunAndCapture({"xdotool", "mousemove", "5", "5"}, {display}, std::chrono::seconds(5)));
  EXPECT_TRUE(pixelBecomes(260, 130, 0x00C8C8CD)) << "the button did not notice the pointer leave";

  demo.Kill();
  std::remove(dump.c_str());
  rmdir(directory);
}

}  // namespace
}  // namespace tovu::e2e
