#include "framework/WinControl.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "framework/Application.h"
#include "framework/ControlCanvas.h"
#include "framework/ControlConsts.h"
#include "framework/Form.h"
#include "framework/GdiHandles.h"
#include "framework/GraphicsObjects.h"
#include "framework/Reader.h"
#include "framework/ScopeExit.h"
#include "framework/TypeInfo.h"
#include "framework/Writer.h"
#include "framework/platform/GdiDc.h"
#include "framework/platform/GdiFills.h"
#include "framework/platform/GdiTypes.h"
#include "framework/platform/Input.h"
#include "framework/platform/MessageQueue.h"
#include "framework/platform/Paint.h"
#include "framework/platform/Rects.h"
#include "framework/platform/VirtualKeys.h"
#include "framework/platform/Window.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TWinControl)

void TWinControl::DefineClass(TClassBuilder<TWinControl>& b) {
  b.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
      .Default(-1)
      .Unpublished();
  b.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
      .Default(false)
      .Unpublished();

  b.Message(win::WM_PAINT, &TWinControl::WMPaint);
  b.Message(win::WM_ERASEBKGND, &TWinControl::WMEraseBkgnd);
  b.Message(win::WM_WINDOWPOSCHANGED, &TWinControl::WMWindowPosChanged);
  b.Message(win::WM_SIZE, &TWinControl::WMSize);
  b.Message(win::WM_KEYDOWN, &TWinControl::WMKeyDown);
  b.Message(win::WM_SYSKEYDOWN, &TWinControl::WMKeyDown);
  b.Message(win::WM_CHAR, &TWinControl::WMChar);
  b.Message(win::WM_SYSCHAR, &TWinControl::WMSysChar);
  b.Message(win::WM_CAPTURECHANGED, &TWinControl::WMCaptureChanged);
  b.Message(win::WM_NCDESTROY, &TWinControl::WMNCDestroy);
  b.Message(CM_ENABLEDCHANGED, &TWinControl::CMEnabledChanged);
  b.Message(CM_VISIBLECHANGED, &TWinControl::CMVisibleChanged);
  b.Message(CM_SHOWINGCHANGED, &TWinControl::CMShowingChanged);
  b.Message(CM_COLORCHANGED, &TWinControl::CMColorChanged);
  b.Message(CM_DIALOGKEY, &TWinControl::CMDialogKey);
  b.Message(CM_DIALOGCHAR, &TWinControl::CMDialogChar);
  b.Message(CM_SHOWHINTCHANGED, &TWinControl::CMShowHintChanged);
  b.Message(CM_BIDIMODECHANGED, &TWinControl::CMBiDiModeChanged);
  b.Message(CM_FONTCHANGED, &TWinControl::CMFontChanged);
}

namespace {

// The windowless control that holds the capture through its parent's window.
TWeakRef<TControl>& CaptureControlRef() {
  static TWeakRef<TControl> ref;
  return ref;
}

bool IsMouseMessage(win::UINT msg) {
  return msg >= win::WM_MOUSEFIRST && msg <= win::WM_MBUTTONDBLCLK;
}

// Controls of a list as weak references, so that a walk survives handlers that destroy some.
std::vector<TWeakRef<TControl>> Snapshot(const TWinControl& parent) {
  std::vector<TWeakRef<TControl>> result;
  for (int i = 0; i < parent.ControlCount(); ++i)
    result.emplace_back(parent.Controls(i));
  return result;
}

}  // namespace

TWinControl* FindControl(win::HWND Handle) {
  if (Handle == nullptr || !win::IsWindow(Handle)) return nullptr;
  if (win::GetWindowLongPtrA(Handle, win::GWLP_WNDPROC) !=
      reinterpret_cast<win::LONG_PTR>(&TWinControl::WindowProcedure))
    return nullptr;
  return reinterpret_cast<TWinControl*>(win::GetWindowLongPtrA(Handle, win::GWLP_USERDATA));
}

TControl* GetCaptureControl() {
  TWinControl* window = FindControl(win::GetCapture());
  if (window == nullptr) return nullptr;
  TControl* captured = CaptureControlRef().Get();
  if (captured != nullptr && captured->Parent() == window) return captured;
  return window;
}

