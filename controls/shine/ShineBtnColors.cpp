#include "controls/shine/ShineBtnColors.h"

#include "framework/TypeInfo.h"

namespace shine {

std::uint32_t ColorToPixel32(fw::TColor Color) {
  const win::COLORREF rgb = fw::ColorToRGB(Color);
  return ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
}

TOVU_IMPLEMENT_CLASS(TShineBtnColors)

void TShineBtnColors::DefineClass(fw::TClassBuilder<TShineBtnColors>& b) {
  b.Property("Highlight", &TShineBtnColors::Highlight, &TShineBtnColors::SetHighlight)
      .Idents(fw::ColorIdents())
      .Default(fw::clBtnHighlight);
  b.Property("Shadow", &TShineBtnColors::Shadow, &TShineBtnColors::SetShadow)
      .Idents(fw::ColorIdents())
      .Default(fw::clBtnShadow);
  b.Property("DarkShadow", &TShineBtnColors::DarkShadow, &TShineBtnColors::SetDarkShadow)
      .Idents(fw::ColorIdents())
      .Default(fw::clWindowFrame);
  b.Property("GradColor", &TShineBtnColors::GradColor, &TShineBtnColors::SetGradColor)
      .Idents(fw::ColorIdents())
      .Default(fw::clBlue);
  b.Property("GradVertical", &TShineBtnColors::GradVertical, &TShineBtnColors::SetGradVertical)
      .Default(false);
  b.Property("Gradation", &TShineBtnColors::Gradation, &TShineBtnColors::SetGradation)
      .Default(false);
  // The face colour is always written: each of a button's two sets starts with its own.
  b.Property("Color", &TShineBtnColors::Color, &TShineBtnColors::SetColor)
      .Idents(fw::ColorIdents())
      .NoDefault();
}

TShineBtnColors::TShineBtnColors() = default;

TShineBtnColors::~TShineBtnColors() {
  OnChange = nullptr;
}

void TShineBtnColors::Changed() {
  fw::CallEvent(OnChange, this);
}

template <class V>
void TShineBtnColors::Change(V& Field, V Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TShineBtnColors::SetColor(fw::TColor Value) {
  Change(FColor, Value);
}
void TShineBtnColors::SetHighlight(fw::TColor Value) {
  Change(FHighlight, Value);
}
void TShineBtnColors::SetShadow(fw::TColor Value) {
  Change(FShadow, Value);
}
void TShineBtnColors::SetDarkShadow(fw::TColor Value) {
  Change(FDarkShadow, Value);
}
void TShineBtnColors::SetGradColor(fw::TColor Value) {
  Change(FGradColor, Value);
}
void TShineBtnColors::SetGradVertical(bool Value) {
  Change(FGradVertical, Value);
}
void TShineBtnColors::SetGradation(bool Value) {
  Change(FGradation, Value);
}

void TShineBtnColors::CopyValues(const TShineBtnColors& Source) {
  FColor = Source.FColor;
  FHighlight = Source.FHighlight;
  FShadow = Source.FShadow;
  FDarkShadow = Source.FDarkShadow;
  FGradColor = Source.FGradColor;
  FGradVertical = Source.FGradVertical;
  FGradation = Source.FGradation;
}

void TShineBtnColors::Assign(const fw::TPersistent* Source) {
  if (const auto* colors = dynamic_cast<const TShineBtnColors*>(Source)) {
    CopyValues(*colors);
    Changed();
    return;
  }
  inherited::Assign(Source);
}

void TShineBtnColors::AssignTo(fw::TPersistent* Dest) const {
  if (auto* colors = dynamic_cast<TShineBtnColors*>(Dest)) {
    colors->CopyValues(*this);
    colors->Changed();
    return;
  }
  inherited::AssignTo(Dest);
}

}  // namespace shine
