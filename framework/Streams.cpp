#include "framework/Streams.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <optional>

#include "framework/ByteOrder.h"
#include "framework/Exceptions.h"
#include "framework/platform/CodePage.h"
#include "framework/platform/CodePageConversion.h"

namespace fw {

void TStream::ReadBuffer(void* Buffer, std::int64_t Count) {
  if (Count < 0 || (Count != 0 && Read(Buffer, Count) != Count))
    throw EReadError(LoadResString(SReadError));
}

void TStream::WriteBuffer(const void* Buffer, std::int64_t Count) {
  if (Count < 0 || (Count != 0 && Write(Buffer, Count) != Count))
    throw EWriteError(LoadResString(SWriteError));
}

std::int64_t TStream::CopyFrom(TStream& Source, std::int64_t Count) {
  if (Count == 0) {
    Source.SetPosition(0);
    Count = Source.Size();
  }
  if (Count <= 0) return 0;
  constexpr std::int64_t block = 64 * 1024;
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min(Count, block)));
  std::int64_t copied = 0;
  while (copied < Count) {
    const std::int64_t n = std::min(Count - copied, block);
    Source.ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    copied += n;
  }
  return copied;
}

void ReadLengthPrefixed(TStream& Stream, TMemoryStream& Data) {
  std::uint8_t size[4];
  Stream.ReadBuffer(size, 4);
  const std::int64_t count = ReadLe32(size);
  if (count > Stream.Size() - Stream.Position()) throw EReadError(LoadResString(SReadError));
  Data.Clear();
  if (count > 0) {
    Data.SetSize(count);
    Stream.ReadBuffer(Data.Memory(), count);
  }
}

void WriteLengthPrefixed(TStream& Stream, std::span<const std::uint8_t> Bytes) {
  std::uint8_t size[4];
  WriteLe32(size, static_cast<std::uint32_t>(Bytes.size()));
  Stream.WriteBuffer(size, 4);
  if (!Bytes.empty()) Stream.WriteBuffer(Bytes.data(), static_cast<std::int64_t>(Bytes.size()));
}

// --- TMemoryStream ---------------------------------------------------------------------------

std::int64_t TMemoryStream::Read(void* Buffer, std::int64_t Count) {
  if (Count <= 0 || FPosition >= Size()) return 0;
  const std::int64_t n = std::min(Count, Size() - FPosition);
  std::memcpy(Buffer, FData.data() + FPosition, static_cast<std::size_t>(n));
  FPosition += n;
  return n;
}

std::int64_t TMemoryStream::Write(const void* Buffer, std::int64_t Count) {
  if (Count <= 0) return 0;
  if (Count > MaxSize - FPosition) return 0;
  const std::int64_t end = FPosition + Count;
  if (end > Size()) SetSize(end);
  std::memcpy(FData.data() + FPosition, Buffer, static_cast<std::size_t>(Count));
  FPosition = end;
  return Count;
}

std::int64_t TMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  std::int64_t base = 0;
  if (Origin == soCurrent) base = FPosition;
  if (Origin == soEnd) base = Size();
  // A position before the start is not possible; one past the end is, as for files.
  if (Offset < -base) return FPosition = 0;
  if (Offset > MaxSize - base) return FPosition = MaxSize;
  return FPosition = base + Offset;
}

void TMemoryStream::SetSize(std::int64_t NewSize) {
  if (NewSize < 0 || NewSize > MaxSize) throw EOutOfMemory(LoadResString(SMemoryStreamError));
  try {
    FData.resize(static_cast<std::size_t>(NewSize));
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory(LoadResString(SMemoryStreamError));
  }
  if (FPosition > NewSize) FPosition = NewSize;
}

void TMemoryStream::Clear() {
  FData.clear();
  FData.shrink_to_fit();
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream) {
  Stream.SetPosition(0);
  const std::int64_t count = Stream.Size();
  SetSize(count);
  if (count != 0) Stream.ReadBuffer(FData.data(), count);
  FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream& Stream) const {
  if (!FData.empty()) Stream.WriteBuffer(FData.data(), Size());
}

void TMemoryStream::LoadFromFile(const std::string& FileName) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& FileName) const {
  TFileStream file(FileName, fmCreate);
  SaveToStream(file);
}

// --- TFileStream -----------------------------------------------------------------------------

