#include "framework/FilePaths.h"

#include <gtest/gtest.h>

#include "framework/platform/CodePage.h"

namespace fw {
namespace {

const TPathDelimiters& Drive = DrivePathDelimiters;

TEST(FilePaths, ExtensionIsTakenAfterTheLastDotOfTheFileName) {
  EXPECT_EQ(ExtractFileExt("C:\\pics\\cat.BMP ", Drive), ".BMP ");
  EXPECT_EQ(ExtractFileExt("C:\\my.pics\\cat", Drive), "");
  EXPECT_EQ(ExtractFileExt("a.b.bmp", Drive), ".bmp");
  EXPECT_EQ(ExtractFileExt("C:cat", Drive), "");
  EXPECT_EQ(ExtractFileExt("/home/me/my.pics/cat"), "");
  EXPECT_EQ(ExtractFileExt("/home/me/cat.jpeg"), ".jpeg");
  EXPECT_EQ(ExtractFileExt("C:\\pics\\cat.bmp", PosixPathDelimiters), ".bmp");
}

TEST(FilePaths, ChangeExtensionNameAndFolder) {
  EXPECT_EQ(ChangeFileExt("C:\\pics\\cat.BMP ", ".jpg", Drive), "C:\\pics\\cat.jpg");
  EXPECT_EQ(ChangeFileExt("C:\\my.pics\\cat", ".jpg", Drive), "C:\\my.pics\\cat.jpg");
  EXPECT_EQ(ChangeFileExt("tovu.exe", "", Drive), "tovu");
  EXPECT_EQ(ExtractFileName("C:\\pics\\cat.jpg", Drive), "cat.jpg");
  EXPECT_EQ(ExtractFileName("cat.jpg", Drive), "cat.jpg");
  EXPECT_EQ(ExtractFilePath("C:\\pics\\cat.jpg", Drive), "C:\\pics\\");
  EXPECT_EQ(ExtractFilePath("C:cat.jpg", Drive), "C:");
  EXPECT_EQ(ExtractFilePath("cat.jpg", Drive), "");
  EXPECT_EQ(ExtractFilePath("/srv/pics/cat.jpg"), "/srv/pics/");
  EXPECT_EQ(ExtractFileName("/srv/pics/cat.jpg"), "cat.jpg");
}

TEST(FilePaths, TrailBytesNeverCountAsDelimiters) {
  win::TScopedCodePage scoped(win::CP_SHIFTJIS);
  // 表 (0x95 0x5C) ends in the backslash's code; ソ (0x83 0x5C) likewise.
  const std::string path = "C:\\\x95\x5C\\\x83\x5C.bmp ";
  EXPECT_EQ(ExtractFilePath(path, Drive), "C:\\\x95\x5C\\");
  EXPECT_EQ(ExtractFileName(path, Drive), "\x83\x5C.bmp ");
  EXPECT_EQ(ExtractFileExt(path, Drive), ".bmp ");
  EXPECT_EQ(LastDelimiter("\\", "\x95\x5C"), std::string::npos);
}

}  // namespace
}  // namespace fw
