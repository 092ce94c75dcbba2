#include "framework/Control.h"

#include <algorithm>
#include <cstdint>

#include "framework/Action.h"
#include "framework/ControlConsts.h"
#include "framework/Form.h"
#include "framework/GraphicsObjects.h"
#include "framework/ScopeExit.h"
#include "framework/SizeConstraints.h"
#include "framework/TypeInfo.h"
#include "framework/WinControl.h"
#include "framework/platform/Input.h"
#include "framework/platform/Messages.h"
#include "framework/platform/Paint.h"
#include "framework/platform/VirtualKeys.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TControl)

namespace {

template <class T, class E>
void EventProperty(TClassBuilder<T>& b, std::string_view name, E TControl::*member) {
  b.template Property<E>(
       name, [member](const T& c) { return c.*member; },
       [member](T& c, E v) { c.*member = std::move(v); })
      .Unpublished();
}

}  // namespace

void TControl::DefineClass(TClassBuilder<TControl>& b) {
  b.Property("Left", &TControl::Left, &TControl::SetLeft).NoDefault();
  b.Property("Top", &TControl::Top, &TControl::SetTop).NoDefault();
  b.Property("Width", &TControl::Width, &TControl::SetWidth).NoDefault();
  b.Property("Height", &TControl::Height, &TControl::SetHeight).NoDefault();
  b.Property("Cursor", &TControl::Cursor, &TControl::SetCursor).Default(crDefault);
  b.Property("Hint", &TControl::Hint, &TControl::SetHint).Default("");

  // Declared here, published by the classes that show them.
  b.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone).Unpublished();
  b.Property("Anchors", &TControl::Anchors, &TControl::SetAnchors)
      .Default(TAnchors{akLeft, akTop})
      .Unpublished();
  b.Property("AutoSize", &TControl::AutoSize, &TControl::SetAutoSize).Default(false).Unpublished();
  b.Property("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth).Unpublished();
  b.Property("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight).Unpublished();
  b.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true).Unpublished();
  b.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true).Unpublished();
  b.Property("Caption", &TControl::Caption, &TControl::SetCaption).Unpublished();
  b.Property("Color", &TControl::Color, &TControl::SetColor)
      .Idents(ColorIdents())
      .Stored([](const TObject& o) { return !static_cast<const TControl&>(o).ParentColor(); })
      .Unpublished();
  b.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
      .Default(true)
      .Unpublished();
  b.Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
      .Stored([](const TObject& o) { return !static_cast<const TControl&>(o).ParentShowHint(); })
      .Unpublished();
  b.Property("Font", &TControl::Font, &TControl::SetFont).Unpublished();
  b.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
      .Default(true)
      .Unpublished();
  b.Property("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint)
      .Default(true)
      .Unpublished();
  b.Property("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode)
      .Default(bdLeftToRight)
      .Stored([](const TObject& o) { return !static_cast<const TControl&>(o).ParentBiDiMode(); })
      .Unpublished();
  b.Property("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode)
      .Default(true)
      .Unpublished();
  b.Property("Constraints", &TControl::Constraints, &TControl::SetConstraints).Unpublished();
  b.Property("DragMode", &TControl::DragMode, &TControl::SetDragMode)
      .Default(dmManual)
      .Unpublished();
  b.Property("DragKind", &TControl::DragKind, &TControl::SetDragKind).Default(dkDrag).Unpublished();
  b.Property("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor)
      .Default(-12)
      .Unpublished();
  b.Property("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu).Unpublished();
  b.Property("Action", &TControl::Action, &TControl::SetAction).Unpublished();
  EventProperty(b, "OnClick", &TControl::OnClick);
  EventProperty(b, "OnDblClick", &TControl::OnDblClick);
  EventProperty(b, "OnResize", &TControl::OnResize);
  EventProperty(b, "OnMouseDown", &TControl::OnMouseDown);
  EventProperty(b, "OnMouseUp", &TControl::OnMouseUp);
  EventProperty(b, "OnMouseMove", &TControl::OnMouseMove);

  b.Message(win::WM_LBUTTONDOWN, &TControl::WMLButtonDown);
  b.Message(win::WM_LBUTTONDBLCLK, &TControl::WMLButtonDblClk);
  b.Message(win::WM_LBUTTONUP, &TControl::WMLButtonUp);
  b.Message(win::WM_RBUTTONDOWN, &TControl::WMRButtonDown);
  b.Message(win::WM_RBUTTONDBLCLK, &TControl::WMRButtonDblClk);
  b.Message(win::WM_RBUTTONUP, &TControl::WMRButtonUp);
  b.Message(win::WM_MBUTTONDOWN, &TControl::WMMButtonDown);
  b.Message(win::WM_MBUTTONDBLCLK, &TControl::WMMButtonDblClk);
  b.Message(win::WM_MBUTTONUP, &TControl::WMMButtonUp);
  b.Message(win::WM_MOUSEMOVE, &TControl::WMMouseMove);
  b.Message(win::WM_CANCELMODE, &TControl::WMCancelMode);
  b.Message(CM_ENABLEDCHANGED, &TControl::CMEnabledChanged);
  b.Message(CM_VISIBLECHANGED, &TControl::CMVisibleChanged);
  b.Message(CM_COLORCHANGED, &TControl::CMColorChanged);
  b.Message(CM_PARENTCOLORCHANGED, &TControl::CMParentColorChanged);
  b.Message(CM_PARENTSHOWHINTCHANGED, &TControl::CMParentShowHintChanged);
  b.Message(CM_PARENTBIDIMODECHANGED, &TControl::CMParentBiDiModeChanged);
  b.Message(CM_HITTEST, &TControl::CMHitTest);
  b.Message(CM_FONTCHANGED, &TControl::CMFontChanged);
  b.Message(CM_PARENTFONTCHANGED, &TControl::CMParentFontChanged);
}

TShiftState KeysToShiftState(win::WPARAM Keys) {
  TShiftState result;
  if (Keys & win::MK_SHIFT) result.Include(ssShift);
  if (Keys & win::MK_CONTROL) result.Include(ssCtrl);
  if (Keys & win::MK_LBUTTON) result.Include(ssLeft);
  if (Keys & win::MK_RBUTTON) result.Include(ssRight);
  if (Keys & win::MK_MBUTTON) result.Include(ssMiddle);
  if (win::GetKeyState(win::VK_MENU) < 0) result.Include(ssAlt);
  return result;
}

TShiftState CurrentShiftState() {
  TShiftState result;
  auto held = [](int key) { return win::GetKeyState(key) < 0; };
  if (held(win::VK_SHIFT)) result.Include(ssShift);
  if (held(win::VK_CONTROL)) result.Include(ssCtrl);
  if (held(win::VK_MENU)) result.Include(ssAlt);
  if (held(win::VK_LBUTTON)) result.Include(ssLeft);
  if (held(win::VK_RBUTTON)) result.Include(ssRight);
  if (held(win::VK_MBUTTON)) result.Include(ssMiddle);
  return result;
}

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner),
      FFont(std::make_unique<TFont>()),
      FConstraints(std::make_unique<TSizeConstraints>()) {
  FFont->OnChange = [this](TObject*) { FontChanged(); };
  FConstraints->OnChange = [this](TObject*) { SetBounds(FLeft, FTop, FWidth, FHeight); };
}

TControl::~TControl() {
  Destroying();
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  if (FParent != nullptr) FParent->RemoveControl(this);
}

void TControl::WndProc(TMessage& Message) {
  // Without double clicks in its style a control takes the second press as a plain one.
  if (!FControlStyle.Contains(csDoubleClicks)) {
    if (Message.Msg == win::WM_LBUTTONDBLCLK) Message.Msg = win::WM_LBUTTONDOWN;
    if (Message.Msg == win::WM_RBUTTONDBLCLK) Message.Msg = win::WM_RBUTTONDOWN;
    if (Message.Msg == win::WM_MBUTTONDBLCLK) Message.Msg = win::WM_MBUTTONDOWN;
  }
  if (Message.Msg == win::WM_LBUTTONDOWN || Message.Msg == win::WM_LBUTTONDBLCLK)
    FControlState.Include(csLButtonDown);
  else if (Message.Msg == win::WM_LBUTTONUP)
    FControlState.Exclude(csLButtonDown);
  Dispatch(Message);
}

win::LRESULT TControl::Perform(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
  TMessage message{Msg, WParam, LParam, 0};
  WndProc(message);
  return message.Result;
}

// Parent.

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  if (AParent == this) throw EInvalidOperation(Exception::ResMessage(SControlParentSetToSelf));
  if (FParent != nullptr) FParent->RemoveControl(this);
  if (AParent != nullptr) AParent->InsertControl(this);
}

bool TControl::HasParent() const {
  return true;
}

TComponent* TControl::GetParentComponent() const {
  return FParent;
}

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* parent = dynamic_cast<TWinControl*>(Value)) SetParent(parent);
}

