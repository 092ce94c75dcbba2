// Several pictures framed in one run on the headless backend: each saved with a beep and told on
// standard error, one report of them all at the end, a picture that fails named there while the
// others go on, the window closed during a slide ending the run, and each window choosing its
// own edge.
#include "app/PictureSequence.h"

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "MainWindowTestSupport.h"
#include "app/Mainwindow1.h"
#include "framework/Screen.h"
#include "framework/Timer.h"
#include "framework/platform/CodePageConversion.h"

namespace app {
namespace {

namespace fs = std::filesystem;

const std::string OutputPrefix = win::FromUtf8("Tovuザビロナ ～ ");

class SeveralPicturesTest : public testing::TMainWindowTest {
 protected:
  bool SavedFor(const std::string& stem) const {
    return fs::exists(FScratch.Path() / (OutputPrefix + stem + ".jpg"));
  }

  // Frames the pictures, noting what the run said on standard error.
  int Frame(const std::vector<std::string>& paths) {
    ::testing::internal::CaptureStderr();
    const int status = FramePictures(*FApplication, paths);
    FSaid = ::testing::internal::GetCapturedStderr();
    return status;
  }

  // Calls `look` with each picture's window on the screen, every 5 ms while the run goes on.
  void WatchWindows(std::function<void(TMainForm1&)> look) {
    fw::TTimer* watch = fw::NewComponent<fw::TTimer>(FApplication.get());
    watch->SetInterval(5);
    watch->SetOnTimer([look = std::move(look)](fw::TObject*) {
      for (int i = 0; i < fw::Screen()->FormCount(); ++i) {
        if (auto* form = dynamic_cast<TMainForm1*>(fw::Screen()->Forms(i)); form && form->Visible())
          look(*form);
      }
    });
  }

  std::string Report() const {
    return FBackend->Dialogs().size() == 1 ? FBackend->Dialogs()[0].FText : std::string();
  }

