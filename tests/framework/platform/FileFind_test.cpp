#include "framework/platform/FileFind.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <filesystem>
#include <fstream>

#include "framework/platform/LastError.h"

namespace win {
namespace {

class FileFindTest : public testing::Test {
 protected:
  void SetUp() override {
    FFolder = std::filesystem::temp_directory_path() /
              ("tovu-find-" + std::to_string(::getpid()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(FFolder / "sub.dir");
    std::ofstream(FFolder / "cat.bmp") << "12345";
    std::ofstream(FFolder / "dog.jpg") << "x";
  }
  void TearDown() override { std::filesystem::remove_all(FFolder); }
  std::string Path(const std::string& name) const { return (FFolder / name).string(); }

  std::filesystem::path FFolder;
};

TEST_F(FileFindTest, FindsAnExactNameWithItsSizeAndKind) {
  WIN32_FIND_DATAA data;
  HANDLE_FIND handle = FindFirstFileA(Path("cat.bmp").c_str(), &data);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cFileName, "cat.bmp");
  EXPECT_EQ(data.nFileSizeLow, 5u);
  EXPECT_EQ(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_FALSE(FindNextFileA(handle, &data));
  EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
  EXPECT_TRUE(FindClose(handle));
  EXPECT_FALSE(FindClose(handle));  // closed handles are not valid any more

  handle = FindFirstFileA(Path("sub.dir").c_str(), &data);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  EXPECT_NE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  FindClose(handle);
}

TEST_F(FileFindTest, MissingNamesAndTrailingBlanksAreNotFound) {
  WIN32_FIND_DATAA data;
  EXPECT_EQ(FindFirstFileA(Path("cow.bmp").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  // On this platform a trailing space is part of the name.
  EXPECT_EQ(FindFirstFileA(Path("cat.bmp ").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(FindFirstFileA(nullptr, &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(FileFindTest, WildcardsMatchInTheLastComponent) {
  WIN32_FIND_DATAA data;
  HANDLE_FIND handle = FindFirstFileA(Path("*.???").c_str(), &data);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  int found = 1;
  while (FindNextFileA(handle, &data))
    ++found;
  FindClose(handle);
  EXPECT_EQ(found, 3);  // cat.bmp, dog.jpg, sub.dir
}

TEST_F(FileFindTest, DosTimesCoverTheYears1980To2107) {
  WIN32_FIND_DATAA data;
  utimbuf times{};
  times.modtime = 315532800 - 86400;  // 31 December 1979, UTC
  times.actime = times.modtime;
  ASSERT_EQ(::utime(Path("dog.jpg").c_str(), &times), 0);
  HANDLE_FIND handle = FindFirstFileA(Path("dog.jpg").c_str(), &data);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  FindClose(handle);
  WORD date = 0, time = 0;
  EXPECT_FALSE(FileTimeToDosDateTime(&data.ftLastWriteTime, &date, &time));

  times.modtime = 1262304000 + 3600 * 13 + 61;  // 1 January 2010, 13:01:01 UTC
  times.actime = times.modtime;
  ASSERT_EQ(::utime(Path("dog.jpg").c_str(), &times), 0);
  handle = FindFirstFileA(Path("dog.jpg").c_str(), &data);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  FindClose(handle);
  ASSERT_TRUE(FileTimeToDosDateTime(&data.ftLastWriteTime, &date, &time));
  EXPECT_EQ(date, WORD((30 << 9) | (1 << 5) | 1));
  EXPECT_EQ(time, WORD((13 << 11) | (1 << 5) | 0));
  FILETIME local;
  EXPECT_TRUE(FileTimeToLocalFileTime(&data.ftLastWriteTime, &local));
}

}  // namespace
}  // namespace win
