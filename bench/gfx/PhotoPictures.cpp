#include "bench/gfx/PhotoPictures.h"

#include <algorithm>

#include "gfx/JpegCodec.h"

namespace bench {

namespace {

// Rows of blue-green-red pixels, top to bottom, from one grain generator.
class TPhotoRows {
 public:
  TPhotoRows(int width, int height)
      : FWidth(width), FHeight(height), FRow(std::size_t(width) * 3) {}

  const std::uint8_t* Row(int y) {
    for (int x = 0; x < FWidth; ++x) {
      FNoise = FNoise * 1664525u + 1013904223u;
      const int grain = int(FNoise >> 27) - 16;
      const int shade = (x * 160 / FWidth + y * 80 / FHeight);
      FRow[std::size_t(3 * x)] = std::uint8_t(std::clamp(40 + shade / 2 + grain, 0, 255));
      FRow[std::size_t(3 * x + 1)] = std::uint8_t(std::clamp(60 + shade + grain, 0, 255));
      FRow[std::size_t(3 * x + 2)] = std::uint8_t(std::clamp(200 - shade / 3 + grain, 0, 255));
    }
    return FRow.data();
  }

 private:
  int FWidth;
  int FHeight;
  std::vector<std::uint8_t> FRow;
  std::uint32_t FNoise = 12345;
};

void PutLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value, int count) {
  for (int i = 0; i < count; ++i)
    bytes.push_back(std::uint8_t(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> MakePhotoJpeg(int width, int height) {
  TPhotoRows rows(width, height);
  std::vector<std::uint8_t> bytes;
  fw::CompressBgr(
      width, height, [&](int y) { return rows.Row(y); }, fw::TJpegCompressSettings{},
      [&](const std::uint8_t* data, std::size_t count) {
        bytes.insert(bytes.end(), data, data + count);
        return count;
      });
  return bytes;
}

std::vector<std::uint8_t> MakePhotoBmp(int width, int height) {
  const std::uint32_t stride = (std::uint32_t(width) * 3 + 3) & ~3u;
  const std::uint32_t imageSize = stride * std::uint32_t(height);
  std::vector<std::uint8_t> bytes;
  bytes.reserve(54 + imageSize);
  bytes.push_back('B');
  bytes.push_back('M');
  PutLittleEndian(bytes, 54 + imageSize, 4);
  PutLittleEndian(bytes, 0, 4);
  PutLittleEndian(bytes, 54, 4);
  PutLittleEndian(bytes, 40, 4);  // BITMAPINFOHEADER
  PutLittleEndian(bytes, std::uint32_t(width), 4);
  PutLittleEndian(bytes, std::uint32_t(height), 4);
  PutLittleEndian(bytes, 1, 2);
  PutLittleEndian(bytes, 24, 2);
  PutLittleEndian(bytes, 0, 4);  // BI_RGB
  PutLittleEndian(bytes, imageSize, 4);
  PutLittleEndian(bytes, 2835, 4);
  PutLittleEndian(bytes, 2835, 4);
  PutLittleEndian(bytes, 0, 4);
  PutLittleEndian(bytes, 0, 4);
  // Bottom-up: the file's first row is the picture's last.
  TPhotoRows rows(width, height);
  std::vector<std::uint8_t> image(imageSize);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = rows.Row(y);
    std::copy_n(row, std::size_t(width) * 3,
                image.begin() + std::ptrdiff_t(stride) * (height - 1 - y));
  }
  bytes.insert(bytes.end(), image.begin(), image.end());
  return bytes;
}

}  // namespace bench