TCustomForm* TControl::ParentForm() const {
  const TControl* top = this;
  while (top->FParent != nullptr)
    top = top->FParent;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(top));
}

// Bounds.

void TControl::SetLeft(int Value) {
  SetBounds(Value, FTop, FWidth, FHeight);
}

void TControl::SetTop(int Value) {
  SetBounds(FLeft, Value, FWidth, FHeight);
}

void TControl::SetWidth(int Value) {
  SetBounds(FLeft, FTop, Value, FHeight);
}

void TControl::SetHeight(int Value) {
  SetBounds(FLeft, FTop, FWidth, Value);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AWidth = FConstraints->ConstrainWidth(std::max(AWidth, 0));
  AHeight = FConstraints->ConstrainHeight(std::max(AHeight, 0));
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool moved = ALeft != FLeft || ATop != FTop;
  const bool sized = AWidth != FWidth || AHeight != FHeight;
  InvalidateControl(FVisible, false);
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  UpdateAnchorRules();
  const TWeakRef<TControl> self(this);
  Invalidate();
  BoundsChanged(moved, sized);
  if (self) RequestAlign();
}

void TControl::BoundsChanged(bool, bool Sized) {
  if (Sized && !IsLoading()) Resize();
}

win::RECT TControl::BoundsRect() const {
  return win::RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
}

