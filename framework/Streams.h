// Byte streams: TStream with checked whole-buffer reads and writes, the in-memory TMemoryStream,
// TFileStream with the platform's open and sharing modes, and length-prefixed blocks of bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "framework/EnumInfo.h"
#include "framework/Object.h"
#include "framework/platform/Files.h"
#include "framework/platform/LargeMemory.h"

namespace fw {

TOVU_ENUM(TSeekOrigin, std::uint8_t, soBeginning, soCurrent, soEnd)

class TStream : public TObject {
 public:
  // Reads up to `Count` bytes; returns how many were read (0 at the end).
  virtual std::int64_t Read(void* Buffer, std::int64_t Count) = 0;
  // Writes up to `Count` bytes; returns how many were written.
  virtual std::int64_t Write(const void* Buffer, std::int64_t Count) = 0;
  // Moves the position; returns the new position.
  virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;
  virtual std::int64_t Position() const = 0;
  virtual std::int64_t Size() const = 0;
  virtual void SetSize(std::int64_t NewSize) = 0;
  void SetPosition(std::int64_t Value) { Seek(Value, soBeginning); }

  // Reads exactly `Count` bytes or raises EReadError.
  void ReadBuffer(void* Buffer, std::int64_t Count);
  // Writes exactly `Count` bytes or raises EWriteError.
  void WriteBuffer(const void* Buffer, std::int64_t Count);
  // Copies `Count` bytes from `Source` at its position (0: all of it, from its start); returns
  // the number copied.
  std::int64_t CopyFrom(TStream& Source, std::int64_t Count);
};

class TMemoryStream;

// A block of bytes behind its length (four bytes, little-endian), as graphics keep their data in
// form descriptions. Reading replaces `Data` by the block, positioned at its start, and raises
// EReadError when the length runs past the end of `Stream`.
void ReadLengthPrefixed(TStream& Stream, TMemoryStream& Data);
void WriteLengthPrefixed(TStream& Stream, std::span<const std::uint8_t> Bytes);

// A stream held in memory. Its size is limited to 2 GiB - 1; asking for more raises EOutOfMemory
// instead of trying the allocation.
class TMemoryStream : public TStream {
 public:
  static constexpr std::int64_t MaxSize = 0x7FFFFFFF;

  std::int64_t Read(void* Buffer, std::int64_t Count) override;
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  std::int64_t Position() const override { return FPosition; }
  std::int64_t Size() const override { return static_cast<std::int64_t>(FData.size()); }
  void SetSize(std::int64_t NewSize) override;

  std::uint8_t* Memory() { return FData.data(); }
  const std::uint8_t* Memory() const { return FData.data(); }
  void Clear();
  // Replaces the content by all of `Stream` (from its start); the position goes to 0.
  void LoadFromStream(TStream& Stream);
  void SaveToStream(TStream& Stream) const;
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName) const;

 private:
  // Whole files pass through here: large contents take large pages.
  std::vector<std::uint8_t, win::TLargeMemoryAllocator<std::uint8_t>> FData;
  std::int64_t FPosition = 0;
};

// Open modes: one access mode combined with one sharing mode, or fmCreate.
inline constexpr unsigned fmOpenRead = 0x0000;
inline constexpr unsigned fmOpenWrite = 0x0001;
inline constexpr unsigned fmOpenReadWrite = 0x0002;
inline constexpr unsigned fmShareCompat = 0x0000;
inline constexpr unsigned fmShareExclusive = 0x0010;
inline constexpr unsigned fmShareDenyWrite = 0x0020;
inline constexpr unsigned fmShareDenyRead = 0x0030;
inline constexpr unsigned fmShareDenyNone = 0x0040;
inline constexpr unsigned fmCreate = 0xFF00;

// A file as a stream. Creating (fmCreate) makes a new empty file or empties an existing one,
// and failure raises EFCreateError; opening an existing file fails with EFOpenError; both name
// the path. Sharing is enforced among the program's own streams: a file opened with
// fmShareDenyWrite or fmShareDenyRead cannot be opened for writing or created meanwhile, and one
// opened for writing (or exclusively) cannot be opened with a denying sharing mode.
class TFileStream : public TStream {
 public:
  TFileStream(const std::string& FileName, unsigned Mode);
  ~TFileStream() override;

  std::int64_t Read(void* Buffer, std::int64_t Count) override;
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  std::int64_t Position() const override;
  std::int64_t Size() const override;
  void SetSize(std::int64_t NewSize) override;
  const std::string& FileName() const { return FFileName; }

 private:
  std::string FFileName;
  win::HANDLE FHandle = win::INVALID_HANDLE_VALUE;
};

}  // namespace fw