void SetCaptureControl(TControl* Control) {
  CaptureControlRef() = TWeakRef<TControl>();
  if (Control == nullptr) {
    win::ReleaseCapture();
    return;
  }
  if (auto* window = dynamic_cast<TWinControl*>(Control)) {
    win::SetCapture(window->Handle());
    return;
  }
  if (Control->Parent() == nullptr) return;
  const win::HWND parent = Control->Parent()->Handle();
  win::SetCapture(parent);
  CaptureControlRef() = TWeakRef<TControl>(Control);
}

TControl* FindDragTarget(win::POINT Pos, bool AllowDisabled) {
  TWinControl* window = FindControl(win::WindowFromPoint(Pos));
  if (window == nullptr) return nullptr;
  TControl* result = window;
  // The platform's hit test passes over disabled windows and does not know windowless
  // controls; the search goes on from the window it found.
  for (;;) {
    const win::POINT at = window->ScreenToClient(Pos);
    TControl* child = nullptr;
    if (AllowDisabled) {
      TControl* candidate = window->ControlAtPos(at, true, true);
      if (candidate != nullptr &&
          (dynamic_cast<TWinControl*>(candidate) == nullptr || !candidate->Enabled()))
        child = candidate;
      else
        child = window->ControlAtPos(at, true, false);
    } else {
      child = window->ControlAtPos(at, false, false);
    }
    if (child == nullptr) return result;
    result = child;
    auto* inner = dynamic_cast<TWinControl*>(child);
    if (inner == nullptr) return result;
    window = inner;
  }
}

TWinControl::TWinControl(TComponent* AOwner)
    : TControl(AOwner), FBrush(std::make_unique<TBrush>()) {
  FBrush->SetColor(Color());
}

TWinControl::~TWinControl() {
  Destroying();
  // Children go with their parent, the topmost first.
  for (;;) {
    std::vector<TControl*>& list = !FWinControls.empty() ? FWinControls : FControls;
    if (list.empty()) break;
    TControl* child = list.back();
    RemoveControl(child);
    std::unique_ptr<TControl> discard(child);
  }
  DestroyHandle();
  if (Parent() != nullptr) Parent()->RemoveControl(this);
}

// The window.

