// The JPEG library seen from C++: compression of blue-green-red rows and decoding into them, with
// in-memory 4096-byte blocks, a progress monitor, and library errors turned into exceptions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <vector>

#include "framework/platform/WinTypes.h"

namespace fw {

// A library error: the library's message code (its error exit) as the exception's payload. It is
// raised only after the library's own C frames have been left.
class EJpegFailure : public std::runtime_error {
 public:
  explicit EJpegFailure(int code);
  int Code() const { return FCode; }

 private:
  int FCode;
};

// A picture whose image size exceeds the decoding limit, refused before the library allocates
// anything of its size.
class EJpegTooLarge : public std::runtime_error {
 public:
  EJpegTooLarge(int width, int height);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

 private:
  int FWidth;
  int FHeight;
};

// A multi-scan picture with more scans than the decoding limit, refused when its next scan
// starts: each scan costs a pass over the whole picture, however few bytes it holds.
class EJpegTooManyScans : public std::runtime_error {
 public:
  explicit EJpegTooManyScans(int limit);
  int Limit() const { return FLimit; }

 private:
  int FLimit;
};

enum TJpegProgressStage { jpsStarting, jpsRunning, jpsEnding };

// Progress report: stage, percent done, and when decoding the rows produced since the last report.
using TJpegProgress =
    std::function<void(TJpegProgressStage stage, int percent, const win::RECT& rows)>;

struct TJpegCompressSettings {
  int Quality = 90;  // clamped to 1..100 by the library's quality rule
  bool Grayscale = false;
  bool Progressive = false;
};

// Writes compressed bytes; returns how many it stored. Fewer than asked is a file-write error.
using TJpegWrite = std::function<std::size_t(const std::uint8_t* data, std::size_t count)>;

// Gives the blue-green-red row `y` (0 = top) of the picture being compressed.
using TJpegRowSource = std::function<const std::uint8_t*(int y)>;

// Compresses a width x height picture (both above 0) as a baseline JFIF file with the float DCT.
void CompressBgr(int width, int height, const TJpegRowSource& rowAt,
                 const TJpegCompressSettings& settings, const TJpegWrite& write,
                 const TJpegProgress& progress = {});

struct TJpegHeaderInfo {
  int Width = 0;
  int Height = 0;
  bool Grayscale = false;  // one-component file
  bool MultiScan = false;  // progressive or otherwise several scans
};

// Reads the header of the JPEG file in `data` (an image is required).
TJpegHeaderInfo ReadJpegHeader(std::span<const std::uint8_t> data);

struct TJpegDecodeSettings {
  int ScaleShift = 0;  // output at 1 / 2^ScaleShift (0 to 3)
  bool BlockSmoothing = true;
  bool Grayscale = false;       // decode to gray
  bool EightBitOutput = false;  // quantise to 236 colours
  bool BestSpeed = false;       // fast integer IDCT and ordered dithering
  bool ProgressiveDecode = false;
  // Largest image size (width x height of the file) decoded; above it EJpegTooLarge. 0: any.
  std::int64_t MaxPixels = 0;
  // Most scans read from a multi-scan file; a further scan raises EJpegTooManyScans. 0: any.
  int MaxScans = 0;
};

// Shape of the decoded picture, known once the header is read and the output size computed.
struct TJpegOutputLayout {
  int Width = 0;
  int Height = 0;
  int BitsPerPixel = 24;               // 24: blue, green, red; 8: palette indices
  std::vector<std::uint32_t> Palette;  // 0x00RRGGBB entries for 8-bit output
};

// Receives the layout and returns where row `y` (0 = top) of the decoded picture goes: at least
// Width * BitsPerPixel / 8 bytes.
using TJpegRowTarget = std::function<std::uint8_t*(int y)>;
using TJpegBeginOutput = std::function<TJpegRowTarget(const TJpegOutputLayout& layout)>;

// Decodes the JPEG file in `data`. Reading past the end supplies an end-of-image marker; an empty
// input is the library's empty-input error.
void DecodeJpeg(std::span<const std::uint8_t> data, const TJpegDecodeSettings& settings,
                const TJpegBeginOutput& begin, const TJpegProgress& progress = {});

// The pixels of the decoded picture a sampled decoding keeps: its pixel (i, j) is the decoded
// picture's pixel (Columns[i], Rows[j]). Both lists ascending and inside the decoded picture.
struct TJpegSamples {
  std::vector<int> Columns;
  std::vector<int> Rows;
};

// Decodes the JPEG file in `data` as DecodeJpeg does (not progressively, whatever the settings
// say), handing over only the sampled pixels, Columns.size() x Rows.size() of them, with exactly
// the values the full decoding has there. Rows no sample lies in are skipped past, where the
// library can do it without changing the other rows (not when it quantises); it still reads all
// of the file's data, so a file that does not decode fails as it would in full.
void DecodeJpegSamples(std::span<const std::uint8_t> data, const TJpegDecodeSettings& settings,
                       const TJpegSamples& samples, const TJpegBeginOutput& begin,
                       const TJpegProgress& progress = {});

}  // namespace fw
