#include "gfx/FileReplacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <random>

#include "framework/Exceptions.h"
#include "framework/Streams.h"
#include "framework/platform/CodePage.h"
#include "framework/platform/CodePageConversion.h"

namespace fw {
namespace {

[[noreturn]] void RaiseCreateError(const std::string& fileName) {
  throw EFCreateError(Exception::ResMessage(SFCreateError, fileName));
}

// A temporary file beside the target, removed again unless it was renamed into place.
class TTemporaryFile {
 public:
  explicit TTemporaryFile(const std::string& target) {
    const std::filesystem::path path(target);
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    std::random_device random;
    for (int attempt = 0; attempt < 16 && FHandle < 0; ++attempt) {
      const std::string name =
          "." + path.filename().string() + "." + std::to_string(random() % 1000000000u) + ".tmp";
      FPath = (folder / name).string();
      // 0666 as for any new file; the process's umask applies.
      FHandle = ::open(FPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (FHandle < 0 && errno != EEXIST) break;
    }
  }
  ~TTemporaryFile() {
    if (FHandle >= 0) ::close(FHandle);
    if (!FPath.empty() && !FPlaced) ::unlink(FPath.c_str());
  }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;

  bool Created() const { return FHandle >= 0; }

  bool WriteAll(std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::write(FHandle, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += std::size_t(n);
    }
    return true;
  }

  // The replaced file's permissions carry over to its successor.
  void TakePermissionsOf(const std::string& target) {
    struct stat existing;
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
      ::fchmod(FHandle, existing.st_mode & 07777);
  }

  bool Finish() {
    const bool synced = ::fsync(FHandle) == 0;
    const bool closed = ::close(FHandle) == 0;
    FHandle = -1;
    return synced && closed;
  }

  bool PlaceAs(const std::string& target) {
    FPlaced = ::rename(FPath.c_str(), target.c_str()) == 0;
    return FPlaced;
  }

 private:
  std::string FPath;
  int FHandle = -1;
  bool FPlaced = false;
};

// The path as the file system takes it (UTF-8), from the process code page.
std::optional<std::string> SystemPath(const std::string& path) {
  if (win::GetACP() == win::CP_UTF8) return path;
  return win::ConvertCodePage(path, win::GetACP(), win::CP_UTF8);
}

// The program's own sharing rules: a target that another of its streams holds with writing
// denied (or that cannot be opened for writing at all) cannot be created anew either.
void CheckTargetWritable(const std::string& fileName, const std::string& systemPath) {
  std::error_code error;
  if (!std::filesystem::exists(systemPath, error)) return;
  if (std::filesystem::is_directory(systemPath, error)) RaiseCreateError(fileName);
  try {
    TFileStream probe(fileName, fmOpenWrite | fmShareDenyNone);
  } catch (const EFOpenError&) {
    RaiseCreateError(fileName);
  }
}

}  // namespace

void WriteFileReplacing(const std::string& FileName, std::span<const std::uint8_t> Bytes) {
  const std::optional<std::string> path = SystemPath(FileName);
  if (!path || path->empty()) RaiseCreateError(FileName);
  CheckTargetWritable(FileName, *path);
  TTemporaryFile temporary(*path);
  if (!temporary.Created()) RaiseCreateError(FileName);
  temporary.TakePermissionsOf(*path);
  if (!temporary.WriteAll(Bytes) || !temporary.Finish())
    throw EWriteError(LoadResString(SWriteError));
  if (!temporary.PlaceAs(*path)) RaiseCreateError(FileName);
}

}  // namespace fw
