#include "framework/platform/gdi/BitmapObject.h"

#include <cstring>

namespace win::gdi {

TBitmapObject::TBitmapObject(std::shared_ptr<TSurface> surface, const BITMAPINFOHEADER& header)
    : FSurface(std::move(surface)), FDibSection(true), FHeader(header) {}

int TBitmapObject::GetObjectData(int size, void* buffer) const {
  BITMAP bm;
  bm.bmType = 0;
  bm.bmWidth = FSurface->Width();
  bm.bmHeight = FSurface->Height();
  bm.bmPlanes = 1;
  bm.bmBitsPixel = WORD(FSurface->BitCount());
  if (FDibSection) {
    bm.bmWidthBytes = LONG(FSurface->Stride());
    bm.bmBits = FSurface->Bits();
  } else {
    // Device bitmaps report rows padded to 16 bits and no pixel pointer.
    bm.bmWidthBytes = (FSurface->Width() * FSurface->BitCount() + 15) / 16 * 2;
    bm.bmBits = nullptr;
  }
  if (!buffer) return FDibSection ? int(sizeof(DIBSECTION)) : int(sizeof(BITMAP));
  if (FDibSection && size >= int(sizeof(DIBSECTION))) {
    DIBSECTION ds;
    ds.dsBm = bm;
    ds.dsBmih = FHeader;
    if (ds.dsBmih.biSizeImage == 0) ds.dsBmih.biSizeImage = DWORD(FSurface->ByteSize());
    const TPixelFormat& f = FSurface->Format();
    if (f.BitCount == 16 || f.BitCount == 32) {
      ds.dsBitfields[0] = f.RedMask;
      ds.dsBitfields[1] = f.GreenMask;
      ds.dsBitfields[2] = f.BlueMask;
    }
    std::memcpy(buffer, &ds, sizeof(ds));
    return int(sizeof(DIBSECTION));
  }
  return CopyObjectData(bm, size, buffer);
}

}  // namespace win::gdi
