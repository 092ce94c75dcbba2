// The largest picture the program decodes, shared by the BMP and JPEG readers: a file that
// describes more pixels fails with EInvalidGraphic before anything of its size is allocated. The
// window framing a picture, and so its capture, is held to the same number of pixels, and a
// multi-scan JPEG to a number of scans.
#pragma once

#include <cstdint>

#include "framework/Consts.h"

namespace fw {

// 100 million pixels: four times a 24-megapixel photograph, about 300 MB as 24-bit rows.
inline constexpr std::int64_t MaxPicturePixels = 100'000'000;

inline constexpr TResString SPictureTooLarge{
    "画像の大きさ %d x %d は処理できる上限 (%d ピクセル) を超えています"};

inline constexpr TResString SWindowTooLarge{
    "画像を収める窓の大きさ %d x %d は処理できる上限 (%d ピクセル) を超えています"};

// Scans of a progressive (or otherwise multi-scan) JPEG: encoders write about ten, finely tuned
// ones a few dozen. Each scan is a pass over the whole picture even when it holds a few bytes, so
// without a limit a small file of empty scans could cost minutes; at this one a 100-megapixel
// picture costs about a second more than its ten-scan encoding.
inline constexpr int MaxJpegScans = 100;

inline constexpr TResString SJpegTooManyScans{
    "JPEG のスキャン数は処理できる上限 (%d) を超えています"};

// Whether a picture of that size (either sign) stays within MaxPicturePixels.
bool PictureSizeAllowed(std::int64_t Width, std::int64_t Height);
// Raises EInvalidGraphic naming the size and the limit when it is exceeded.
void CheckPictureSize(std::int64_t Width, std::int64_t Height);
// The same limit for the window that shows a picture, and so for its capture: raises
// EInvalidGraphic naming the window's client size and the limit when it is exceeded.
void CheckWindowSize(std::int64_t ClientWidth, std::int64_t ClientHeight);

}  // namespace fw
