// The stock objects every context starts with: white, grey and black brushes, the hollow brush,
// white, black and null pens, the fonts, the default palette and the default 1x1 bitmap.
#pragma once

#include <functional>
#include <memory>

#include "framework/platform/gdi/BitmapObject.h"
#include "framework/platform/gdi/GdiObject.h"

namespace win::gdi {

// The stock object of a GetStockObject index, made on first use; null for an unknown index.
std::shared_ptr<TGdiObject> StockObject(int index);
// The 1x1 monochrome bitmap a new memory context holds.
std::shared_ptr<TBitmapObject> DefaultBitmap();

// The font module supplies the stock fonts (OEM_FIXED_FONT ... DEFAULT_GUI_FONT). Until it does,
// those indices answer a placeholder font object whose StockIndex() tells which one it is.
using TStockFontFactory = std::function<std::shared_ptr<TGdiObject>(int index)>;
void SetStockFontFactory(TStockFontFactory factory);

}  // namespace win::gdi
