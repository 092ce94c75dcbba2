// The file calls on Linux: descriptors behind kernel handles, names converted from the process
// code page to the file system's UTF-8, sharing modes enforced among the program's own openers
// with advisory locks, and temporary files that an ending signal removes.
#include "framework/platform/Files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/platform/CodePage.h"
#include "framework/platform/CodePageConversion.h"
#include "framework/platform/LastError.h"
#include "framework/platform/kernel/KernelObject.h"

namespace win {
namespace {

struct TFileObject : TKernelObject {
  explicit TFileObject(int descriptor) : FDescriptor(descriptor) {}
  ~TFileObject() override {
    if (FDescriptor >= 0) ::close(FDescriptor);
  }
  int FDescriptor;
};

TFileObject* FileOf(HANDLE handle) {
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return nullptr;
  return dynamic_cast<TFileObject*>(handle);
}

// A name as the file system takes it (UTF-8), from one in the process code page.
std::optional<std::string> SystemName(LPCSTR fileName) {
  if (fileName == nullptr || *fileName == '\0') return std::nullopt;
  if (GetACP() == CP_UTF8) return std::string(fileName);
  return ConvertCodePage(fileName, GetACP(), CP_UTF8);
}

DWORD ErrorOf(int error) {
  switch (error) {
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EEXIST:
      return ERROR_FILE_EXISTS;
    case EWOULDBLOCK:
      return ERROR_SHARING_VIOLATION;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    default:
      return ERROR_ACCESS_DENIED;
  }
}

BOOL Fail(int error) {
  SetLastError(ErrorOf(error));
  return FALSE;
}

BOOL Refuse(DWORD error) {
  SetLastError(error);
  return FALSE;
}

// ---- Temporary files and the ending signals ---------------------------------------------------

// Every signal whose default action ends the program and that a handler can catch: those of a
// terminal or session manager, those a program or the kernel sends (alarms, CPU-time limits, a
// closed pipe, the user signals), the faults and every real-time signal. SIGKILL cannot be
// caught; SIGXFSZ is ignored instead (IgnoreFileSizeSignal).
std::vector<int> ListEndingSignals() {
  std::vector<int> signals = {SIGHUP,    SIGINT,  SIGQUIT,   SIGILL,  SIGTRAP, SIGABRT, SIGBUS,
                              SIGFPE,    SIGUSR1, SIGSEGV,   SIGUSR2, SIGPIPE, SIGALRM, SIGTERM,
                              SIGSTKFLT, SIGXCPU, SIGVTALRM, SIGPROF, SIGIO,   SIGPWR,  SIGSYS};
  for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal)
    signals.push_back(signal);
  return signals;
}

const std::vector<int>& EndingSignals() {
  static const std::vector<int> signals = ListEndingSignals();
  return signals;
}

sigset_t EndingSignalSet() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : EndingSignals())
    sigaddset(&set, signal);
  return set;
}

// The one temporary file that an ending signal must not leave behind. Only the handler reads
// these, so they are plain static storage, changed with the ending signals blocked.
char PendingPath[PATH_MAX];
volatile std::sig_atomic_t PendingExists = 0;
struct sigaction PreviousActions[NSIG];
bool Installed[NSIG] = {};

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
    const sigset_t set = EndingSignalSet();
    ::sigprocmask(SIG_BLOCK, &set, &FPrevious);
  }
  ~TEndingSignalsBlocked() { ::sigprocmask(SIG_SETMASK, &FPrevious, nullptr); }
  TEndingSignalsBlocked(const TEndingSignalsBlocked&) = delete;
  TEndingSignalsBlocked& operator=(const TEndingSignalsBlocked&) = delete;

 private:
  sigset_t FPrevious;
};

// While a temporary file is pending, an ending signal removes it before the program ends. Only
// signals that would end the program as they stand are taken over: one the program ignores (say
// SIGHUP under nohup) stays ignored, and one with a handler of its own (a sanitizer's report of a
// fault) keeps it.
void InstallHandlers() {
  struct sigaction action {};
  action.sa_handler = RemovePendingFileAndEnd;
  action.sa_flags = SA_RESETHAND;
  action.sa_mask = EndingSignalSet();
  for (const int signal : EndingSignals()) {
    Installed[signal] = ::sigaction(signal, nullptr, &PreviousActions[signal]) == 0 &&
                        (PreviousActions[signal].sa_flags & SA_SIGINFO) == 0 &&
                        PreviousActions[signal].sa_handler == SIG_DFL &&
                        ::sigaction(signal, &action, nullptr) == 0;
  }
}

