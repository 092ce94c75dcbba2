#include "framework/Button.h"

#include "framework/Accelerators.h"
#include "framework/ControlFaces.h"
#include "framework/Form.h"
#include "framework/GraphicsObjects.h"
#include "framework/TypeInfo.h"
#include "framework/platform/Input.h"
#include "framework/platform/Messages.h"
#include "framework/platform/TextTypes.h"
#include "framework/platform/VirtualKeys.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TButton)

void TButton::DefineClass(TClassBuilder<TButton>& b) {
  b.Publish("Action");
  b.Publish("Anchors");
  b.Property("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false);
  b.Publish("Caption");
  b.Property("Default", &TButton::Default, &TButton::SetDefault).Default(false);
  b.Publish("DragCursor");
  b.Publish("DragKind");
  b.Publish("DragMode");
  b.Publish("Enabled");
  b.Publish("Font");
  b.Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult).Default(mrNone);
  b.Publish("ParentFont");
  b.Publish("ParentShowHint");
  b.Publish("PopupMenu");
  b.Publish("ShowHint");
  b.Publish("TabOrder");
  b.Publish("TabStop").Default(true);
  b.Publish("Visible");
  b.Publish("OnClick");
  b.Publish("OnMouseDown");
  b.Publish("OnMouseMove");
  b.Publish("OnMouseUp");

  b.Message(CM_DIALOGKEY, &TButton::CMDialogKey);
  b.Message(CM_DIALOGCHAR, &TButton::CMDialogChar);
  b.Message(CM_TEXTCHANGED, &TButton::CMTextChanged);
  b.Message(CM_ENABLEDCHANGED, &TButton::CMEnabledChanged);
  b.Message(win::WM_SETFOCUS, &TButton::WMSetFocus);
  b.Message(win::WM_KILLFOCUS, &TButton::WMKillFocus);
  b.Message(win::WM_KEYDOWN, &TButton::WMKeyDown);
  b.Message(win::WM_KEYUP, &TButton::WMKeyUp);
}

TButton::TButton(TComponent* AOwner) : TCustomControl(AOwner) {
  // Clicks come from the button's own press tracking, not from the framework's.
  FControlStyle = {csSetCaption, csOpaque, csCaptureMouse};
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool Value) {
  if (FDefault == Value) return;
  FDefault = Value;
  Invalidate();
}

void TButton::Click() {
  const TWeakRef<TControl> self(this);
  if (FModalResult != mrNone)
    if (TCustomForm* form = ParentForm()) form->SetModalResult(FModalResult);
  if (self) TCustomControl::Click();
}

void TButton::SetPressed(bool Value) {
  if (FPressed == Value) return;
  FPressed = Value;
  Repaint();
}

void TButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TWeakRef<TControl> self(this);
  if (Button == mbLeft) {
    if (CanFocus() && !Focused()) SetFocus();
    if (!self) return;
    FTracking = true;
    SetPressed(true);
  }
  if (self) TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TButton::MouseMove(TShiftState Shift, int X, int Y) {
  if (FTracking) SetPressed(X >= 0 && Y >= 0 && X < Width() && Y < Height());
  TCustomControl::MouseMove(Shift, X, Y);
}

void TButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TWeakRef<TControl> self(this);
  if (Button == mbLeft && FTracking) {
    FTracking = false;
    const bool inside = X >= 0 && Y >= 0 && X < Width() && Y < Height();
    SetPressed(false);
    if (inside) Click();
  }
  if (self) TCustomControl::MouseUp(Button, Shift, X, Y);
}

bool TButton::AnswersEnter() const {
  if (Focused()) return true;
  if (!FDefault) return false;
  const win::HWND focus = win::GetFocus();
  return focus == nullptr || dynamic_cast<TButton*>(FindControl(focus)) == nullptr;
}

void TButton::CMDialogKey(TMessage& Message) {
  const auto key = static_cast<int>(Message.WParam);
  const bool alt = (Message.LParam & (win::LPARAM(1) << 29)) != 0;
  if (!alt && ((key == win::VK_RETURN && AnswersEnter()) || (key == win::VK_ESCAPE && FCancel)) &&
      CanFocus()) {
    Message.Result = 1;
    Click();
  }
}

void TButton::CMDialogChar(TMessage& Message) {
  if (IsAccel(Message.WParam, Caption()) && CanFocus()) {
    Message.Result = 1;
    Click();
  }
}

void TButton::WMKeyDown(TMessage& Message) {
  if (static_cast<int>(Message.WParam) == win::VK_SPACE) {
    FSpaceDown = true;
    SetPressed(true);
    return;
  }
  TCustomControl::WMKeyDown(Message);
}

void TButton::WMKeyUp(TMessage& Message) {
  if (static_cast<int>(Message.WParam) == win::VK_SPACE && FSpaceDown) {
    FSpaceDown = false;
    SetPressed(false);
    Click();
    return;
  }
  DefaultHandler(Message);
}

void TButton::CMTextChanged(TMessage&) {
  Invalidate();
}

void TButton::CMEnabledChanged(TMessage& Message) {
  TWinControl::CMEnabledChanged(Message);
  Invalidate();
}

void TButton::WMSetFocus(TMessage& Message) {
  DefaultHandler(Message);
  Invalidate();
}

void TButton::WMKillFocus(TMessage& Message) {
  DefaultHandler(Message);
  FSpaceDown = false;
  if (FPressed && !FTracking) SetPressed(false);
  Invalidate();
}

void TButton::Paint() {
  TCanvas& canvas = *Canvas();
  TRect r = Bounds(0, 0, Width(), Height());
  // The default button (and the focused one) wears a dark outer ring.
  const bool marked = FDefault || Focused();
  if (marked) Frame3D(canvas, r, clWindowFrame, clWindowFrame, 1);
  DrawButtonFace(canvas, r, FPressed);
  canvas.SetFont(Font());
  TRect text = r;
  if (FPressed) text = TRect{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
  DrawCaption(canvas, text, Caption(), win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE,
              Enabled());
  if (Focused()) DrawFocusMark(canvas, TRect{r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2});
}

}  // namespace fw