win::LRESULT TWinControl::WindowProcedure(win::HWND hwnd, win::UINT msg, win::WPARAM wParam,
                                          win::LPARAM lParam) {
  auto* control = reinterpret_cast<TWinControl*>(win::GetWindowLongPtrA(hwnd, win::GWLP_USERDATA));
  if (control == nullptr && msg == win::WM_NCCREATE && lParam != 0) {
    const auto* create = reinterpret_cast<const win::CREATESTRUCTA*>(lParam);
    control = static_cast<TWinControl*>(create->lpCreateParams);
    if (control != nullptr) {
      win::SetWindowLongPtrA(hwnd, win::GWLP_USERDATA, reinterpret_cast<win::LONG_PTR>(control));
      control->FHandle = hwnd;
    }
  }
  if (control == nullptr) return win::DefWindowProcA(hwnd, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  try {
    control->WndProc(message);
  } catch (...) {
    HandleCurrentException(control);
  }
  return message.Result;
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.Caption = Text();
  Params.Style = win::WS_CHILD | win::WS_CLIPSIBLINGS;
  if (!Enabled()) Params.Style |= win::WS_DISABLED;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  if (Parent() != nullptr) Params.WndParent = Parent()->Handle();
}

win::HWND TWinControl::Handle() {
  if (FHandle == nullptr) CreateHandle();
  return FHandle;
}

void TWinControl::CreateHandle() {
  if (FHandle != nullptr) return;
  TCreateParams params;
  CreateParams(params);
  if ((params.Style & win::WS_CHILD) != 0 && params.WndParent == nullptr)
    throw EInvalidOperation(Exception::ResMessage(SParentRequired, Name()));
  const win::HWND hwnd = win::CreateWindowExA(
      params.ExStyle, &WindowProcedure, params.Caption.c_str(), params.Style, params.X, params.Y,
      params.Width, params.Height, params.WndParent, nullptr, nullptr, this);
  if (hwnd == nullptr) throw EInvalidOperation(Exception::ResMessage(SWindowCreateFailed, Name()));
  FHandle = hwnd;
  if (Parent() != nullptr) Parent()->PlaceInZOrder(this);
  UpdateBounds();
}

void TWinControl::DestroyHandle() {
  if (FHandle == nullptr) return;
  FControlState.Include(csDestroyingHandle);
  const win::HWND hwnd = FHandle;
  win::DestroyWindow(hwnd);
  FHandle = nullptr;
  FShowing = false;
  FControlState.Exclude(csDestroyingHandle);
}

void TWinControl::RecreateWnd() {
  if (FHandle == nullptr) return;
  DestroyHandle();
  UpdateShowing();
}

void TWinControl::WMNCDestroy(TMessage& Message) {
  DefaultHandler(Message);
  win::SetWindowLongPtrA(FHandle, win::GWLP_USERDATA, 0);
  FHandle = nullptr;
  FShowing = false;
  // Windows of the children went with this one.
  for (TControl* child : FWinControls)
    static_cast<TWinControl*>(child)->FShowing = false;
}

void TWinControl::PlaceInZOrder(TWinControl* Child) {
  if (Child->FHandle == nullptr) return;
  // Below the next windowed sibling above it that has a window, or on top.
  win::HWND above = win::HWND_TOP;
  const auto it = std::find(FWinControls.begin(), FWinControls.end(), Child);
  for (auto next = it == FWinControls.end() ? it : it + 1; next != FWinControls.end(); ++next) {
    const win::HWND handle = static_cast<TWinControl*>(*next)->FHandle;
    if (handle != nullptr) {
      above = handle;
      break;
    }
  }
  const win::UINT flags = win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE;
  if (above == win::HWND_TOP) {
    win::SetWindowPos(Child->FHandle, win::HWND_TOP, 0, 0, 0, 0, flags);
  } else {
    // SetWindowPos puts a window below the one it is given.
    win::SetWindowPos(Child->FHandle, above, 0, 0, 0, 0, flags);
  }
}

void TWinControl::WndProc(TMessage& Message) {
  if (IsMouseMessage(Message.Msg) && IsControlMouseMsg(Message)) return;
  TControl::WndProc(Message);
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (FHandle != nullptr && Message.Msg < CM_BASE)
    Message.Result = win::DefWindowProcA(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
  TControl* control = nullptr;
  const win::POINT at{win::GET_X_LPARAM(Message.LParam), win::GET_Y_LPARAM(Message.LParam)};
  if (FHandle != nullptr && win::GetCapture() == FHandle) {
    TControl* captured = CaptureControlRef().Get();
    if (captured != nullptr && captured->Parent() == this) control = captured;
  } else {
    control = ControlAtPos(at, false);
  }
  if (control == nullptr) return false;
  Message.Result =
      control->Perform(Message.Msg, Message.WParam,
                       win::MAKEPOINTLPARAM(at.x - control->Left(), at.y - control->Top()));
  return true;
}

// Children.

int TWinControl::ControlCount() const {
  return static_cast<int>(FControls.size() + FWinControls.size());
}

TControl* TWinControl::Controls(int Index) const {
  if (Index < 0 || Index >= ControlCount()) throw EInvalidOperation("control index out of range");
  const auto i = static_cast<std::size_t>(Index);
  return i < FControls.size() ? FControls[i] : FWinControls[i - FControls.size()];
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  for (const TControl* c = Control; c != nullptr; c = c->Parent())
    if (c == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* AControl) {
  if (AControl == nullptr) return;
  auto* windowed = dynamic_cast<TWinControl*>(AControl);
  (windowed != nullptr ? FWinControls : FControls).push_back(AControl);
  AControl->FParent = this;
  AControl->UpdateAnchorRules();
  const TWeakRef<TControl> child(AControl);
  if (!AControl->FControlState.Contains(csReadingState)) {
    AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    if (child) AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
    if (child) AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    if (child) AControl->Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
    if (!child) return;
    if (windowed != nullptr) {
      windowed->UpdateControlState();
    } else if (FHandle != nullptr) {
      AControl->Invalidate();
    }
    if (child) AlignControl(AControl);
  }
  if (child) Perform(CM_CONTROLCHANGE, reinterpret_cast<win::WPARAM>(AControl), win::TRUE);
}

void TWinControl::RemoveControl(TControl* AControl) {
  if (AControl == nullptr || AControl->FParent != this) return;
  const bool destroying = IsDestroying();
  if (!destroying) Perform(CM_CONTROLCHANGE, reinterpret_cast<win::WPARAM>(AControl), win::FALSE);
  if (auto* windowed = dynamic_cast<TWinControl*>(AControl)) {
    windowed->DestroyHandle();
  } else if (FHandle != nullptr && !destroying) {
    AControl->InvalidateControl(AControl->Visible(), false);
  }
  for (auto* list : {&FControls, &FWinControls})
    list->erase(std::remove(list->begin(), list->end(), AControl), list->end());
  AControl->FParent = nullptr;
  if (!destroying) Realign();
}

void TWinControl::MoveChild(TControl* Child, bool ToFront) {
  auto* windowed = dynamic_cast<TWinControl*>(Child);
  std::vector<TControl*>& list = windowed != nullptr ? FWinControls : FControls;
  const auto it = std::find(list.begin(), list.end(), Child);
  if (it == list.end()) return;
  list.erase(it);
  if (ToFront)
    list.push_back(Child);
  else
    list.insert(list.begin(), Child);
  if (windowed != nullptr && windowed->FHandle != nullptr) {
    win::SetWindowPos(windowed->FHandle, ToFront ? win::HWND_TOP : win::HWND_BOTTOM, 0, 0, 0, 0,
                      win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
  } else {
    Child->Invalidate();
  }
}

void TWinControl::Broadcast(TMessage& Message) {
  for (const TWeakRef<TControl>& ref : Snapshot(*this)) {
    TControl* child = ref.Get();
    if (child == nullptr || child->Parent() != this) continue;
    child->WndProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(win::UINT Msg) {
  TMessage message{Msg, 0, reinterpret_cast<win::LPARAM>(this), 0};
  Broadcast(message);
}

TControl* TWinControl::ControlAtPos(win::POINT Pos, bool AllowDisabled,
                                    bool AllowWinControls) const {
  auto hits = [&](TControl* c) {
    if (!c->Visible() || (!c->Enabled() && !AllowDisabled)) return false;
    const win::RECT bounds = c->BoundsRect();
    if (!win::PtInRect(&bounds, Pos)) return false;
    return c->Perform(CM_HITTEST, 0, win::MAKEPOINTLPARAM(Pos.x - c->Left(), Pos.y - c->Top())) !=
           0;
  };
  // Windows cover the windowless children painted on their parent's surface.
  if (AllowWinControls)
    for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
      if (hits(*it)) return *it;
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
    if (hits(*it)) return *it;
  return nullptr;
}

// Alignment.

void TWinControl::DisableAlign() {
  ++FAlignLevel;
}

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0) --FAlignLevel;
  if (FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() {
  AlignControl(nullptr);
}

void TWinControl::AlignControl(TControl* AControl) {
  if (IsDestroying()) return;
  if (FAlignLevel != 0 || IsLoading()) {
    FControlState.Include(csAlignmentNeeded);
    return;
  }
  DisableAlign();
  {
    const TScopeExit done([this] {
      FControlState.Exclude(csAlignmentNeeded);
      EnableAlign();
    });
    win::RECT rect = ClientRect();
    AdjustClientRect(rect);
    AlignControls(AControl, rect);
  }
  EnableAlign();
}

void TWinControl::AdjustClientRect(win::RECT&) const {}

std::vector<TControl*> TWinControl::AlignList(TAlign AAlign, TControl* AControl) const {
  std::vector<TControl*> list;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Align() == AAlign && c->Visible()) list.push_back(c);
  }
  // The order in which they stack from the edge: by position, the control that asked first.
  auto key = [AAlign](const TControl* c) {
    switch (AAlign) {
      case alTop:
        return c->Top();
      case alBottom:
        return -(c->Top() + c->Height());
      case alLeft:
        return c->Left();
      case alRight:
        return -(c->Left() + c->Width());
      default:
        return 0;
    }
  };
  std::stable_sort(list.begin(), list.end(), [&](const TControl* a, const TControl* b) {
    const int ka = key(a), kb = key(b);
    if (ka != kb) return ka < kb;
    return a == AControl && b != AControl;
  });
  return list;
}

void TWinControl::DoPosition(TControl* Control, TAlign AAlign, win::RECT& Rect) {
  const int width = std::max<int>(Rect.right - Rect.left, 0);
  const int height = std::max<int>(Rect.bottom - Rect.top, 0);
  int l = Rect.left, t = Rect.top, w = width, h = height;
  switch (AAlign) {
    case alTop:
      h = Control->Height();
      Rect.top += h;
      break;
    case alBottom:
      h = Control->Height();
      t = Rect.bottom - h;
      Rect.bottom -= h;
      break;
    case alLeft:
      w = Control->Width();
      Rect.left += w;
      break;
    case alRight:
      w = Control->Width();
      l = Rect.right - w;
      Rect.right -= w;
      break;
    default:
      break;
  }
  Control->FAnchorMove = true;
  const TScopeExit moved([Control] { Control->FAnchorMove = false; });
  Control->SetBounds(l, t, w, h);
}

void TWinControl::AlignControls(TControl* AControl, win::RECT& Rect) {
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient})
    for (TControl* c : AlignList(align, AControl))
      DoPosition(c, align, Rect);
  AnchorChildren();
}

void TWinControl::AnchorChildren() {
  const win::RECT client = ClientRect();
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Align() != alNone || c->Anchors() == TAnchors{akLeft, akTop}) continue;
    const win::RECT r = c->AnchoredBounds(width, height);
    c->FAnchorMove = true;
    const TScopeExit moved([c] { c->FAnchorMove = false; });
    c->SetBoundsRect(r);
  }
}

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}

