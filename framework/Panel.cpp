#include "framework/Panel.h"

#include <algorithm>

#include "framework/ControlFaces.h"
#include "framework/GraphicsObjects.h"
#include "framework/TypeInfo.h"
#include "framework/platform/TextTypes.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TPanel)

void TPanel::DefineClass(TClassBuilder<TPanel>& b) {
  b.Publish("Align");
  b.Property("Alignment", &TPanel::Alignment, &TPanel::SetAlignment).Default(taCenter);
  b.Publish("Anchors");
  b.Property("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner).Default(bvNone);
  b.Property("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter).Default(bvRaised);
  b.Property("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth).Default(1);
  b.Property("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth).Default(0);
  b.Publish("Caption");
  b.Publish("Color");
  b.Publish("DragCursor");
  b.Publish("DragKind");
  b.Publish("DragMode");
  b.Publish("Enabled");
  b.Publish("Font");
  b.Publish("ParentColor").Default(false);
  b.Publish("ParentFont");
  b.Publish("ParentShowHint");
  b.Publish("PopupMenu");
  b.Publish("ShowHint");
  b.Publish("TabOrder");
  b.Publish("TabStop");
  b.Publish("Visible");
  b.Publish(ClickAndMouseEvents);
  b.Publish("OnResize");

  b.Message(CM_TEXTCHANGED, &TPanel::CMTextChanged);
}

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                   csOpaque,          csDoubleClicks, csReplicatable};
  SetBounds(0, 0, 185, 41);
  SetColor(static_cast<TColor>(0x8000000F));
}

void TPanel::BevelsChanged() {
  Realign();
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut Value) {
  if (FBevelInner == Value) return;
  FBevelInner = Value;
  BevelsChanged();
}

void TPanel::SetBevelOuter(TBevelCut Value) {
  if (FBevelOuter == Value) return;
  FBevelOuter = Value;
  BevelsChanged();
}

void TPanel::SetBevelWidth(int Value) {
  Value = std::max(Value, 1);
  if (FBevelWidth == Value) return;
  FBevelWidth = Value;
  BevelsChanged();
}

void TPanel::SetBorderWidth(int Value) {
  Value = std::max(Value, 0);
  if (FBorderWidth == Value) return;
  FBorderWidth = Value;
  BevelsChanged();
}

void TPanel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TPanel::AdjustClientRect(win::RECT& Rect) const {
  int inset = FBorderWidth;
  if (FBevelOuter != bvNone) inset += FBevelWidth;
  if (FBevelInner != bvNone) inset += FBevelWidth;
  Rect.left += inset;
  Rect.top += inset;
  Rect.right -= inset;
  Rect.bottom -= inset;
}

void TPanel::CMTextChanged(TMessage&) {
  Invalidate();
}

void TPanel::Paint() {
  TCanvas& canvas = *Canvas();
  TRect r = Bounds(0, 0, Width(), Height());
  auto bevel = [&](TBevelCut cut) {
    if (cut == bvNone) return;
    const bool raised = cut == bvRaised;
    const TColor top = cut == bvSpace ? Color() : (raised ? clBtnHighlight : clBtnShadow);
    const TColor bottom = cut == bvSpace ? Color() : (raised ? clBtnShadow : clBtnHighlight);
    Frame3D(canvas, r, top, bottom, FBevelWidth);
  };
  bevel(FBevelOuter);
  Frame3D(canvas, r, Color(), Color(), FBorderWidth);
  bevel(FBevelInner);
  canvas.Brush()->SetColor(Color());
  canvas.FillRect(r);
  canvas.SetFont(Font());
  const unsigned align = FAlignment == taLeftJustify    ? win::DT_LEFT
                         : FAlignment == taRightJustify ? win::DT_RIGHT
                                                        : win::DT_CENTER;
  DrawCaption(canvas, r, Caption(), align | win::DT_VCENTER | win::DT_SINGLELINE, Enabled());
}

}  // namespace fw
