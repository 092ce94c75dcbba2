// Shared helpers of the framework's, the graphics layer's and the program's tests of pictures and
// files: pictures as plain arrays of colours, read from bitmaps and from the oracle's golden files,
// compared pixel for pixel with a readable account of the differences; byte builders for
// hand-made files; scratch folders.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace fw {
class TBitmap;
}

namespace fw::testing {

// A picture as 0x00BBGGRR colours, rows from the top.
struct TPixels {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Colors;
  std::uint32_t At(int X, int Y) const { return Colors[std::size_t(Y) * std::size_t(Width) + X]; }
};

// The pixels of a bitmap as the platform reads them back.
TPixels PixelsOf(TBitmap& Bitmap);
// A golden picture: any BMP the platform reads (the oracle's 24-bit output or its lossless
// run-length copy), loaded independently of the reader under test.
TPixels ReadGolden(const std::string& Path);

// Number of differing pixels (-1 for different sizes), with the first few listed in `Detail`.
long CountDifferences(const TPixels& Actual, const TPixels& Expected, std::string& Detail);

// A 32-bit canvas of the given size filled with one colour.
void MakeCanvas(TBitmap& Bitmap, int Width, int Height, std::uint32_t Color);

std::string TestData(const std::string& RelativePath);

// Little-endian byte writer for hand-made files.
struct TBytes {
  std::vector<std::uint8_t> Data;
  TBytes& U8(std::uint8_t V);
  TBytes& U16(std::uint16_t V);
  TBytes& U32(std::uint32_t V);
  TBytes& Fill(std::size_t Count, std::uint8_t V = 0);
  TBytes& Append(const std::vector<std::uint8_t>& More);
};

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& Path);
void WriteFileBytes(const std::filesystem::path& Path, const std::vector<std::uint8_t>& Bytes);

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TScratchFolder {
 public:
  TScratchFolder();
  ~TScratchFolder();
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;
  const std::filesystem::path& Path() const { return FPath; }
  std::string File(const std::string& Name) const { return (FPath / Name).string(); }

 private:
  std::filesystem::path FPath;
};

}  // namespace fw::testing
