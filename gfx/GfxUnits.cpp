#include "gfx/GfxUnits.h"

#include "framework/Bitmap.h"
#include "framework/ClassRegistry.h"
#include "gfx/BmpReader.h"
#include "gfx/Image.h"
#include "gfx/JPEGImage.h"
#include "gfx/Shape.h"

namespace fw {

void InitializeGfxUnits() {
  InstallBmpReader();
  InitializeJpegUnit();
  RegisterClasses({TShape::StaticClass(), TImage::StaticClass()});
}

void FinalizeGfxUnits() {
  FinalizeJpegUnit();
  TBitmap::SetReader(nullptr);
}

}  // namespace fw
