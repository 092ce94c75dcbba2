#include "framework/FileReplacement.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>

#include "framework/Exceptions.h"
#include "framework/Streams.h"

namespace fw {
namespace {

[[noreturn]] void RaiseCreateError(const std::string& fileName) {
  throw EFCreateError(Exception::ResMessage(SFCreateError, fileName));
}

// ---- Signals while a temporary file exists ----------------------------------------------------

// The signals that end a program from a terminal or a session manager.
constexpr int EndingSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The temporary file that an ending signal must not leave behind. Only the handler reads these,
// so they are plain static storage: a path set before the file is created, and a flag set once
// it exists (both changed with the ending signals blocked).
char PendingPath[PATH_MAX];
volatile std::sig_atomic_t PendingExists = 0;

extern "C" void RemovePendingFileAndEnd(int signal) {
  // Only async-signal-safe calls: unlink, then the signal again under its default action (the
  // handler was installed to reset), which ends the program with the status a shell expects.
  if (PendingExists != 0) ::unlink(PendingPath);
  ::raise(signal);
}

// Blocks the ending signals for its lifetime, so that creating or renaming the temporary file and
// noting it happen as one step for the handler.
class TEndingSignalsBlocked {
 public:
  TEndingSignalsBlocked() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : EndingSignals)
      sigaddset(&set, signal);
    ::sigprocmask(SIG_BLOCK, &set, &FPrevious);
  }
  ~TEndingSignalsBlocked() { ::sigprocmask(SIG_SETMASK, &FPrevious, nullptr); }
  TEndingSignalsBlocked(const TEndingSignalsBlocked&) = delete;
  TEndingSignalsBlocked& operator=(const TEndingSignalsBlocked&) = delete;

 private:
  sigset_t FPrevious;
};

// While it lives, an ending signal removes the pending temporary file before the program ends.
// Signals the program ignores (say SIGHUP under nohup) stay ignored.
class TPendingFileCleanup {
 public:
  TPendingFileCleanup() {
    for (std::size_t i = 0; i < std::size(EndingSignals); ++i) {
      struct sigaction action {};
      action.sa_handler = RemovePendingFileAndEnd;
      action.sa_flags = SA_RESETHAND;
      sigemptyset(&action.sa_mask);
      FInstalled[i] = ::sigaction(EndingSignals[i], nullptr, &FPrevious[i]) == 0 &&
                      FPrevious[i].sa_handler != SIG_IGN &&
                      ::sigaction(EndingSignals[i], &action, nullptr) == 0;
    }
  }
  ~TPendingFileCleanup() {
    for (std::size_t i = 0; i < std::size(EndingSignals); ++i)
      if (FInstalled[i]) ::sigaction(EndingSignals[i], &FPrevious[i], nullptr);
  }
  TPendingFileCleanup(const TPendingFileCleanup&) = delete;
  TPendingFileCleanup& operator=(const TPendingFileCleanup&) = delete;

 private:
  struct sigaction FPrevious[std::size(EndingSignals)]{};
  bool FInstalled[std::size(EndingSignals)] = {};
};

// ---- The temporary file -----------------------------------------------------------------------

bool WriteAll(int handle, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(handle, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += std::size_t(n);
  }
  return true;
}

// The permission bits an output keeps from the regular file it replaces: never those of a link's
// target, and never set-user-ID, set-group-ID or sticky.
std::optional<mode_t> KeptPermissions(const std::string& target) {
  struct stat existing;
  if (::lstat(target.c_str(), &existing) != 0 || !S_ISREG(existing.st_mode)) return std::nullopt;
  return existing.st_mode & 0777;
}

