// Photograph-like pictures made up for the benchmarks: smooth shading with fine grain, so that a
// JPEG's entropy-coded data is about as dense as a camera's at quality 90.
#pragma once

#include <cstdint>
#include <vector>

namespace bench {

// Quality 90, baseline, blue-green-red input as the program saves.
std::vector<std::uint8_t> MakePhotoJpeg(int width, int height);

// The same content as a bottom-up 24-bit BMP file (BITMAPINFOHEADER, no compression).
std::vector<std::uint8_t> MakePhotoBmp(int width, int height);

}  // namespace bench