void TWinControl::ReadState(TReader& Reader) {
  DisableAlign();
  const TScopeExit enable([this] { EnableAlign(); });
  TControl::ReadState(Reader);
}

void TWinControl::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  TControl::GetChildren(Proc, Root);
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    if (child->Owner() == Root) Proc(child);
  }
}

void TWinControl::DefineProperties(TFiler& Filer) {
  TControl::DefineProperties(Filer);
  const bool hasDesign = FDesignSize.cx > 0 && FDesignSize.cy > 0;
  Filer.DefineProperty(
      "DesignWidth", [this](TReader& r) { FDesignSize.cx = static_cast<int>(r.ReadInteger()); },
      [this](TWriter& w) { w.WriteInteger(FDesignSize.cx); }, hasDesign);
  Filer.DefineProperty(
      "DesignHeight", [this](TReader& r) { FDesignSize.cy = static_cast<int>(r.ReadInteger()); },
      [this](TWriter& w) { w.WriteInteger(FDesignSize.cy); }, hasDesign);
}

// Bounds.

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const TWeakRef<TControl> self(this);
  if (FHandle != nullptr) {
    // The window's messages bring the fields up to what the platform gave.
    win::SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight,
                      win::SWP_NOZORDER | win::SWP_NOACTIVATE);
  } else {
    const bool sized = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    UpdateAnchorRules();
    if (sized) {
      Realign();
      if (self && !IsLoading()) Resize();
    }
  }
  if (self) RequestAlign();
}

