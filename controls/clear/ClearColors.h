// The colour arithmetic of the generated edges and state images: lighter and darker shades of a
// colour and the grey of a disabled look, each on the colour's RGB value (system colours
// resolved first).
#pragma once

#include "framework/Color.h"

namespace clear {

// Every channel raised by `Amount`, capped at 255.
fw::TColor LightenColor(fw::TColor Color, int Amount);
// Every channel lowered by `Amount`, floored at 0.
fw::TColor DarkenColor(fw::TColor Color, int Amount);
// The mean of the channels, kept between 128 and 192, in all three channels.
fw::TColor DisabledGray(fw::TColor Color);

}  // namespace clear
