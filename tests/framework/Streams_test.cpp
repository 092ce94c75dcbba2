#include "framework/Streams.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "framework/Exceptions.h"
#include "framework/platform/CodePage.h"

namespace fw {
namespace {

namespace fs = std::filesystem;

// A scratch folder that goes with the test.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "tovu-streams-XXXXXX").string();
    FPath = ::mkdtemp(pattern.data());
  }
  ~TempDir() { fs::remove_all(FPath); }
  std::string File(const std::string& name) const { return (fs::path(FPath) / name).string(); }

 private:
  std::string FPath;
};

TEST(MemoryStream, ReadsWritesAndSeeksLikeAFile) {
  TMemoryStream s;
  s.WriteBuffer("abcdef", 6);
  EXPECT_EQ(s.Size(), 6);
  EXPECT_EQ(s.Seek(-2, soEnd), 4);
  char two[2];
  s.ReadBuffer(two, 2);
  EXPECT_EQ(std::string(two, 2), "ef");
  EXPECT_EQ(s.Read(two, 2), 0);  // at the end
  s.SetPosition(8);              // past the end: writing there fills the gap with zeros
  s.WriteBuffer("!", 1);
  EXPECT_EQ(s.Size(), 9);
  EXPECT_EQ(s.Memory()[6], 0);
  EXPECT_EQ(s.Seek(-100, soCurrent), 0);
  s.SetSize(3);
  EXPECT_EQ(s.Size(), 3);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(s.Memory()), 3), "abc");
  s.SetSize(9);  // growing again within the memory it had: the new bytes are zeros too
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(s.Memory()), 9),
            std::string("abc\0\0\0\0\0\0", 9));
}

TEST(MemoryStream, ShortReadBufferRaisesEReadErrorWithItsMessage) {
  TMemoryStream s;
  s.WriteBuffer("abc", 3);
  s.SetPosition(1);
  std::array<char, 4> buffer{};
  try {
    s.ReadBuffer(buffer.data(), 4);
    FAIL() << "no error";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "ストリームからの読み込みエラー");
  }
  EXPECT_THROW(s.ReadBuffer(buffer.data(), -1), EReadError);
}

TEST(MemoryStream, AbsurdSizesFailCleanlyInsteadOfAllocating) {
  TMemoryStream s;
  EXPECT_THROW(s.SetSize(std::int64_t{1} << 40), EOutOfMemory);
  EXPECT_THROW(s.SetSize(-1), EOutOfMemory);
  s.SetPosition(TMemoryStream::MaxSize);
  EXPECT_THROW(s.WriteBuffer("x", 1), EWriteError);
  EXPECT_EQ(s.Size(), 0);
}

TEST(MemoryStream, CopyFromTakesTheWholeSourceWhenCountIsZero) {
  TMemoryStream source, target;
  source.WriteBuffer("0123456789", 10);
  source.SetPosition(7);
  EXPECT_EQ(target.CopyFrom(source, 0), 10);
  EXPECT_EQ(target.Size(), 10);
  source.SetPosition(8);
  EXPECT_THROW(target.CopyFrom(source, 5), EReadError);
}

TEST(FileStream, CreatesWritesReopensAndReads) {
  TempDir dir;
  const std::string path = dir.File("data.bin");
  {
    TFileStream out(path, fmCreate);
    out.WriteBuffer("hello", 5);
  }
  {
    TFileStream out(path, fmCreate);  // an existing file is emptied
    out.WriteBuffer("hi", 2);
  }
  TFileStream in(path, fmOpenRead | fmShareDenyWrite);
  EXPECT_EQ(in.Size(), 2);
  char buffer[2];
  in.ReadBuffer(buffer, 2);
  EXPECT_EQ(std::string(buffer, 2), "hi");
  EXPECT_THROW(in.ReadBuffer(buffer, 1), EReadError);
}

TEST(FileStream, OpenAndCreateFailuresNameThePath) {
  TempDir dir;
  const std::string missing = dir.File("missing.bmp");
  try {
    TFileStream in(missing, fmOpenRead | fmShareDenyWrite);
    FAIL() << "opened a missing file";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "ファイル " + missing + " は開けません");
  }
  const std::string inMissingFolder = dir.File("no/such/folder/out.jpg");
  try {
    TFileStream out(inMissingFolder, fmCreate);
    FAIL() << "created a file in a missing folder";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "ファイル " + inMissingFolder + " を作成できません");
  }
  EXPECT_THROW(TFileStream(dir.File(""), fmOpenRead), EFOpenError);  // a folder is no file
}

// A named pipe with nobody at its other end would block an open or a read for ever.
TEST(FileStream, NamedPipesFailAtOnceInsteadOfWaiting) {
  TempDir dir;
  const std::string pipe = dir.File("picture.bmp");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_THROW(TFileStream(pipe, fmOpenRead | fmShareDenyWrite), EFOpenError);
  EXPECT_THROW(TFileStream(pipe, fmCreate), EFCreateError);
  EXPECT_THROW(TFileStream(pipe, fmOpenWrite), EFOpenError);
}

TEST(FileStream, ReadingWithOthersDeniedWritingKeepsWritersOut) {
  TempDir dir;
  const std::string path = dir.File("picture.bmp");
  { TFileStream(path, fmCreate).WriteBuffer("BM", 2); }
  {
    TFileStream reader(path, fmOpenRead | fmShareDenyWrite);
    TFileStream secondReader(path, fmOpenRead | fmShareDenyWrite);  // readers may share
    EXPECT_THROW(TFileStream(path, fmOpenWrite | fmShareDenyNone), EFOpenError);
    EXPECT_THROW(TFileStream(path, fmCreate), EFCreateError);
    EXPECT_EQ(fs::file_size(path), 2u);  // the refused creation did not empty the file
  }
  TFileStream writer(path, fmOpenReadWrite | fmShareExclusive);
  EXPECT_THROW(TFileStream(path, fmOpenRead | fmShareDenyWrite), EFOpenError);
}

TEST(FileStream, PathsInShiftJisAreOpenedUnderTheirUnicodeNames) {
  TempDir dir;
  const std::string utf8Path = dir.File("\xE8\xA1\xA8.bmp");  // 表.bmp
  { TFileStream(utf8Path, fmCreate).WriteBuffer("x", 1); }
  win::TScopedCodePage sjis(win::CP_SHIFTJIS);
  const std::string sjisPath = dir.File("\x95\x5C.bmp");
  TFileStream in(sjisPath, fmOpenRead);
  EXPECT_EQ(in.Size(), 1);
}

}  // namespace
}  // namespace fw
