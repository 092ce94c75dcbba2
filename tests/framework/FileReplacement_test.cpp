// Whole-file writes as the save uses them: what the new file takes from the one it replaces, its
// temporary file's name, ending signals in the middle of a write, folders that refuse new files
// and the file-size limit. Cases that need another user, a signal or a limit run in a child
// process.
#include "framework/FileReplacement.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>

#include "framework/Exceptions.h"
#include "tests/framework/GraphicsTestSupport.h"

namespace fw {
namespace {

namespace fs = std::filesystem;
using testing::TScratchFolder;

const std::vector<std::uint8_t> OldBytes = {1, 2, 3};
const std::vector<std::uint8_t> NewBytes = {0xFF, 0xD8, 0xFF, 0xD9};

std::vector<std::string> Content(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  ::lstat(path.c_str(), &info);
  return info.st_mode & 07777;
}

// Runs `body` in a child process, as an ordinary user when the tests run as the superuser (whom
// folder permissions do not hold back); returns the child's exit code, or 100 + the signal that
// ended it.
int InChild(const std::function<int()>& body, bool asOrdinaryUser) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (asOrdinaryUser && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
      ::_exit(90);
    int code = 91;
    try {
      code = body();
    } catch (...) {
    }
    ::_exit(code);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFSIGNALED(status) ? 100 + WTERMSIG(status) : WEXITSTATUS(status);
}

// A link at the target is replaced by a plain file that takes nothing from the link's target,
// and a replaced regular file passes on its permissions without the set-ID and sticky bits.
TEST(FileReplacement, TheNewFileTakesOnlyTheReplacedFilesPlainPermissions) {
  TScratchFolder folder;
  const std::string linked = folder.File("linked");
  testing::WriteFileBytes(linked, OldBytes);
  ::chmod(linked.c_str(), 04755);
  const std::string link = folder.File("link.jpg");
  fs::create_symlink(linked, link);
  const mode_t umask = ::umask(022);
  ::umask(umask);
  WriteFileReplacing(link, NewBytes);
  EXPECT_FALSE(fs::is_symlink(link));
  EXPECT_EQ(ModeOf(link), 0666 & ~umask);
  EXPECT_EQ(testing::ReadFileBytes(linked), OldBytes);
  EXPECT_EQ(ModeOf(linked), 04755u);

  const std::string special = folder.File("special.jpg");
  testing::WriteFileBytes(special, OldBytes);
  ::chmod(special.c_str(), 07751);
  WriteFileReplacing(special, NewBytes);
  EXPECT_EQ(ModeOf(special), 0751u);
  EXPECT_EQ(testing::ReadFileBytes(special), NewBytes);
}

// The temporary name is short and fixed, so a target name of the file system's longest length
// (255 bytes) can still be written.
TEST(FileReplacement, ATargetNameOfTheLongestLengthCanBeWritten) {
  TScratchFolder folder;
  const std::string name = std::string(251, 'n') + ".jpg";
  WriteFileReplacing(folder.File(name), NewBytes);
  EXPECT_EQ(testing::ReadFileBytes(folder.File(name)), NewBytes);
  EXPECT_EQ(Content(folder.Path()), std::vector<std::string>{name});
}

// A child writing a large file is stopped as soon as its temporary file appears and, while that
// file is still there, sent the signal: it must end by that signal, leaving the folder as it was.
// Every signal whose default action ends the program counts, those that dump core included.
TEST(FileReplacement, AnEndingSignalDuringTheWriteLeavesNoTemporaryFile) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGPIPE,
                           SIGXCPU, SIGVTALRM, SIGPROF, SIGRTMIN}) {
    SCOPED_TRACE(signal);
    TScratchFolder folder;
    const std::string target = folder.File("out.jpg");
    testing::WriteFileBytes(target, OldBytes);
    bool caught = false;
    for (std::size_t size = 16 << 20; size <= (256u << 20) && !caught; size *= 2) {
      const std::vector<std::uint8_t> bytes(size, 0x5A);
      const int watch = ::inotify_init1(IN_CLOEXEC);
      ASSERT_GE(::inotify_add_watch(watch, folder.Path().c_str(), IN_CREATE), 0);
      const pid_t child = ::fork();
      if (child == 0) {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        WriteFileReplacing(target, bytes);
        ::_exit(0);
      }
      pollfd created{watch, POLLIN, 0};
      ::poll(&created, 1, 10000);
      ::kill(child, SIGSTOP);
      int status = 0;
      ::waitpid(child, &status, WUNTRACED);
      caught = WIFSTOPPED(status) && Content(folder.Path()).size() == 2;
      if (caught) ::kill(child, signal);
      ::kill(child, SIGCONT);
      ::waitpid(child, &status, 0);
      ::close(watch);
      if (caught) {
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
      } else {
        ASSERT_TRUE(WIFEXITED(status)) << "the child finished before it could be stopped";
        testing::WriteFileBytes(target, OldBytes);
      }
    }
    ASSERT_TRUE(caught) << "no write was slow enough to be stopped in";
    EXPECT_EQ(Content(folder.Path()), std::vector<std::string>{"out.jpg"});
    EXPECT_EQ(testing::ReadFileBytes(target), OldBytes);
  }
}

