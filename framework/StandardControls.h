// The framework's own controls made known to form descriptions by class name. A program calls
// this once at start-up, beside the graphics units; the framework's base classes need not know
// their leaves.
#pragma once

namespace fw {

// Registers the form, button, label, panel, speed button and timer classes; calling it again
// does nothing.
void RegisterStandardControls();

}  // namespace fw
