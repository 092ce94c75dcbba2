#include "framework/Label.h"

#include "framework/ControlFaces.h"
#include "framework/GraphicsObjects.h"
#include "framework/TypeInfo.h"
#include "framework/platform/TextTypes.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TLabel)

void TLabel::DefineClass(TClassBuilder<TLabel>& b) {
  b.Publish("Align");
  b.Property("Alignment", &TLabel::Alignment, &TLabel::SetAlignment).Default(taLeftJustify);
  b.Publish("Anchors");
  b.Publish("AutoSize").Default(true);
  b.Publish("Caption");
  b.Publish("Color");
  b.Publish("Enabled");
  b.Publish("Font");
  b.Property("Layout", &TLabel::Layout, &TLabel::SetLayout).Default(tlTop);
  b.Publish("ParentColor");
  b.Publish("ParentFont");
  b.Publish("ParentShowHint");
  b.Publish("ShowHint");
  b.Property("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar).Default(true);
  b.Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent).Default(false);
  b.Publish("Visible");
  b.Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap).Default(false);
  b.Publish(ClickAndMouseEvents);

  b.Message(CM_TEXTCHANGED, &TLabel::CMTextChanged);
}

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle += {csOpaque, csReplicatable};
  FAutoSize = true;
  SetBounds(0, 0, 65, 17);
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

void TLabel::AdjustBounds() {
  if (!FAutoSize || IsLoading()) return;
  const std::string text = Caption().empty() ? std::string(" ") : Caption();
  const TSize extent = MeasureText(*Font(), text, DrawTextFlags(), FWordWrap ? Width() : 0);
  int left = Left();
  if (FAlignment == taRightJustify) left += Width() - extent.cx;
  if (FAlignment == taCenter) left += (Width() - extent.cx) / 2;
  SetBounds(FWordWrap ? Left() : left, Top(), FWordWrap ? Width() : extent.cx, extent.cy);
}

void TLabel::Paint() {
  TCanvas& canvas = *Canvas();
  const TRect client = Bounds(0, 0, Width(), Height());
  if (!FTransparent) {
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(client);
  }
  canvas.SetFont(Font());
  TRect r = client;
  if (FLayout != tlTop) {
    const TSize extent = MeasureText(*Font(), Caption(), DrawTextFlags(), Width());
    const int free = Height() - extent.cy;
    r.Top += FLayout == tlBottom ? free : free / 2;
  }
  DrawCaption(canvas, r, Caption(), DrawTextFlags(), Enabled());
}

}  // namespace fw
