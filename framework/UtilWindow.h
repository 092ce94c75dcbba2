// A hidden top-level window that hands its messages to a closure: the message target of
// components without a window of their own (timers).
#pragma once

#include <functional>

#include "framework/ComponentMessages.h"
#include "framework/platform/WindowTypes.h"

namespace fw {

class TUtilWindow {
 public:
  // Handler sees every message; one it leaves with Result 0 and Handled false goes to the
  // platform's default handling.
  using THandler = std::function<bool(TMessage& Message)>;
  explicit TUtilWindow(THandler Handler);
  ~TUtilWindow();
  TUtilWindow(const TUtilWindow&) = delete;
  TUtilWindow& operator=(const TUtilWindow&) = delete;

  win::HWND Handle() const { return FHandle; }

 private:
  static win::LRESULT WindowProcedure(win::HWND hwnd, win::UINT msg, win::WPARAM wParam,
                                      win::LPARAM lParam);
  THandler FHandler;
  win::HWND FHandle = nullptr;
};

}  // namespace fw
