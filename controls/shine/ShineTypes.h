// The vocabulary of the shine speed button: its drawing states, frame styles and the effects its
// glyph takes while hot and while disabled.
#pragma once

#include <cstdint>

#include "framework/EnumInfo.h"

namespace shine {

// What the button shows: pressed or down and under the mouse, down, hot, up, disabled.
TOVU_ENUM(TShineState, std::uint8_t, shActiveDown, shDown, shActiveUp, shUp, shDisabled)
// A one-pixel bevel, a bevel with an outer dark edge, or a bevel inside a dark outline.
TOVU_ENUM(TFrameType, std::uint8_t, ftFlatFrame, ftNormalFrame, ftEnclosedFrame)
// How the glyph shines in the shine colour while the mouse is over the button.
TOVU_ENUM(TActiveImageType, std::uint8_t, aiNormal, aiXorLight, aiHalfLight, aiQuaterLight,
          aiAddLight, aiFrameLight, aiFrameLight2, aiMaskLight)
// How the glyph looks while the button is disabled.
TOVU_ENUM(TDisabledImageType, std::uint8_t, diDefault, diGrayscale, diAlphaHalfTrans,
          diAlphaQuaterTrans, diMaskTrans)

}  // namespace shine
