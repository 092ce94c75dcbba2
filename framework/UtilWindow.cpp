#include "framework/UtilWindow.h"

#include "framework/Exceptions.h"
#include "framework/platform/Window.h"

namespace fw {

TUtilWindow::TUtilWindow(THandler Handler) : FHandler(std::move(Handler)) {
  FHandle = win::CreateWindowExA(0, &WindowProcedure, "", win::WS_POPUP, 0, 0, 0, 0, nullptr,
                                 nullptr, nullptr, this);
  if (FHandle == nullptr) throw EOutOfResources(Exception::ResMessage(SOutOfResources));
}

TUtilWindow::~TUtilWindow() {
  if (FHandle == nullptr) return;
  win::SetWindowLongPtrA(FHandle, win::GWLP_USERDATA, 0);
  win::DestroyWindow(FHandle);
}

win::LRESULT TUtilWindow::WindowProcedure(win::HWND hwnd, win::UINT msg, win::WPARAM wParam,
                                          win::LPARAM lParam) {
  auto* self = reinterpret_cast<TUtilWindow*>(win::GetWindowLongPtrA(hwnd, win::GWLP_USERDATA));
  if (self == nullptr && msg == win::WM_NCCREATE && lParam != 0) {
    self = static_cast<TUtilWindow*>(reinterpret_cast<win::CREATESTRUCTA*>(lParam)->lpCreateParams);
    win::SetWindowLongPtrA(hwnd, win::GWLP_USERDATA, reinterpret_cast<win::LONG_PTR>(self));
  }
  if (self == nullptr || !self->FHandler) return win::DefWindowProcA(hwnd, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  // The handler may destroy this object: it runs on a copy and nothing of the object is
  // touched afterwards.
  const THandler handler = self->FHandler;
  if (!handler(message)) return win::DefWindowProcA(hwnd, msg, wParam, lParam);
  return message.Result;
}

}  // namespace fw
