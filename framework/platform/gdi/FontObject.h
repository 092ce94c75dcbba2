// Font objects behind HFONT handles: the LOGFONTA a font was made from, realized into a face on
// first use, and the stock fonts every context can fall back on.
#pragma once

#include <memory>

#include "framework/platform/TextTypes.h"
#include "framework/platform/gdi/DeviceContext.h"
#include "framework/platform/gdi/FontFace.h"
#include "framework/platform/gdi/GdiObject.h"

namespace win::gdi {

class TFontObject : public TGdiObject {
 public:
  explicit TFontObject(const LOGFONTA& logFont);

  DWORD ObjectType() const override { return OBJ_FONT; }
  // GetObject copies as much of the LOGFONTA as the buffer takes, as the platform does for fonts.
  int GetObjectData(int size, void* buffer) const override;

  const LOGFONTA& LogFont() const { return FLogFont; }
  // The realized face; null only when no font file is usable at all.
  std::shared_ptr<const TFontFace> Face() const;

 private:
  LOGFONTA FLogFont;
  mutable std::shared_ptr<const TFontFace> FFace;
};

// What the font mapper is asked for a LOGFONTA: the face name decoded from the process code page.
TFontRequest RequestFromLogFont(const LOGFONTA& logFont);

// The description of a stock font (SYSTEM_FONT, DEFAULT_GUI_FONT, ...).
LOGFONTA StockLogFont(int index);
// A new stock font object for the index (the stock-object table keeps it).
std::shared_ptr<TGdiObject> MakeStockFont(int index);

// The face of the font selected into the context (SYSTEM_FONT when none is usable); null only
// when no font file is usable at all.
std::shared_ptr<const TFontFace> SelectedFace(const TDeviceContext& dc);

}  // namespace win::gdi
