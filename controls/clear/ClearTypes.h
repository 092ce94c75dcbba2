// The vocabulary of the transparent container controls: the button styles, the image options
// and the private message that asks a control to recompute its window region.
#pragma once

#include <cstdint>

#include "framework/EnumInfo.h"
#include "framework/Set.h"
#include "framework/platform/WinTypes.h"

namespace clear {

// A raised push button, a flat button with a drop shadow, or a picture that is never pressed.
TOVU_ENUM(TTransBtnStyle, std::uint8_t, sbsPushBtn, sbsFloatBtn, sbsImage)
// Which state images a control keeps, whether its region applies in a designer, and whether it
// draws a generated border, light edge and shadow.
TOVU_ENUM(TTransImgOption, std::uint8_t, sioDisableImage, sioHotTrackImage, sioTransAtDesigning,
          sioBorderAndShadow)
using TTransImgOptions = fw::TSet<TTransImgOption>;

// Posted to a control's own window to ask for a region update; coalesced while queued.
inline constexpr win::UINT CM_UPDATERGN = 0xBBAB;

}  // namespace clear
