// End to end, the program itself: framing a JPEG and a BMP under a private Xvfb with the SDL2
// backend (the window slides in on the screen, the size report is answered from outside through
// xdotool, and the saved file is the one the headless run of the same source writes), and the
// headless runs' dialogs and exit statuses.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/ChildProcess.h"
#include "tests/e2e/DecodedJpeg.h"
#include "tests/e2e/XdotoolWindows.h"
#include "tests/e2e/XvfbSession.h"

namespace tovu::e2e {
namespace {

namespace fs = std::filesystem;

constexpr int ScreenWidth = 1920;
constexpr int ScreenHeight = 1080;
// The frame of a tool window where no window manager reports other extents.
constexpr int FrameBorder = 3;
constexpr int FrameCaption = 18;
constexpr int SlideStep = 32;
const char* const MainTitle = "Tovuザビロナ！";
const char* const ReportTitle = "Tovuザビロナ";
const char* const SavedPrefix = "Tovuザビロナ ～ ";

// A folder of its own under /tmp for one test, removed with everything in it.
class TScratchFolder {
 public:
  TScratchFolder() {
    char pattern[] = "/tmp/tovu-program-e2e-XXXXXX";
    if (mkdtemp(pattern)) FPath = pattern;
  }
  ~TScratchFolder() {
    std::error_code ignored;
    if (!FPath.empty()) fs::remove_all(FPath, ignored);
  }
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;
  const fs::path& Path() const { return FPath; }

  // Copies the source into a new subfolder and answers the copy's path.
  fs::path CopyInto(const std::string& subfolder, const fs::path& source) const {
    const fs::path folder = FPath / subfolder;
    fs::create_directories(folder);
    fs::copy_file(source, folder / source.filename());
    return folder / source.filename();
  }

