// End to end, the program itself: framing a JPEG and a BMP under a private Xvfb with the SDL2
// backend (the window slides in on the screen, the size report is answered from outside through
// xdotool, and the saved file is the one the headless run of the same source writes), a picture
// that does not load reported on the display, and the headless runs' dialogs and exit statuses.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/DecodedJpeg.h"
#include "tests/e2e/RootWindowWatch.h"
#include "tests/e2e/WindowManagerSession.h"
#include "tests/e2e/XdotoolWindows.h"
#include "tests/e2e/XvfbSession.h"
#include "tests/support/ChildProcess.h"

namespace tovu::e2e {
namespace {

namespace fs = std::filesystem;

// Small enough that the window slides a dozen steps or more from whichever edge it enters (from
// the right it starts at its own width plus 620, which a wide screen puts near the centre).
constexpr int ScreenWidth = 1024;
constexpr int ScreenHeight = 768;
// The frame of a tool window where no window manager reports other extents.
constexpr int FrameBorder = 3;
constexpr int FrameCaption = 18;
constexpr int SlideStep = 32;
const char* const MainTitle = "Tovuザビロナ！";
const char* const ReportTitle = "Tovuザビロナ";
const char* const SavedPrefix = "Tovuザビロナ ～ ";
const char* const QuestionTitle = "確認";
// The face colour of the dialogs (the platform's classic button face).
constexpr std::uint32_t DialogFace = 0xD4D0C8;

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

// What a program started with its output captured writes until it ends, within `timeout`.
TRun Finish(TChildProcess& program, std::chrono::milliseconds timeout) {
  TRun run;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!run.Status && std::chrono::steady_clock::now() < deadline) {
    run.Output += program.ReadOutput(std::chrono::milliseconds(50));
    run.Status = program.Wait(std::chrono::milliseconds(0));
  }
  for (std::string part; !(part = program.ReadOutput(std::chrono::milliseconds(50))).empty();)
    run.Output += part;
  return run;
}

TRun RunHeadless(const std::vector<std::string>& arguments, const fs::path& folder) {
  // Started from its folder, so that a run without a picture writes nothing elsewhere.
  const fs::path before = fs::current_path();
  fs::current_path(folder);
  TChildProcess program(arguments, {"TOVU_BACKEND=headless"}, true, true);
  fs::current_path(before);
  return Finish(program, std::chrono::seconds(20));
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

// Follows the main window while it slides in, until the size report appears: `samples` gets its
// geometry each time it is seen viewable. Answers the report's window id (empty when none
// appeared within 20 s).
std::string FollowSlideUntilReport(const std::string& display, const std::string& mainWindow,
                                   std::vector<TWindowGeometry>& samples) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  std::vector<std::string> otherWindows;
  while (std::chrono::steady_clock::now() < deadline) {
    for (const TViewableWindow& window : ViewableWindowGeometries(display)) {
      if (window.Id == mainWindow) {
        samples.push_back(window.Geometry);
      } else if (std::find(otherWindows.begin(), otherWindows.end(), window.Id) ==
                 otherWindows.end()) {
        if (WindowTitle(display, window.Id) == ReportTitle) return window.Id;
        otherWindows.push_back(window.Id);
      }
    }
  }
  return {};
}

bool Overlaps(const TWindowGeometry& window, int width, int height) {
  return window.X < width && window.Y < height && window.X + window.Width > 0 &&
         window.Y + window.Height > 0;
}

// The screen edge the window enters from, chosen through the minute of the local time the
// program reads: the quarter of the clock face around 0 is the top, around 15 the right, around
// 30 the bottom and around 45 the left.
enum TEdge { edTop, edRight, edBottom, edLeft };

const char* EdgeName(TEdge edge) {
  static const char* const names[] = {"Top", "Right", "Bottom", "Left"};
  return names[edge];
}

// A time zone ("TVU-00:MM") whose local minute is now the middle of the edge's quarter, so that
// the minute stays in that quarter for the next seven minutes whatever the seconds are.
std::string TimeZoneEnteringFrom(TEdge edge) {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  const int ahead = (15 * int(edge) - utc.tm_min + 60) % 60;
  char zone[32];
  std::snprintf(zone, sizeof zone, "TZ=TVU-00:%02d", ahead);
  return zone;
}

// The slide as seen from outside: the window was viewable and at least partly on the screen
// before it arrived, it moved along the edge's axis only and always toward the centre, and it
// rests centred on the other axis and at the first step that reached the centre on its own.
void ExpectSlideFromEdge(TEdge edge, const std::vector<TWindowGeometry>& samples,
                         const TWindowGeometry& rest) {
  const bool horizontal = edge == edLeft || edge == edRight;
  const int towardCentre = edge == edLeft || edge == edTop ? 1 : -1;
  // The window first shows at its place for the design size, then gets the picture's size and
  // its place beyond the edge; the slide is the trailing run of positions of the final size on
  // one line with the resting place.
  std::vector<TWindowGeometry> slide;
  for (const TWindowGeometry& at : samples) {
    const bool onLine = at.Width == rest.Width && at.Height == rest.Height &&
                        (horizontal ? at.Y == rest.Y : at.X == rest.X);
    if (!onLine) slide.clear();
    if (onLine) slide.push_back(at);
  }
  ASSERT_GE(slide.size(), 2U) << "the slide was not seen";
  int positionsOnScreen = 0;
  for (std::size_t i = 0; i < slide.size(); ++i) {
    const TWindowGeometry& at = slide[i];
    if (i > 0) {
      const int step = horizontal ? at.X - slide[i - 1].X : at.Y - slide[i - 1].Y;
      EXPECT_GE(step * towardCentre, 0) << "sample " << i << " moved away from the centre";
    }
    const bool arrived = at.X == rest.X && at.Y == rest.Y;
    if (!arrived && Overlaps(at, ScreenWidth, ScreenHeight)) ++positionsOnScreen;
  }
  EXPECT_GE(positionsOnScreen, 1) << "the window was never seen on the screen before it arrived";

  const int outerWidth = rest.Width + 2 * FrameBorder;
  const int outerHeight = rest.Height + 2 * FrameBorder + FrameCaption;
  const int centredLeft = (ScreenWidth - outerWidth) / 2 + FrameBorder;
  const int centredTop = (ScreenHeight - outerHeight) / 2 + FrameBorder + FrameCaption;
  const int pastCentre =
      horizontal ? (rest.X - centredLeft) * towardCentre : (rest.Y - centredTop) * towardCentre;
  EXPECT_EQ(horizontal ? rest.Y : rest.X, horizontal ? centredTop : centredLeft);
  EXPECT_GE(pastCentre, 0);
  EXPECT_LT(pastCentre, SlideStep);
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

void FrameOnXvfbAsHeadless(const std::string& sourceName, TEdge edge) {
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
  std::vector<std::string> environment = xvfb.SdlProgramEnvironment();
  environment.push_back(TimeZoneEnteringFrom(edge));
  TChildProcess program({TOVU_PROGRAM, copy.string()}, environment, false);
  ASSERT_TRUE(program.Started());
  const std::string mainWindow =
      FindWindowTitled(xvfb.Display(), MainTitle, std::chrono::seconds(10));
  ASSERT_FALSE(mainWindow.empty()) << "no window titled " << MainTitle;
  std::vector<TWindowGeometry> samples;
  const std::string report = FollowSlideUntilReport(xvfb.Display(), mainWindow, samples);
  ASSERT_FALSE(report.empty()) << "the size report did not appear";
  const auto resting = WindowGeometry(xvfb.Display(), mainWindow);
  const auto reportGeometry = WindowGeometry(xvfb.Display(), report);
  ASSERT_TRUE(resting && reportGeometry);
  samples.push_back(*resting);
  ExpectSlideFromEdge(edge, samples, *resting);
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

class ProgramOnXvfb : public testing::TestWithParam<TEdge> {
 protected:
  void SetUp() override {
    if (!OnPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
    if (!OnPath("xdotool")) GTEST_SKIP() << "xdotool is not installed";
  }
};

TEST_P(ProgramOnXvfb, FramesAJpegAndSavesWhatTheHeadlessRunSaves) {
  FrameOnXvfbAsHeadless("sample.jpg", GetParam());
}

TEST_P(ProgramOnXvfb, FramesABmpAndSavesWhatTheHeadlessRunSaves) {
  FrameOnXvfbAsHeadless("sample.bmp", GetParam());
}

INSTANTIATE_TEST_SUITE_P(Edges, ProgramOnXvfb, testing::Values(edTop, edRight, edBottom, edLeft),
                         [](const testing::TestParamInfo<TEdge>& edge) {
                           return std::string("From") + EdgeName(edge.param);
                         });

// A picture that does not load, on a display: the error report comes up while the window is
// still being created and stays open over many ticks, as a user reads it; once it is answered the
// program ends with status 1 and saves nothing, instead of living on with a hidden window.
TEST(ProgramOnXvfbFailure, ABrokenPictureIsReportedAndTheProgramEndsOnceItIsAnswered) {
  if (!OnPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  if (!OnPath("xdotool")) GTEST_SKIP() << "xdotool is not installed";
  TScratchFolder scratch;
  ASSERT_FALSE(scratch.Path().empty());
  const fs::path broken = scratch.Path() / "broken.bmp";
  std::ofstream(broken, std::ios::binary) << "BM not a bitmap";
  TXvfbSession xvfb(ScreenWidth, ScreenHeight);
  ASSERT_TRUE(xvfb.Running());
  TChildProcess program({TOVU_PROGRAM, broken.string()}, xvfb.SdlProgramEnvironment(), false);
  ASSERT_TRUE(program.Started());
  const std::string report =
      FindWindowTitled(xvfb.Display(), ReportTitle, std::chrono::seconds(10));
  ASSERT_FALSE(report.empty()) << "the error report did not appear";
  EXPECT_FALSE(program.Wait(std::chrono::milliseconds(300))) << "ended with the report open";
  EXPECT_EQ(AnswerReport(xvfb.Display(), report, program), std::optional<int>(1));
  EXPECT_EQ(std::distance(fs::directory_iterator(scratch.Path()), fs::directory_iterator()), 1);
}

// The user closes the window with its close button while it slides in: the program ends at once
// with status 1, saves nothing and shows no report.
TEST(ProgramOnXvfbFailure, ClosingTheWindowDuringTheSlideEndsTheRunWithoutSaving) {
  if (!OnPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  if (!OnPath("xdotool")) GTEST_SKIP() << "xdotool is not installed";
  TScratchFolder scratch;
  ASSERT_FALSE(scratch.Path().empty());
  const fs::path copy = scratch.CopyInto("run", fs::path(TOVU_EXAMPLES) / "sample.jpg");
  // A wide screen entered from the left: the slide takes over a second.
  TXvfbSession xvfb(3200, ScreenHeight);
  ASSERT_TRUE(xvfb.Running());
  std::vector<std::string> environment = xvfb.SdlProgramEnvironment();
  environment.push_back(TimeZoneEnteringFrom(edLeft));
  TChildProcess program({TOVU_PROGRAM, copy.string()}, environment, false);
  ASSERT_TRUE(program.Started());
  const std::string mainWindow =
      FindWindowTitled(xvfb.Display(), MainTitle, std::chrono::seconds(10));
  ASSERT_FALSE(mainWindow.empty());
  const auto before = WindowGeometry(xvfb.Display(), mainWindow);
  ASSERT_TRUE(SendCloseRequest(xvfb.Display(), mainWindow));
  EXPECT_EQ(program.Wait(std::chrono::seconds(3)), std::optional<int>(1));
  ASSERT_TRUE(before);
  EXPECT_LT(before->X, (3200 - before->Width) / 2) << "closed only after it had arrived";
  EXPECT_FALSE(fs::exists(SavedPathFor(copy)));
}

// Three pictures given at once: the user closes the second one's window while it slides in. The
// run ends at once with status 1; the first picture is saved, the second and third are not, and
// the run says how many were saved.
TEST(ProgramOnXvfbFailure, ClosingTheSecondPicturesWindowDuringItsSlideEndsTheRun) {
  if (!OnPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  if (!OnPath("xdotool")) GTEST_SKIP() << "xdotool is not installed";
  TScratchFolder scratch;
  ASSERT_FALSE(scratch.Path().empty());
  std::vector<std::string> arguments{TOVU_PROGRAM};
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
    fs::copy_file(fs::path(TOVU_EXAMPLES) / "sample.jpg", scratch.Path() / name);
    arguments.push_back((scratch.Path() / name).string());
  }
  // A wide screen entered from the left: each slide takes over a second.
  TXvfbSession xvfb(3200, ScreenHeight);
  ASSERT_TRUE(xvfb.Running());
  std::vector<std::string> environment = xvfb.SdlProgramEnvironment();
  environment.push_back(TimeZoneEnteringFrom(edLeft));
  TChildProcess program(arguments, environment, true, true);
  ASSERT_TRUE(program.Started());
  const std::string first = FindWindowTitled(xvfb.Display(), MainTitle, std::chrono::seconds(10));
  ASSERT_FALSE(first.empty());
  // The second picture's window: another one of that title, seen on its way to the centre.
  std::string second;
  std::vector<TWindowGeometry> seen;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (seen.size() < 3 && std::chrono::steady_clock::now() < deadline) {
    for (const TViewableWindow& window : ViewableWindowGeometries(xvfb.Display())) {
      if (second.empty() && window.Id != first &&
          WindowTitle(xvfb.Display(), window.Id) == MainTitle) {
        second = window.Id;
      }
      if (window.Id == second && (seen.empty() || seen.back().X != window.Geometry.X))
        seen.push_back(window.Geometry);
    }
  }
  ASSERT_EQ(seen.size(), 3u) << "the second window was not seen sliding";
  EXPECT_TRUE(fs::exists(SavedPathFor(arguments[1]))) << "the first picture was not saved first";
  ASSERT_TRUE(SendCloseRequest(xvfb.Display(), second));
  const TRun run = Finish(program, std::chrono::seconds(5));
  EXPECT_EQ(run.Status, std::optional<int>(1)) << run.Output;
  EXPECT_LT(seen.back().X, (3200 - seen.back().Width) / 2) << "closed only after it had arrived";
  EXPECT_TRUE(fs::exists(SavedPathFor(arguments[1])));
  EXPECT_FALSE(fs::exists(SavedPathFor(arguments[2])));
  EXPECT_FALSE(fs::exists(SavedPathFor(arguments[3])));
  EXPECT_NE(run.Output.find("tovu: the window was closed; 1 of 3 pictures saved"),
            std::string::npos)
      << run.Output;
}

// The program framing the sample from the left edge on a private Xvfb, its output captured, while
// the test does to its windows or its display what another client or a crash may do at a moment
// of the run.
class ProgramOnAHostileDisplay : public testing::Test {
 protected:
  enum TMoment { moWindowCreated, moSliding, moReportShown };

  void SetUp() override {
    if (!OnPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
    if (!OnPath("xdotool")) GTEST_SKIP() << "xdotool is not installed";
    ASSERT_FALSE(FScratch.Path().empty());
    FCopy = FScratch.CopyInto("run", fs::path(TOVU_EXAMPLES) / "sample.jpg");
  }

  void Start(TMoment moment) {
    fs::remove(SavedPathFor(FCopy));
    FProgram.reset();
    FWatch.reset();
    // A wide screen makes a slide of over a second, long enough to act in.
    FXvfb = std::make_unique<TXvfbSession>(moment == moSliding ? 3200 : ScreenWidth, ScreenHeight);
    ASSERT_TRUE(FXvfb->Running());
    // Watching before the program starts, so that its first window is seen being created.
    FWatch = std::make_unique<TRootWindowWatch>(FXvfb->Display());
    ASSERT_TRUE(FWatch->Connected());
    std::vector<std::string> environment = FXvfb->SdlProgramEnvironment();
    environment.push_back(TimeZoneEnteringFrom(edLeft));
    FProgram = std::make_unique<TChildProcess>(std::vector<std::string>{TOVU_PROGRAM, FCopy},
                                               environment, true, true);
    ASSERT_TRUE(FProgram->Started());
  }

  std::string MainWindow() const {
    return FindWindowTitled(FXvfb->Display(), MainTitle, std::chrono::seconds(10));
  }

  // Waits for the moment; answers the window it is about: the program's first window just
  // created (the main window), the sliding main window, or the size report.
  std::string Reach(TMoment moment) const {
    switch (moment) {
      case moWindowCreated:
        return std::to_string(FWatch->NextWindow(weCreated, std::chrono::seconds(10)));
      case moSliding: {
        const std::string window = MainWindow();
        for (int step = 0; step < 3 && !window.empty(); ++step)
          FWatch->NextWindow(weMovedOrResized, std::chrono::seconds(5));
        return window;
      }
      case moReportShown:
        return FindWindowTitled(FXvfb->Display(), ReportTitle, std::chrono::seconds(20));
    }
    return {};
  }

  // The program ends on its own, nothing answered; its output.
  std::string ExpectEnd(int status, bool saved) {
    const TRun run = Finish(*FProgram, std::chrono::seconds(10));
    EXPECT_EQ(run.Status, std::optional<int>(status)) << run.Output;
    EXPECT_EQ(fs::exists(SavedPathFor(FCopy)), saved);
    return run.Output;
  }

  TScratchFolder FScratch;
  fs::path FCopy;
  std::unique_ptr<TXvfbSession> FXvfb;
  std::unique_ptr<TRootWindowWatch> FWatch;
  std::unique_ptr<TChildProcess> FProgram;
};

// Another client destroys one of the program's windows (as `xdotool windowclose` does): that
// is a close at that moment. The main window closed before the save ends the run with status 1
// and nothing saved; after the save, the size report or the main window gone, it ends with 0.
TEST_F(ProgramOnAHostileDisplay, AWindowDestroyedByAnotherClientIsClosed) {
  struct TCase {
    const char* Name;
    TMoment Moment;
    bool TheMainWindow;
  };
  const TCase cases[] = {
      {"the main window as it is created", moWindowCreated, true},
      {"the main window during the slide", moSliding, true},
      {"the size report", moReportShown, false},
      {"the main window while the size report is shown", moReportShown, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Start(c.Moment);
    const std::string reached = Reach(c.Moment);
    const std::string target =
        c.TheMainWindow && c.Moment == moReportShown ? MainWindow() : reached;
    ASSERT_NE(target, "0");
    ASSERT_FALSE(target.empty());
    ASSERT_TRUE(FWatch->Destroy(std::stoul(target)));
    const bool saved = c.Moment == moReportShown;
    ExpectEnd(saved ? 0 : 1, saved);
  }
}

// The display goes away under the program (the X server ends): it ends at once, whatever it was
// doing, with one line on standard error; with status 0 when the picture was already saved.
TEST_F(ProgramOnAHostileDisplay, ALostDisplayEndsTheRunWithOneLine) {
  const std::pair<TMoment, const char*> moments[] = {
      {moWindowCreated, "as it is created"},
      {moSliding, "during the slide"},
      {moReportShown, "while the size report is shown"}};
  for (const auto& [moment, name] : moments) {
    SCOPED_TRACE(name);
    Start(moment);
    ASSERT_FALSE(Reach(moment).empty());
    const std::string display = FXvfb->Display();
    // The watch's own connection would break too.
    FWatch.reset();
    FXvfb->Kill();
    const bool saved = moment == moReportShown;
    EXPECT_EQ(ExpectEnd(saved ? 0 : 1, saved),
              "tovu: the connection to the display " + display + " broke; the program ends\n");
  }
}

// Under a window manager, which stacks and focuses windows by its own rules.
struct TManager {
  const char* Program;
  // openbox keeps the iconify button of every window, whatever its hints ask, by its own policy.
  bool HonoursMinimizeHint;
};

void PrintTo(const TManager& manager, std::ostream* out) {
  *out << manager.Program;
}

class ProgramUnderWindowManager : public testing::TestWithParam<TManager> {
 protected:
  void SetUp() override {
    for (const char* tool : {"Xvfb", "xdotool", GetParam().Program}) {
      if (!OnPath(tool)) GTEST_SKIP() << tool << " is not installed";
    }
    FXvfb = std::make_unique<TXvfbSession>(ScreenWidth, ScreenHeight);
    ASSERT_TRUE(FXvfb->Running());
    FManager = std::make_unique<TWindowManagerSession>(FXvfb->Display(), GetParam().Program);
    ASSERT_TRUE(FManager->Running()) << GetParam().Program << " did not take the screen over";
    ASSERT_FALSE(FScratch.Path().empty());
  }
  void TearDown() override {
    FManager.reset();
    FXvfb.reset();
  }
  const std::string& Display() const { return FXvfb->Display(); }

  // Whether the screen shows the dialog where it is: most of its client area has the dialogs'
  // face colour (a dialog stacked under the framed picture shows the picture there instead).
  bool ShownOnTop(const std::string& dialog) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
      const auto at = WindowGeometry(Display(), dialog);
      const auto pixels = at ? FXvfb->Capture(at->X, at->Y, at->Width, at->Height) : std::nullopt;
      if (pixels && std::count(pixels->begin(), pixels->end(), DialogFace) * 10 >=
                        std::ptrdiff_t(pixels->size()) * 6) {
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
  }

  // Presses a key wherever the keyboard focus is, as a user does without clicking first.
  void PressKey(const char* key) const { Xdotool(Display(), {"key", key}); }

  // The tool window's frame offers moving and closing only: its Motif hints say so, and a
  // window manager that honours them lists no other actions.
  void ExpectCloseButtonOnly(const std::string& window) const {
    const auto motif = PropertyItems(Display(), window, "_MOTIF_WM_HINTS");
    ASSERT_TRUE(motif && motif->size() >= 3);
    constexpr long FunctionsGiven = 1, Move = 4, Close = 32;
    EXPECT_TRUE((*motif)[0] & FunctionsGiven);
    EXPECT_EQ((*motif)[1], Move | Close);
    std::vector<std::string> actions;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (actions.empty() && std::chrono::steady_clock::now() < deadline)
      actions = AtomNames(Display(), window, "_NET_WM_ALLOWED_ACTIONS");
    const auto allows = [&actions](const char* action) {
      return std::find(actions.begin(), actions.end(), action) != actions.end();
    };
    EXPECT_TRUE(allows("_NET_WM_ACTION_CLOSE"));
    for (const char* refused : {"_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ",
                                "_NET_WM_ACTION_MAXIMIZE_VERT"}) {
      EXPECT_FALSE(allows(refused)) << refused;
    }
    if (GetParam().HonoursMinimizeHint) {
      EXPECT_FALSE(allows("_NET_WM_ACTION_MINIMIZE"));
    }
  }

  TScratchFolder FScratch;
  std::unique_ptr<TXvfbSession> FXvfb;
  std::unique_ptr<TWindowManagerSession> FManager;
};

TEST_P(ProgramUnderWindowManager, TheSizeReportOpensOnTopWithTheKeyboard) {
  const fs::path copy = FScratch.CopyInto("run", fs::path(TOVU_EXAMPLES) / "sample.jpg");
  // With the machine's own sound set-up, so that the beep takes its ordinary way.
  std::vector<std::string> environment = FXvfb->SdlProgramEnvironment();
  std::erase(environment, "SDL_AUDIODRIVER=dummy");
  TChildProcess program({TOVU_PROGRAM, copy.string()}, environment, true, true);
  ASSERT_TRUE(program.Started());
  const std::string mainWindow = FindWindowTitled(Display(), MainTitle, std::chrono::seconds(10));
  ASSERT_FALSE(mainWindow.empty());
  ExpectCloseButtonOnly(mainWindow);
  const std::string report = FindWindowTitled(Display(), ReportTitle, std::chrono::seconds(20));
  ASSERT_FALSE(report.empty()) << "the size report did not appear";
  EXPECT_EQ(AtomNames(Display(), report, "_NET_WM_WINDOW_TYPE"),
            std::vector<std::string>{"_NET_WM_WINDOW_TYPE_DIALOG"});
  EXPECT_EQ(PropertyItems(Display(), report, "WM_TRANSIENT_FOR"),
            std::optional<std::vector<long>>(std::vector<long>{std::stol(mainWindow)}))
      << "transient for the main window";
  EXPECT_TRUE(ShownOnTop(report)) << "the report is hidden under the main window";
  PressKey("Return");
  EXPECT_EQ(program.Wait(std::chrono::seconds(5)), std::optional<int>(0));
  EXPECT_TRUE(fs::exists(SavedPathFor(copy)));
  std::string output;
  for (std::string part; !(part = program.ReadOutput(std::chrono::milliseconds(50))).empty();)
    output += part;
  EXPECT_EQ(output.find("ALSA"), std::string::npos) << "a sound library spoke:\n" << output;
}

TEST_P(ProgramUnderWindowManager, WithoutAPictureThePromptAndTheQuestionOpenOnTopWithTheKeyboard) {
  const fs::path before = fs::current_path();
  fs::current_path(FScratch.Path());
  TChildProcess program({TOVU_PROGRAM}, FXvfb->SdlProgramEnvironment(), false);
  fs::current_path(before);
  ASSERT_TRUE(program.Started());
  const std::string prompt = FindWindowTitled(Display(), ReportTitle, std::chrono::seconds(10));
  ASSERT_FALSE(prompt.empty());
  EXPECT_TRUE(ShownOnTop(prompt));
  PressKey("Return");
  const std::string question = FindWindowTitled(Display(), QuestionTitle, std::chrono::seconds(10));
  ASSERT_FALSE(question.empty()) << "Return did not answer the prompt";
  EXPECT_TRUE(ShownOnTop(question));
  PressKey("Escape");
  EXPECT_EQ(program.Wait(std::chrono::seconds(5)), std::optional<int>(0));
  EXPECT_TRUE(fs::is_empty(FScratch.Path()));
}

INSTANTIATE_TEST_SUITE_P(Managers, ProgramUnderWindowManager,
                         testing::Values(TManager{"openbox", false}, TManager{"icewm", true}),
                         [](const testing::TestParamInfo<TManager>& manager) {
                           return std::string(manager.param.Program);
                         });

// A TOVU_BACKEND value that forces nothing is ignored: with a display the program still opens
// its windows there (the no-picture prompt appears on the screen).
TEST(ProgramBackendChoice, AnUnknownBackendValueStillUsesTheDisplay) {
  if (!OnPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  if (!OnPath("xdotool")) GTEST_SKIP() << "xdotool is not installed";
  TScratchFolder scratch;
  ASSERT_FALSE(scratch.Path().empty());
  TXvfbSession xvfb(ScreenWidth, ScreenHeight);
  ASSERT_TRUE(xvfb.Running());
  std::vector<std::string> environment = xvfb.SdlProgramEnvironment();
  environment.push_back("TOVU_BACKEND=SDL2");
  const fs::path before = fs::current_path();
  fs::current_path(scratch.Path());
  TChildProcess program({TOVU_PROGRAM}, environment, false);
  fs::current_path(before);
  ASSERT_TRUE(program.Started());
  EXPECT_FALSE(FindWindowTitled(xvfb.Display(), ReportTitle, std::chrono::seconds(10)).empty())
      << "the prompt did not appear on the display";
}

// A display name with nothing behind it (no X display, a Wayland name without a compositor):
// SDL would start on a driver that draws into memory, where nobody could see or answer the
// program's windows; the program runs headless instead and frames the picture.
TEST(ProgramBackendChoice, NoUsableDisplayRunsHeadless) {
  TScratchFolder scratch;
  ASSERT_FALSE(scratch.Path().empty());
  const fs::path copy = scratch.CopyInto("run", fs::path(TOVU_EXAMPLES) / "sample.bmp");
  std::vector<std::string> environment{"DISPLAY=", "WAYLAND_DISPLAY=tovu-no-such-display",
                                       "TOVU_BACKEND=", "SDL_AUDIODRIVER=dummy",
                                       "XDG_RUNTIME_DIR=" + scratch.Path().string()};
  TChildProcess program({TOVU_PROGRAM, copy.string()}, environment, false, false);
  ASSERT_TRUE(program.Started());
  EXPECT_EQ(program.Wait(std::chrono::seconds(20)), std::optional<int>(0));
  EXPECT_TRUE(fs::exists(SavedPathFor(copy)));
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

// Past the file-size limit (ulimit -f) the save fails with the write error instead of the program
// being ended by the limit's signal: status 1, and no temporary file is left beside the source.
TEST(ProgramHeadless, TheFileSizeLimitFailsTheSaveWithTheWriteError) {
  if (!OnPath("prlimit")) GTEST_SKIP() << "prlimit is not installed";
  TScratchFolder scratch;
  ASSERT_FALSE(scratch.Path().empty());
  const fs::path copy = scratch.CopyInto("run", fs::path(TOVU_EXAMPLES) / "sample.jpg");
  const TRun run =
      RunHeadless({"prlimit", "--fsize=4096", TOVU_PROGRAM, copy.string()}, copy.parent_path());
  EXPECT_EQ(run.Status, std::optional<int>(1)) << run.Output;
  EXPECT_NE(run.Output.find("ストリームへの書き込みエラー"), std::string::npos) << run.Output;
  std::vector<fs::path> left;
  for (const auto& entry : fs::directory_iterator(copy.parent_path()))
    left.push_back(entry.path());
  EXPECT_EQ(left, std::vector<fs::path>{copy});
}

// The command line has no way to carry a double quote: such a name is refused with one line, and
// the file its quote-less spelling names beside it is not framed in its place.
TEST(ProgramHeadless, ANameWithADoubleQuoteIsRefusedAndNoOtherFileIsFramed) {
  TScratchFolder scratch;
  ASSERT_FALSE(scratch.Path().empty());
  const fs::path quoted = scratch.Path() / "a\"b.jpg";
  const fs::path unquoted = scratch.Path() / "ab.jpg";
  fs::copy_file(fs::path(TOVU_EXAMPLES) / "sample.jpg", quoted);
  fs::copy_file(fs::path(TOVU_EXAMPLES) / "sample.jpg", unquoted);
  const TRun run = RunHeadless({TOVU_PROGRAM, quoted.string()}, scratch.Path());
  EXPECT_EQ(run.Status, std::optional<int>(1));
  EXPECT_NE(run.Output.find("tovu: " + quoted.string() + ": "), std::string::npos) << run.Output;
  EXPECT_NE(run.Output.find("double quote"), std::string::npos) << run.Output;
  EXPECT_EQ(run.Output.find("dialog"), std::string::npos) << run.Output;
  EXPECT_FALSE(fs::exists(SavedPathFor(unquoted)));
  EXPECT_FALSE(fs::exists(SavedPathFor(quoted)));
}

// Pictures of several kinds given at once (a JPEG, a BMP, a tall and a wide one) are each saved,
// byte for byte, as a run of that picture alone saves it; each is told on standard error, with one
// beep, and one report names them all.
TEST(ProgramHeadless, SeveralPicturesInOneRunAreSavedAsRunsOfOneSaveThem) {
  TScratchFolder scratch;
  ASSERT_FALSE(scratch.Path().empty());
  const fs::path sources[] = {fs::path(TOVU_EXAMPLES) / "sample.jpg",
                              fs::path(TOVU_EXAMPLES) / "sample.bmp",
                              fs::path(TOVU_TEST_DATA) / "capture/picture300x400.bmp",
                              fs::path(TOVU_TEST_DATA) / "capture/picture1000x700.bmp"};
  std::vector<std::string> together{TOVU_PROGRAM};
  for (const fs::path& source : sources) {
    together.push_back(scratch.CopyInto("together", source).string());
    const fs::path alone = scratch.CopyInto("alone", source);
    const TRun run = RunHeadless({TOVU_PROGRAM, alone.string()}, alone.parent_path());
    ASSERT_EQ(run.Status, std::optional<int>(0)) << run.Output;
  }
  const TRun run = RunHeadless(together, scratch.Path() / "together");
  EXPECT_EQ(run.Status, std::optional<int>(0)) << run.Output;
  for (const fs::path& source : sources) {
    const std::string bytes =
        FileBytes(SavedPathFor(scratch.Path() / "together" / source.filename()));
    EXPECT_FALSE(bytes.empty()) << source;
    EXPECT_TRUE(bytes == FileBytes(SavedPathFor(scratch.Path() / "alone" / source.filename())))
        << source << " differs from the run of it alone";
  }
  std::size_t beeps = 0;
  std::size_t saved = 0;
  for (std::size_t at = 0; (at = run.Output.find("tovu: beep", at)) != std::string::npos; ++at)
    ++beeps;
  for (std::size_t at = 0; (at = run.Output.find(": saved as ", at)) != std::string::npos; ++at)
    ++saved;
  EXPECT_EQ(beeps, 4u) << run.Output;
  EXPECT_EQ(saved, 4u) << run.Output;
  EXPECT_NE(
      run.Output.find("dialog \"Tovuザビロナ\": 4 枚の画像をTovuザビロナ形式で保存しました。"),
      std::string::npos)
      << run.Output;
}

// Two hundred small pictures in one run: each window goes with its picture, so the run's peak
// memory stays that of a run of one picture.
TEST(ProgramHeadless, TwoHundredPicturesInOneRunNeedNoMoreMemoryThanOne) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's shadow memory and quarantine of freed blocks set the peak";
#endif
  TScratchFolder scratch;
  ASSERT_FALSE(scratch.Path().empty());
  std::vector<std::string> arguments{TOVU_PROGRAM};
  for (int i = 0; i < 200; ++i) {
    const fs::path copy = scratch.Path() / ("picture" + std::to_string(i) + ".bmp");
    fs::copy_file(fs::path(TOVU_TEST_DATA) / "capture/picture50x40.bmp", copy);
    arguments.push_back(copy.string());
  }
  const std::vector<std::string> headless{"TOVU_BACKEND=headless"};
  const long onePeakKib = PeakResidentKibOfProgram({TOVU_PROGRAM, arguments[1]}, headless);
  if (onePeakKib == 0) GTEST_SKIP() << "the program's peak cannot be read here (no tracing)";
  const long manyPeakKib = PeakResidentKibOfProgram(arguments, headless);
  EXPECT_GT(manyPeakKib, 0) << "the run of 200 pictures did not end with status 0";
  EXPECT_LE(manyPeakKib, onePeakKib * 11 / 10)
      << "peak of 200 pictures " << manyPeakKib << " KiB, of one " << onePeakKib << " KiB";
  for (std::size_t i = 1; i < arguments.size(); ++i)
    EXPECT_TRUE(fs::exists(SavedPathFor(arguments[i]))) << arguments[i];
}

}  // namespace
}  // namespace tovu::e2e
