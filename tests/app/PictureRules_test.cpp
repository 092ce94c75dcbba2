#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../framework/GraphicsTestSupport.h"
#include "app/InformationPage.h"
#include "app/OutputPath.h"
#include "app/PicturePath.h"
#include "app/SequenceReport.h"
#include "framework/platform/CodePage.h"
#include "framework/platform/CodePageConversion.h"
#include "framework/platform/Process.h"

namespace app {
namespace {

const fw::TPathDelimiters& Drive = fw::DrivePathDelimiters;

TEST(PictureRules, ArgumentsAreJoinedWithATrailingSpace) {
  win::SetCommandLineArguments({"/usr/bin/tovu", "/home/me/My", "Pictures/cat.bmp"});
  EXPECT_EQ(JoinArguments(), "/home/me/My Pictures/cat.bmp ");
  win::SetCommandLineArguments({"/usr/bin/tovu", "/home/me/My Pictures/cat.bmp"});
  EXPECT_EQ(JoinArguments(), "/home/me/My Pictures/cat.bmp ");
  win::SetCommandLineArguments({"/usr/bin/tovu", "a.bmp", "b.bmp"});
  EXPECT_EQ(JoinArguments(), "a.bmp b.bmp ");
  win::SetCommandLineArguments({"/usr/bin/tovu"});
  EXPECT_EQ(JoinArguments(), "");
}

TEST(PictureRules, ExtensionsAreAcceptedInAnyCaseWithTheirTrailingSpace) {
  for (const char* path : {"C:\\pics\\cat.bmp ", "C:\\a.b\\x.Jpeg ", "photo.bMp ", "a.JPG "}) {
    EXPECT_TRUE(IsAcceptedExtension(PictureExtension(path, Drive))) << path;
  }
  for (const char* path : {"a.jpe ", "a.jfif ", "a.png ", "a.gif ", "C:\\my.pics\\cat ", "a.bmp"}) {
    EXPECT_FALSE(IsAcceptedExtension(PictureExtension(path, Drive))) << path;
  }
  EXPECT_EQ(PictureExtension("C:\\pics\\cat.bmp ", Drive), ".bmp ");
}

TEST(PictureRules, Cp932PathsKeepTheirDoubleByteCharactersWhole) {
  win::TScopedCodePage scoped(win::CP_SHIFTJIS);
  // 表 (0x95 0x5C) as a folder name: its trail byte is not a folder separator.
  const std::string filePath = "C:\\\x95\x5C\\cat.BMP ";
  EXPECT_EQ(PictureExtension(filePath, Drive), ".BMP ");
  EXPECT_EQ(OutputPathFor(filePath, Drive), "C:\\\x95\x5C\\" + OutputPrefix() + "cat.jpg");
  EXPECT_EQ(OutputPrefix(), "Tovu\x83\x55\x83\x72\x83\x8D\x83\x69 \x81\x60 ");
}

TEST(PictureRules, OutputPaths) {
  const std::string prefix = OutputPrefix();
  EXPECT_EQ(OutputPathFor("C:\\pics\\cat.BMP ", Drive), "C:\\pics\\" + prefix + "cat.jpg");
  EXPECT_EQ(OutputPathFor("C:\\pics\\photo.jpeg ", Drive), "C:\\pics\\" + prefix + "photo.jpg");
  EXPECT_EQ(OutputPathFor("C:\\my.pics\\cat.bmp ", Drive), "C:\\my.pics\\" + prefix + "cat.jpg");
  EXPECT_EQ(OutputPathFor("C:\\pics\\" + prefix + "cat.jpg ", Drive),
            "C:\\pics\\" + prefix + prefix + "cat.jpg");
  EXPECT_EQ(OutputPathFor("/srv/pics/cat.bmp "), "/srv/pics/" + prefix + "cat.jpg");
  EXPECT_EQ(OutputPathFor("cat.bmp "), prefix + "cat.jpg");
  EXPECT_EQ(OutputPrefix(), "Tovu\xE3\x82\xB6\xE3\x83\x93\xE3\x83\xAD\xE3\x83\x8A \xEF\xBD\x9E ");
}

TEST(PictureRules, SizeReportAndInformationAddress) {
  EXPECT_EQ(SizeReport(800, 800),
            "800 x 800 " + win::FromUtf8("のTovuザビロナ形式で保存しました。"));
  EXPECT_EQ(SizeReport(106, 50).substr(0, 9), "106 x 50 ");
  EXPECT_EQ(InformationAddress("C:\\tools\\tovu.exe", Drive),
            std::string("http://") + InformationHost + "/info.php?pf=w&sn=tovu");
  EXPECT_EQ(InformationAddress("/opt/x/frame.v2.bin"),
            std::string("http://") + InformationHost + "/info.php?pf=w&sn=frame.v2");
  EXPECT_EQ(InformationAddress("/usr/bin/tovu"),
            std::string("http://") + InformationHost + "/info.php?pf=w&sn=tovu");
}

TEST(PictureRules, ExistenceIsTestedWithoutTheTrailingSpace) {
  const auto folder = std::filesystem::temp_directory_path() / "tovu-exists-test";
  std::filesystem::create_directories(folder / "dir.bmp");
  std::ofstream(folder / "cat.bmp") << "x";
  std::ofstream(folder / "two  spaces.bmp") << "x";
  const std::string base = folder.string() + "/";
  EXPECT_TRUE(PictureFileExists(base + "cat.bmp "));
  EXPECT_FALSE(PictureFileExists(base + "dog.bmp "));
  EXPECT_FALSE(PictureFileExists(base + "dir.bmp "));
  EXPECT_TRUE(PictureFileExists(base + "two  spaces.bmp "));
  EXPECT_FALSE(PictureFileExists(base + "two spaces.bmp "));
  // Wildcard characters are part of a name and match no other.
  std::ofstream(folder / "photo*[1].jpg") << "x";
  std::ofstream(folder / "a\\*.jpg") << "x";
  EXPECT_TRUE(PictureFileExists(base + "photo*[1].jpg "));
  EXPECT_TRUE(PictureFileExists(base + "a\\*.jpg "));
  EXPECT_FALSE(PictureFileExists(base + "?.bmp "));
  EXPECT_FALSE(PictureFileExists(base + "*.bmp "));
  // Any file counts, whatever its last-write time: 1970 (reproducible archives) or 2200.
  for (const time_t seconds : {time_t(0), time_t(7258118400)}) {
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (base + "cat.bmp").c_str(), times, 0), 0);
    EXPECT_TRUE(PictureFileExists(base + "cat.bmp ")) << seconds;
  }
  std::filesystem::remove_all(folder);
}

