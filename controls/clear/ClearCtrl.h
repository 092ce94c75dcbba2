// The transparent container controls: TClearControl with its two concrete classes, the panel and
// the picture-shaped button, and their registration for form descriptions.
#pragma once

#include "controls/clear/ClearButton.h"
#include "controls/clear/ClearControl.h"
#include "controls/clear/ClearPanel.h"

namespace clear {

// Makes TClearPanel and TClearButton known to form descriptions by class name; calling it again
// does nothing.
void RegisterClearControls();

}  // namespace clear
