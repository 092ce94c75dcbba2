// A JPEG file read back by a test with the JPEG library alone: its size and its pixels, or nothing
// when the file is missing or not a whole, valid JPEG.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tovu::e2e {

struct TDecodedJpeg {
  int Width = 0;
  int Height = 0;
  // Red, green, blue per pixel, row by row.
  std::vector<std::uint8_t> Rgb;
};

std::optional<TDecodedJpeg> DecodeJpegFile(const std::string& path);

}  // namespace tovu::e2e