std::optional<std::string> SystemPath(const std::string& FileName) {
  if (win::GetACP() == win::CP_UTF8) return FileName;
  return win::ConvertCodePage(FileName, win::GetACP(), win::CP_UTF8);
}

namespace {

// The advisory lock that stands for the sharing mode: readers that deny writing share a lock
// that writers cannot take; writers and exclusive openers hold it alone.
int LockFor(unsigned access, unsigned share) {
  if (access != fmOpenRead || share == fmShareExclusive) return LOCK_EX;
  if (share == fmShareDenyWrite || share == fmShareDenyRead) return LOCK_SH;
  return 0;
}

}  // namespace

TFileStream::TFileStream(const std::string& FileName, unsigned Mode) : FFileName(FileName) {
  // A path the file system cannot take fails as an empty one does.
  Open(SystemPath(FileName).value_or(std::string()), Mode);
}

TFileStream::TFileStream(const std::string& FileName, const std::string& SystemFileName,
                         unsigned Mode)
    : FFileName(FileName) {
  Open(SystemFileName, Mode);
}

void TFileStream::Open(const std::string& SystemFileName, unsigned Mode) {
  const bool create = (Mode & fmCreate) == fmCreate;
  const unsigned access = create ? fmOpenReadWrite : (Mode & 0x3);
  const unsigned share = Mode & 0xF0;
  auto fail = [&]() {
    if (FHandle >= 0) ::close(FHandle);
    FHandle = -1;
    if (create) throw EFCreateError(Exception::ResMessage(SFCreateError, FFileName));
    throw EFOpenError(Exception::ResMessage(SFOpenError, FFileName));
  };
  if (SystemFileName.empty() || access > fmOpenReadWrite) fail();

  // Opening never waits: a named pipe would block until some other process opened its other end.
  int flags = O_CLOEXEC | O_NONBLOCK;
  flags |= access == fmOpenRead ? O_RDONLY : access == fmOpenWrite ? O_WRONLY : O_RDWR;
  if (create) flags |= O_CREAT;
  do {
    FHandle = ::open(SystemFileName.c_str(), flags, 0666);
  } while (FHandle < 0 && errno == EINTR);
  if (FHandle < 0) fail();

  // Folders, pipes and sockets are no files: reading one would fail or wait for ever.
  struct stat info {};
  if (::fstat(FHandle, &info) != 0 || S_ISDIR(info.st_mode) || S_ISFIFO(info.st_mode) ||
      S_ISSOCK(info.st_mode))
    fail();
  if (::fcntl(FHandle, F_SETFL, ::fcntl(FHandle, F_GETFL) & ~O_NONBLOCK) != 0) fail();
  if (const int lock = LockFor(access, share); lock != 0 && ::flock(FHandle, lock | LOCK_NB) != 0)
    fail();
  // Emptying comes after the lock, so a file another stream protects is never truncated.
  if (create && S_ISREG(info.st_mode) && ::ftruncate(FHandle, 0) != 0) fail();
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}

std::int64_t TFileStream::Read(void* Buffer, std::int64_t Count) {
  std::int64_t done = 0;
  auto* out = static_cast<std::uint8_t*>(Buffer);
  while (done < Count) {
    const ssize_t n = ::read(FHandle, out + done, static_cast<std::size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

std::int64_t TFileStream::Write(const void* Buffer, std::int64_t Count) {
  std::int64_t done = 0;
  const auto* in = static_cast<const std::uint8_t*>(Buffer);
  while (done < Count) {
    const ssize_t n = ::write(FHandle, in + done, static_cast<std::size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

std::int64_t TFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  const int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
  const off_t result = ::lseek(FHandle, static_cast<off_t>(Offset), whence);
  return result < 0 ? Position() : static_cast<std::int64_t>(result);
}

std::int64_t TFileStream::Position() const {
  const off_t result = ::lseek(FHandle, 0, SEEK_CUR);
  return result < 0 ? 0 : static_cast<std::int64_t>(result);
}

std::int64_t TFileStream::Size() const {
  struct stat info {};
  return ::fstat(FHandle, &info) == 0 ? static_cast<std::int64_t>(info.st_size) : 0;
}

void TFileStream::SetSize(std::int64_t NewSize) {
  if (NewSize < 0 || ::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0)
    throw EWriteError(LoadResString(SWriteError));
  if (Position() > NewSize) Seek(NewSize, soBeginning);
}

}  // namespace fw
