// The shine speed button and its colour set, and their registration for form descriptions.
#pragma once

#include "controls/shine/ShineBtnColors.h"
#include "controls/shine/ShineSpeedButton.h"
#include "controls/shine/ShineTypes.h"

namespace shine {

// Makes TShineSpeedButton known to form descriptions by class name (its colour sets are read as
// its nested properties); calling it again does nothing.
void RegisterShineControls();

}  // namespace shine