// A temporary file beside the target, removed again unless it was renamed into place. Its name
// is short and of fixed length (".tovu-" and eight hexadecimal digits), so it fits wherever the
// target's name fits.
class TTemporaryFile {
 public:
  explicit TTemporaryFile(const std::string& target) {
    const std::filesystem::path path(target);
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    std::random_device random;
    for (int attempt = 0; attempt < 16 && FHandle < 0; ++attempt) {
      char name[32];
      std::snprintf(name, sizeof name, ".tovu-%08x.tmp", unsigned(random()));
      const std::string candidate = (folder / name).string();
      if (candidate.size() >= sizeof PendingPath) break;
      const TEndingSignalsBlocked blocked;
      std::memcpy(PendingPath, candidate.c_str(), candidate.size() + 1);
      // 0666 as for any new file; the process's umask applies.
      FHandle = ::open(PendingPath, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      const int error = errno;
      PendingExists = FHandle >= 0;
      if (FHandle < 0 && error != EEXIST) break;
    }
  }
  ~TTemporaryFile() {
    if (FHandle >= 0) ::close(FHandle);
    const TEndingSignalsBlocked blocked;
    if (PendingExists != 0) ::unlink(PendingPath);
    PendingExists = 0;
  }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;

  bool Created() const { return FHandle >= 0; }

  bool Write(std::span<const std::uint8_t> bytes) { return WriteAll(FHandle, bytes); }

  void TakePermissionsOf(const std::string& target) {
    if (const std::optional<mode_t> mode = KeptPermissions(target)) ::fchmod(FHandle, *mode);
  }

  bool Finish() {
    const bool synced = ::fsync(FHandle) == 0;
    const bool closed = ::close(FHandle) == 0;
    FHandle = -1;
    return synced && closed;
  }

  bool PlaceAs(const std::string& target) {
    const TEndingSignalsBlocked blocked;
    const bool placed = ::rename(PendingPath, target.c_str()) == 0;
    if (placed) PendingExists = 0;
    return placed;
  }

 private:
  int FHandle = -1;
};

// ---- Writing in place -------------------------------------------------------------------------

// Writes the bytes over an existing regular file (not a link) that the program may write, for a
// folder that lets nobody create the temporary file. The bytes are all in memory already, so
// everything that can fail before the first byte is written leaves the old file as it was.
// Returns false when the target is no such file.
bool WriteInPlace(const std::string& target, std::span<const std::uint8_t> bytes) {
  struct stat existing;
  if (::lstat(target.c_str(), &existing) != 0 || !S_ISREG(existing.st_mode)) return false;
  const int handle = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (handle < 0) return false;
  // The program's own sharing rule, as for its file streams: nobody else holds the file.
  struct stat opened;
  const bool usable = ::fstat(handle, &opened) == 0 && S_ISREG(opened.st_mode) &&
                      ::flock(handle, LOCK_EX | LOCK_NB) == 0;
  if (!usable) {
    ::close(handle);
    return false;
  }
  if ((opened.st_mode & 07000) != 0) ::fchmod(handle, opened.st_mode & 0777);
  const bool written = WriteAll(handle, bytes) && ::ftruncate(handle, off_t(bytes.size())) == 0 &&
                       ::fsync(handle) == 0;
  const bool closed = ::close(handle) == 0;
  if (!written || !closed) throw EWriteError(LoadResString(SWriteError));
  return true;
}

// The program's own sharing rules: a target that another of its streams holds with writing
// denied (or that cannot be opened for writing at all) cannot be created anew either.
void CheckTargetWritable(const std::string& fileName, const std::string& systemPath) {
  std::error_code error;
  if (!std::filesystem::exists(systemPath, error)) return;
  if (std::filesystem::is_directory(systemPath, error)) RaiseCreateError(fileName);
  try {
    TFileStream probe(fileName, systemPath, fmOpenWrite | fmShareDenyNone);
  } catch (const EFOpenError&) {
    RaiseCreateError(fileName);
  }
}

}  // namespace

void WriteFileReplacing(const std::string& FileName, std::span<const std::uint8_t> Bytes) {
  const std::optional<std::string> path = SystemPath(FileName);
  if (!path || path->empty()) RaiseCreateError(FileName);
  CheckTargetWritable(FileName, *path);
  const TPendingFileCleanup cleanup;
  TTemporaryFile temporary(*path);
  if (!temporary.Created()) {
    if (WriteInPlace(*path, Bytes)) return;
    RaiseCreateError(FileName);
  }
  temporary.TakePermissionsOf(*path);
  if (!temporary.Write(Bytes) || !temporary.Finish()) throw EWriteError(LoadResString(SWriteError));
  if (!temporary.PlaceAs(*path)) RaiseCreateError(FileName);
}

}  // namespace fw