void TControl::SetBoundsRect(const win::RECT& Rect) {
  SetBounds(Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top);
}

win::RECT TControl::ClientRect() const {
  return win::RECT{0, 0, FWidth, FHeight};
}

int TControl::ClientWidth() const {
  const win::RECT r = ClientRect();
  return r.right - r.left;
}

int TControl::ClientHeight() const {
  const win::RECT r = ClientRect();
  return r.bottom - r.top;
}

void TControl::SetClientWidth(int Value) {
  SetClientSize(Value, ClientHeight());
}

void TControl::SetClientHeight(int Value) {
  SetClientSize(ClientWidth(), Value);
}

void TControl::SetClientSize(int AWidth, int AHeight) {
  const win::RECT client = ClientRect();
  SetBounds(FLeft, FTop, FWidth - (client.right - client.left) + AWidth,
            FHeight - (client.bottom - client.top) + AHeight);
}

win::POINT TControl::ClientOrigin() const {
  if (FParent == nullptr) return win::POINT{FLeft, FTop};
  const win::POINT origin = FParent->ClientOrigin();
  return win::POINT{origin.x + FLeft, origin.y + FTop};
}

win::POINT TControl::ClientToScreen(win::POINT Point) const {
  const win::POINT origin = ClientOrigin();
  return win::POINT{Point.x + origin.x, Point.y + origin.y};
}

win::POINT TControl::ScreenToClient(win::POINT Point) const {
  const win::POINT origin = ClientOrigin();
  return win::POINT{Point.x - origin.x, Point.y - origin.y};
}

// Alignment and anchors.

