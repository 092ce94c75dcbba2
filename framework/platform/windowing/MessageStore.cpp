#include "framework/platform/windowing/MessageStore.h"

#include <algorithm>

#include "framework/platform/Messages.h"

namespace win::wnd {

bool TMessageFilter::MatchesNumber(UINT message) const {
  if (FMin == 0 && FMax == 0) return true;
  if (FMin <= FMax) return message >= FMin && message <= FMax;
  return message >= FMin || message <= FMax;
}

bool TMessageFilter::MatchesWindow(HWND hwnd) const {
  if (!FWindow) return true;
  if (FWindow == reinterpret_cast<HWND>(std::intptr_t(-1))) return hwnd == nullptr;
  return hwnd == FWindow;
}

std::optional<MSG> TMessageStore::Take(std::deque<MSG>& queue, const TMessageFilter& filter,
                                       bool remove) {
  const auto found =
      std::find_if(queue.begin(), queue.end(), [&](const MSG& msg) { return filter.Matches(msg); });
  if (found == queue.end()) return std::nullopt;
  MSG msg = *found;
  if (remove) queue.erase(found);
  return msg;
}

std::optional<MSG> TMessageStore::TakePosted(const TMessageFilter& filter, bool remove) {
  return Take(FPosted, filter, remove);
}

std::optional<MSG> TMessageStore::TakeInput(const TMessageFilter& filter, bool remove) {
  return Take(FInput, filter, remove);
}

void TMessageStore::AddRawInput(const TRawInput& input) {
  if (input.FKind == TRawInputKind::rikPointerMove && !FRaw.empty() &&
      FRaw.back().FKind == TRawInputKind::rikPointerMove) {
    FRaw.back() = input;
    return;
  }
  FRaw.push_back(input);
}

TRawInput TMessageStore::TakeRawInput() {
  TRawInput input = FRaw.front();
  FRaw.pop_front();
  return input;
}

void TMessageStore::RequestQuit(int exitCode) {
  FQuitPending = true;
  FQuitCode = exitCode;
}

std::optional<MSG> TMessageStore::TakeQuit(bool remove) {
  if (!FQuitPending) return std::nullopt;
  if (remove) FQuitPending = false;
  MSG msg;
  msg.message = WM_QUIT;
  msg.wParam = WPARAM(FQuitCode);
  return msg;
}

void TMessageStore::PurgeWindow(HWND hwnd) {
  auto addressed = [hwnd](const MSG& msg) { return msg.hwnd == hwnd; };
  std::erase_if(FPosted, addressed);
  std::erase_if(FInput, addressed);
}

void TMessageStore::Clear() {
  FPosted.clear();
  FRaw.clear();
  FInput.clear();
  FQuitPending = false;
  FQuitCode = 0;
}

}  // namespace win::wnd