void TWinControl::UpdateBounds() {
  if (FHandle == nullptr) return;
  win::RECT r;
  win::GetWindowRect(FHandle, &r);
  if (const win::HWND parent = win::GetParent(FHandle);
      parent != nullptr && (win::GetWindowLongPtrA(FHandle, win::GWL_STYLE) & win::WS_CHILD))
    win::MapWindowPoints(nullptr, parent, reinterpret_cast<win::POINT*>(&r), 2);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (r.left == FLeft && r.top == FTop && w == FWidth && h == FHeight) return;
  FLeft = r.left;
  FTop = r.top;
  FWidth = w;
  FHeight = h;
  UpdateAnchorRules();
}

win::RECT TWinControl::ClientRect() const {
  if (FHandle == nullptr) return TControl::ClientRect();
  win::RECT r;
  win::GetClientRect(FHandle, &r);
  return r;
}

win::POINT TWinControl::ClientOrigin() const {
  if (FHandle == nullptr) return TControl::ClientOrigin();
  win::POINT p{0, 0};
  win::ClientToScreen(FHandle, &p);
  return p;
}

void TWinControl::WMWindowPosChanged(TMessage& Message) {
  UpdateBounds();
  DefaultHandler(Message);
}

void TWinControl::WMSize(TMessage& Message) {
  UpdateBounds();
  DefaultHandler(Message);
  const TWeakRef<TControl> self(this);
  Realign();
  if (self && !IsLoading()) Resize();
}