void TControl::SetAlign(TAlign Value) {
  if (FAlign == Value) return;
  const TAlign old = FAlign;
  FAlign = Value;
  FAnchors = AnchorAlign[Value];
  // A control that leaves alTop/alBottom or alLeft/alRight keeps its present size.
  if (!IsLoading() && old != alNone && Value == alNone) UpdateAnchorRules();
  RequestAlign();
}

void TControl::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  if (Value) AdjustSize();
}

void TControl::SetAnchors(TAnchors Value) {
  if (FAnchors == Value) return;
  FAnchors = Value;
  UpdateAnchorRules();
  if (!IsLoading()) RequestAlign();
}

win::SIZE TControl::ParentSizeForAnchors() const {
  const win::SIZE design = FParent->DesignSize();
  if (FParent->IsLoading() && design.cx > 0 && design.cy > 0) return design;
  const win::RECT client = FParent->ClientRect();
  return win::SIZE{client.right - client.left, client.bottom - client.top};
}

void TControl::UpdateAnchorRules() {
  if (FAnchorMove || FParent == nullptr) return;
  const win::SIZE parent = ParentSizeForAnchors();
  FOriginalParentSize = parent;
  FAnchorRules = win::RECT{FLeft, FTop, parent.cx - (FLeft + FWidth), parent.cy - (FTop + FHeight)};
}

namespace {

// One axis of the anchor placement: the new start and extent.
void AnchorAxis(bool nearSide, bool farSide, int start, int extent, int nearDistance,
                int farDistance, int originalParent, int parent, int& newStart, int& newExtent) {
  newStart = start;
  newExtent = extent;
  if (nearSide && farSide) {
    newStart = nearDistance;
    newExtent = std::max(parent - nearDistance - farDistance, 0);
  } else if (farSide) {
    newStart = parent - farDistance - extent;
  } else if (nearSide) {
    newStart = nearDistance;
  } else if (originalParent > 0) {
    // Neither side: the centre keeps its proportion of the parent's extent.
    const std::int64_t centre = std::int64_t(nearDistance) + extent / 2;
    newStart = static_cast<int>(centre * parent / originalParent) - extent / 2;
  }
}

}  // namespace

win::RECT TControl::AnchoredBounds(int ParentWidth, int ParentHeight) const {
  int left = 0, width = 0, top = 0, height = 0;
  AnchorAxis(FAnchors.Contains(akLeft), FAnchors.Contains(akRight), FLeft, FWidth,
             FAnchorRules.left, FAnchorRules.right, FOriginalParentSize.cx, ParentWidth, left,
             width);
  AnchorAxis(FAnchors.Contains(akTop), FAnchors.Contains(akBottom), FTop, FHeight, FAnchorRules.top,
             FAnchorRules.bottom, FOriginalParentSize.cy, ParentHeight, top, height);
  return win::RECT{left, top, left + width, top + height};
}

void TControl::RequestAlign() {
  if (FParent != nullptr) FParent->AlignControl(this);
}

// Visibility, enabling, text, colour, hints.

void TControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  const TWeakRef<TControl> self(this);
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
  if (self) RequestAlign();
}

void TControl::Show() {
  if (FParent != nullptr) FParent->Show();
  SetVisible(true);
}

void TControl::Hide() {
  SetVisible(false);
}

