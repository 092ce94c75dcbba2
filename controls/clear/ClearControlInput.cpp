// TClearControl on screen: painting the state image of the moment with the windowless children
// over it, and the mouse moving the control between up, hot, pressed and dragging its parent.
#include "controls/clear/ClearControl.h"
#include "framework/Canvas.h"
#include "framework/GraphicControl.h"
#include "framework/ScopeExit.h"
#include "framework/WinControl.h"
#include "framework/platform/Input.h"

namespace clear {

void TClearControl::PaintWindow(win::HDC DC) {
  // The region build has the children paint alone.
  if (FPaintingForRegion) return;
  FInPaintWindow = true;
  const fw::TScopeExit painted([this] { FInPaintWindow = false; });
  inherited::PaintWindow(DC);
}

void TClearControl::Paint() {
  if (!Enabled() && HasOption(sioDisableImage)) {
    Canvas()->Draw(0, 0, OrUpImage(FGrayImage));
  } else if (IsDesigning()) {
    Canvas()->Draw(0, 0, FUpImage.get());
  } else if (FPressed && FDownShown) {
    Canvas()->Draw(0, 0, FDownImage.get());
  } else {
    MouseUpViewUpdate(false);
  }
  PaintGraphicControls();
}

void TClearControl::PaintGraphicControls() {
  // Within a paint message the framework paints the windowless children over the control right
  // after it; painting them here as well would only draw the same pixels again.
  if (FInPaintWindow) return;
  for (int i = 0; i < ControlCount(); ++i) {
    if (dynamic_cast<fw::TGraphicControl*>(Controls(i)) == nullptr) continue;
    PaintControls(Canvas()->Handle(), Controls(i));
    break;
  }
  Update();
}

bool TClearControl::OverControl() const {
  win::POINT pointer{};
  win::GetCursorPos(&pointer);
  return fw::FindDragTarget(pointer, true) == this;
}

fw::TBitmap* TClearControl::ImageByRuleB() {
  if (!Enabled() && HasOption(sioDisableImage)) return OrUpImage(FGrayImage);
  if (OverControl() && HasOption(sioHotTrackImage) && FHotTrack && win::GetCapture() == nullptr)
    return OrUpImage(FHotImage);
  return FUpImage.get();
}

void TClearControl::DrawDirectly(fw::TBitmap* Image) {
  Canvas()->Draw(0, 0, Image);
  PaintGraphicControls();
}

bool TClearControl::MouseUpViewUpdate(bool ForClick) {
  if (Parent() == nullptr) return false;
  const bool over = OverControl();
  if (!ForClick) DrawDirectly(ImageByRuleB());
  return over;
}

void TClearControl::MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) {
  if (IsDesigning()) return;
  if (FParentDrag && Parent() != nullptr && Parent()->HandleAllocated()) {
    inherited::MouseDown(Button, Shift, X, Y);
    if (Button == fw::mbLeft) {
      FParentDragging = true;
      FDragGrab = fw::TPoint{X, Y};
    }
    return;
  }
  if (Button == fw::mbLeft && FStyle != sbsImage) {
    FPressed = true;
    FDownShown = true;
    FLastMousePos = fw::TPoint{X, Y};
    UpdateRgn();
    Invalidate();
  }
  inherited::MouseDown(Button, Shift, X, Y);
}

void TClearControl::MouseMove(fw::TShiftState Shift, int X, int Y) {
  if (IsDesigning()) return;
  if (FParentDragging) {
    if (X == FDragGrab.X && Y == FDragGrab.Y) return;
    const fw::TWeakRef<fw::TControl> self(this);
    inherited::MouseMove(Shift, X, Y);
    if (!self) return;
    win::POINT pointer{};
    win::GetCursorPos(&pointer);
    const win::POINT origin = ClientOrigin();
    fw::TWinControl* parent = Parent();
    if (parent != nullptr) {
      parent->SetBounds(parent->Left() + pointer.x - FDragGrab.X - origin.x,
                        parent->Top() + pointer.y - FDragGrab.Y - origin.y, parent->Width(),
                        parent->Height());
    }
    Paint();
    return;
  }
  if (FPressed && (X != FLastMousePos.X || Y != FLastMousePos.Y)) {
    FLastMousePos = fw::TPoint{X, Y};
    // The hit test reads the image shown: the pressed look goes when the pointer leaves the down
    // image's pixels and comes back when it reaches the up image's.
    fw::TBitmap* shown = FDownShown ? FDownImage.get() : FUpImage.get();
    const bool inside = X >= 0 && Y >= 0 && X < Width() && Y < Height() &&
                        shown->Canvas()->Pixels(X, Y) != (shown->TransparentColor() & 0xFFFFFF);
    if (inside != FDownShown) {
      FDownShown = inside;
      UpdateRgn();
      if (Parent() != nullptr) Parent()->Update();
      fw::TBitmap* image = !Enabled() && HasOption(sioDisableImage) ? OrUpImage(FGrayImage)
                           : FDownShown                             ? FDownImage.get()
                                                                    : FUpImage.get();
      DrawDirectly(image);
    }
  }
  inherited::MouseMove(Shift, X, Y);
}

void TClearControl::MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) {
  if (FParentDragging) {
    const fw::TWeakRef<fw::TControl> self(this);
    inherited::MouseUp(Button, Shift, X, Y);
    if (!self) return;
    FParentDragging = false;
    Paint();
    return;
  }
  FPressed = false;
  if (FStyle != sbsImage) {
    UpdateRgn();
    if (Parent() != nullptr) Parent()->Update();
    win::POINT pointer{};
    win::GetCursorPos(&pointer);
    if (fw::TControl* under = fw::FindDragTarget(pointer, true); under != nullptr && under != this)
      under->Invalidate();
  }
  const fw::TWeakRef<fw::TControl> self(this);
  if (!HasOption(sioBorderAndShadow) || MouseUpViewUpdate(true))
    inherited::MouseUp(Button, Shift, X, Y);
  if (self) Paint();
}

void TClearControl::Click() {
  FPressed = false;
  if (FStyle != sbsImage) {
    UpdateRgn();
    if (Parent() != nullptr) Parent()->Update();
  }
  // An OnClick handler may destroy the control.
  const fw::TWeakRef<fw::TControl> self(this);
  if (MouseUpViewUpdate(true)) inherited::Click();
  if (self) Paint();
}

void TClearControl::CMMouseEnter(fw::TMessage& Message) {
  if (!IsDesigning() && !FPressed && HasOption(sioHotTrackImage) && FHotTrack &&
      win::GetCapture() == nullptr && (Enabled() || !HasOption(sioDisableImage)) && OverControl()) {
    DrawDirectly(OrUpImage(FHotImage));
  }
  DispatchFrom(inherited::StaticClass(), Message);
  if (OnMouseEnter) OnMouseEnter(this);
}

void TClearControl::CMMouseLeave(fw::TMessage& Message) {
  if (!IsDesigning() && !FPressed && HasOption(sioHotTrackImage) && FHotTrack &&
      (Enabled() || !HasOption(sioDisableImage))) {
    DrawDirectly(FUpImage.get());
  }
  DispatchFrom(inherited::StaticClass(), Message);
  if (OnMouseLeave) OnMouseLeave(this);
}

}  // namespace clear
