// Start-up and shut-down of the graphics layer: the JPEG unit (defaults and the jpeg and jpg file
// formats) and the controls that form descriptions name.
#pragma once

namespace fw {

// Installs everything once; calling it again does nothing.
void InitializeGfxUnits();
// Removes the file formats again.
void FinalizeGfxUnits();

}  // namespace fw