 private:
  fs::path FPath;
};

fs::path SavedPathFor(const fs::path& source) {
  return source.parent_path() / (SavedPrefix + source.stem().string() + ".jpg");
}

std::string FileBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct TRun {
  std::optional<int> Status;
  std::string Output;  // standard output and standard error together
};

TRun RunHeadless(const std::vector<std::string>& arguments, const fs::path& folder) {
  // Started from its folder, so that a run without a picture writes nothing elsewhere.
  const fs::path before = fs::current_path();
  fs::current_path(folder);
  TChildProcess program(arguments, {"TOVU_BACKEND=headless"}, true, true);
  fs::current_path(before);
  TRun run;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!run.Status && std::chrono::steady_clock::now() < deadline) {
    run.Output += program.ReadOutput(std::chrono::milliseconds(50));
    run.Status = program.Wait(std::chrono::milliseconds(0));
  }
  for (std::string part; !(part = program.ReadOutput(std::chrono::milliseconds(50))).empty();)
    run.Output += part;
  return run;
}

// "W x H" of the size report as the headless backend prints it.
std::optional<std::pair<int, int>> ReportedSize(const std::string& output) {
  const std::size_t at = output.find("dialog \"Tovuザビロナ\": ");
  int width = 0;
  int height = 0;
  if (at == std::string::npos ||
      std::sscanf(output.c_str() + at, "dialog \"Tovuザビロナ\": %d x %d のTovuザビロナ形式で保存",
                  &width, &height) != 2) {
    return std::nullopt;
  }
  return std::make_pair(width, height);
}

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "";
  for (std::size_t start = 0; start <= folders.size();) {
    const std::size_t end = std::min(folders.find(':', start), folders.size());
    const fs::path candidate = fs::path(folders.substr(start, end - start)) / program;
    if (access(candidate.c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

struct TSample {
  TWindowGeometry Geometry;
  bool Viewable = false;
};

// Follows the main window while it slides in, until the size report appears; answers the
// report's window id (empty when none appeared within 20 s).
std::string FollowSlideUntilReport(const std::string& display, const std::string& mainWindow,
                                   std::vector<TSample>& samples) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  std::vector<std::string> otherWindows;
  while (std::chrono::steady_clock::now() < deadline) {
    const std::vector<std::string> viewable = ViewableWindows(display);
    if (const auto geometry = WindowGeometry(display, mainWindow)) {
      samples.push_back(
          {*geometry, std::find(viewable.begin(), viewable.end(), mainWindow) != viewable.end()});
    }
    for (const std::string& id : viewable) {
      if (id == mainWindow ||
          std::find(otherWindows.begin(), otherWindows.end(), id) != otherWindows.end()) {
        continue;
      }
      if (WindowTitle(display, id) == ReportTitle) return id;
      otherWindows.push_back(id);
    }
  }
  return {};
}

bool Overlaps(const TWindowGeometry& window, int width, int height) {
  return window.X < width && window.Y < height && window.X + window.Width > 0 &&
         window.Y + window.Height > 0;
}

// The slide as seen from outside: the window was viewable and at least partly on the screen
// before it arrived, it moved along one axis only and always toward its resting place, and it
// rests centred on the other axis and within one step past the centre on its own.
void ExpectSlideTowardCentre(const std::vector<TSample>& samples) {
  ASSERT_FALSE(samples.empty());
  const TWindowGeometry rest = samples.back().Geometry;
  // Every position from the first one of the final size on (the window is resized to the picture
  // once, before it starts to slide).
  std::vector<TWindowGeometry> slide;
  for (const TSample& sample : samples) {
    if (sample.Geometry.Width == rest.Width && sample.Geometry.Height == rest.Height &&
        sample.Viewable) {
      slide.push_back(sample.Geometry);
    }
  }
  // The window may first move to its place at the edge; the slide is the trailing run of
  // positions on one line with the resting place.
  const bool horizontal = std::any_of(slide.begin(), slide.end(), [&](const TWindowGeometry& at) {
    return at.Y == rest.Y && at.X != rest.X;
  });
  const auto offLine = std::find_if(slide.rbegin(), slide.rend(), [&](const TWindowGeometry& at) {
    return horizontal ? at.Y != rest.Y : at.X != rest.X;
  });
  slide.erase(slide.begin(), offLine.base());
  ASSERT_GE(slide.size(), 3U);
  int positionsOnScreen = 0;
  for (std::size_t i = 0; i < slide.size(); ++i) {
    const TWindowGeometry& at = slide[i];
    if (i > 0) {
      const int before = horizontal ? slide[i - 1].X : slide[i - 1].Y;
      const int now = horizontal ? at.X : at.Y;
      const int end = horizontal ? rest.X : rest.Y;
      EXPECT_LE(std::abs(end - now), std::abs(end - before)) << "sample " << i << " moved away";
    }
    const bool arrived = at.X == rest.X && at.Y == rest.Y;
    if (!arrived && Overlaps(at, ScreenWidth, ScreenHeight)) ++positionsOnScreen;
  }
  EXPECT_GE(positionsOnScreen, 1) << "the window was never seen on the screen before it arrived";

  const int outerWidth = rest.Width + 2 * FrameBorder;
  const int outerHeight = rest.Height + 2 * FrameBorder + FrameCaption;
  const int centredLeft = (ScreenWidth - outerWidth) / 2 + FrameBorder;
  const int centredTop = (ScreenHeight - outerHeight) / 2 + FrameBorder + FrameCaption;
  if (horizontal) {
    EXPECT_EQ(rest.Y, centredTop);
    EXPECT_LT(std::abs(rest.X - centredLeft), SlideStep);
  } else {
    EXPECT_EQ(rest.X, centredLeft);
    EXPECT_LT(std::abs(rest.Y - centredTop), SlideStep);
  }
}

bool Inside(int x, int y, const TWindowGeometry& window) {
  return x >= window.X && x < window.X + window.Width && y >= window.Y &&
         y < window.Y + window.Height;
}

// Mean difference per colour channel between the screen where the main window rests (outside the
// report in front of it) and the saved picture: the saved file shows what the screen shows, up to
// the JPEG coding's loss.
double MeanDifferenceFromScreen(const TXvfbSession& xvfb, const TWindowGeometry& window,
                                const TWindowGeometry& report, const TDecodedJpeg& saved) {
  const auto screen = xvfb.Capture(window.X, window.Y, window.Width, window.Height);
  if (!screen || saved.Width != window.Width || saved.Height != window.Height) return 255;
  long long total = 0;
  long long counted = 0;
  for (int y = 0; y < window.Height; ++y) {
    for (int x = 0; x < window.Width; ++x) {
      if (Inside(window.X + x, window.Y + y, report)) continue;
      const std::uint32_t shown = (*screen)[std::size_t(y) * std::size_t(window.Width) + x];
      const std::uint8_t* stored = &saved.Rgb[(std::size_t(y) * std::size_t(window.Width) + x) * 3];
      total += std::abs(int((shown >> 16) & 0xFF) - stored[0]) +
               std::abs(int((shown >> 8) & 0xFF) - stored[1]) +
               std::abs(int(shown & 0xFF) - stored[2]);
      counted += 3;
    }
  }
  return counted == 0 ? 255 : double(total) / double(counted);
}

// Answers the report with the Return key once it has the focus; the exit status, if it ended.
std::optional<int> AnswerReport(const std::string& display, const std::string& report,
                                TChildProcess& program) {
  for (int attempt = 0; attempt < 40; ++attempt) {
    Xdotool(display, {"windowfocus", report});
    Xdotool(display, {"key", "Return"});
    if (const auto status = program.Wait(std::chrono::milliseconds(250))) return status;
  }
  return std::nullopt;
}

void FrameOnXvfbAsHeadless(const std::string& sourceName) {
  const fs::path source = fs::path(TOVU_EXAMPLES) / sourceName;
  TScratchFolder scratch;
  ASSERT_FALSE(scratch.Path().empty());

  // The reference: the headless run of the same source.
  const fs::path headlessCopy = scratch.CopyInto("headless", source);
  const TRun headless =
      RunHeadless({TOVU_PROGRAM, headlessCopy.string()}, headlessCopy.parent_path());
  ASSERT_EQ(headless.Status, std::optional<int>(0)) << headless.Output;
  const auto reported = ReportedSize(headless.Output);
  ASSERT_TRUE(reported) << headless.Output;

  TXvfbSession xvfb(ScreenWidth, ScreenHeight);
  ASSERT_TRUE(xvfb.Running());
  const fs::path copy = scratch.CopyInto("xvfb", source);
  TChildProcess program({TOVU_PROGRAM, copy.string()}, xvfb.SdlProgramEnvironment(), false);
  ASSERT_TRUE(program.Started());
  const std::string mainWindow =
      FindWindowTitled(xvfb.Display(), MainTitle, std::chrono::seconds(10));
  ASSERT_FALSE(mainWindow.empty()) << "no window titled " << MainTitle;
  std::vector<TSample> samples;
  const std::string report = FollowSlideUntilReport(xvfb.Display(), mainWindow, samples);
  ASSERT_FALSE(report.empty()) << "the size report did not appear";
  ExpectSlideTowardCentre(samples);

  const auto resting = WindowGeometry(xvfb.Display(), mainWindow);
  const auto reportGeometry = WindowGeometry(xvfb.Display(), report);
  ASSERT_TRUE(resting && reportGeometry);
  EXPECT_EQ(std::make_pair(resting->Width, resting->Height), *reported);
  // Saved before the report was shown.
  const fs::path saved = SavedPathFor(copy);
  const auto picture = DecodeJpegFile(saved.string());
  ASSERT_TRUE(picture) << saved << " is missing or not a JPEG";
  // Quality 90 costs these pictures about 1 to 2 levels per channel on average; a window shown
  // with the wrong row length, or not shown again after it moved, differs by tens.
  EXPECT_LE(MeanDifferenceFromScreen(xvfb, *resting, *reportGeometry, *picture), 4.0);

  EXPECT_EQ(AnswerReport(xvfb.Display(), report, program), std::optional<int>(0));
  EXPECT_EQ(std::make_pair(picture->Width, picture->Height), *reported);
  const std::string bytes = FileBytes(saved);
  EXPECT_FALSE(bytes.empty());
  EXPECT_TRUE(bytes == FileBytes(SavedPathFor(headlessCopy)))
      << "the file saved on the display differs from the headless run's";
}

class ProgramOnXvfb : public testing::Test {
 protected:
  void SetUp() override {
    if (!OnPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
    if (!OnPath("xdotool")) GTEST_SKIP() << "xdotool is not installed";
  }
};

TEST_F(ProgramOnXvfb, FramesAJpegAndSavesWhatTheHeadlessRunSaves) {
  FrameOnXvfbAsHeadless("sample.jpg");
}

TEST_F(ProgramOnXvfb, FramesABmpAndSavesWhatTheHeadlessRunSaves) {
  FrameOnXvfbAsHeadless("sample.bmp");
}
TEST(ProgramHeadless, WithoutAPictureAsksForOneAndOffersTheInformationPage) {
  TScratchFolder scratch;
  ASSERT_FALSE(scratch.Path().empty());
  const TRun run = RunHeadless({TOVU_PROGRAM}, scratch.Path());
  EXPECT_EQ(run.Status, std::optional<int>(0));
  const std::size_t drop =
      run.Output.find("アイコン（実行ファイル）上に画像ファイルをドロップしてください。 -> Escape");
  const std::size_t question =
      run.Output.find("dialog \"確認\": インフォメーションを参照しますか？ -> Escape");
  EXPECT_NE(drop, std::string::npos) << run.Output;
  EXPECT_NE(question, std::string::npos) << run.Output;
  EXPECT_LT(drop, question);
  // Answered いいえ: no page is opened.
  EXPECT_EQ(run.Output.find("http"), std::string::npos) << run.Output;
  EXPECT_TRUE(fs::is_empty(scratch.Path()));
}

TEST(ProgramHeadless, PictureGivenButNothingSavedEndsWithStatusOne) {
  TScratchFolder scratch;
  ASSERT_FALSE(scratch.Path().empty());
  const fs::path missing = scratch.Path() / "missing.jpg";
  EXPECT_EQ(RunHeadless({TOVU_PROGRAM, missing.string()}, scratch.Path()).Status,
            std::optional<int>(1));
  const fs::path text = scratch.Path() / "notes.txt";
  std::ofstream(text) << "not a picture";
  EXPECT_EQ(RunHeadless({TOVU_PROGRAM, text.string()}, scratch.Path()).Status,
            std::optional<int>(1));
  const fs::path broken = scratch.Path() / "broken.jpg";
  std::ofstream(broken, std::ios::binary) << "\xFF\xD8\xFF\xE0 truncated";
  EXPECT_EQ(RunHeadless({TOVU_PROGRAM, broken.string()}, scratch.Path()).Status,
            std::optional<int>(1));
  EXPECT_FALSE(fs::exists(SavedPathFor(missing)));
  EXPECT_FALSE(fs::exists(SavedPathFor(broken)));
}

}  // namespace
}  // namespace tovu::e2e