void RestoreHandlers() {
  for (const int signal : EndingSignals())
    if (std::exchange(Installed[signal], false))
      ::sigaction(signal, &PreviousActions[signal], nullptr);
}

// A write past the file-size limit (ulimit -f) fails with its error, as a write to a full disk
// does, instead of ending the program by SIGXFSZ. The signal is caught by a handler that does
// nothing rather than set to SIG_IGN, which programs started later would inherit; a handler the
// program set itself stays.
extern "C" void IgnoreSignal(int) {}

void IgnoreFileSizeSignal() {
  static const bool ignored = [] {
    struct sigaction current {};
    if (::sigaction(SIGXFSZ, nullptr, &current) != 0 || (current.sa_flags & SA_SIGINFO) != 0 ||
        current.sa_handler != SIG_DFL)
      return false;
    struct sigaction action {};
    action.sa_handler = IgnoreSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    return ::sigaction(SIGXFSZ, &action, nullptr) == 0;
  }();
  (void)ignored;
}

bool IsPending(const std::string& path) {
  return PendingExists != 0 && path == PendingPath;
}

// Creates the temporary file with the ending signals blocked, noting it for the handler.
int CreateTemporary(const std::string& path, int flags) {
  if (PendingExists != 0 || path.size() >= sizeof PendingPath) {
    errno = EBUSY;
    return -1;
  }
  InstallHandlers();
  const TEndingSignalsBlocked blocked;
  std::memcpy(PendingPath, path.c_str(), path.size() + 1);
  // 0666 as for any new file; the process's umask applies.
  const int descriptor = ::open(PendingPath, flags, 0666);
  const int error = errno;
  PendingExists = descriptor >= 0;
  if (descriptor < 0) RestoreHandlers();
  errno = error;
  return descriptor;
}

// Renames or removes `path` with the ending signals blocked; a pending temporary file of that
// name is then no longer pending.
template <class TOperation>
bool ChangePending(const std::string& path, TOperation operation) {
  const TEndingSignalsBlocked blocked;
  const bool pending = IsPending(path);
  if (!operation()) return false;
  if (pending) {
    PendingExists = 0;
    RestoreHandlers();
  }
  return true;
}

// ---- Opening ----------------------------------------------------------------------------------

// The advisory lock that stands for the sharing mode: readers that deny writing (or reading)
// share a lock that writers cannot take; writers and exclusive openers hold it alone.
int LockFor(DWORD access, DWORD share) {
  if ((access & GENERIC_WRITE) != 0 || share == 0) return LOCK_EX;
  if ((share & FILE_SHARE_WRITE) == 0 || (share & FILE_SHARE_READ) == 0) return LOCK_SH;
  return 0;
}

int OpenFlags(DWORD access, DWORD disposition, DWORD flags) {
  int result = O_CLOEXEC | O_NONBLOCK;
  const bool read = (access & GENERIC_READ) != 0;
  const bool write = (access & GENERIC_WRITE) != 0;
  result |= read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY;
  if (disposition == CREATE_NEW) result |= O_CREAT | O_EXCL;
  if (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS) result |= O_CREAT;
  if ((flags & FILE_FLAG_OPEN_REPARSE_POINT) != 0) result |= O_NOFOLLOW;
  return result;
}

// Folders, pipes and sockets are no files: reading one would fail or wait for ever. A file
// opened as itself (FILE_FLAG_OPEN_REPARSE_POINT) must be a regular file.
bool IsOpenable(const struct stat& info, DWORD flags) {
  if ((flags & FILE_FLAG_OPEN_REPARSE_POINT) != 0 && !S_ISREG(info.st_mode)) return false;
  return !S_ISDIR(info.st_mode) && !S_ISFIFO(info.st_mode) && !S_ISSOCK(info.st_mode);
}

