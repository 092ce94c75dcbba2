// The main window run whole on the headless backend: what it captures and saves for pictures of
// several sizes (against the oracle's drawing of the same scene and cjpeg's encoding of the same
// pixels), how it slides in from each edge, how it ends when there is nothing to frame, and the
// branch without a picture.
#include "app/Mainwindow1.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "MainWindowTestSupport.h"
#include "app/Entrance.h"
#include "app/InformationPage.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/CommandLine.h"
#include "framework/Picture.h"
#include "framework/Streams.h"
#include "framework/platform/Clock.h"
#include "framework/platform/CodePageConversion.h"
#include "framework/platform/Process.h"
#include "gfx/GfxUnits.h"
#include "gfx/JPEGImage.h"
#include "tests/support/ChildProcess.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using fw::testing::TPixels;

const std::string OutputPrefix = win::FromUtf8("Tovuザビロナ ～ ");

// The pixels as a binary PPM, top row first, the form cjpeg reads without adding a density.
void WritePpm(const TPixels& pixels, const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << pixels.Width << ' ' << pixels.Height << "\n255\n";
  for (std::uint32_t color : pixels.Colors) {
    const char rgb[3] = {char(color & 0xFF), char((color >> 8) & 0xFF), char((color >> 16) & 0xFF)};
    out.write(rgb, 3);
  }
}

class MainFormTest : public testing::TMainWindowTest {
 protected:
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

  // Answers a dialog by injected input when it answers true; otherwise the backend answers.
  fw::TModalDialogHook FAnswer;
  TMainForm1* FForm = nullptr;
  std::uint64_t FStartMs = 0;
  std::uint64_t FDialogMs = 0;
  TPlacement FRestingPlace{};
};

struct TCaptureCase {
  std::string Source;  // in the capture corpus; its golden is STEM.golden.bmp
  int ClientWidth, ClientHeight;
};

void PrintTo(const TCaptureCase& c, std::ostream* out) {
  *out << c.Source;
}

class CaptureTest : public MainFormTest, public ::testing::WithParamInterface<TCaptureCase> {};

// The whole main job on BMP sources of several sizes, a 1-bit picture shrunk with the surface's
// default stretch mode, and JPEG sources of each sampling, whose goldens the oracle drew from the
// library's own decoding (djpeg).
TEST_P(CaptureTest, SavesTheClientAreaAsTheOracleDrawsItEncodedAsCjpegDoes) {
  const TCaptureCase c = GetParam();
  const std::string name = fs::path(c.Source).stem().string();
  Frame({Source(c.Source, c.Source)});

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
  tovu::TChildProcess cjpeg(
      {"cjpeg", "-quality", "90", "-dct", "float", FScratch.File("captured.ppm")}, {},
      tovu::TChildOutput{tovu::okFile, FScratch.File("reference.jpg")});
  ASSERT_EQ(cjpeg.WaitForEnd().value_or(-1), 0);
  EXPECT_EQ(fw::testing::ReadFileBytes(saved),
            fw::testing::ReadFileBytes(FScratch.File("reference.jpg")));
}

INSTANTIATE_TEST_SUITE_P(
    Sources, CaptureTest,
    ::testing::Values(
        TCaptureCase{"picture1000x700.bmp", 600, 600}, TCaptureCase{"picture800x500.bmp", 800, 800},
        TCaptureCase{"picture300x400.bmp", 400, 400}, TCaptureCase{"picture600x600.bmp", 600, 600},
        TCaptureCase{"picture50x40.bmp", 106, 50}, TCaptureCase{"mono640x620.bmp", 600, 600},
        TCaptureCase{"jpeg420.jpg", 127, 127}, TCaptureCase{"jpeg422.jpg", 124, 124},
        TCaptureCase{"jpeggray.jpg", 118, 118}, TCaptureCase{"jpegprogressive.jpg", 121, 121}),
    [](const auto& param_info) { return fs::path(param_info.param.Source).stem().string(); });

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

