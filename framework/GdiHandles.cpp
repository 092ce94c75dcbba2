#include "framework/GdiHandles.h"

#include "framework/Consts.h"
#include "framework/Exceptions.h"

namespace fw::gdihandles {

TMemoryDC::TMemoryDC() : FDC(win::CreateCompatibleDC(nullptr)) {
  if (FDC == nullptr) throw EOutOfResources(LoadResString(SOutOfResources));
}

}  // namespace fw::gdihandles
