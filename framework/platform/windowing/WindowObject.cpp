#include "framework/platform/windowing/WindowObject.h"

#include <algorithm>

namespace win::wnd {

RECT TWindow::ClientRectInParent() const {
  RECT client{FRect.left + FFrame.left, FRect.top + FFrame.top, FRect.right - FFrame.right,
              FRect.bottom - FFrame.bottom};
  client.right = std::max(client.right, client.left);
  client.bottom = std::max(client.bottom, client.top);
  return client;
}

SIZE TWindow::ClientSize() const {
  const RECT client = ClientRectInParent();
  return SIZE{client.right - client.left, client.bottom - client.top};
}

}  // namespace win::wnd
