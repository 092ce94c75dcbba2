#include "framework/platform/gdi/StockObjects.h"

#include <map>

#include "framework/platform/gdi/BrushObject.h"
#include "framework/platform/gdi/PaletteObject.h"
#include "framework/platform/gdi/PenObject.h"

namespace win::gdi {
namespace {

class TPlaceholderFont : public TGdiObject {
 public:
  DWORD ObjectType() const override { return OBJ_FONT; }
};

TStockFontFactory& FontFactory() {
  static TStockFontFactory factory;
  return factory;
}

std::map<int, std::shared_ptr<TGdiObject>>& Stock() {
  static std::map<int, std::shared_ptr<TGdiObject>> objects;
  return objects;
}

bool IsFontIndex(int index) {
  return (index >= OEM_FIXED_FONT && index <= DEVICE_DEFAULT_FONT) || index == SYSTEM_FIXED_FONT ||
         index == DEFAULT_GUI_FONT;
}

// The 20 static colours of the default palette.
std::vector<PALETTEENTRY> DefaultPaletteEntries() {
  static constexpr BYTE kColors[20][3] = {
      {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
      {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
      {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
      {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
  std::vector<PALETTEENTRY> entries;
  for (const auto& c : kColors)
    entries.push_back(PALETTEENTRY{c[0], c[1], c[2], 0});
  return entries;
}

std::shared_ptr<TGdiObject> MakeStock(int index) {
  auto brush = [](COLORREF c) { return std::make_shared<TBrushObject>(BS_SOLID, c, 0); };
  auto pen = [](int style, COLORREF c) {
    TPenInfo info;
    info.Style = style;
    info.Color = c;
    return std::make_shared<TPenObject>(info);
  };
  switch (index) {
    case WHITE_BRUSH:
      return brush(RGB(255, 255, 255));
    case LTGRAY_BRUSH:
      return brush(RGB(192, 192, 192));
    case GRAY_BRUSH:
      return brush(RGB(128, 128, 128));
    case DKGRAY_BRUSH:
      return brush(RGB(64, 64, 64));
    case BLACK_BRUSH:
      return brush(RGB(0, 0, 0));
    case NULL_BRUSH:
      return std::make_shared<TBrushObject>(BS_NULL, 0, 0);
    case DC_BRUSH:
      return brush(RGB(255, 255, 255));
    case WHITE_PEN:
      return pen(PS_SOLID, RGB(255, 255, 255));
    case BLACK_PEN:
      return pen(PS_SOLID, RGB(0, 0, 0));
    case NULL_PEN:
      return pen(PS_NULL, RGB(0, 0, 0));
    case DC_PEN:
      return pen(PS_SOLID, RGB(0, 0, 0));
    case DEFAULT_PALETTE:
      return std::make_shared<TPaletteObject>(DefaultPaletteEntries());
    default:
      break;
  }
  if (IsFontIndex(index)) {
    if (FontFactory()) {
      if (auto font = FontFactory()(index)) return font;
    }
    return std::make_shared<TPlaceholderFont>();
  }
  return nullptr;
}

}  // namespace

std::shared_ptr<TGdiObject> StockObject(int index) {
  auto& stock = Stock();
  const auto it = stock.find(index);
  if (it != stock.end()) return it->second;
  auto object = MakeStock(index);
  if (!object) return nullptr;
  TObjectTable::Instance().AddStock(object, index);
  stock.emplace(index, object);
  return object;
}

std::shared_ptr<TBitmapObject> DefaultBitmap() {
  static std::shared_ptr<TBitmapObject> bitmap = [] {
    auto b =
        std::make_shared<TBitmapObject>(TSurface::Create(1, 1, TPixelFormat::Monochrome(), true));
    TObjectTable::Instance().AddStock(b, 21);
    return b;
  }();
  return bitmap;
}

void SetStockFontFactory(TStockFontFactory factory) {
  FontFactory() = std::move(factory);
}

}  // namespace win::gdi
