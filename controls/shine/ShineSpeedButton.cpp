// TShineSpeedButton's properties and life cycle: the published interface in its streaming order,
// construction and destruction, and the setters of the painting properties with the repaint
// each change asks for.
#include "controls/shine/ShineSpeedButton.h"

#include "framework/ComponentMessages.h"
#include "framework/TypeInfo.h"
#include "framework/platform/Messages.h"

namespace shine {

namespace {

using TButtonClass = fw::TClassBuilder<TShineSpeedButton>;

void ColorProperty(TButtonClass& b, std::string_view name,
                   fw::TColor (TShineSpeedButton::*get)() const,
                   void (TShineSpeedButton::*set)(fw::TColor), fw::TColor byDefault) {
  b.Property(name, get, set).Idents(fw::ColorIdents()).Default(byDefault);
}

void MouseEventProperty(TButtonClass& b, std::string_view name,
                        fw::TMouseMoveEvent TShineSpeedButton::*member) {
  b.Property<fw::TMouseMoveEvent>(
      name, [member](const TShineSpeedButton& c) { return c.*member; },
      [member](TShineSpeedButton& c, fw::TMouseMoveEvent v) { c.*member = std::move(v); });
}

}  // namespace

TOVU_IMPLEMENT_CLASS(TShineSpeedButton)

void TShineSpeedButton::DefineClass(TButtonClass& b) {
  using T = TShineSpeedButton;
  b.Property("GroupIndex", &T::GroupIndex, &T::SetGroupIndex).Default(0);
  b.Property("Down", &T::Down, &T::SetDown).Default(false);
  b.Property("ClickDownHook", &T::ClickDownHook, &T::SetClickDownHook).Default(false);
  b.Property("AccelCharDown", &T::AccelCharDown, &T::SetAccelCharDown).Default(false);
  b.Property("FrameType", &T::FrameType, &T::SetFrameType).Default(ftNormalFrame);
  b.Property("Transparent", &T::Transparent, &T::SetTransparent).Default(false);
  b.Property("ActiveFrame", &T::ActiveFrame, &T::SetActiveFrame).Default(true);
  b.Property("UpFrame", &T::UpFrame, &T::SetUpFrame).Default(true);
  b.Property("DownFrame", &T::DownFrame, &T::SetDownFrame).Default(true);
  b.Property("ActiveImage", &T::ActiveImage, &T::SetActiveImage).Default(aiFrameLight);
  b.Property("DisabledImage", &T::DisabledImage, &T::SetDisabledImage).Default(diDefault);
  ColorProperty(b, "DisabledHighlight", &T::DisabledHighlight, &T::SetDisabledHighlight,
                fw::clBtnHighlight);
  ColorProperty(b, "DisabledShadow", &T::DisabledShadow, &T::SetDisabledShadow, fw::clBtnShadow);
  b.Property("Colors", &T::Colors, &T::SetColors);
  b.Property("PressedColors", &T::PressedColors, &T::SetPressedColors);
  ColorProperty(b, "ShineColor", &T::ShineColor, &T::SetShineColor, fw::clYellow);
  b.Property("Font", &T::Font, &T::SetFont);
  ColorProperty(b, "FontHighlight", &T::FontHighlight, &T::SetFontHighlight, fw::clNone);
  ColorProperty(b, "FontShadow", &T::FontShadow, &T::SetFontShadow, fw::clNone);
  b.Property("ActiveFont", &T::ActiveFont, &T::SetActiveFont);
  b.Property("AllowAllUp", &T::AllowAllUp, &T::SetAllowAllUp).Default(false);
  b.Property("Layout", &T::Layout, &T::SetLayout).Default(fw::blGlyphLeft);
  b.Property("Margin", &T::Margin, &T::SetMargin).Default(-1);
  b.Property("Spacing", &T::Spacing, &T::SetSpacing).Default(4);
  b.Property("Glyph", &T::Glyph, &T::SetGlyph);
  MouseEventProperty(b, "OnMouseEnter", &T::OnMouseEnter);
  MouseEventProperty(b, "OnMouseLeave", &T::OnMouseLeave);
  b.Publish({"Action", "Align", "Anchors", "BiDiMode", "Caption", "Constraints", "Enabled",
             "ParentBiDiMode", "ParentShowHint", "ShowHint", "Visible"});
  b.Publish(fw::ClickAndMouseEvents);

  b.Message(win::WM_LBUTTONDBLCLK, &T::WMLButtonDblClick);
  b.Message(fw::CM_DIALOGCHAR, &T::CMDialogChar);
  b.Message(fw::CM_ENABLEDCHANGED, &T::CMEnabledChanged);
  b.Message(fw::CM_FONTCHANGED, &T::CMFontChanged);
  b.Message(fw::CM_TEXTCHANGED, &T::CMTextChanged);
  b.Message(fw::CM_MOUSEENTER, &T::CMMouseEnter);
  b.Message(fw::CM_MOUSELEAVE, &T::CMMouseLeave);
  b.Message(fw::CM_BUTTONPRESSED, &T::CMButtonPressed);
  b.Message(fw::CM_SYSCOLORCHANGE, &T::CMSysColorChange);
}

TShineSpeedButton::TShineSpeedButton(fw::TComponent* AOwner) : fw::TGraphicControl(AOwner) {
  // No automatic click on release and no name copied into the caption: the button raises its
  // clicks and double clicks itself.
  FControlStyle = {fw::csCaptureMouse, fw::csOpaque, fw::csDoubleClicks};
  const auto repaint = [this](fw::TObject* sender) { FontsAndColorsOnChange(sender); };
  FColors = std::make_unique<TShineBtnColors>();
  FColors->SetColor(fw::clBtnFace);
  FColors->OnChange = repaint;
  FPressedColors = std::make_unique<TShineBtnColors>();
  FPressedColors->SetColor(fw::clBtnHighlight);
  FPressedColors->OnChange = repaint;
  FFont = std::make_unique<fw::TFont>();
  FFont->SetColor(fw::clBtnText);
  FFont->OnChange = repaint;
  FActiveFont = std::make_unique<fw::TFont>();
  FActiveFont->SetColor(fw::clHighlight);
  FActiveFont->OnChange = repaint;
  FGlyph = std::make_unique<fw::TBitmap>();
  ConnectGlyph(true);
  SetBounds(Left(), Top(), 25, 25);
  FActiveButtonTimer = std::make_unique<fw::TTimer>(this);
  FActiveButtonTimer->SetSubComponent(true);  // not stored as a component of its own
  FActiveButtonTimer->SetEnabled(false);
  FActiveButtonTimer->SetInterval(200);
  FActiveButtonTimer->SetOnTimer([this](fw::TObject* sender) { ActiveButtonTimerOnTimer(sender); });
}

TShineSpeedButton::~TShineSpeedButton() {
  FActiveButtonTimer.reset();
  ConnectGlyph(false);
  FGlyph.reset();
  FColors.reset();
  FPressedColors.reset();
  FFont.reset();
  FActiveFont.reset();
}

void TShineSpeedButton::FontsAndColorsOnChange(fw::TObject*) {
  Invalidate();
}

namespace {

// Stores a changed value and asks for a repaint; an equal value does nothing.
template <class V>
void ChangeAndInvalidate(fw::TControl& Control, V& Field, V Value) {
  if (Field == Value) return;
  Field = Value;
  Control.Invalidate();
}

}  // namespace

void TShineSpeedButton::SetClickDownHook(bool Value) {
  ChangeAndInvalidate(*this, FClickDownHook, Value);
}
void TShineSpeedButton::SetAccelCharDown(bool Value) {
  ChangeAndInvalidate(*this, FAccelCharDown, Value);
}
void TShineSpeedButton::SetFrameType(TFrameType Value) {
  ChangeAndInvalidate(*this, FFrameType, Value);
}
void TShineSpeedButton::SetActiveFrame(bool Value) {
  ChangeAndInvalidate(*this, FActiveFrame, Value);
}
void TShineSpeedButton::SetUpFrame(bool Value) {
  ChangeAndInvalidate(*this, FUpFrame, Value);
}
void TShineSpeedButton::SetDownFrame(bool Value) {
  ChangeAndInvalidate(*this, FDownFrame, Value);
}
void TShineSpeedButton::SetActiveImage(TActiveImageType Value) {
  ChangeAndInvalidate(*this, FActiveImage, Value);
}
void TShineSpeedButton::SetDisabledImage(TDisabledImageType Value) {
  ChangeAndInvalidate(*this, FDisabledImage, Value);
}
void TShineSpeedButton::SetDisabledHighlight(fw::TColor Value) {
  ChangeAndInvalidate(*this, FDisabledHighlight, Value);
}
void TShineSpeedButton::SetDisabledShadow(fw::TColor Value) {
  ChangeAndInvalidate(*this, FDisabledShadow, Value);
}
void TShineSpeedButton::SetShineColor(fw::TColor Value) {
  ChangeAndInvalidate(*this, FShineColor, Value);
}
void TShineSpeedButton::SetLayout(fw::TButtonLayout Value) {
  ChangeAndInvalidate(*this, FLayout, Value);
}
void TShineSpeedButton::SetMargin(int Value) {
  ChangeAndInvalidate(*this, FMargin, Value);
}
void TShineSpeedButton::SetSpacing(int Value) {
  ChangeAndInvalidate(*this, FSpacing, Value);
}

void TShineSpeedButton::SetFontShadow(fw::TColor Value) {
  FFontShadow = Value;
  Invalidate();
}

void TShineSpeedButton::SetFontHighlight(fw::TColor Value) {
  FFontHighlight = Value;
  Invalidate();
}

void TShineSpeedButton::SetFont(const fw::TFont* Value) {
  if (Value == nullptr) return;
  FFont->Assign(Value);
  Invalidate();
}

void TShineSpeedButton::SetActiveFont(const fw::TFont* Value) {
  if (Value == nullptr) return;
  FActiveFont->Assign(Value);
  Invalidate();
}

// The colour sets' own notification asks for the repaint. A null set is ignored, like a null
// font.
void TShineSpeedButton::SetColors(const TShineBtnColors* Value) {
  if (Value != nullptr) FColors->Assign(Value);
}

void TShineSpeedButton::SetPressedColors(const TShineBtnColors* Value) {
  if (Value != nullptr) FPressedColors->Assign(Value);
}

void TShineSpeedButton::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  if (Value)
    FControlStyle.Exclude(fw::csOpaque);
  else
    FControlStyle.Include(fw::csOpaque);
  Invalidate();
}

void TShineSpeedButton::CMFontChanged(fw::TMessage&) {
  Invalidate();
}

void TShineSpeedButton::CMTextChanged(fw::TMessage&) {
  Invalidate();
}

void TShineSpeedButton::CMSysColorChange(fw::TMessage&) {
  Invalidate();
}

}  // namespace shine
