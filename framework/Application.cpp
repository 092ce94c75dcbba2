#include "framework/Application.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "framework/Control.h"
#include "framework/ControlCanvas.h"
#include "framework/Dialogs.h"
#include "framework/TypeInfo.h"
#include "framework/WinControl.h"
#include "framework/platform/CodePage.h"
#include "framework/platform/Input.h"
#include "framework/platform/MessageQueue.h"

namespace fw {

TApplication* Application = nullptr;

TOVU_IMPLEMENT_CLASS(TApplication)

void TApplication::DefineClass(TClassBuilder<TApplication>&) {}

namespace {

// The message of the exception being handled: a framework error's own text, the out-of-memory
// text for a failed allocation, and an empty text for anything else.
std::string CurrentExceptionMessage(bool& silent) {
  silent = false;
  try {
    throw;
  } catch (const EAbort&) {
    silent = true;
  } catch (const Exception& e) {
    return e.Message();
  } catch (const std::bad_alloc&) {
    return LoadResString(SOutOfMemory);
  } catch (...) {
  }
  return {};
}

}  // namespace

std::string ErrorReportText(const std::string& Message) {
  if (Message.empty()) return Message;
  const char* begin = Message.c_str();
  const char* end = begin + Message.size();
  const char* last = win::CharPrevA(begin, end);
  // The last character, whole, against "." in byte order.
  const std::size_t length = static_cast<std::size_t>(end - last);
  const int order = std::memcmp(last, ".", std::min<std::size_t>(length, 1));
  const bool above = order > 0 || (order == 0 && length > 1);
  return above ? Message + "." : Message;
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
  if (Application == nullptr) Application = this;
}

TApplication::~TApplication() {
  DestroyComponents();
  if (Application == this) Application = nullptr;
}

void TApplication::FormDestroyed(TCustomForm* Form) {
  if (FMainForm.Get() == Form) FMainForm = TWeakRef<TCustomForm>();
}

void TApplication::Run() {
  TCustomForm* main = FMainForm.Get();
  if (main == nullptr) return;
  try {
    if (FShowMainForm) main->SetVisible(true);
  } catch (...) {
    HandleException(this);
  }
  while (!FTerminated) {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
  }
}

void TApplication::Terminate() {
  if (FTerminated) return;
  FTerminated = true;
  win::PostQuitMessage(0);
}

bool TApplication::ProcessMessage(win::MSG& Msg) {
  if (!win::PeekMessageA(&Msg, nullptr, 0, 0, win::PM_REMOVE)) return false;
  if (Msg.message == win::WM_QUIT) {
    FTerminated = true;
    return true;
  }
  // The control under the pointer hears that the pointer entered before the pointer's message.
  if (Msg.message >= win::WM_MOUSEFIRST && Msg.message <= win::WM_MOUSELAST) DoMouseIdle();
  win::TranslateMessage(&Msg);
  win::DispatchMessageA(&Msg);
  return true;
}

void TApplication::ProcessMessages() {
  win::MSG msg;
  while (ProcessMessage(msg)) {
  }
  DoMouseIdle();
}

void TApplication::HandleMessage() {
  win::MSG msg;
  if (!ProcessMessage(msg)) Idle();
}

void TApplication::Idle() {
  TControlCanvas::FreeDeviceContexts();
  DoMouseIdle();
  CallEvent(OnIdle, this);
  win::WaitMessage();
}

void TApplication::DoMouseIdle() {
  win::POINT pos;
  win::GetCursorPos(&pos);
  TControl* target = FindDragTarget(pos, true);
  TControl* current = FMouseControl.Get();
  if (target == current) return;
  FMouseControl = TWeakRef<TControl>(target);
  const TWeakRef<TControl> next(target);
  if (current != nullptr) current->Perform(CM_MOUSELEAVE, 0, 0);
  if (TControl* entered = next.Get(); entered != nullptr && FMouseControl.Get() == entered)
    entered->Perform(CM_MOUSEENTER, 0, 0);
}

void TApplication::HandleException(TObject* Sender) {
  bool silent = false;
  const std::string message = CurrentExceptionMessage(silent);
  if (silent) return;
  if (OnException) {
    try {
      throw;
    } catch (const Exception& e) {
      CallEvent(OnException, Sender, e);
      return;
    } catch (...) {
      CallEvent(OnException, Sender, Exception(message));
      return;
    }
  }
  ShowException(message);
}

void TApplication::ShowException(const std::string& Message) {
  ShowErrorReport(DialogTitle(), ErrorReportText(Message));
}

void HandleCurrentException(TObject* Sender) {
  if (Application != nullptr) {
    Application->HandleException(Sender);
    return;
  }
  bool silent = false;
  const std::string message = CurrentExceptionMessage(silent);
  if (!silent) std::fprintf(stderr, "%s\n", ErrorReportText(message).c_str());
}

bool RunOneMessage() {
  win::MSG msg;
  if (win::PeekMessageA(&msg, nullptr, 0, 0, win::PM_REMOVE)) {
    if (msg.message == win::WM_QUIT) {
      win::PostQuitMessage(int(msg.wParam));
      return false;
    }
    win::TranslateMessage(&msg);
    win::DispatchMessageA(&msg);
    return true;
  }
  win::WaitMessage();
  return true;
}

}  // namespace fw
