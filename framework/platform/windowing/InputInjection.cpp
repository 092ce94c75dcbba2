#include "framework/platform/windowing/InputInjection.h"

#include "framework/platform/MessageQueue.h"
#include "framework/platform/VirtualKeys.h"
#include "framework/platform/windowing/Runtime.h"

namespace win::wnd {

namespace {

TRawInput NewInput(TRawInputKind kind) {
  TRuntime& runtime = Runtime();
  TRawInput input;
  input.FKind = kind;
  input.FPoint = runtime.FInput.FCursor;
  input.FTime = DWORD(runtime.Now());
  return input;
}

}  // namespace

void InjectPointerMove(POINT screen) {
  TRuntime& runtime = Runtime();
  runtime.FInput.FCursor = screen;
  runtime.FMessages.AddRawInput(NewInput(TRawInputKind::rikPointerMove));
}

void InjectButton(int button, bool down) {
  if (button != VK_LBUTTON && button != VK_RBUTTON && button != VK_MBUTTON) return;
  TRuntime& runtime = Runtime();
  runtime.FInput.FAsyncKeys.Set(button, down);
  TRawInput input = NewInput(TRawInputKind::rikButton);
  input.FButton = button;
  input.FDown = down;
  runtime.FMessages.AddRawInput(input);
}

void InjectKey(int virtualKey, bool down) {
  if (virtualKey <= 0 || virtualKey > 255) return;
  TRuntime& runtime = Runtime();
  runtime.FInput.FAsyncKeys.Set(virtualKey, down);
  TRawInput input = NewInput(TRawInputKind::rikKey);
  input.FVirtualKey = virtualKey;
  input.FDown = down;
  runtime.FMessages.AddRawInput(input);
}

void InjectText(const std::string& text) {
  if (text.empty()) return;
  TRawInput input = NewInput(TRawInputKind::rikChar);
  input.FText = text;
  Runtime().FMessages.AddRawInput(input);
}

void InjectCloseRequest(HWND hwnd) {
  PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void InjectClick(POINT screen, int button) {
  InjectPointerMove(screen);
  InjectButton(button, true);
  InjectButton(button, false);
}

}  // namespace win::wnd
