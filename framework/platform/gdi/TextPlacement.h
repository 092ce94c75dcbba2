// Where TextOutA and ExtTextOutA put a line of text for the context's text alignment: the start of
// the baseline from the reference point, and where TA_UPDATECP leaves the current position.
#pragma once

#include "framework/platform/TextTypes.h"

namespace win::gdi {

struct TTextPlacement {
  POINT Origin;        // left end of the text on its baseline
  POINT NextPosition;  // the current position after drawing (TA_UPDATECP)
};

// `reference` is the point passed to the call (or the current position with TA_UPDATECP);
// `width` the text's advance; `ascent`/`descent` the font's.
TTextPlacement PlaceText(UINT align, POINT reference, LONG width, LONG ascent, LONG descent);

}  // namespace win::gdi
