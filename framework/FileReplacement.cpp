#include "framework/FileReplacement.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/FilePaths.h"
#include "framework/Streams.h"
#include "framework/platform/Files.h"
#include "framework/platform/LastError.h"

namespace fw {
namespace {

[[noreturn]] void RaiseCreateError(const std::string& fileName) {
  throw EFCreateError(Exception::ResMessage(SFCreateError, fileName));
}

// Reads or writes (`transfer`, ReadFile or WriteFile) all of `bytes`, in pieces that the
// platform's 32-bit counts can take.
template <class TByte, class TTransfer>
bool TransferAll(win::HANDLE handle, std::span<TByte> bytes, TTransfer transfer) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const auto chunk = static_cast<win::DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 30));
    win::DWORD n = 0;
    if (!transfer(handle, bytes.data() + done, chunk, &n, nullptr) || n == 0) return false;
    done += n;
  }
  return true;
}

bool WriteAll(win::HANDLE handle, std::span<const std::uint8_t> bytes) {
  return TransferAll(handle, bytes, win::WriteFile);
}

bool ReadAll(win::HANDLE handle, std::span<std::uint8_t> bytes) {
  return TransferAll(handle, bytes, win::ReadFile);
}

bool IsPlainFile(const std::string& fileName) {
  const win::DWORD attributes = win::GetFileAttributesA(fileName.c_str());
  return attributes != win::INVALID_FILE_ATTRIBUTES &&
         (attributes & win::FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// A temporary file beside the target, removed again unless it was put into place. Its name is
// short and of fixed length (".tovu-" and eight hexadecimal digits), so it fits wherever the
// target's name fits. The platform removes it when the program is ended meanwhile.
class TTemporaryFile {
 public:
  explicit TTemporaryFile(const std::string& target) {
    const std::string folder = ExtractFilePath(target);
    std::random_device random;
    for (int attempt = 0; attempt < 16 && FHandle == win::INVALID_HANDLE_VALUE; ++attempt) {
      char name[32];
      std::snprintf(name, sizeof name, ".tovu-%08x.tmp", unsigned(random()));
      FName = folder + name;
      FHandle = win::CreateFileA(FName.c_str(), win::GENERIC_WRITE, 0, nullptr, win::CREATE_NEW,
                                 win::FILE_ATTRIBUTE_TEMPORARY, nullptr);
      if (FHandle == win::INVALID_HANDLE_VALUE && win::GetLastError() != win::ERROR_FILE_EXISTS)
        break;
    }
  }
  ~TTemporaryFile() {
    if (FHandle == win::INVALID_HANDLE_VALUE && !FClosed) return;
    win::CloseHandle(FHandle);
    if (!FPlaced) win::DeleteFileA(FName.c_str());
  }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;

  bool Created() const { return FHandle != win::INVALID_HANDLE_VALUE; }

  bool Write(std::span<const std::uint8_t> bytes) { return WriteAll(FHandle, bytes); }

  bool Finish() {
    const bool flushed = win::FlushFileBuffers(FHandle) != win::FALSE;
    const bool closed = win::CloseHandle(FHandle) != win::FALSE;
    FHandle = win::INVALID_HANDLE_VALUE;
    FClosed = true;
    return flushed && closed;
  }

  // Puts the file in the target's place; an existing file there lends it its attributes.
  bool PlaceAs(const std::string& target) {
    FPlaced = IsPlainFile(target)
                  ? win::ReplaceFileA(target.c_str(), FName.c_str(), nullptr, 0, nullptr, nullptr)
                  : win::MoveFileExA(FName.c_str(), target.c_str(),
                                     win::MOVEFILE_REPLACE_EXISTING | win::MOVEFILE_WRITE_THROUGH);
    return FPlaced;
  }

 private:
  std::string FName;
  win::HANDLE FHandle = win::INVALID_HANDLE_VALUE;
  bool FClosed = false;
  bool FPlaced = false;
};

bool WriteFrom(win::HANDLE handle, std::span<const std::uint8_t> bytes) {
  return win::SetFilePointerEx(handle, win::LARGE_INTEGER{0}, nullptr, win::FILE_BEGIN) &&
         WriteAll(handle, bytes);
}

// Sets the file's size; a longer file gets the disk space for its new end or keeps its size.
bool SetFileSize(win::HANDLE handle, std::uint64_t size) {
  return win::SetFilePointerEx(handle, win::LARGE_INTEGER{std::int64_t(size)}, nullptr,
                               win::FILE_BEGIN) &&
         win::SetEndOfFile(handle);
}

using TScopedFile = std::unique_ptr<win::TKernelObject, decltype(&win::CloseHandle)>;

// Writes the bytes over an existing regular file (not a link) that the program may read and
// write, for a folder that lets nobody create the temporary file. The file then holds either its
// earlier bytes or the complete new ones: a longer file's space is reserved before the first
// byte, and the bytes the new ones cover are kept and written back when a write fails anyway (a
// file system that reserves nothing, or one that needs new space to write over old bytes).
// Returns false when the target is no such file or cannot be read, and then it has not changed.
bool WriteInPlace(const std::string& target, std::span<const std::uint8_t> bytes) {
  // The program's own sharing rule, as for its file streams: nobody else holds the file.
  TScopedFile file(
      win::CreateFileA(target.c_str(), win::GENERIC_READ | win::GENERIC_WRITE, 0, nullptr,
                       win::OPEN_EXISTING, win::FILE_FLAG_OPEN_REPARSE_POINT, nullptr),
      &win::CloseHandle);
  win::LARGE_INTEGER size;
  if (file.get() == win::INVALID_HANDLE_VALUE || !win::GetFileSizeEx(file.get(), &size))
    return false;
  const auto oldSize = std::uint64_t(size.QuadPart);
  std::vector<std::uint8_t> covered(std::min<std::uint64_t>(oldSize, bytes.size()));
  if (!ReadAll(file.get(), covered)) return false;
  if (bytes.size() > oldSize && !SetFileSize(file.get(), bytes.size()))
    throw EWriteError(LoadResString(SWriteError));
  // The new bytes are on disk before a shorter file loses its earlier end.
  if (!WriteFrom(file.get(), bytes) || !win::FlushFileBuffers(file.get()) ||
      !SetFileSize(file.get(), bytes.size())) {
    // Nothing more can be done when putting the earlier bytes back fails as well (past the
    // file-size limit, where the failed write changed nothing either).
    const bool restored = WriteFrom(file.get(), covered);
    if (SetFileSize(file.get(), oldSize) && restored) win::FlushFileBuffers(file.get());
    throw EWriteError(LoadResString(SWriteError));
  }
  if (!win::FlushFileBuffers(file.get()) || !win::CloseHandle(file.release()))
    throw EWriteError(LoadResString(SWriteError));
  return true;
}

// The program's own sharing rules: a target that another of its streams holds with writing
// denied (or that cannot be opened for writing at all) cannot be created anew either.
void CheckTargetWritable(const std::string& fileName) {
  const win::DWORD attributes = win::GetFileAttributesA(fileName.c_str());
  if (attributes == win::INVALID_FILE_ATTRIBUTES) return;
  if ((attributes & win::FILE_ATTRIBUTE_DIRECTORY) != 0) RaiseCreateError(fileName);
  try {
    TFileStream probe(fileName, fmOpenWrite | fmShareDenyNone);
  } catch (const EFOpenError&) {
    RaiseCreateError(fileName);
  }
}

}  // namespace

void WriteFileReplacing(const std::string& FileName, std::span<const std::uint8_t> Bytes) {
  if (FileName.empty()) RaiseCreateError(FileName);
  CheckTargetWritable(FileName);
  TTemporaryFile temporary(FileName);
  if (!temporary.Created()) {
    if (WriteInPlace(FileName, Bytes)) return;
    RaiseCreateError(FileName);
  }
  if (!temporary.Write(Bytes) || !temporary.Finish()) throw EWriteError(LoadResString(SWriteError));
  if (!temporary.PlaceAs(FileName)) RaiseCreateError(FileName);
}

}  // namespace fw
