#include "framework/Label.h"

#include "framework/TypeInfo.h"
#include "framework/platform/TextTypes.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TLabel)

void TLabel::DefineClass(TClassBuilder<TLabel>& b) {
  b.Publish("Align");
  b.Property("Alignment", &TLabel::Alignment, &TLabel::SetAlignment).Default(taLeftJustify);
  b.Publish("Anchors");
  b.Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize).Default(true);
  b.Publish("Caption");
  b.Publish("Color");
  b.Publish("Enabled");
  b.Property("Layout", &TLabel::Layout, &TLabel::SetLayout).Default(tlTop);
  b.Publish("ParentColor");
  b.Publish("ParentShowHint");
  b.Publish("ShowHint");
  b.Property("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar).Default(true);
  b.Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent).Default(false);
  b.Publish("Visible");
  b.Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap).Default(false);
  b.Publish("OnClick");
  b.Publish("OnDblClick");
  b.Publish("OnMouseDown");
  b.Publish("OnMouseMove");
  b.Publish("OnMouseUp");

  b.Message(CM_TEXTCHANGED, &TLabel::CMTextChanged);
}

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle += {csOpaque, csReplicatable};
  SetBounds(0, 0, 65, 17);
}

void TLabel::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  AdjustBounds();
}

void TLabel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TLabel::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetShowAccelChar(bool Value) {
  if (FShowAccelChar == Value) return;
  FShowAccelChar = Value;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  if (Value)
    FControlStyle.Exclude(csOpaque);
  else
    FControlStyle.Include(csOpaque);
  Invalidate();
}

unsigned TLabel::DrawTextFlags() const {
  unsigned flags = win::DT_EXPANDTABS;
  if (FWordWrap) flags |= win::DT_WORDBREAK;
  if (!FShowAccelChar) flags |= win::DT_NOPREFIX;
  if (FAlignment == taRightJustify) flags |= win::DT_RIGHT;
  if (FAlignment == taCenter) flags |= win::DT_CENTER;
  return flags;
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::CMTextChanged(TMessage&) {
  Invalidate();
  AdjustBounds();
}

void TLabel::AdjustBounds() {}

void TLabel::Paint() {}

}  // namespace fw
