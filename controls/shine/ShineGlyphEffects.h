// The pixel effects of the shine button's state glyph, row by row on 32-bit pixels 0x00RRGGBB:
// the hot shines in the shine colour, the disabled blends with the face colour, the checkered
// masks, the frame lights around the shape and the colour-edge mask. A pixel whose low 24 bits
// equal the glyph's background colour (its bottom-left pixel's) is background, every other one
// opaque; the effects never change background pixels, except the frame lights, which paint there.
#pragma once

#include <cstdint>
#include <vector>

#include "controls/shine/ShineTypes.h"
#include "framework/Bitmap.h"

namespace shine {

// The rows of a 32-bit device-independent bitmap, row 0 at the top. Taking them gives the bitmap
// an image of its own.
class TPixelRows {
 public:
  explicit TPixelRows(fw::TBitmap& Bitmap);

  int Width() const { return FWidth; }
  int Height() const { return static_cast<int>(FRows.size()); }
  std::uint32_t* operator[](int Row) const { return FRows[static_cast<std::size_t>(Row)]; }
  // The background colour: the bottom-left pixel's low 24 bits.
  std::uint32_t Background() const { return FRows.back()[0] & 0x00FFFFFFu; }

 private:
  int FWidth;
  std::vector<std::uint32_t*> FRows;
};

// Changes the opaque pixels of `Result`, a copy of the glyph, by the hot effect in `Shine`; the
// frame lights read the shape from `Glyph` and paint `Result`'s background beside it.
void ApplyActiveImage(TActiveImageType Effect, std::uint32_t Shine, const TPixelRows& Glyph,
                      const TPixelRows& Result);
// Changes the opaque pixels of `Result`, a copy of the glyph, by a disabled effect other than
// diDefault, blending with the face colour `Face`.
void ApplyDisabledImage(TDisabledImageType Effect, std::uint32_t Face, const TPixelRows& Result);
// Marks white in `Result` (black before) each pixel of the glyph whose 2 x 2 block (the pixel,
// its right, lower and lower-right neighbours) has a diagonal pair of different colours; the
// last row and column stay black.
void MarkColourEdges(const TPixelRows& Glyph, const TPixelRows& Result);

}  // namespace shine
