// TShineSpeedButton under the mouse and the keyboard: the hot look with its enter and leave
// events and the 200 ms poll for a missed leave, pressing and releasing inside and outside,
// clicks and double clicks, Down within groups announced through a temporary framework speed
// button, accelerator characters and enabling.
#include "controls/shine/ShineSpeedButton.h"
#include "framework/Accelerators.h"
#include "framework/ScopeExit.h"
#include "framework/WinControl.h"
#include "framework/platform/Input.h"

namespace shine {

bool TShineSpeedButton::Inside(int X, int Y) const {
  return X >= 0 && Y >= 0 && X < ClientWidth() && Y < ClientHeight();
}

fw::TPoint TShineSpeedButton::CursorInClient() const {
  win::POINT pointer{};
  win::GetCursorPos(&pointer);
  const win::POINT client = ScreenToClient(pointer);
  return fw::Point(client.x, client.y);
}

// Hover tracking.

void TShineSpeedButton::MouseEnter(fw::TShiftState Shift, int X, int Y) {
  const fw::TWeakRef<fw::TControl> self(this);
  fw::CallEvent(OnMouseEnter, this, Shift, X, Y);
  if (!self) return;
  if (FMouseInControl || !Enabled() || DragMode() == fw::dmAutomatic ||
      win::GetCapture() != nullptr)
    return;
  FMouseInControl = true;
  if (FState == shUp) FState = shActiveUp;
  if (FState == shDown) FState = shActiveDown;
  Repaint();
  FActiveButtonTimer->SetEnabled(true);
}

void TShineSpeedButton::MouseLeave(fw::TShiftState Shift, int X, int Y) {
  const fw::TWeakRef<fw::TControl> self(this);
  fw::CallEvent(OnMouseLeave, this, Shift, X, Y);
  if (!self) return;
  if (!FMouseInControl || !Enabled() || FTracking) return;
  FActiveButtonTimer->SetEnabled(false);
  FMouseInControl = false;
  if (FState == shActiveUp) FState = shUp;
  if (FState == shActiveDown) FState = shDown;
  Repaint();
}

void TShineSpeedButton::CMMouseEnter(fw::TMessage&) {
  const fw::TPoint at = CursorInClient();
  MouseEnter(fw::CurrentShiftState(), at.X, at.Y);
}

void TShineSpeedButton::CMMouseLeave(fw::TMessage&) {
  const fw::TPoint at = CursorInClient();
  MouseLeave(fw::CurrentShiftState(), at.X, at.Y);
}

void TShineSpeedButton::ActiveButtonTimerOnTimer(fw::TObject*) {
  if (!FMouseInControl || !Enabled() || FTracking) {
    FActiveButtonTimer->SetEnabled(false);
    return;
  }
  const fw::TPoint at = CursorInClient();
  if (Inside(at.X, at.Y)) return;
  MouseLeave(fw::CurrentShiftState(), at.X, at.Y);
}

// The flag is preset to the opposite of what the pointer says, so that the notification's guard
// lets it through whichever way the look must change.
void TShineSpeedButton::UpdateTracking() {
  if (!Enabled()) return;
  win::POINT pointer{};
  win::GetCursorPos(&pointer);
  const bool over = fw::FindDragTarget(pointer, true) == this;
  FMouseInControl = !over;
  Perform(over ? fw::CM_MOUSEENTER : fw::CM_MOUSELEAVE, 0, 0);
}

// Pressing.

void TShineSpeedButton::MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) {
  const fw::TWeakRef<fw::TControl> self(this);
  inherited::MouseDown(Button, Shift, X, Y);
  if (!self || Button != fw::mbLeft || !Enabled()) return;
  FState = shActiveDown;
  if (!FDown) Invalidate();
  FTracking = true;
}

void TShineSpeedButton::MouseMove(fw::TShiftState Shift, int X, int Y) {
  const fw::TWeakRef<fw::TControl> self(this);
  inherited::MouseMove(Shift, X, Y);
  if (!self) return;
  if (FTracking) {
    const TShineState state = Inside(X, Y) ? shActiveDown : FDown ? shDown : shUp;
    if (state != FState) {
      FState = state;
      Invalidate();
    }
  } else if (!FMouseInControl) {
    UpdateTracking();
  }
}