// Showing.

bool TWinControl::IsShowing() const {
  return FShowing && (Parent() == nullptr || Parent()->IsShowing());
}

void TWinControl::UpdateControlState() {
  // Hiding a window is right whatever its parents do; showing one waits for them.
  if (!Visible() && FHandle != nullptr) {
    UpdateShowing();
    return;
  }
  for (const TWinControl* p = Parent(); p != nullptr; p = p->Parent())
    if (!p->FShowing) return;
  UpdateShowing();
}

void TWinControl::UpdateShowing() {
  // A window shows when the control is visible; its parents decide whether that is seen.
  const bool show = Visible() && !FControlState.Contains(csReadingState);
  const TWeakRef<TControl> self(this);
  if (show) {
    if (FHandle == nullptr) CreateHandle();
    for (const TWeakRef<TControl>& ref : Snapshot(*this))
      if (auto* child = dynamic_cast<TWinControl*>(ref.Get()); child != nullptr && self)
        child->UpdateShowing();
  }
  if (!self || FHandle == nullptr || FShowing == show) return;
  FShowing = show;
  try {
    Perform(CM_SHOWINGCHANGED, 0, 0);
  } catch (...) {
    if (self) FShowing = !show;
    throw;
  }
}

void TWinControl::CMShowingChanged(TMessage&) {
  if (FHandle == nullptr) return;
  const win::UINT flags = win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOZORDER |
                          win::SWP_NOACTIVATE |
                          (FShowing ? win::SWP_SHOWWINDOW : win::SWP_HIDEWINDOW);
  win::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, flags);
}

void TWinControl::CMVisibleChanged(TMessage&) {
  UpdateControlState();
}

void TWinControl::CMEnabledChanged(TMessage&) {
  if (FHandle != nullptr) win::EnableWindow(FHandle, Enabled() ? win::TRUE : win::FALSE);
}

void TWinControl::SetParent(TWinControl* AParent) {
  if (Parent() == AParent) return;
  DestroyHandle();
  TControl::SetParent(AParent);
}

// Painting.

void TWinControl::Invalidate() {
  if (FHandle != nullptr)
    win::InvalidateRect(FHandle, nullptr,
                        FControlStyle.Contains(csOpaque) ? win::FALSE : win::TRUE);
}