// Everything after open(2): the kind of file, blocking reads again, the sharing lock, and then,
// so that a file another opener protects is never emptied, the truncation CREATE_ALWAYS asks for.
// Writing a file in place as itself drops its set-user-ID, set-group-ID and sticky bits.
bool Prepare(int descriptor, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  struct stat info {};
  if (::fstat(descriptor, &info) != 0 || !IsOpenable(info, flags)) return false;
  if (::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK) != 0) return false;
  if (const int lock = LockFor(access, share);
      lock != 0 && ::flock(descriptor, lock | LOCK_NB) != 0)
    return false;
  if (disposition == CREATE_ALWAYS && S_ISREG(info.st_mode) && ::ftruncate(descriptor, 0) != 0)
    return false;
  if ((flags & FILE_FLAG_OPEN_REPARSE_POINT) != 0 && (access & GENERIC_WRITE) != 0 &&
      (info.st_mode & 07000) != 0)
    ::fchmod(descriptor, info.st_mode & 0777);
  return true;
}

}  // namespace

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode, void* security,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile) {
  const std::optional<std::string> path = SystemName(fileName);
  if (!path || security != nullptr || templateFile != nullptr || creationDisposition == 0 ||
      creationDisposition > OPEN_ALWAYS) {
    SetLastError(path ? ERROR_INVALID_PARAMETER : ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  if ((desiredAccess & GENERIC_WRITE) != 0) IgnoreFileSizeSignal();
  const int flags = OpenFlags(desiredAccess, creationDisposition, flagsAndAttributes);
  const bool temporary =
      (flagsAndAttributes & FILE_ATTRIBUTE_TEMPORARY) != 0 && creationDisposition == CREATE_NEW;
  int descriptor = -1;
  do {
    descriptor = temporary ? CreateTemporary(*path, flags) : ::open(path->c_str(), flags, 0666);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) {
    Fail(errno);
    return INVALID_HANDLE_VALUE;
  }
  auto file = std::make_unique<TFileObject>(descriptor);
  if (!Prepare(descriptor, desiredAccess, shareMode, creationDisposition, flagsAndAttributes)) {
    const int error = errno == 0 ? EACCES : errno;
    file.reset();
    if (temporary) ChangePending(*path, [&] { return ::unlink(path->c_str()) == 0; });
    Fail(error);
    return INVALID_HANDLE_VALUE;
  }
  SetLastError(ERROR_SUCCESS);
  return file.release();
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, DWORD* read, void* overlapped) {
  TFileObject* object = FileOf(file);
  if (read != nullptr) *read = 0;
  if (object == nullptr || overlapped != nullptr || (buffer == nullptr && toRead != 0))
    return Refuse(ERROR_INVALID_PARAMETER);
  DWORD done = 0;
  auto* out = static_cast<std::uint8_t*>(buffer);
  while (done < toRead) {
    const ssize_t n = ::read(object->FDescriptor, out + done, toRead - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Fail(errno);
    if (n == 0) break;
    done += DWORD(n);
  }
  if (read != nullptr) *read = done;
  return TRUE;
}

BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written, void* overlapped) {
  TFileObject* object = FileOf(file);
  if (written != nullptr) *written = 0;
  if (object == nullptr || overlapped != nullptr || (buffer == nullptr && toWrite != 0))
    return Refuse(ERROR_INVALID_PARAMETER);
  DWORD done = 0;
  const auto* in = static_cast<const std::uint8_t*>(buffer);
  while (done < toWrite) {
    const ssize_t n = ::write(object->FDescriptor, in + done, toWrite - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (written != nullptr) *written = done;
      return Fail(n < 0 ? errno : ENOSPC);
    }
    done += DWORD(n);
  }
  if (written != nullptr) *written = done;
  return TRUE;
}

BOOL SetFilePointerEx(HANDLE file, LARGE_INTEGER distance, LARGE_INTEGER* newPointer,
                      DWORD moveMethod) {
  TFileObject* object = FileOf(file);
  if (object == nullptr || moveMethod > FILE_END) return Refuse(ERROR_INVALID_PARAMETER);
  const int whence = moveMethod == FILE_BEGIN     ? SEEK_SET
                     : moveMethod == FILE_CURRENT ? SEEK_CUR
                                                  : SEEK_END;
  const off_t result = ::lseek(object->FDescriptor, off_t(distance.QuadPart), whence);
  if (result < 0) return Fail(EINVAL);
  if (newPointer != nullptr) newPointer->QuadPart = result;
  return TRUE;
}

BOOL GetFileSizeEx(HANDLE file, LARGE_INTEGER* size) {
  TFileObject* object = FileOf(file);
  struct stat info {};
  if (object == nullptr || size == nullptr) return Refuse(ERROR_INVALID_PARAMETER);
  if (::fstat(object->FDescriptor, &info) != 0) return Fail(errno);
  size->QuadPart = info.st_size;
  return TRUE;
}

BOOL SetEndOfFile(HANDLE file) {
  TFileObject* object = FileOf(file);
  if (object == nullptr) return Refuse(ERROR_INVALID_HANDLE);
  const int descriptor = object->FDescriptor;
  struct stat info {};
  const off_t at = ::lseek(descriptor, 0, SEEK_CUR);
  if (at < 0 || ::fstat(descriptor, &info) != 0) return Fail(errno);
  // A file made longer has the disk space for its new end, as on the platform, so that writing
  // up to it cannot run out; a file system that cannot reserve space only sets the size. When
  // the space is not there, the file keeps its size.
  if (at > info.st_size && ::fallocate(descriptor, 0, info.st_size, at - info.st_size) != 0 &&
      errno != EOPNOTSUPP && errno != ENOSYS) {
    const int error = errno;
    // Some file systems extend the file by what they could reserve before they fail.
    [[maybe_unused]] const int restored = ::ftruncate(descriptor, info.st_size);
    return Fail(error);
  }
  if (::ftruncate(descriptor, at) != 0) return Fail(errno);
  return TRUE;
}

BOOL FlushFileBuffers(HANDLE file) {
  TFileObject* object = FileOf(file);
  if (object == nullptr) return Refuse(ERROR_INVALID_HANDLE);
  return ::fsync(object->FDescriptor) == 0 ? TRUE : Fail(errno);
}

BOOL CloseHandle(HANDLE handle) {
  TFileObject* object = FileOf(handle);
  if (object == nullptr) return Refuse(ERROR_INVALID_HANDLE);
  const int descriptor = std::exchange(object->FDescriptor, -1);
  delete object;
  return ::close(descriptor) == 0 ? TRUE : Fail(errno);
}

BOOL MoveFileExA(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags) {
  const std::optional<std::string> from = SystemName(existingFileName);
  const std::optional<std::string> to = SystemName(newFileName);
  if (!from || !to) return Fail(ENOENT);
  if ((flags & MOVEFILE_REPLACE_EXISTING) == 0 && ::access(to->c_str(), F_OK) == 0)
    return Fail(EEXIST);
  return ChangePending(*from, [&] { return ::rename(from->c_str(), to->c_str()) == 0; })
             ? TRUE
             : Fail(errno);
}

BOOL ReplaceFileA(LPCSTR replacedFileName, LPCSTR replacementFileName, LPCSTR backupFileName,
                  DWORD replaceFlags, void* exclude, void* reserved) {
  const std::optional<std::string> replaced = SystemName(replacedFileName);
  const std::optional<std::string> replacement = SystemName(replacementFileName);
  if (!replaced || !replacement || backupFileName != nullptr || replaceFlags != 0 ||
      exclude != nullptr || reserved != nullptr)
    return Fail(EINVAL);
  // The replaced file lends its permission bits, never those of a link's target.
  struct stat existing {};
  if (::lstat(replaced->c_str(), &existing) != 0) return Fail(errno);
  if (S_ISREG(existing.st_mode)) ::chmod(replacement->c_str(), existing.st_mode & 0777);
  return ChangePending(*replacement,
                       [&] { return ::rename(replacement->c_str(), replaced->c_str()) == 0; })
             ? TRUE
             : Fail(errno);
}

BOOL DeleteFileA(LPCSTR fileName) {
  const std::optional<std::string> path = SystemName(fileName);
  if (!path) return Fail(ENOENT);
  return ChangePending(*path, [&] { return ::unlink(path->c_str()) == 0; }) ? TRUE : Fail(errno);
}

DWORD GetFileAttributesA(LPCSTR fileName) {
  const std::optional<std::string> path = SystemName(fileName);
  struct stat info {};
  if (!path || ::stat(path->c_str(), &info) != 0) {
    SetLastError(ErrorOf(path ? errno : ENOENT));
    return INVALID_FILE_ATTRIBUTES;
  }
  DWORD attributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  if (::access(path->c_str(), W_OK) != 0 && errno == EACCES) attributes |= FILE_ATTRIBUTE_READONLY;
  return attributes;
}

}  // namespace win