// A folder the user may not write to: an existing writable plain file there is written over in
// place; without one, or with a link there, the creation error names the target and nothing
// changes.
TEST(FileReplacement, AFolderThatRefusesTheTemporaryFileStillLetsAWritableOutputBeReplaced) {
  TScratchFolder folder;
  ::chmod(folder.Path().c_str(), 0755);
  const fs::path locked = folder.Path() / "locked";
  fs::create_directory(locked);
  const std::string writable = (locked / "out.jpg").string();
  const std::string link = (locked / "link.jpg").string();
  testing::WriteFileBytes(writable, std::vector<std::uint8_t>(100, 7));
  ::chmod(writable.c_str(), 0666);
  testing::WriteFileBytes(folder.File("other"), OldBytes);
  ::chmod(folder.File("other").c_str(), 0666);
  fs::create_symlink(folder.File("other"), link);
  ::chmod(locked.c_str(), 0555);
  auto save = [&](const std::string& target) {
    return InChild(
        [&] {
          try {
            WriteFileReplacing(target, NewBytes);
          } catch (const EFCreateError& e) {
            return e.Message() == "ファイル " + target + " を作成できません" ? 2 : 3;
          }
          return 0;
        },
        true);
  };
  if (InChild([&] { return ::access(locked.c_str(), W_OK) == 0 ? 1 : 0; }, true) != 0)
    GTEST_SKIP() << "the folder cannot be locked against this user";
  EXPECT_EQ(save(writable), 0);
  EXPECT_EQ(testing::ReadFileBytes(writable), NewBytes);
  EXPECT_EQ(ModeOf(writable), 0666u);
  EXPECT_EQ(save(link), 2);
  EXPECT_EQ(testing::ReadFileBytes(folder.File("other")), OldBytes);
  EXPECT_EQ(save((locked / "new.jpg").string()), 2);
  EXPECT_EQ(Content(locked), (std::vector<std::string>{"link.jpg", "out.jpg"}));
  ::chmod(locked.c_str(), 0755);
}

// Past the file-size limit (ulimit -f) the write fails with the write error instead of ending the
// program, and the earlier output keeps its bytes: no temporary file is left, and one written over
// in place is left as it was, whether the new file is longer (its space is refused before the
// first byte) or shorter (what was written over is put back).
TEST(FileReplacement, TheFileSizeLimitFailsTheWriteAndLeavesTheEarlierOutputAsItWas) {
  struct TCase {
    bool InPlace;
    std::size_t OldSize, NewSize;
  };
  constexpr rlim_t Limit = 4096;
  for (const TCase& c :
       {TCase{false, 100, 8192}, TCase{true, 100, 8192}, TCase{true, 8192, 6000}}) {
    SCOPED_TRACE(::testing::Message() << c.InPlace << ' ' << c.OldSize << ' ' << c.NewSize);
    TScratchFolder folder;
    ::chmod(folder.Path().c_str(), 0755);
    const fs::path locked = folder.Path() / "locked";
    fs::create_directory(locked);
    const std::string target = (locked / "out.jpg").string();
    const std::vector<std::uint8_t> old(c.OldSize, 7), bytes(c.NewSize, 0xA5);
    testing::WriteFileBytes(target, old);
    ::chmod(target.c_str(), 0666);
    ::chmod(locked.c_str(), c.InPlace ? 0555 : 0777);
    if (c.InPlace &&
        InChild([&] { return ::access(locked.c_str(), W_OK) == 0 ? 1 : 0; }, true) != 0)
      GTEST_SKIP() << "the folder cannot be locked against this user";
    const int code = InChild(
        [&] {
          const rlimit limit{Limit, Limit};
          ::setrlimit(RLIMIT_FSIZE, &limit);
          try {
            WriteFileReplacing(target, bytes);
          } catch (const EWriteError&) {
            return 2;
          }
          return 0;
        },
        true);
    ::chmod(locked.c_str(), 0755);
    EXPECT_EQ(code, 2);
    EXPECT_EQ(testing::ReadFileBytes(target), old);
    EXPECT_EQ(Content(locked), std::vector<std::string>{"out.jpg"});
  }
}

}  // namespace
}  // namespace fw
