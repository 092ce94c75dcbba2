#include "framework/SpeedButton.h"

#include "framework/Accelerators.h"
#include "framework/ControlFaces.h"
#include "framework/GraphicsObjects.h"
#include "framework/TypeInfo.h"
#include "framework/WinControl.h"
#include "framework/platform/Messages.h"
#include "framework/platform/TextTypes.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TSpeedButton)

void TSpeedButton::DefineClass(TClassBuilder<TSpeedButton>& b) {
  b.Publish("Action");
  b.Publish("Align");
  b.Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
  b.Publish("Anchors");
  b.Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
  b.Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false);
  b.Publish("Caption");
  b.Publish("Enabled");
  b.Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false);
  b.Property("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout).Default(blGlyphLeft);
  b.Property("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin).Default(-1);
  b.Publish("Font");
  b.Publish("ParentFont");
  b.Publish("ParentShowHint");
  b.Publish("ShowHint");
  b.Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing).Default(4);
  b.Publish("Visible");
  b.Publish(ClickAndMouseEvents);

  b.Message(win::WM_LBUTTONDBLCLK, &TSpeedButton::WMLButtonDblClk);
  b.Message(CM_BUTTONPRESSED, &TSpeedButton::CMButtonPressed);
  b.Message(CM_DIALOGCHAR, &TSpeedButton::CMDialogChar);
  b.Message(CM_ENABLEDCHANGED, &TSpeedButton::CMEnabledChanged);
  b.Message(CM_TEXTCHANGED, &TSpeedButton::CMTextChanged);
  b.Message(CM_MOUSEENTER, &TSpeedButton::CMMouseEnter);
  b.Message(CM_MOUSELEAVE, &TSpeedButton::CMMouseLeave);
}

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle = {csCaptureMouse, csDoubleClicks};
  SetBounds(0, 0, 23, 22);
}

void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || Parent() == nullptr) return;
  TMessage message{CM_BUTTONPRESSED, static_cast<win::WPARAM>(FGroupIndex),
                   reinterpret_cast<win::LPARAM>(this), 0};
  Parent()->Broadcast(message);
}

void TSpeedButton::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  if (FAllowAllUp == Value) return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  if (Value) {
    if (FState == bsUp) Invalidate();
    FState = bsExclusive;
  } else {
    FState = bsUp;
    Repaint();
  }
  if (Value) UpdateExclusive();
}

void TSpeedButton::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TSpeedButton::SetMargin(int Value) {
  if (FMargin == Value || Value < -1) return;
  FMargin = Value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int Value) {
  if (FSpacing == Value) return;
  FSpacing = Value;
  Invalidate();
}

void TSpeedButton::CMButtonPressed(TMessage& Message) {
  if (static_cast<int>(Message.WParam) != FGroupIndex || Message.LParam == 0) return;
  auto* sender = reinterpret_cast<TSpeedButton*>(Message.LParam);
  if (sender == this) return;
  if (sender->Down() && FDown) {
    FDown = false;
    FState = bsUp;
    Invalidate();
  }
  FAllowAllUp = sender->AllowAllUp();
}

bool TSpeedButton::Inside(int X, int Y) const {
  return X >= 0 && Y >= 0 && X < ClientWidth() && Y < ClientHeight();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TWeakRef<TControl> self(this);
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (!self || Button != mbLeft || !Enabled()) return;
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  const TWeakRef<TControl> self(this);
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!self || !FDragging) return;
  TButtonState state = FDown ? bsExclusive : bsUp;
  if (Inside(X, Y) && !FDown) state = bsDown;
  if (state != FState) {
    FState = state;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TWeakRef<TControl> self(this);
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!self || !FDragging) return;
  FDragging = false;
  const bool inside = Inside(X, Y);
  if (FGroupIndex == 0) {
    FState = bsUp;
    FMouseInControl = false;
    Invalidate();
  } else if (inside) {
    SetDown(!FDown);
    if (!self) return;
    if (!FDown) FState = bsUp;
    Repaint();
  } else {
    FState = FDown ? bsExclusive : bsUp;
    Repaint();
  }
  if (self && inside) Click();
}

void TSpeedButton::Click() {
  TGraphicControl::Click();
}

void TSpeedButton::WMLButtonDblClk(TMessage& Message) {
  const TWeakRef<TControl> self(this);
  TControl::WMLButtonDblClk(Message);
  if (self && FDown) DblClick();
}

void TSpeedButton::CMDialogChar(TMessage& Message) {
  if (IsAccel(Message.WParam, Caption()) && Enabled() && Visible() && Parent() != nullptr &&
      Parent()->Showing()) {
    Message.Result = 1;
    Click();
  }
}

void TSpeedButton::CMEnabledChanged(TMessage&) {
  FState = !Enabled() ? bsDisabled : (FDown ? bsExclusive : bsUp);
  Invalidate();
}

void TSpeedButton::CMTextChanged(TMessage&) {
  Invalidate();
}

void TSpeedButton::CMMouseEnter(TMessage&) {
  FMouseInControl = true;
  if (FFlat && Enabled()) Invalidate();
}

void TSpeedButton::CMMouseLeave(TMessage&) {
  FMouseInControl = false;
  if (FFlat && Enabled()) Invalidate();
}

void TSpeedButton::Paint() {
  if (!Enabled()) {
    FState = bsDisabled;
    FDragging = false;
  } else if (FState == bsDisabled) {
    FState = FDown ? bsExclusive : bsUp;
  }
  TCanvas& canvas = *Canvas();
  TRect r = Bounds(0, 0, Width(), Height());
  const bool sunken = FState == bsDown || FState == bsExclusive;
  if (sunken) {
    Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
  } else if (!FFlat || FMouseInControl) {
    Frame3D(canvas, r, clBtnHighlight, cl3DDkShadow, 1);
    if (!FFlat) Frame3D(canvas, r, cl3DLight, clBtnShadow, 1);
  }
  // A button held down by its group shows a lighter face.
  canvas.Brush()->SetColor(FState == bsExclusive ? clBtnHighlight : clBtnFace);
  canvas.FillRect(r);
  canvas.SetFont(Font());
  if (sunken) r = TRect{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
  DrawCaption(canvas, r, Caption(), win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE,
              Enabled());
}

}  // namespace fw