// Several arguments are framed one by one only when their joined path names no file and each of
// them names a picture file; otherwise the joined path is the run's one picture.
TEST(PictureRules, SeveralPicturesAreGivenOnlyWhenTheJoinedPathNamesNothing) {
  fw::testing::TScratchFolder scratch;
  for (const char* name : {"a.jpg", "b.BMP", "c.jpeg", "notes.txt", "a.jpg b.BMP"})
    std::ofstream(scratch.File(name)) << "x";
  std::filesystem::create_directory(scratch.File("folder.bmp"));
  struct TCase {
    std::vector<std::string> Names;
    bool Several;
  };
  const TCase cases[] = {
      {{"a.jpg", "c.jpeg"}, true},
      {{"c.jpeg", "b.BMP", "a.jpg", "a.jpg"}, true},
      {{"a.jpg", "b.BMP"}, false},  // the joined path "a.jpg b.BMP" is a file: it wins
      {{"a.jpg"}, false},
      {{"a.jpg", "missing.jpg"}, false},
      {{"a.jpg", "notes.txt"}, false},
      {{"a.jpg", "folder.bmp"}, false},
  };
  // Names relative to the folder, so that the joined names can name a file there.
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(scratch.Path());
  for (const TCase& c : cases) {
    std::vector<std::string> commandLine{"/usr/bin/tovu"};
    commandLine.insert(commandLine.end(), c.Names.begin(), c.Names.end());
    win::SetCommandLineArguments(commandLine);
    EXPECT_EQ(SeveralPicturesGiven(), c.Several ? c.Names : std::vector<std::string>{})
        << ::testing::PrintToString(c.Names);
  }
  std::filesystem::current_path(before);
  win::SetCommandLineArguments({"/usr/bin/tovu"});
}

TPictureOutcome SavedOutcome(const std::string& name, int width, int height) {
  const std::string folder = "/p/";
  return {folder + name + ".bmp", folder + OutputPrefix() + name + ".jpg", width, height, {}};
}

TPictureOutcome FailedOutcome(const std::string& name, const std::string& failure) {
  const std::string folder = "/p/";
  return {folder + name + ".jpg", {}, 0, 0, failure};
}

TEST(PictureRules, TheReportOfSeveralPicturesNamesEachSavedFileWithItsSizeAndEachFailure) {
  EXPECT_EQ(SequenceReport({SavedOutcome("a", 600, 600), SavedOutcome("b", 800, 800)}),
            win::FromUtf8("2 枚の画像をTovuザビロナ形式で保存しました。\n"
                          "Tovuザビロナ ～ a.jpg（600 x 600）\n"
                          "Tovuザビロナ ～ b.jpg（800 x 800）"));
  EXPECT_EQ(SequenceReport({SavedOutcome("a", 600, 600),
                            FailedOutcome("c", win::FromUtf8("JPEG エラー #52"))}),
            win::FromUtf8("2 枚の画像のうち 1 枚をTovuザビロナ形式で保存しました。\n"
                          "Tovuザビロナ ～ a.jpg（600 x 600）\n"
                          "c.jpg は保存できませんでした（JPEG エラー #52）"));
}

// A long run names the failed pictures first and counts what does not fit.
TEST(PictureRules, TheReportOfManyPicturesNamesTheFailedOnesAndCountsTheRest) {
  std::vector<TPictureOutcome> outcomes;
  for (int i = 0; i < MaxReportedPictures + 5; ++i)
    outcomes.push_back(SavedOutcome(std::string(1, 's') + std::to_string(i), 106, 50));
  outcomes.push_back(FailedOutcome("broken", "the file is empty"));
  const std::string report = SequenceReport(outcomes);
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), MaxReportedPictures + 1);
  EXPECT_NE(report.find(win::FromUtf8("broken.jpg は保存できませんでした（the file is empty）")),
            std::string::npos);
  EXPECT_NE(report.find(win::FromUtf8("Tovuザビロナ ～ s18.jpg（106 x 50）\nbroken.jpg")),
            std::string::npos)
      << report;
  EXPECT_TRUE(report.ends_with(win::FromUtf8("\nほか 6 枚を保存しました。"))) << report;
}

}  // namespace
}  // namespace app
