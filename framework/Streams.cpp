#include "framework/Streams.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "framework/ByteOrder.h"
#include "framework/Exceptions.h"

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
  const std::size_t size = static_cast<std::size_t>(NewSize), old = FData.size();
  const bool reused = size > old && size <= FData.capacity();
  try {
    // New bytes of a fresh block are zero already; those of a reused part are cleared here.
    FData.resize(size);
    if (reused) std::fill(FData.begin() + std::ptrdiff_t(old), FData.end(), std::uint8_t(0));
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

namespace {

// What other openers may do meanwhile, for a sharing mode of the open modes.
win::DWORD ShareModeFor(unsigned share) {
  switch (share) {
    case fmShareExclusive:
      return 0;
    case fmShareDenyWrite:
      return win::FILE_SHARE_READ;
    case fmShareDenyRead:
      return win::FILE_SHARE_WRITE;
    default:
      return win::FILE_SHARE_READ | win::FILE_SHARE_WRITE;
  }
}

win::DWORD AccessFor(unsigned access) {
  if (access == fmOpenRead) return win::GENERIC_READ;
  if (access == fmOpenWrite) return win::GENERIC_WRITE;
  return win::GENERIC_READ | win::GENERIC_WRITE;
}

}  // namespace

TFileStream::TFileStream(const std::string& FileName, unsigned Mode) : FFileName(FileName) {
  const bool create = (Mode & fmCreate) == fmCreate;
  const unsigned access = create ? fmOpenReadWrite : (Mode & 0x3);
  if (access <= fmOpenReadWrite && !FileName.empty()) {
    FHandle = win::CreateFileA(FileName.c_str(), AccessFor(access), ShareModeFor(Mode & 0xF0),
                               nullptr, create ? win::CREATE_ALWAYS : win::OPEN_EXISTING,
                               win::FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  if (FHandle != win::INVALID_HANDLE_VALUE) return;
  if (create) throw EFCreateError(Exception::ResMessage(SFCreateError, FFileName));
  throw EFOpenError(Exception::ResMessage(SFOpenError, FFileName));
}

TFileStream::~TFileStream() {
  win::CloseHandle(FHandle);
}

std::int64_t TFileStream::Read(void* Buffer, std::int64_t Count) {
  std::int64_t done = 0;
  auto* out = static_cast<std::uint8_t*>(Buffer);
  while (done < Count) {
    const auto chunk = static_cast<win::DWORD>(std::min<std::int64_t>(Count - done, 1 << 30));
    win::DWORD n = 0;
    if (!win::ReadFile(FHandle, out + done, chunk, &n, nullptr) || n == 0) break;
    done += n;
  }
  return done;
}

std::int64_t TFileStream::Write(const void* Buffer, std::int64_t Count) {
  std::int64_t done = 0;
  const auto* in = static_cast<const std::uint8_t*>(Buffer);
  while (done < Count) {
    const auto chunk = static_cast<win::DWORD>(std::min<std::int64_t>(Count - done, 1 << 30));
    win::DWORD n = 0;
    const bool written = win::WriteFile(FHandle, in + done, chunk, &n, nullptr);
    done += n;
    if (!written || n == 0) break;
  }
  return done;
}

std::int64_t TFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  const win::DWORD method = Origin == soBeginning ? win::FILE_BEGIN
                            : Origin == soCurrent ? win::FILE_CURRENT
                                                  : win::FILE_END;
  win::LARGE_INTEGER result;
  if (!win::SetFilePointerEx(FHandle, win::LARGE_INTEGER{Offset}, &result, method))
    return Position();
  return result.QuadPart;
}

std::int64_t TFileStream::Position() const {
  win::LARGE_INTEGER result;
  return win::SetFilePointerEx(FHandle, win::LARGE_INTEGER{0}, &result, win::FILE_CURRENT)
             ? result.QuadPart
             : 0;
}

std::int64_t TFileStream::Size() const {
  win::LARGE_INTEGER size;
  return win::GetFileSizeEx(FHandle, &size) ? size.QuadPart : 0;
}

void TFileStream::SetSize(std::int64_t NewSize) {
  const std::int64_t position = Position();
  if (NewSize < 0 ||
      !win::SetFilePointerEx(FHandle, win::LARGE_INTEGER{NewSize}, nullptr, win::FILE_BEGIN) ||
      !win::SetEndOfFile(FHandle))
    throw EWriteError(LoadResString(SWriteError));
  Seek(std::min(position, NewSize), soBeginning);
}

}  // namespace fw
