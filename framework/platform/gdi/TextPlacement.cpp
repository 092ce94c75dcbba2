#include "framework/platform/gdi/TextPlacement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace win::gdi {
namespace {

LONG Clamp32(std::int64_t value) {
  return static_cast<LONG>(std::clamp<std::int64_t>(value, std::numeric_limits<LONG>::min(),
                                                    std::numeric_limits<LONG>::max()));
}

}  // namespace

TTextPlacement PlaceText(UINT align, POINT reference, LONG width, LONG ascent, LONG descent) {
  std::int64_t left = reference.x;
  std::int64_t next = reference.x;
  // TA_CENTER shares a bit with TA_RIGHT, so it is tested first.
  if ((align & TA_CENTER) == TA_CENTER) {
    left -= width / 2;
  } else if (align & TA_RIGHT) {
    left -= width;
    next = left;
  } else {
    next = left + width;
  }
  std::int64_t baseline = reference.y;
  if ((align & TA_BASELINE) == TA_BASELINE) {
    // already on the baseline
  } else if (align & TA_BOTTOM) {
    baseline -= descent;
  } else {
    baseline += ascent;
  }
  return TTextPlacement{POINT{Clamp32(left), Clamp32(baseline)}, POINT{Clamp32(next), reference.y}};
}

}  // namespace win::gdi