void TShineSpeedButton::MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) {
  const fw::TWeakRef<fw::TControl> self(this);
  inherited::MouseUp(Button, Shift, X, Y);
  if (!self || !FTracking) return;
  const bool inside = Inside(X, Y);
  if (FGroupIndex == 0) {
    FState = shUp;
    FMouseInControl = false;
    FDown = false;
    if (inside) Repaint();
  } else if (inside) {
    SetDown(!FDown);
    if (FDown) Repaint();
  } else {
    FState = FDown ? shActiveDown : shActiveUp;
    Repaint();
  }
  FTracking = false;
  if (inside) Click();
  if (self) UpdateTracking();
}

void TShineSpeedButton::Click() {
  const fw::TWeakRef<fw::TControl> self(this);
  const TShineState before = FState;
  if (FClickDownHook) {
    FState = shActiveDown;
    Repaint();
  }
  inherited::Click();
  if (!self || !FClickDownHook) return;
  FState = before;
  Repaint();
}

void TShineSpeedButton::WMLButtonDblClick(fw::TMessage& Message) {
  const fw::TWeakRef<fw::TControl> self(this);
  DispatchFrom(inherited::StaticClass(), Message);
  if (self && FDown) DblClick();
}

// Groups.

void TShineSpeedButton::SetDown(bool Value) {
  if (Value == FDown || FGroupIndex == 0) return;
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  GroupUpdateStatus(FGroupIndex);
  FState = FDown ? shDown : shUp;
  Repaint();
}

void TShineSpeedButton::SetAllowAllUp(bool Value) {
  if (FAllowAllUp == Value) return;
  FAllowAllUp = Value;
  GroupUpdateStatus(FGroupIndex);
}

void TShineSpeedButton::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  GroupUpdateStatus(Value);
}

void TShineSpeedButton::GroupUpdateStatus(int Index) {
  FGroupIndex = Index;
  fw::TWinControl* parent = Parent();
  if (Index == 0 || parent == nullptr) return;
  // The proxy speaks for this button in the framework speed button's words; it is never shown.
  auto proxy = std::make_unique<fw::TSpeedButton>(parent);
  proxy->SetVisible(false);
  FGroupProxy = proxy.get();
  parent->InsertControl(proxy.get());
  fw::RunThenFinally(
      [&] {
        proxy->SetGroupIndex(FGroupIndex);
        proxy->SetAllowAllUp(FAllowAllUp);
        proxy->SetDown(FDown);
        fw::TMessage message{fw::CM_BUTTONPRESSED, static_cast<win::WPARAM>(FGroupIndex),
                             reinterpret_cast<win::LPARAM>(proxy.get()), 0};
        parent->Broadcast(message);
      },
      [&] {
        parent->RemoveControl(proxy.get());
        proxy.reset();
        FGroupProxy = nullptr;
      });
}

void TShineSpeedButton::CMButtonPressed(fw::TMessage& Message) {
  if (static_cast<int>(Message.WParam) != FGroupIndex || Message.LParam == 0) return;
  const auto* sender = reinterpret_cast<const fw::TSpeedButton*>(Message.LParam);
  if (sender == FGroupProxy) return;
  if (sender->Down() && FDown) {
    FDown = false;
    FState = shUp;
    Invalidate();
  }
  FAllowAllUp = sender->AllowAllUp();
}

// Keyboard and enabling.

void TShineSpeedButton::CMDialogChar(fw::TMessage& Message) {
  if (!fw::IsAccel(Message.WParam, Caption()) || !Enabled() || !Visible() || Parent() == nullptr ||
      !Parent()->Showing()) {
    DispatchFrom(inherited::StaticClass(), Message);
    return;
  }
  if (FAccelCharDown) SetDown(!FDown);
  Click();
  Message.Result = 1;
}

void TShineSpeedButton::CMEnabledChanged(fw::TMessage&) {
  FDown = false;
  FState = Enabled() ? shUp : shDisabled;
  // A release after this no longer clicks, even before the next paint forgets the press.
  if (!Enabled()) FTracking = false;
  UpdateTracking();
  Invalidate();
}

}  // namespace shine
