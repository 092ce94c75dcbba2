#include "framework/Form.h"

#include <algorithm>
#include <map>
#include <memory>

#include "framework/Application.h"
#include "framework/ControlConsts.h"
#include "framework/PaintThroughCanvas.h"
#include "framework/Reader.h"
#include "framework/Screen.h"
#include "framework/TypeInfo.h"
#include "framework/platform/Input.h"
#include "framework/platform/MessageQueue.h"
#include "framework/platform/SystemMetrics.h"
#include "framework/platform/Window.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TControlScrollBar)

void TControlScrollBar::DefineClass(TClassBuilder<TControlScrollBar>& b) {
  b.Property("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible).Default(true);
}

void TControlScrollBar::Assign(const TPersistent* Source) {
  if (const auto* other = dynamic_cast<const TControlScrollBar*>(Source)) {
    FVisible = other->FVisible;
    return;
  }
  TPersistent::Assign(Source);
}

namespace {

std::map<TClass, std::string>& FormDescriptions() {
  static std::map<TClass, std::string> descriptions;
  return descriptions;
}

template <class E>
void FormEvent(TClassBuilder<TCustomForm>& b, std::string_view name, E TCustomForm::*member) {
  b.Property<E>(
      name, [member](const TCustomForm& f) { return f.*member; },
      [member](TCustomForm& f, E v) { f.*member = std::move(v); });
}

}  // namespace

void RegisterFormDescription(TClass FormClass, std::string_view Text) {
  FormDescriptions()[FormClass] = std::string(Text);
}

TOVU_IMPLEMENT_CLASS(TCustomForm)

void TCustomForm::DefineClass(TClassBuilder<TCustomForm>& b) {
  b.Property("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
      .Default(bsSizeable);
  b.Publish("Caption");
  b.Publish("ClientHeight").NoDefault();
  b.Publish("ClientWidth").NoDefault();
  b.Publish("Color");
  b.Publish("Enabled");
  b.Publish("Font");
  b.Publish("ParentFont").Default(false);
  b.Property("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle).Default(fsNormal);
  b.Property("HorzScrollBar", &TCustomForm::HorzScrollBar);
  b.Property("VertScrollBar", &TCustomForm::VertScrollBar);
  b.Property("OldCreateOrder", &TCustomForm::OldCreateOrder, &TCustomForm::SetOldCreateOrder)
      .Default(false);
  b.Property("Position", &TCustomForm::Position, &TCustomForm::SetPosition).Default(poDesigned);
  b.Property("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch)
      .NoDefault();
  b.Property("TextHeight", &TCustomForm::TextHeight, &TCustomForm::SetTextHeight).NoDefault();
  b.Property("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
  b.Publish("ShowHint");
  b.Publish("Visible").Default(false);
  FormEvent(b, "OnCreate", &TCustomForm::OnCreate);
  FormEvent(b, "OnShow", &TCustomForm::OnShow);
  FormEvent(b, "OnHide", &TCustomForm::OnHide);
  FormEvent(b, "OnPaint", &TCustomForm::OnPaint);
  FormEvent(b, "OnClose", &TCustomForm::OnClose);
  FormEvent(b, "OnCloseQuery", &TCustomForm::OnCloseQuery);
  b.Publish("OnClick");
  b.Publish("OnDblClick");
  b.Publish("OnResize");
  b.Publish("OnMouseDown");
  b.Publish("OnMouseMove");
  b.Publish("OnMouseUp");

  b.Message(win::WM_CLOSE, &TCustomForm::WMClose);
  b.Message(win::WM_ACTIVATE, &TCustomForm::WMActivate);
  b.Message(CM_SHOWINGCHANGED, &TCustomForm::CMShowingChanged);
  b.Message(CM_DIALOGKEY, &TCustomForm::CMDialogKey);
  b.Message(CM_RELEASE, &TCustomForm::CMRelease);
}

TOVU_IMPLEMENT_CLASS(TForm)

void TForm::DefineClass(TClassBuilder<TForm>&) {}

TCustomForm::TCustomForm(TComponent* AOwner)
    : TWinControl(AOwner),
      FHorzScrollBar(std::make_unique<TControlScrollBar>()),
      FVertScrollBar(std::make_unique<TControlScrollBar>()),
      FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
  SetParentFont(false);
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FFormState.Include(fsCreating);
  SetVisible(false);
  SetColor(static_cast<TColor>(0x8000000F));
  SetBounds(0, 0, 320, 240);
  Screen()->AddForm(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  FCanvas->FreeHandle();
  Screen()->RemoveForm(this);
  if (Application != nullptr) Application->FormDestroyed(this);
}

void TCustomForm::AfterConstruction() {
  // OnCreate needs the whole object, so it runs here whatever OldCreateOrder says.
  FFormState.Exclude(fsCreating);
  DoCreate();
}

void TCustomForm::InitInheritedComponent() {
  const auto& descriptions = FormDescriptions();
  const auto it = descriptions.find(ClassType());
  if (it == descriptions.end())
    throw EInvalidOperation(Exception::ResMessage(SNoFormDescription, ClassName()));
  ReadComponentFromText(this, it->second);
}

void TCustomForm::DoCreate() {
  try {
    CallEvent(OnCreate, this);
  } catch (...) {
    HandleCurrentException(this);
  }
}

void TCustomForm::DoClose(TCloseAction& Action) {
  CallEvent(OnClose, this, Action);
}

void TCustomForm::DoShow() {
  CallEvent(OnShow, this);
}

void TCustomForm::DoHide() {
  CallEvent(OnHide, this);
}

// Frame and geometry.

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.WndParent = nullptr;
  Params.Style = win::WS_CLIPCHILDREN | (Enabled() ? 0 : win::WS_DISABLED);
  Params.ExStyle = 0;
  switch (FBorderStyle) {
    case bsNone:
      Params.Style |= win::WS_POPUP;
      break;
    case bsSingle:
      Params.Style |= win::WS_CAPTION | win::WS_SYSMENU | win::WS_MINIMIZEBOX;
      break;
    case bsSizeable:
      Params.Style |= win::WS_OVERLAPPEDWINDOW;
      break;
    case bsDialog:
      Params.Style |= win::WS_POPUP | win::WS_CAPTION | win::WS_SYSMENU;
      Params.ExStyle |= win::WS_EX_DLGMODALFRAME;
      break;
    case bsToolWindow:
      Params.Style |= win::WS_CAPTION | win::WS_SYSMENU;
      Params.ExStyle |= win::WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      Params.Style |= win::WS_CAPTION | win::WS_SYSMENU | win::WS_THICKFRAME;
      Params.ExStyle |= win::WS_EX_TOOLWINDOW;
      break;
  }
  if (FFormStyle == fsStayOnTop) Params.ExStyle |= win::WS_EX_TOPMOST;
}

win::RECT TCustomForm::FrameInsets() const {
  TCreateParams params;
  const_cast<TCustomForm*>(this)->CreateParams(params);
  win::RECT r{0, 0, 0, 0};
  win::AdjustWindowRectEx(&r, params.Style, win::FALSE, params.ExStyle);
  return win::RECT{-r.left, -r.top, r.right, r.bottom};
}

win::RECT TCustomForm::ClientRect() const {
  if (HandleAllocated()) return TWinControl::ClientRect();
  const win::RECT insets = FrameInsets();
  // A client size read from a description but not applied yet counts already.
  const int width = FPendingClientWidth >= 0 ? FPendingClientWidth
                                             : std::max(0, FWidth - insets.left - insets.right);
  const int height = FPendingClientHeight >= 0 ? FPendingClientHeight
                                               : std::max(0, FHeight - insets.top - insets.bottom);
  return win::RECT{0, 0, width, height};
}

void TCustomForm::SetClientSize(int AWidth, int AHeight) {
  if (FControlState.Contains(csReadingState)) {
    FPendingClientWidth = AWidth;
    FPendingClientHeight = AHeight;
    return;
  }
  TWinControl::SetClientSize(AWidth, AHeight);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (FBorderStyle == Value) return;
  // The client area keeps its size; the frame around it changes.
  const int clientWidth = ClientWidth(), clientHeight = ClientHeight();
  FBorderStyle = Value;
  if (IsLoading()) return;
  RecreateWnd();
  SetClientSize(clientWidth, clientHeight);
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (FFormStyle == Value) return;
  FFormStyle = Value;
  if (HandleAllocated()) {
    win::SetWindowPos(Handle(), Value == fsStayOnTop ? win::HWND_TOPMOST : win::HWND_NOTOPMOST, 0,
                      0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
  }
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (FActiveControl == Control) return;
  FActiveControl = Control;
  if (Control != nullptr) Control->FreeNotification(this);
  if (Control != nullptr && Showing() && Control->CanFocus()) Control->SetFocus();
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FActiveControl) FActiveControl = nullptr;
}

void TCustomForm::ReadState(TReader& Reader) {
  FPendingClientWidth = FPendingClientHeight = -1;
  TWinControl::ReadState(Reader);
}

void TCustomForm::Loaded() {
  // The stored client size needs the frame style, which may come later in the description.
  if (FPendingClientWidth >= 0 || FPendingClientHeight >= 0) {
    const int w = ClientWidth();
    const int h = ClientHeight();
    FPendingClientWidth = FPendingClientHeight = -1;
    TWinControl::SetClientSize(w, h);
  }
  TWinControl::Loaded();
}

// Painting.

void TCustomForm::PaintWindow(win::HDC DC) {
  PaintThroughCanvas(*this, *FCanvas, DC, [this] { Paint(); });
}

void TCustomForm::Paint() {
  CallEvent(OnPaint, this);
}

// Showing.

void TCustomForm::ApplyPosition() {
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
    case poMainFormCenter:
    case poOwnerFormCenter:
      SetBounds((win::GetSystemMetrics(win::SM_CXSCREEN) - FWidth) / 2,
                (win::GetSystemMetrics(win::SM_CYSCREEN) - FHeight) / 2, FWidth, FHeight);
      break;
    default:
      break;
  }
}

void TCustomForm::CMShowingChanged(TMessage&) {
  const TWeakRef<TControl> self(this);
  if (Showing()) {
    if (!FPositioned) {
      FPositioned = true;
      ApplyPosition();
    }
    DoShow();
    if (!self || !HandleAllocated()) return;
    win::ShowWindow(Handle(), win::SW_SHOW);
    if (self && FActiveControl != nullptr && FActiveControl->CanFocus()) FActiveControl->SetFocus();
  } else {
    DoHide();
    if (self && HandleAllocated()) win::ShowWindow(Handle(), win::SW_HIDE);
  }
}

void TCustomForm::WMActivate(TMessage& Message) {
  DefaultHandler(Message);
  if (win::LOWORD(Message.WParam) != win::WA_INACTIVE && FActiveControl != nullptr &&
      FActiveControl->CanFocus())
    win::SetFocus(FActiveControl->Handle());
}

void TCustomForm::CMDialogKey(TMessage& Message) {
  TWinControl::CMDialogKey(Message);
}

// Closing.

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  CallEvent(OnCloseQuery, this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (FFormState.Contains(fsModal)) {
    FModalResult = mrCancel;
    return;
  }
  const TWeakRef<TControl> self(this);
  if (!CloseQuery() || !self) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (!self || action == caNone) return;
  // Closing the main window ends the program; any other form (also a main form still being
  // created, which is not the main form yet) hides or goes.
  if (Application != nullptr && Application->MainForm() == this) {
    Application->Terminate();
  } else if (action == caFree) {
    Release();
  } else {
    Hide();
  }
}

void TCustomForm::WMClose(TMessage&) {
  Close();
}

void TCustomForm::Release() {
  win::PostMessageA(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::CMRelease(TMessage&) {
  std::unique_ptr<TComponent> discard(this);
}

std::vector<win::HWND> TCustomForm::DisableOtherWindows() {
  std::vector<win::HWND> disabled;
  TScreen* screen = Screen();
  for (int i = 0; i < screen->FormCount(); ++i) {
    TCustomForm* form = screen->Forms(i);
    if (form == this || !form->HandleAllocated()) continue;
    const win::HWND hwnd = form->Handle();
    if (win::IsWindowEnabled(hwnd) && win::IsWindowVisible(hwnd)) {
      win::EnableWindow(hwnd, win::FALSE);
      disabled.push_back(hwnd);
    }
  }
  return disabled;
}

// A modal form belongs to the window that is active when it opens, as the platform's dialogs
// do: a window manager then keeps it in front of that window (always-on-top ones included) and
// gives it the keyboard. Answers the owner it had before.
win::HWND TCustomForm::BelongToActiveWindow() {
  HandleNeeded();
  const win::HWND active = win::GetActiveWindow();
  const win::HWND owner = active != Handle() && win::IsWindowVisible(active) ? active : nullptr;
  return reinterpret_cast<win::HWND>(win::SetWindowLongPtrA(
      Handle(), win::GWLP_HWNDPARENT, reinterpret_cast<win::LONG_PTR>(owner)));
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || FFormState.Contains(fsModal))
    throw EInvalidOperation(Exception::ResMessage(SCannotShowModal));
  if (const win::HWND capture = win::GetCapture(); capture != nullptr) {
    win::SendMessageA(capture, win::WM_CANCELMODE, 0, 0);
    win::ReleaseCapture();
  }
  const TWeakRef<TControl> self(this);
  FFormState.Include(fsModal);
  const win::HWND previousOwner = BelongToActiveWindow();
  const std::vector<win::HWND> disabled = DisableOtherWindows();
  auto restore = [&] {
    for (win::HWND hwnd : disabled)
      if (win::IsWindow(hwnd)) win::EnableWindow(hwnd, win::TRUE);
    if (self && HandleAllocated() && (!previousOwner || win::IsWindow(previousOwner))) {
      win::SetWindowLongPtrA(Handle(), win::GWLP_HWNDPARENT,
                             reinterpret_cast<win::LONG_PTR>(previousOwner));
    }
  };
  FModalResult = mrNone;
  try {
    Show();
    while (self) {
      bool quit = false;
      if (Application != nullptr) {
        Application->HandleMessage();
        quit = Application->Terminated();
      } else {
        quit = !RunOneMessage();
      }
      if (!self) break;
      if (quit) FModalResult = mrCancel;
      if (FModalResult == mrNone) continue;
      // A form may refuse to close (CloseQuery, OnClose with caNone) and stay modal.
      TCloseAction action = caNone;
      if (CloseQuery() && self) {
        action = caHide;
        DoClose(action);
      }
      if (!self) break;
      if (action == caNone && !quit) {
        FModalResult = mrNone;
        continue;
      }
      if (action == caFree) Release();
      break;
    }
  } catch (...) {
    restore();
    if (self) FFormState.Exclude(fsModal);
    throw;
  }
  restore();
  if (!self) return mrCancel;
  Hide();
  FFormState.Exclude(fsModal);
  return FModalResult;
}

}  // namespace fw
