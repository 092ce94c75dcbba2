// Block transfers: BitBlt, StretchBlt and the DIB-to-device calls all come here, with a source
// surface, its colour context, the rectangles, a ternary raster operation and a stretch mode.
#pragma once

#include "framework/platform/gdi/Painter.h"
#include "framework/platform/gdi/PixelConverter.h"
#include "framework/platform/gdi/Surface.h"

namespace win::gdi {

struct TTransferSource {
  const TSurface* Surface = nullptr;
  POINT Origin;  // where the source's device (0, 0) lies in its surface
  bool MonochromeDevice = false;
  COLORREF BkColor = RGB(255, 255, 255);  // the source context's background colour
};

struct TTransferRects {
  LONG DestX = 0, DestY = 0, DestWidth = 0, DestHeight = 0;  // device coordinates
  LONG SrcX = 0, SrcY = 0, SrcWidth = 0, SrcHeight = 0;      // source device coordinates
};

// Paints the transfer through the painter. The source may be null when the operation does not
// read it. Answers false when a needed source is missing.
bool Transfer(const TPainter& painter, const TTransferRects& rects, const TTransferSource* source,
              DWORD rop, int stretchMode);

// TransparentBlt: a nearest-pixel copy that leaves the target alone wherever the source pixel
// has the physical value `key`.
bool TransferKeyed(const TPainter& painter, const TTransferRects& rects,
                   const TTransferSource& source, std::uint32_t key);

}  // namespace win::gdi
