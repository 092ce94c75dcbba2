#include "framework/platform/gdi/DeviceContext.h"

#include "framework/platform/gdi/StockObjects.h"

namespace win::gdi {

std::shared_ptr<TDeviceContext> TDeviceContext::CreateMemory() {
  auto dc = std::make_shared<TDeviceContext>(TKey());
  dc->FMemory = true;
  dc->FState.Pen = StockObject(BLACK_PEN);
  dc->FState.Brush = StockObject(WHITE_BRUSH);
  dc->FState.Font = StockObject(SYSTEM_FONT);
  dc->FState.Palette = StockObject(DEFAULT_PALETTE);
  dc->FState.Bitmap = DefaultBitmap();
  dc->SelectInto(dc->FState);
  return dc;
}

std::shared_ptr<TDeviceContext> TDeviceContext::CreateForSurface(std::shared_ptr<TSurface> surface,
                                                                 POINT origin, TRegion visible) {
  if (!surface) return nullptr;
  auto dc = std::make_shared<TDeviceContext>(TKey());
  dc->FMemory = false;
  dc->FSurface = std::move(surface);
  dc->FOrigin = origin;
  dc->FVisible = std::move(visible);
  dc->FState.Pen = StockObject(BLACK_PEN);
  dc->FState.Brush = StockObject(WHITE_BRUSH);
  dc->FState.Font = StockObject(SYSTEM_FONT);
  dc->FState.Palette = StockObject(DEFAULT_PALETTE);
  dc->SelectInto(dc->FState);
  return dc;
}

TDeviceContext::~TDeviceContext() {
  ReleaseSelections();
}

void TDeviceContext::ReleaseSelections() {
  DeselectFrom(FState);
  FState = TDcState();
  FSaved.clear();
}

void TDeviceContext::SelectInto(TDcState& state) {
  auto& table = TObjectTable::Instance();
  for (auto* slot : {&state.Pen, &state.Brush, &state.Font, &state.Palette, &state.Bitmap}) {
    if (*slot) table.NoteSelected(**slot);
  }
  if (auto* bitmap = dynamic_cast<TBitmapObject*>(state.Bitmap.get()); bitmap && !bitmap->IsStock())
    bitmap->SetSelectedInto(this);
}

void TDeviceContext::DeselectFrom(TDcState& state) {
  auto& table = TObjectTable::Instance();
  if (auto* bitmap = dynamic_cast<TBitmapObject*>(state.Bitmap.get());
      bitmap && bitmap->SelectedInto() == this)
    bitmap->SetSelectedInto(nullptr);
  for (auto* slot : {&state.Pen, &state.Brush, &state.Font, &state.Palette, &state.Bitmap}) {
    // Keep the object alive across the call: a pending deletion may drop the table's reference.
    if (auto keep = *slot) table.NoteDeselected(*keep);
  }
}

std::shared_ptr<TSurface> TDeviceContext::TargetPtr() const {
  if (!FMemory) return FSurface;
  const auto* bitmap = SelectedBitmap();
  return bitmap ? bitmap->Surface() : DefaultBitmap()->Surface();
}

TBitmapObject* TDeviceContext::SelectedBitmap() const {
  return dynamic_cast<TBitmapObject*>(FState.Bitmap.get());
}

POINT TDeviceContext::ToDevice(POINT p) const {
  return {ClampToLong(std::int64_t(p.x) - FState.WindowOrg.x + FState.ViewportOrg.x),
          ClampToLong(std::int64_t(p.y) - FState.WindowOrg.y + FState.ViewportOrg.y)};
}

RECT TDeviceContext::ToDevice(const RECT& r) const {
  const POINT a = ToDevice(POINT{r.left, r.top});
  const POINT b = ToDevice(POINT{r.right, r.bottom});
  return {a.x, a.y, b.x, b.y};
}

POINT TDeviceContext::ToLogical(POINT p) const {
  return {ClampToLong(std::int64_t(p.x) + FState.WindowOrg.x - FState.ViewportOrg.x),
          ClampToLong(std::int64_t(p.y) + FState.WindowOrg.y - FState.ViewportOrg.y)};
}

TRegion TDeviceContext::PaintClip() const {
  TRegion clip(Target().Bounds());
  if (FVisible) clip.Intersect(*FVisible);
  if (FState.Clip) {
    TRegion own = *FState.Clip;
    own.Offset(FOrigin.x, FOrigin.y);
    clip.Intersect(own);
  }
  return clip;
}

TRegion TDeviceContext::DeviceClip() const {
  TRegion clip = PaintClip();
  clip.Offset(-FOrigin.x, -FOrigin.y);
  return clip;
}

void TDeviceContext::Replace(std::shared_ptr<TGdiObject>& slot,
                             const std::shared_ptr<TGdiObject>& object) {
  auto& table = TObjectTable::Instance();
  std::shared_ptr<TGdiObject> old = slot;
  slot = object;
  table.NoteSelected(*object);
  if (old) table.NoteDeselected(*old);
}

HGDIOBJ TDeviceContext::Select(const std::shared_ptr<TGdiObject>& object) {
  if (!object) return nullptr;
  std::shared_ptr<TGdiObject>* slot = nullptr;
  switch (object->ObjectType()) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
      slot = &FState.Pen;
      break;
    case OBJ_BRUSH:
      slot = &FState.Brush;
      break;
    case OBJ_FONT:
      slot = &FState.Font;
      break;
    case OBJ_BITMAP: {
      if (!FMemory) return nullptr;
      auto* bitmap = static_cast<TBitmapObject*>(object.get());
      if (bitmap->SelectedInto() && bitmap->SelectedInto() != this) return nullptr;
      if (auto* current = SelectedBitmap(); current && current->SelectedInto() == this)
        current->SetSelectedInto(nullptr);
      if (!bitmap->IsStock()) bitmap->SetSelectedInto(this);
      slot = &FState.Bitmap;
      break;
    }
    default:
      return nullptr;
  }
  const HGDIOBJ previous = *slot ? (*slot)->Handle() : nullptr;
  Replace(*slot, object);
  if (slot == &FState.Brush || slot == &FState.Bitmap) FRealizedBrush.reset();
  return previous;
}

