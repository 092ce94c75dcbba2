// Block transfers between device contexts: BitBlt and StretchBlt with every ternary raster
// operation and the stretch modes, MaskBlt, and TransparentBlt.
#pragma once

#include <vector>

#include "framework/platform/GdiTypes.h"

namespace win {

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc,
            DWORD rop);
BOOL StretchBlt(HDC dest, int xDest, int yDest, int destWidth, int destHeight, HDC source, int xSrc,
                int ySrc, int srcWidth, int srcHeight, DWORD rop);
// Where the monochrome mask has 1 bits the foreground operation applies, elsewhere the
// background one: rop is MAKEROP4(foreground, background).
BOOL MaskBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc,
             HBITMAP mask, int xMask, int yMask, DWORD rop);
// Copies with stretching, leaving the target alone where the source shows `transparent`.
BOOL TransparentBlt(HDC dest, int xDest, int yDest, int destWidth, int destHeight, HDC source,
                    int xSrc, int ySrc, int srcWidth, int srcHeight, UINT transparent);

// The source offset that each target offset of a COLORONCOLOR StretchBlt takes along one axis of a
// copy from sourceSize to targetSize pixels (both above 0, neither mirrored): the same choice the
// transfer makes, for a caller that prepares only the source pixels a stretch will read. Empty
// where the platform does not say how it chooses (the real GDI): such a caller then prepares the
// whole source.
std::vector<LONG> StretchSourceOffsets(LONG sourceSize, LONG targetSize, bool rows);

constexpr DWORD MAKEROP4(DWORD foreground, DWORD background) {
  return ((background << 8) & 0xFF000000) | foreground;
}

}  // namespace win