// Where the picture is pure magenta, the transparent panel's empty colour, the panel leaves a
// hole in its region and the window's white shows there, on screen and in the saved picture.
TEST_F(MainFormTest, PureMagentaInThePictureLeavesAWhiteHole) {
  fw::TBitmap picture;
  picture.SetPixelFormat(fw::pf24bit);
  picture.SetSize(1000, 700);
  picture.Canvas()->Brush()->SetColor(fw::clGray);
  picture.Canvas()->FillRect(fw::Rect(0, 0, 1000, 700));
  picture.Canvas()->Brush()->SetColor(fw::clFuchsia);
  picture.Canvas()->FillRect(fw::Rect(400, 250, 600, 450));
  const std::string path = FScratch.File("hole.bmp");
  picture.SaveToFile(path);
  Frame({path});
  ASSERT_TRUE(FForm->Saved());
  // The picture fills (5, 90)-(595, 510); its middle, (300, 300), is magenta in the source.
  const TPixels captured = fw::testing::PixelsOf(*FForm->Image1->Picture()->Bitmap());
  EXPECT_EQ(captured.At(300, 300), 0xFFFFFFu);
  EXPECT_EQ(captured.At(100, 150), 0x808080u);
  EXPECT_EQ(captured.At(300, 200), 0x808080u);
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

// Wildcard characters are ordinary characters in names: the file of that very name is framed.
class WildcardNameTest : public MainFormTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(WildcardNameTest, FramesTheFileOfThatVeryName) {
  const std::string stem = GetParam();
  Source("picture50x40.bmp", stem + ".bmp");
  Frame({FScratch.File(stem + ".bmp")});
  EXPECT_TRUE(FForm->Saved());
  EXPECT_TRUE(fs::exists(FScratch.Path() / (OutputPrefix + stem + ".jpg")));
}

INSTANTIATE_TEST_SUITE_P(Names, WildcardNameTest, ::testing::Values("photo*[1]", "a\\*"),
                         [](const auto& param_info) { return std::to_string(param_info.index); });

// Paths that name no picture end the run without a dialog, but say on standard error why.
struct TRefusalCase {
  const char* Name;
  const char* Reason;
};

void PrintTo(const TRefusalCase& c, std::ostream* out) {
  *out << c.Name;
}

class NothingToFrameTest : public MainFormTest,
                           public ::testing::WithParamInterface<TRefusalCase> {};

TEST_P(NothingToFrameTest, ClosesTheWindowWithoutSavingOrAskingAndSaysWhy) {
  Source("picture50x40.bmp", "cat.png");
  Source("picture50x40.bmp", "dog.jpe");
  fs::create_directory(FScratch.Path() / "folder.bmp");
  fs::create_symlink(FScratch.Path() / "gone.bmp", FScratch.Path() / "link.bmp");
  fw::testing::WriteFileBytes(FScratch.File("empty.jpg"), {});
  fw::testing::WriteFileBytes(FScratch.File("empty.bmp"), {});
  Source("picture50x40.bmp", "a.bmp");
  const std::vector<std::string> before = FilesInScratch();
  ::testing::internal::CaptureStderr();
  Frame({FScratch.File(GetParam().Name)});
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(said, "tovu: " + FScratch.File(GetParam().Name) + ": " + GetParam().Reason +
                      "; nothing is framed\n");
  EXPECT_FALSE(FForm->Saved());
  EXPECT_EQ(FDialogMs, 0u);
  EXPECT_TRUE(FBackend->Dialogs().empty());
  EXPECT_TRUE(FBackend->Beeps().empty());
  EXPECT_EQ(FilesInScratch(), before);
}

INSTANTIATE_TEST_SUITE_P(
    MissingOrNotAccepted, NothingToFrameTest,
    ::testing::Values(TRefusalCase{"missing.bmp", "no such file"},
                      TRefusalCase{"cat.png", "the extension is not bmp, jpg or jpeg"},
                      TRefusalCase{"dog.jpe", "the extension is not bmp, jpg or jpeg"},
                      TRefusalCase{"folder.bmp", "a folder, not a picture file"},
                      TRefusalCase{"link.bmp", "a symbolic link whose target does not exist"},
                      TRefusalCase{"empty.jpg", "the file is empty"},
                      TRefusalCase{"empty.bmp", "the file is empty"},
                      TRefusalCase{"?.bmp", "no such file"}),
    [](const auto& param_info) { return std::to_string(param_info.index); });

// A JPEG file made by the program's own encoder, small and colourful.
std::vector<std::uint8_t> SmallJpeg() {
  fw::TBitmap bitmap;
  bitmap.SetPixelFormat(fw::pf24bit);
  bitmap.SetSize(40, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      bitmap.Canvas()->SetPixels(x, y, fw::TColor(x * 6 | (y * 8) << 8 | 0x800000));
  fw::TJPEGImage jpeg;
  jpeg.Assign(&bitmap);
  fw::TMemoryStream bytes;
  jpeg.SaveToStream(bytes);
  return {bytes.Memory(), bytes.Memory() + bytes.Size()};
}

// The file's segments up to its scan, each passed to `edit` (marker, segment with its length);
// a segment `edit` empties is dropped.
std::vector<std::uint8_t> EditSegments(
    const std::vector<std::uint8_t>& jpeg,
    const std::function<void(std::uint8_t, std::vector<std::uint8_t>&)>& edit) {
  std::vector<std::uint8_t> out(jpeg.begin(), jpeg.begin() + 2);
  for (std::size_t i = 2; i + 4 <= jpeg.size();) {
    const std::size_t length = std::size_t(jpeg[i + 2]) << 8 | jpeg[i + 3];
    std::vector<std::uint8_t> segment(jpeg.begin() + i + 2, jpeg.begin() + i + 2 + length);
    const std::uint8_t marker = jpeg[i + 1];
    edit(marker, segment);
    if (!segment.empty()) {
      out.insert(out.end(), {0xFF, marker});
      out.insert(out.end(), segment.begin(), segment.end());
    }
    i += 2 + length;
    if (marker == 0xDA) {
      out.insert(out.end(), jpeg.begin() + i, jpeg.end());
      break;
    }
  }
  return out;
}

// Pictures that do not load, or whose header reads but whose data does not decode: one error
// report, nothing saved, an earlier output left as it was.
struct TUnloadableCase {
  const char* Name;
  std::function<std::vector<std::uint8_t>()> Bytes;
  std::string Report;
};

void PrintTo(const TUnloadableCase& c, std::ostream* out) {
  *out << c.Name;
}

class UnloadablePictureTest : public MainFormTest,
                              public ::testing::WithParamInterface<TUnloadableCase> {};

TEST_P(UnloadablePictureTest, IsReportedOnceAndNothingIsSaved) {
  const TUnloadableCase& c = GetParam();
  fw::testing::WriteFileBytes(FScratch.File(c.Name), c.Bytes());
  const std::string earlier =
      FScratch.File(OutputPrefix + fs::path(c.Name).stem().string() + ".jpg");
  fw::testing::WriteFileBytes(earlier, {1, 2, 3});
  Frame({FScratch.File(c.Name)});
  EXPECT_FALSE(FForm->Saved());
  EXPECT_EQ(DialogTexts(), std::vector<std::string>{win::FromUtf8(c.Report)});
  EXPECT_EQ(FBackend->Dialogs().at(0).FCaption, win::FromUtf8("Tovuザビロナ"));
  EXPECT_TRUE(FBackend->Beeps().empty());
  EXPECT_EQ(fw::testing::ReadFileBytes(earlier), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(FilesInScratch().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnloadablePictureTest,
    ::testing::Values(
        TUnloadableCase{"broken.bmp",
                        [] {
                          return std::vector<std::uint8_t>{'B', 'M', 1, 2, 3};
                        },
                        "ストリームからの読み込みエラー."},
        TUnloadableCase{"headers-only.bmp",
                        [] {
                          return fw::testing::TBytes()
                              .U8('B')
                              .U8('M')
                              .U32(54)
                              .U32(0)
                              .U32(54)
                              .U32(40)
                              .U32(4)
                              .U32(4)
                              .U16(1)
                              .U16(24)
                              .Fill(24)
                              .Data;
                        },
                        "ストリームからの読み込みエラー."},
        TUnloadableCase{"no-quantisation-table.jpg",
                        [] {
                          return EditSegments(SmallJpeg(), [](std::uint8_t marker, auto& segment) {
                            if (marker == 0xDB) segment.clear();
                          });
                        },
                        "JPEG エラー #52."},
        TUnloadableCase{"undefined-huffman-table.jpg",
                        [] {
                          return EditSegments(SmallJpeg(), [](std::uint8_t marker, auto& segment) {
                            if (marker != 0xDA) return;
                            for (std::size_t i = 0; i < segment[2]; ++i)
                              segment[4 + 2 * i] = 0x33;
                          });
                        },
                        "JPEG エラー #50."},
        // 10001 x 599 asks for a client area of 10001 x 10001.
        TUnloadableCase{"wide.bmp",
                        [] {
                          return fw::testing::TBytes()
                              .U8('B')
                              .U8('M')
                              .U32(0)
                              .U32(0)
                              .U32(54)
                              .U32(40)
                              .U32(10001)
                              .U32(599)
                              .U16(1)
                              .U16(24)
                              .Fill(24)
                              .Fill(12)
                              .Data;
                        },
                        "画像を収める窓の大きさ 10001 x 10001 は処理できる上限 (100000000 "
                        "ピクセル) を超えています."}),
    [](const auto& param_info) { return std::to_string(param_info.index); });

// A file whose pixel data ends early is framed with the pixels it has, and says so.
TEST_F(MainFormTest, ShortPixelDataIsFramedAndSaidOnStandardError) {
  fw::testing::TBytes file;
  file.U8('B').U8('M').U32(0).U32(0).U32(54).U32(40).U32(60).U32(50).U16(1).U16(24).Fill(24);
  file.Fill(1000, 0x40);
  fw::testing::WriteFileBytes(FScratch.File("short.bmp"), file.Data);
  ::testing::internal::CaptureStderr();
  Frame({FScratch.File("short.bmp")});
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "tovu: " + FScratch.File("short.bmp") +
                ": the file ends inside its pixel data (1000 of 9000 bytes); the pixels it lacks "
                "stay zero (black, or the first colour of its table)\n");
  EXPECT_TRUE(FForm->Saved());
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
