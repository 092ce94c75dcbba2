// The main window run whole on the headless backend: what it captures and saves for pictures of
// several sizes (against the oracle's drawing of the same scene and cjpeg's encoding of the same
// pixels), how it slides in from each edge, how it ends when there is nothing to frame, and the
// branch without a picture.
#include "app/Mainwindow1.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../framework/FrameworkTestSupport.h"
#include "../gfx/GfxTestSupport.h"
#include "app/Entrance.h"
#include "app/InformationPage.h"
#include "framework/CommandLine.h"
#include "framework/Picture.h"
#include "framework/platform/Clock.h"
#include "framework/platform/CodePageConversion.h"
#include "framework/platform/Process.h"
#include "gfx/GfxUnits.h"

extern char** environ;

namespace app {
namespace {

namespace fs = std::filesystem;
using fw::testing::TPixels;

const std::string OutputPrefix = win::FromUtf8("Tovuザビロナ ～ ");

// Runs a program with an argument vector, its standard output going to a file; returns its exit
// status, or -1 when it could not be started.
int RunToFile(const std::vector<std::string>& arguments, const std::string& outputPath) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  std::vector<char*> argv;
  for (const std::string& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  const int started = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (started != 0) return -1;
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The pixels as a binary PPM, top row first, the form cjpeg reads without adding a density.
void WritePpm(const TPixels& pixels, const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << pixels.Width << ' ' << pixels.Height << "\n255\n";
  for (std::uint32_t color : pixels.Colors) {
    const char rgb[3] = {char(color & 0xFF), char((color >> 8) & 0xFF), char((color >> 16) & 0xFF)};
    out.write(rgb, 3);
  }
}

class MainFormTest : public fw::testing::TFrameworkTest {
 protected:
  void SetUp() override {
    TFrameworkTest::SetUp();
    fw::InitializeGfxUnits();
    FApplication->SetTitle(win::FromUtf8("Tovuザビロナ"));
    SetMinute(41);
  }
  void TearDown() override {
    win::SetCommandLineArguments({"tovu"});
    TFrameworkTest::TearDown();
    fw::FinalizeGfxUnits();
  }

  void SetMinute(int minute) {
    win::SYSTEMTIME time{};
    time.wYear = 2026;
    time.wMonth = 12;
    time.wDay = 9;
    time.wHour = 10;
    time.wMinute = win::WORD(minute);
    FBackend->SetLocalTime(time);
  }

  // Copies a picture of the capture corpus into the scratch folder under the given name.
  std::string Source(const std::string& corpusName, const std::string& name) {
    const std::string path = FScratch.File(name);
    fs::copy_file(fw::testing::TestData("capture/" + corpusName), path);
    return path;
  }

  // Creates the main window with these arguments after the program's path and runs the message
  // loop until it ends, noting where the window was and when the first dialog came up.
  void Frame(const std::vector<std::string>& arguments) {
    std::vector<std::string> commandLine{"tovu"};
    commandLine.insert(commandLine.end(), arguments.begin(), arguments.end());
    win::SetCommandLineArguments(commandLine);
    FStartMs = FBackend->NowMs();
    fw::SetModalDialogHook([this](fw::TMessageForm& dialog) {
      if (FDialogMs == 0 && FForm != nullptr) {
        FDialogMs = FBackend->NowMs();
        FRestingPlace = {FForm->Left(), FForm->Top()};
      }
      return FAnswer && FAnswer(dialog);
    });
    FApplication->CreateForm(FForm);
    FApplication->Run();
  }

  int TickOfFirstDialog() const { return int((FDialogMs - FStartMs) / 20); }
  std::vector<std::string> DialogTexts() const {
    std::vector<std::string> texts;
    for (const auto& dialog : FBackend->Dialogs())
      texts.push_back(dialog.FText);
    return texts;
  }
  std::vector<std::string> FilesInScratch() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(FScratch.Path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fw::testing::TScratchFolder FScratch;
  // Answers a dialog by injected input when it answers true; otherwise the backend answers.
  fw::TModalDialogHook FAnswer;
  TMainForm1* FForm = nullptr;
  std::uint64_t FStartMs = 0;
  std::uint64_t FDialogMs = 0;
  TPlacement FRestingPlace{};
};

struct TCaptureCase {
  int PictureWidth, PictureHeight, ClientWidth, ClientHeight;
};

class CaptureTest : public MainFormTest, public ::testing::WithParamInterface<TCaptureCase> {};

TEST_P(CaptureTest, SavesTheClientAreaAsTheOracleDrawsItEncodedAsCjpegDoes) {
  const TCaptureCase c = GetParam();
  const std::string name =
      "picture" + std::to_string(c.PictureWidth) + "x" + std::to_string(c.PictureHeight);
  Frame({Source(name + ".bmp", name + ".bmp")});

  ASSERT_NE(FForm, nullptr);
  EXPECT_TRUE(FForm->Saved());
  EXPECT_EQ(FForm->ClientWidth(), c.ClientWidth);
  EXPECT_EQ(FForm->ClientHeight(), c.ClientHeight);
  const std::string report = std::to_string(c.ClientWidth) + " x " +
                             std::to_string(c.ClientHeight) + " のTovuザビロナ形式で保存しました。";
  EXPECT_EQ(DialogTexts(), std::vector<std::string>{win::FromUtf8(report)});
  EXPECT_EQ(FBackend->Dialogs().at(0).FCaption, win::FromUtf8("Tovuザビロナ"));
  EXPECT_EQ(FBackend->Beeps(), std::vector<win::UINT>{0});

  const TPixels captured = fw::testing::PixelsOf(*FForm->Image1->Picture()->Bitmap());
  std::string detail;
  EXPECT_EQ(fw::testing::CountDifferences(
                captured,
                fw::testing::ReadGolden(fw::testing::TestData("capture/" + name + ".golden.bmp")),
                detail),
            0)
      << detail;

  const std::string saved = FScratch.File(OutputPrefix + name + ".jpg");
  ASSERT_TRUE(fs::exists(saved));
  WritePpm(captured, FScratch.File("captured.ppm"));
  ASSERT_EQ(RunToFile({"cjpeg", "-quality", "90", "-dct", "float", FScratch.File("captured.ppm")},
                      FScratch.File("reference.jpg")),
            0);
  EXPECT_EQ(fw::testing::ReadFileBytes(saved),
            fw::testing::ReadFileBytes(FScratch.File("reference.jpg")));
}

INSTANTIATE_TEST_SUITE_P(PictureSizes, CaptureTest,
                         ::testing::Values(TCaptureCase{1000, 700, 600, 600},
                                           TCaptureCase{800, 500, 800, 800},
                                           TCaptureCase{300, 400, 400, 400},
                                           TCaptureCase{600, 600, 600, 600},
                                           TCaptureCase{50, 40, 106, 50}),
                         [](const auto& param_info) {
                           return std::to_string(param_info.param.PictureWidth) + "x" +
                                  std::to_string(param_info.param.PictureHeight);
                         });

struct TSlideCase {
  int Minute;
  TPlacement Rest;
  int ArrivalTick;
};

class SlideTest : public MainFormTest, public ::testing::WithParamInterface<TSlideCase> {};

// A 1000 x 700 picture keeps the 600 x 600 client area (606 x 624 outside) on a 1024 x 768
// screen; the window rests where its last 32-pixel step left it.
TEST_P(SlideTest, ArrivesOnTheExpectedTickAndRestsWhereTheLastStepLeftIt) {
  const TSlideCase c = GetParam();
  SetMinute(c.Minute);
  Frame({Source("picture1000x700.bmp", "cat.bmp")});
  ASSERT_NE(FDialogMs, 0u);
  EXPECT_EQ(FForm->Width(), 606);
  EXPECT_EQ(FForm->Height(), 624);
  EXPECT_EQ(FRestingPlace, c.Rest);
  EXPECT_EQ(TickOfFirstDialog(), c.ArrivalTick);
  EXPECT_FALSE(FForm->Timer1->Enabled());
}

INSTANTIATE_TEST_SUITE_P(Edges, SlideTest,
                         ::testing::Values(TSlideCase{41, {238, 72}, 28},
                                           TSlideCase{8, {202, 72}, 33},
                                           TSlideCase{0, {209, 92}, 24},
                                           TSlideCase{23, {209, 60}, 38}));

// On a screen this wide the start from the right edge lies past the centre: the window arrives
// on the tick that fits it, and the capture still shows the fitted, fully painted card.
TEST_F(MainFormTest, ArrivingOnTheFittingTickStillCapturesThePaintedCard) {
  FBackend->SetScreenSize(3840, 2160);
  SetMinute(8);
  Frame({Source("picture1000x700.bmp", "cat.bmp")});
  ASSERT_TRUE(FForm->Saved());
  EXPECT_EQ(TickOfFirstDialog(), 1);
  std::string detail;
  EXPECT_EQ(
      fw::testing::CountDifferences(
          fw::testing::PixelsOf(*FForm->Image1->Picture()->Bitmap()),
          fw::testing::ReadGolden(fw::testing::TestData("capture/picture1000x700.golden.bmp")),
          detail),
      0)
      << detail;
}

TEST_F(MainFormTest, APathSplitAtItsSpacesIsRejoinedAndFramed) {
  fs::create_directory(FScratch.Path() / "My Pictures");
  Source("picture300x400.bmp", "My Pictures/a cat.BMP");
  const std::string folder = (FScratch.Path() / "My").string();
  Frame({folder, "Pictures/a", "cat.BMP"});
  EXPECT_EQ(FForm->FilePath(), FScratch.File("My Pictures/a cat.BMP") + " ");
  EXPECT_TRUE(FForm->Saved());
  EXPECT_TRUE(fs::exists(FScratch.Path() / "My Pictures" / (OutputPrefix + "a cat.jpg")));
}

class NothingToFrameTest : public MainFormTest,
                           public ::testing::WithParamInterface<std::string> {};

TEST_P(NothingToFrameTest, ClosesTheWindowWithoutSavingOrAsking) {
  Source("picture50x40.bmp", "cat.png");
  Source("picture50x40.bmp", "dog.jpe");
  Frame({FScratch.File(GetParam())});
  EXPECT_FALSE(FForm->Saved());
  EXPECT_EQ(FDialogMs, 0u);
  EXPECT_TRUE(FBackend->Dialogs().empty());
  EXPECT_TRUE(FBackend->Beeps().empty());
  EXPECT_EQ(FilesInScratch(), (std::vector<std::string>{"cat.png", "dog.jpe"}));
}

INSTANTIATE_TEST_SUITE_P(MissingOrNotAccepted, NothingToFrameTest,
                         ::testing::Values("missing.bmp", "cat.png", "dog.jpe"),
                         [](const auto& param_info) { return std::to_string(param_info.index); });

TEST_F(MainFormTest, APictureThatDoesNotLoadIsReportedAndNothingIsSaved) {
  fw::testing::WriteFileBytes(FScratch.File("broken.bmp"), {'B', 'M', 1, 2, 3});
  Frame({FScratch.File("broken.bmp")});
  EXPECT_FALSE(FForm->Saved());
  ASSERT_EQ(FBackend->Dialogs().size(), 1u);
  EXPECT_EQ(FBackend->Dialogs()[0].FCaption, win::FromUtf8("Tovuザビロナ"));
  EXPECT_TRUE(FBackend->Beeps().empty());
  EXPECT_EQ(FilesInScratch(), std::vector<std::string>{"broken.bmp"});
}

// As on a desktop, the user reads the load error for a while: ticks arrive while the report is
// open and the window is still being created. The window must still close once the message loop
// runs, not stay open and out of sight with nothing left to close it.
TEST_F(MainFormTest, APictureThatDoesNotLoadEndsTheRunAfterAReportLeftOpenForSomeTicks) {
  fw::testing::WriteFileBytes(FScratch.File("broken.bmp"), {'B', 'M', 1, 2, 3});
  std::vector<std::string> commandLine{"tovu", FScratch.File("broken.bmp")};
  win::SetCommandLineArguments(commandLine);
  fw::SetModalDialogHook([](fw::TMessageForm& report) {
    fw::TTimer* answer = fw::NewComponent<fw::TTimer>(&report);
    answer->SetInterval(100);
    answer->SetOnTimer([](fw::TObject*) {
      win::wnd::InjectKey(win::VK_RETURN, true);
      win::wnd::InjectKey(win::VK_RETURN, false);
    });
    return true;
  });
  FApplication->CreateForm(FForm);
  // A desktop's message loop would wait for ever; this one gives up after a second.
  bool stillRunningAfterASecond = false;
  fw::TTimer* watchdog = fw::NewComponent<fw::TTimer>(FApplication.get());
  watchdog->SetInterval(1000);
  watchdog->SetOnTimer([&](fw::TObject*) {
    stillRunningAfterASecond = true;
    FApplication->Terminate();
  });
  FApplication->Run();
  EXPECT_FALSE(stillRunningAfterASecond);
  EXPECT_FALSE(FForm->Saved());
  EXPECT_EQ(FBackend->Dialogs().size(), 0u) << "the report was answered by the test";
}

// The output name is taken by a folder: the creation error names the output path, nothing at the
// target changes, there is no beep and no report, and the timer stays off.
TEST_F(MainFormTest, AnOutputThatCannotBeCreatedIsReportedAndLeavesTheTargetAlone) {
  Source("picture50x40.bmp", "cat.bmp");
  const fs::path target = FScratch.Path() / (OutputPrefix + "cat.jpg");
  fs::create_directory(target);
  Frame({FScratch.File("cat.bmp")});
  EXPECT_FALSE(FForm->Saved());
  EXPECT_EQ(DialogTexts(), std::vector<std::string>{win::FromUtf8("ファイル " + target.string() +
                                                                  " を作成できません.")});
  EXPECT_TRUE(FBackend->Beeps().empty());
  EXPECT_TRUE(fs::is_directory(target));
  EXPECT_TRUE(fs::is_empty(target));
  EXPECT_FALSE(FForm->Timer1->Enabled());
  EXPECT_EQ(FilesInScratch(), (std::vector<std::string>{OutputPrefix + "cat.jpg", "cat.bmp"}));
}

TEST_F(MainFormTest, FramingTheSameSourceTwiceReplacesTheFirstOutput) {
  Source("picture50x40.bmp", "cat.bmp");
  const fs::path target = FScratch.Path() / (OutputPrefix + "cat.jpg");
  fw::testing::WriteFileBytes(target.string(), {1, 2, 3});
  Frame({FScratch.File("cat.bmp")});
  EXPECT_TRUE(FForm->Saved());
  EXPECT_GT(fs::file_size(target), 3u);
}

TEST_F(MainFormTest, WithoutAPictureItBeepsPromptsAsksAndEndsOnTheFirstTick) {
  Frame({});
  EXPECT_EQ(FBackend->Beeps(), std::vector<win::UINT>{0});
  EXPECT_EQ(DialogTexts(),
            (std::vector<std::string>{
                win::FromUtf8("アイコン（実行ファイル）上に画像ファイルをドロップしてください。"),
                win::FromUtf8("インフォメーションを参照しますか？")}));
  EXPECT_EQ(FBackend->Dialogs()[0].FCaption, win::FromUtf8("Tovuザビロナ"));
  EXPECT_EQ(FBackend->Dialogs()[1].FCaption, win::FromUtf8("確認"));
  EXPECT_TRUE(FBackend->OpenedTargets().empty());
  EXPECT_FALSE(FForm->Saved());
  EXPECT_EQ(FForm->Timer1->Tag(), 0);
  // Never moved in from its start beyond the left edge.
  EXPECT_EQ(FForm->Left(), -620);
}

TEST_F(MainFormTest, ClosingTheQuestionByItsFrameOpensNothingAndEndsTheRun) {
  FAnswer = [](fw::TMessageForm& dialog) {
    if (dialog.Caption() != win::FromUtf8("確認")) return false;
    win::wnd::InjectCloseRequest(dialog.Handle());
    return true;
  };
  Frame({});
  EXPECT_EQ(DialogTexts().size(), 1u) << "only the prompt was answered by the backend";
  EXPECT_TRUE(FBackend->OpenedTargets().empty());
  EXPECT_LE(FBackend->NowMs() - FStartMs, 40u) << "ends within about one tick";
}

TEST_F(MainFormTest, AnsweringYesOpensTheInformationPageNamedAfterTheExecutable) {
  FBackend->ScriptDialogAnswer(fw::mrOk);
  FBackend->ScriptDialogAnswer(fw::mrYes);
  Frame({});
  const std::string executable = fs::path(fw::ParamStr(0)).stem().string();
  EXPECT_EQ(FBackend->OpenedTargets(),
            std::vector<std::string>{"http://" + std::string(InformationHost) +
                                     "/info.php?pf=w&sn=" + executable});
}

}  // namespace
}  // namespace app