  std::string FSaid;
};

TEST_F(SeveralPicturesTest, EachPictureIsSavedWithABeepAndOneReportNamesThemAll) {
  const std::vector<std::string> paths = {Source("picture1000x700.bmp", "wide.bmp"),
                                          Source("picture300x400.bmp", "tall.bmp"),
                                          Source("jpeg420.jpg", "photo.jpg")};
  EXPECT_EQ(Frame(paths), 0);
  for (const char* stem : {"wide", "tall", "photo"})
    EXPECT_TRUE(SavedFor(stem)) << stem;
  EXPECT_EQ(FBackend->Beeps(), (std::vector<win::UINT>{0, 0, 0}));
  ASSERT_EQ(FBackend->Dialogs().size(), 1u);
  EXPECT_EQ(FBackend->Dialogs()[0].FCaption, win::FromUtf8("Tovuザビロナ"));
  EXPECT_EQ(Report(), win::FromUtf8("3 枚の画像をTovuザビロナ形式で保存しました。\n"
                                    "Tovuザビロナ ～ wide.jpg（600 x 600）\n"
                                    "Tovuザビロナ ～ tall.jpg（400 x 400）\n"
                                    "Tovuザビロナ ～ photo.jpg（127 x 127）"));
  EXPECT_EQ(FSaid, "tovu: " + paths[0] + ": saved as " + FScratch.File(OutputPrefix + "wide.jpg") +
                       " (600 x 600)\ntovu: " + paths[1] + ": saved as " +
                       FScratch.File(OutputPrefix + "tall.jpg") +
                       " (400 x 400)\ntovu: " + paths[2] + ": saved as " +
                       FScratch.File(OutputPrefix + "photo.jpg") + " (127 x 127)\n");
}

// A picture that does not load or save, between two that do: the others are saved, the run ends
// with status 1, and the one report (no error report of its own) names it with the reason.
struct TFailureCase {
  const char* Name;
  std::function<void(const std::string& path)> Prepare;
  std::string Reason;  // {path} stands for the picture's output path
};

void PrintTo(const TFailureCase& c, std::ostream* out) {
  *out << c.Name;
}

class FailingPictureTest : public SeveralPicturesTest,
                           public ::testing::WithParamInterface<TFailureCase> {};

TEST_P(FailingPictureTest, IsNamedInTheReportAndTheOthersAreSaved) {
  const TFailureCase& c = GetParam();
  const std::string failing = FScratch.File(c.Name);
  c.Prepare(failing);
  const std::vector<std::string> paths = {Source("picture50x40.bmp", "first.bmp"), failing,
                                          Source("picture50x40.bmp", "last.bmp")};
  EXPECT_EQ(Frame(paths), 1);
  EXPECT_TRUE(SavedFor("first"));
  EXPECT_TRUE(SavedFor("last"));
  EXPECT_EQ(FBackend->Beeps().size(), 2u);
  std::string reason = win::FromUtf8(c.Reason);
  if (const std::size_t at = reason.find("{path}"); at != std::string::npos)
    reason.replace(at, 6, FScratch.File(OutputPrefix + fs::path(c.Name).stem().string() + ".jpg"));
  EXPECT_EQ(Report(), win::FromUtf8("3 枚の画像のうち 2 枚をTovuザビロナ形式で保存しました。\n"
                                    "Tovuザビロナ ～ first.jpg（106 x 50）\n") +
                          c.Name + win::FromUtf8(" は保存できませんでした（") + reason +
                          win::FromUtf8("）\nTovuザビロナ ～ last.jpg（106 x 50）"));
  const std::string line = "tovu: " + failing + ": " + reason + "; nothing is framed\n";
  EXPECT_NE(FSaid.find(line), std::string::npos) << FSaid;
  EXPECT_EQ(FSaid.find(line), FSaid.rfind(line)) << "said twice: " << FSaid;
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailingPictureTest,
    ::testing::Values(TFailureCase{"broken.bmp",
                                   [](const std::string& path) {
                                     fw::testing::WriteFileBytes(path, {'B', 'M', 1, 2, 3});
                                   },
                                   "ストリームからの読み込みエラー"},
                      TFailureCase{
                          "empty.jpg",
                          [](const std::string& path) { fw::testing::WriteFileBytes(path, {}); },
                          "the file is empty"},
                      TFailureCase{"gone.jpg", [](const std::string&) {}, "no such file"},
                      // The output's name is taken by a folder.
                      TFailureCase{"blocked.bmp",
                                   [](const std::string& path) {
                                     fs::copy_file(
                                         fw::testing::TestData("capture/picture50x40.bmp"), path);
                                     fs::create_directory(fs::path(path).parent_path() /
                                                          (OutputPrefix + "blocked.jpg"));
                                   },
                                   "ファイル {path} を作成できません"}),
    [](const auto& param_info) { return std::to_string(param_info.index); });

// The user closes the second picture's window while it slides in: the run ends at once, saving
// neither it nor the third, without a report, and says how many were saved.
TEST_F(SeveralPicturesTest, ClosingTheWindowDuringTheSecondSlideEndsTheRun) {
  const std::vector<std::string> paths = {Source("picture50x40.bmp", "a.bmp"),
                                          Source("picture50x40.bmp", "b.bmp"),
                                          Source("picture50x40.bmp", "c.bmp")};
  WatchWindows([this](TMainForm1& form) {
    if (FBackend->Beeps().size() == 1 && form.Timer1->Tag() == 1)
      win::wnd::InjectCloseRequest(form.Handle());
  });
  EXPECT_EQ(Frame(paths), 1);
  EXPECT_TRUE(SavedFor("a"));
  EXPECT_FALSE(SavedFor("b"));
  EXPECT_FALSE(SavedFor("c"));
  EXPECT_TRUE(FBackend->Dialogs().empty());
  EXPECT_EQ(FBackend->Beeps().size(), 1u);
  EXPECT_TRUE(FSaid.ends_with(
      "tovu: the window was closed; 1 of 3 pictures saved, the others are not framed\n"))
      << FSaid;
}

// Each picture's window chooses its edge from the minute at its creation, as a run of its own.
TEST_F(SeveralPicturesTest, EachWindowChoosesItsEdgeFromTheMinuteItIsCreatedAt) {
  const std::vector<std::string> paths = {Source("picture50x40.bmp", "a.bmp"),
                                          Source("picture50x40.bmp", "b.bmp")};
  std::map<std::size_t, int> directionOfPicture;
  WatchWindows([&](TMainForm1& form) {
    directionOfPicture[FBackend->Beeps().size()] = form.Direction();
    SetMinute(10);
  });
  EXPECT_EQ(Frame(paths), 0);
  EXPECT_EQ(directionOfPicture, (std::map<std::size_t, int>{{0, 0}, {1, 1}}))
      << "the first from the left at minute 41, the second from the right at minute 10";
}

}  // namespace
}  // namespace app
