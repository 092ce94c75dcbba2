#include "gfx/GfxUnits.h"

#include "framework/ClassRegistry.h"
#include "gfx/Image.h"
#include "gfx/JPEGImage.h"
#include "gfx/Shape.h"

namespace fw {

void InitializeGfxUnits() {
  InitializeJpegUnit();
  RegisterClasses({TShape::StaticClass(), TImage::StaticClass()});
}

void FinalizeGfxUnits() {
  FinalizeJpegUnit();
}

}  // namespace fw