void TWinControl::Update() {
  if (FHandle != nullptr) win::UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::PaintTo(win::HDC DC) {
  PaintHandler(DC);
}

void TWinControl::WMPaint(TMessage& Message) {
  auto dc = reinterpret_cast<win::HDC>(Message.WParam);
  if (dc != nullptr) {
    PaintHandler(dc);
    return;
  }
  const gdihandles::TWindowPaint paint(FHandle);
  PaintHandler(paint.DC());
}

void TWinControl::PaintHandler(win::HDC DC) {
  // Opaque windowless children paint every pixel of their bounds: the window paints around them
  // and not at all when they cover what is to be painted.
  const TWeakRef<TControl> self(this);
  {
    std::optional<gdihandles::TSavedDC> saved;
    for (TControl* c : FControls) {
      if (!c->Visible() || !c->ControlStyle().Contains(csOpaque)) continue;
      if (!saved) saved.emplace(DC);
      const win::RECT r = c->BoundsRect();
      win::ExcludeClipRect(DC, r.left, r.top, r.right, r.bottom);
    }
    win::RECT box;
    const bool covered = saved && win::GetClipBox(DC, &box) == win::NULLREGION;
    if (!covered) PaintWindow(DC);
  }
  if (self) PaintControls(DC, nullptr);
}

void TWinControl::PaintWindow(win::HDC) {}

void TWinControl::PaintControls(win::HDC DC, TControl* First) {
  std::vector<TWeakRef<TControl>> children;
  bool started = First == nullptr;
  for (TControl* c : FControls) {
    started = started || c == First;
    if (started) children.emplace_back(c);
  }
  const TWeakRef<TControl> self(this);
  for (const TWeakRef<TControl>& ref : children) {
    TControl* c = ref.Get();
    if (!self) return;
    if (c == nullptr || c->Parent() != this || !c->Visible()) continue;
    const win::RECT bounds = c->BoundsRect();
    if (!win::RectVisible(DC, &bounds)) continue;
    // The child paints with its top-left corner as origin and cannot paint outside its bounds.
    const gdihandles::TSavedDC saved(DC);
    win::POINT origin;
    win::GetWindowOrgEx(DC, &origin);
    win::SetWindowOrgEx(DC, origin.x - c->Left(), origin.y - c->Top(), nullptr);
    win::IntersectClipRect(DC, 0, 0, c->Width(), c->Height());
    c->Perform(win::WM_PAINT, reinterpret_cast<win::WPARAM>(DC), 0);
  }
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  // Controls that paint all of their area need no background first.
  if (!FControlStyle.Contains(csOpaque) && Message.WParam != 0) {
    const win::RECT client = ClientRect();
    win::FillRect(reinterpret_cast<win::HDC>(Message.WParam), &client, FBrush->Handle());
  }
  Message.Result = 1;
}

// Keyboard and focus.

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c != nullptr; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const {
  return FHandle != nullptr && win::GetFocus() == FHandle;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation(Exception::ResMessage(SCannotFocus));
  win::SetFocus(Handle());
}

void TWinControl::WMKeyDown(TMessage& Message) {
  const auto key = static_cast<int>(Message.WParam);
  if (key == win::VK_RETURN || key == win::VK_ESCAPE || key == win::VK_TAB) {
    if (TCustomForm* form = ParentForm();
        form != nullptr && form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0)
      return;
  }
  DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message) {
  // None of our controls takes typed characters: they go to the form as accelerators.
  if (TCustomForm* form = ParentForm();
      form != nullptr && form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0)
    return;
  DefaultHandler(Message);
}

void TWinControl::WMSysChar(TMessage& Message) {
  WMChar(Message);
}

void TWinControl::WMCaptureChanged(TMessage& Message) {
  if (TControl* captured = CaptureControlRef().Get();
      captured != nullptr && captured->Parent() == this)
    CaptureControlRef() = TWeakRef<TControl>();
  DefaultHandler(Message);
}

void TWinControl::CMDialogKey(TMessage& Message) {
  Broadcast(Message);
}

void TWinControl::CMDialogChar(TMessage& Message) {
  Broadcast(Message);
}

void TWinControl::CMColorChanged(TMessage& Message) {
  FBrush->SetColor(Color());
  TControl::CMColorChanged(Message);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage& Message) {
  TControl::CMFontChanged(Message);
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMShowHintChanged(TMessage&) {
  NotifyControls(CM_PARENTSHOWHINTCHANGED);
}

void TWinControl::CMBiDiModeChanged(TMessage&) {
  NotifyControls(CM_PARENTBIDIMODECHANGED);
}

void TWinControl::SetText(const std::string& Value) {
  if (Value == Text()) return;
  if (FHandle != nullptr) win::SetWindowTextA(FHandle, Value.c_str());
  TControl::SetText(Value);
}

}  // namespace fw
