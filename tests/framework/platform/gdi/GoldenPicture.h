// Test support for golden pictures: 24-bit BMP reading and pixel comparison of two pictures.
// The oracle writes its canvases as bottom-up 24-bit BMP files with a 54-byte header.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace win::gdi::testing {

struct TPicture {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;  // 0x00RRGGBB, top row first

  std::uint32_t At(int x, int y) const {
    return Pixels[std::size_t(y) * std::size_t(Width) + std::size_t(x)];
  }
  std::uint32_t& At(int x, int y) {
    return Pixels[std::size_t(y) * std::size_t(Width) + std::size_t(x)];
  }
};

inline std::uint32_t ReadLE(const std::vector<unsigned char>& bytes, std::size_t at, int size) {
  if (at + std::size_t(size) > bytes.size()) throw std::runtime_error("BMP file is truncated");
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = (value << 8) | bytes[at + std::size_t(i)];
  return value;
}

inline TPicture ReadBmp24(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M')
    throw std::runtime_error(path + ": not a BMP");
  const std::uint32_t offset = ReadLE(bytes, 10, 4);
  const auto width = std::int32_t(ReadLE(bytes, 18, 4));
  const auto height = std::int32_t(ReadLE(bytes, 22, 4));
  if (ReadLE(bytes, 28, 2) != 24 || width <= 0 || height == 0) {
    throw std::runtime_error(path + ": not a 24-bit BMP");
  }
  const bool bottomUp = height > 0;
  TPicture picture{width, bottomUp ? height : -height, {}};
  picture.Pixels.resize(std::size_t(picture.Width) * std::size_t(picture.Height));
  const std::size_t stride = (std::size_t(width) * 3 + 3) / 4 * 4;
  for (int y = 0; y < picture.Height; ++y) {
    const std::size_t row = offset + stride * std::size_t(bottomUp ? picture.Height - 1 - y : y);
    for (int x = 0; x < width; ++x) {
      picture.At(x, y) = ReadLE(bytes, row + std::size_t(x) * 3, 3);
    }
  }
  return picture;
}

// Number of pixels that differ; every pixel counts when the sizes differ.
inline std::size_t CountDifferences(const TPicture& a, const TPicture& b) {
  if (a.Width != b.Width || a.Height != b.Height) return std::max(a.Pixels.size(), b.Pixels.size());
  std::size_t count = 0;
  for (std::size_t i = 0; i < a.Pixels.size(); ++i)
    count += a.Pixels[i] != b.Pixels[i];
  return count;
}

}  // namespace win::gdi::testing