bool TControl::IsShowing() const {
  return FVisible && (FParent == nullptr || FParent->IsShowing());
}

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetText(const std::string& Value) {
  if (FText == Value) return;
  FText = Value;
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetName(const std::string& NewName) {
  const bool changeText = FControlStyle.Contains(csSetCaption) && !IsLoading() && Name() == FText &&
                          (Owner() == nullptr || !Owner()->IsLoading());
  TComponent::SetName(NewName);
  if (changeText) SetText(NewName);
}

void TControl::SetColor(TColor Value) {
  if (FColor == Value) {
    FParentColor = false;
    return;
  }
  FColor = Value;
  FParentColor = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetColorFromParent(TColor Value) {
  SetColor(Value);
  FParentColor = true;
}

void TControl::SetParentColor(bool Value) {
  if (FParentColor == Value) return;
  FParentColor = Value;
  if (FParent != nullptr && !IsLoading()) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value) {
  if (FShowHint != Value) {
    FShowHint = Value;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
  }
  FParentShowHint = false;
}

void TControl::SetParentShowHint(bool Value) {
  if (FParentShowHint == Value) return;
  FParentShowHint = Value;
  if (FParent != nullptr && !IsLoading()) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetBiDiMode(TBiDiMode Value) {
  FParentBiDiMode = false;
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::SetParentBiDiMode(bool Value) {
  if (FParentBiDiMode == Value) return;
  FParentBiDiMode = Value;
  if (FParent != nullptr && !IsLoading()) Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
}

void TControl::SetConstraints(const TSizeConstraints* Value) {
  if (Value != nullptr) FConstraints->Assign(Value);
}

void TControl::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetFont(const TFont* Value) {
  if (Value != nullptr) FFont->Assign(Value);
}

void TControl::FontChanged() {
  FParentFont = false;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  if (FParent != nullptr && !IsLoading()) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::CMFontChanged(TMessage&) {
  Invalidate();
}

void TControl::CMParentFontChanged(TMessage&) {
  if (!FParentFont || FParent == nullptr) return;
  FFont->Assign(FParent->Font());
  FParentFont = true;
}

void TControl::SetPopupMenu(TComponent* Value) {
  if (FPopupMenu == Value) return;
  if (FPopupMenu != nullptr) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TControl::SetAction(TBasicAction* Value) {
  if (FAction == Value) return;
  if (FAction != nullptr) FAction->RemoveFreeNotification(this);
  FAction = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FPopupMenu) FPopupMenu = nullptr;
  if (AComponent == FAction) FAction = nullptr;
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (FParent == nullptr) return;
  if (FParentColor) SetColorFromParent(FParent->Color());
  if (FParentFont) {
    FFont->Assign(FParent->Font());
    FParentFont = true;
  }
  if (FParentShowHint) {
    SetShowHint(FParent->ShowHint());
    FParentShowHint = true;
  }
  if (FParentBiDiMode) {
    SetBiDiMode(FParent->BiDiMode());
    FParentBiDiMode = true;
  }
}

void TControl::ReadState(TReader& Reader) {
  FControlState.Include(csReadingState);
  const TScopeExit read([this] { FControlState.Exclude(csReadingState); });
  TComponent::ReadState(Reader);
}

// Painting requests.

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
  if (!IsVisible || FParent == nullptr || !FParent->HandleAllocated()) return;
  const win::RECT rect = BoundsRect();
  win::InvalidateRect(FParent->Handle(), &rect, IsOpaque ? win::FALSE : win::TRUE);
}

void TControl::Invalidate() {
  InvalidateControl(FVisible, FControlStyle.Contains(csOpaque));
}

void TControl::Update() {
  if (FParent != nullptr) FParent->Update();
}

void TControl::Repaint() {
  if (!FVisible || FParent == nullptr || !FParent->HandleAllocated()) return;
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (FParent != nullptr) FParent->MoveChild(this, true);
}

void TControl::SendToBack() {
  if (FParent != nullptr) FParent->MoveChild(this, false);
}

// Mouse.

bool TControl::MouseCapture() const {
  return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool Value) {
  if (MouseCapture() == Value) return;
  SetCaptureControl(Value ? this : nullptr);
}

void TControl::Click() {
  if (OnClick) {
    CallEvent(OnClick, this);
  } else if (FAction != nullptr) {
    FAction->Execute();
  }
}

void TControl::DblClick() {
  CallEvent(OnDblClick, this);
}

void TControl::Resize() {
  CallEvent(OnResize, this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  CallEvent(OnMouseDown, this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  CallEvent(OnMouseMove, this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  CallEvent(OnMouseUp, this, Button, Shift, X, Y);
}

void TControl::DoMouseDown(const TMessage& Message, TMouseButton Button, TShiftState Shift) {
  if (FControlStyle.Contains(csNoStdEvents)) return;
  MouseDown(Button, KeysToShiftState(Message.WParam) + Shift, win::GET_X_LPARAM(Message.LParam),
            win::GET_Y_LPARAM(Message.LParam));
}

void TControl::DoMouseUp(const TMessage& Message, TMouseButton Button) {
  if (FControlStyle.Contains(csNoStdEvents)) return;
  MouseUp(Button, KeysToShiftState(Message.WParam), win::GET_X_LPARAM(Message.LParam),
          win::GET_Y_LPARAM(Message.LParam));
}

void TControl::ButtonDown(TMessage& Message, TMouseButton Button, bool Double) {
  const TWeakRef<TControl> self(this);
  if (Button == mbLeft && FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (!self) return;
  if (Button == mbLeft && FControlStyle.Contains(csClickEvents)) {
    if (Double)
      DblClick();
    else
      FControlState.Include(csClicked);
  }
  if (!self) return;
  DoMouseDown(Message, Button, Double ? TShiftState{ssDouble} : TShiftState{});
}

void TControl::WMLButtonDown(TMessage& Message) {
  ButtonDown(Message, mbLeft, false);
}

void TControl::WMLButtonDblClk(TMessage& Message) {
  ButtonDown(Message, mbLeft, true);
}

void TControl::WMLButtonUp(TMessage& Message) {
  const TWeakRef<TControl> self(this);
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
  if (!self) return;
  if (FControlState.Contains(csClicked)) {
    FControlState.Exclude(csClicked);
    const win::POINT at{win::GET_X_LPARAM(Message.LParam), win::GET_Y_LPARAM(Message.LParam)};
    const win::RECT client = ClientRect();
    if (at.x >= client.left && at.x < client.right && at.y >= client.top && at.y < client.bottom)
      Click();
  }
  if (!self) return;
  DoMouseUp(Message, mbLeft);
}

void TControl::WMRButtonDown(TMessage& Message) {
  ButtonDown(Message, mbRight, false);
}

void TControl::WMRButtonDblClk(TMessage& Message) {
  ButtonDown(Message, mbRight, true);
}

void TControl::WMRButtonUp(TMessage& Message) {
  DoMouseUp(Message, mbRight);
}

void TControl::WMMButtonDown(TMessage& Message) {
  ButtonDown(Message, mbMiddle, false);
}

void TControl::WMMButtonDblClk(TMessage& Message) {
  ButtonDown(Message, mbMiddle, true);
}

void TControl::WMMButtonUp(TMessage& Message) {
  DoMouseUp(Message, mbMiddle);
}

void TControl::WMMouseMove(TMessage& Message) {
  if (FControlStyle.Contains(csNoStdEvents)) return;
  MouseMove(KeysToShiftState(Message.WParam), win::GET_X_LPARAM(Message.LParam),
            win::GET_Y_LPARAM(Message.LParam));
}

void TControl::WMCancelMode(TMessage&) {
  if (MouseCapture()) SetMouseCapture(false);
  FControlState.Exclude(csClicked);
}

// Notifications.

void TControl::CMEnabledChanged(TMessage&) {
  Invalidate();
}

void TControl::CMVisibleChanged(TMessage&) {
  InvalidateControl(true, FVisible && FControlStyle.Contains(csOpaque));
}

void TControl::CMColorChanged(TMessage&) {
  Invalidate();
}

void TControl::CMParentColorChanged(TMessage&) {
  if (FParentColor && FParent != nullptr) SetColorFromParent(FParent->Color());
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (!FParentShowHint || FParent == nullptr) return;
  SetShowHint(FParent->ShowHint());
  FParentShowHint = true;
}

void TControl::CMParentBiDiModeChanged(TMessage&) {
  if (!FParentBiDiMode || FParent == nullptr) return;
  SetBiDiMode(FParent->BiDiMode());
  FParentBiDiMode = true;
}

void TControl::CMHitTest(TMessage& Message) {
  Message.Result = win::HTCLIENT;
}

}  // namespace fw
