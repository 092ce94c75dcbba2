#include "framework/Timer.h"

#include "framework/Application.h"
#include "framework/TypeInfo.h"
#include "framework/platform/MessageQueue.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TTimer)

void TTimer::DefineClass(TClassBuilder<TTimer>& b) {
  b.Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
  b.Property("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000);
  b.Property("OnTimer", &TTimer::OnTimer, &TTimer::SetOnTimer);
}

namespace {
constexpr win::UINT_PTR TimerId = 1;
}

TTimer::TTimer(TComponent* AOwner)
    : TComponent(AOwner),
      FWindow(std::make_unique<TUtilWindow>([this](TMessage& m) { return HandleMessage(m); })) {}

TTimer::~TTimer() {
  FEnabled = false;
  if (FWindow) win::KillTimer(FWindow->Handle(), TimerId);
}

void TTimer::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
  if (FInterval == Value) return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  const win::HWND hwnd = FWindow->Handle();
  win::KillTimer(hwnd, TimerId);
  if (FInterval == 0 || !FEnabled || !FOnTimer) return;
  if (win::SetTimer(hwnd, TimerId, FInterval, nullptr) == 0) {
    FEnabled = false;
    throw EOutOfResources(Exception::ResMessage(SOutOfResources));
  }
}

bool TTimer::HandleMessage(TMessage& Message) {
  if (Message.Msg != win::WM_TIMER) return false;
  try {
    Timer();
  } catch (...) {
    HandleCurrentException(this);
  }
  return true;
}

void TTimer::Timer() {
  if (FEnabled) CallEvent(FOnTimer, this);
}

}  // namespace fw