HPALETTE TDeviceContext::SelectPalette(const std::shared_ptr<TGdiObject>& palette) {
  if (!palette || palette->ObjectType() != OBJ_PAL) return nullptr;
  const HGDIOBJ previous = FState.Palette ? FState.Palette->Handle() : nullptr;
  Replace(FState.Palette, palette);
  return HandleCast<HPALETTE>(previous);
}

TPenInfo TDeviceContext::PenInfo() const {
  const TPenObject* pen = Pen();
  TPenInfo info = pen ? pen->Info() : TPenInfo{};
  if (pen && pen->StockIndex() == DC_PEN) info.Color = FState.DcPenColor;
  return info;
}

const TBrushTile& TDeviceContext::RealizedBrush(std::uint8_t rop3Code) {
  if (!FRealizedBrush || FRealizedCode != rop3Code) {
    FRealizedCode = rop3Code;
    const TBrushContext context{FState.TextColor, FState.BkColor, FState.BkMode == OPAQUE};
    const TBrushObject* brush = Brush();
    if (brush && brush->StockIndex() == DC_BRUSH) {
      // The DC brush paints in the context's brush colour.
      const TBrushObject solid(BS_SOLID, FState.DcBrushColor, 0);
      FRealizedBrush = RealizeBrush(&solid, Target(), context);
    } else {
      FRealizedBrush = RealizeBrush(brush, Target(), context);
    }
  }
  return *FRealizedBrush;
}

int TDeviceContext::Save() {
  FSaved.push_back(FState);
  return int(FSaved.size());
}

bool TDeviceContext::Restore(int level) {
  const int count = int(FSaved.size());
  // A negative level counts back from the latest save; a positive one names a save.
  const int target = level < 0 ? count + level + 1 : level;
  if (level == 0 || target < 1 || target > count) return false;
  TDcState restored = FSaved[std::size_t(target - 1)];
  FSaved.resize(std::size_t(target - 1));
  // A bitmap selected elsewhere meanwhile cannot come back: keep the current one then.
  if (auto* bitmap = dynamic_cast<TBitmapObject*>(restored.Bitmap.get());
      bitmap && bitmap->SelectedInto() && bitmap->SelectedInto() != this) {
    restored.Bitmap = FState.Bitmap;
  }
  TDcState old = std::move(FState);
  FState = std::move(restored);
  FRealizedBrush.reset();
  SelectInto(FState);
  DeselectFrom(old);
  if (auto* bitmap = SelectedBitmap(); bitmap && !bitmap->IsStock()) bitmap->SetSelectedInto(this);
  return true;
}

std::shared_ptr<TDeviceContext> FindDc(HDC dc) {
  return FindObject<TDeviceContext>(dc);
}

}  // namespace win::gdi
