#include "tests/framework/platform/windowing/WindowTestSupport.h"

namespace win::testing {

TMessageLog& TMessageLog::Instance() {
  static TMessageLog log;
  return log;
}

void TMessageLog::Clear() {
  FEntries.clear();
  FHandlers.clear();
  FAnyWindow = nullptr;
}

std::vector<TRecordedMessage> TMessageLog::Of(HWND hwnd, UINT message) const {
  std::vector<TRecordedMessage> result;
  for (const TRecordedMessage& entry : FEntries) {
    if (entry.FWindow == hwnd && (message == 0 || entry.FMessage == message)) {
      result.push_back(entry);
    }
  }
  return result;
}

std::vector<UINT> TMessageLog::NumbersOf(HWND hwnd) const {
  std::vector<UINT> result;
  for (const TRecordedMessage& entry : FEntries) {
    if (entry.FWindow == hwnd) result.push_back(entry.FMessage);
  }
  return result;
}

LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessageLog& log = TMessageLog::Instance();
  log.FEntries.push_back(TRecordedMessage{hwnd, msg, wParam, lParam});
  const auto found = log.FHandlers.find(hwnd);
  THandler handler = found != log.FHandlers.end() ? found->second : log.FAnyWindow;
  if (handler) {
    if (const std::optional<LRESULT> answer = handler(hwnd, msg, wParam, lParam)) return *answer;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void THeadlessTest::SetUp() {
  FBackend = &wnd::UseHeadlessBackend();
  FBackend->SetQuiet(true);
  TMessageLog::Instance().Clear();
}

void THeadlessTest::TearDown() {
  wnd::Runtime().Reset();
  TMessageLog::Instance().Clear();
}

HWND THeadlessTest::CreateToolWindow(int x, int y, int clientWidth, int clientHeight,
                                     DWORD extraStyle) {
  return CreateWindowExA(WS_EX_TOOLWINDOW, RecordingProc, "tool",
                         WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | extraStyle, x, y,
                         clientWidth + 6, clientHeight + 24, nullptr, nullptr, nullptr, nullptr);
}

HWND THeadlessTest::CreateChild(HWND parent, int x, int y, int width, int height,
                                DWORD extraStyle) {
  return CreateWindowExA(0, RecordingProc, "child", WS_CHILD | WS_VISIBLE | extraStyle, x, y, width,
                         height, parent, nullptr, nullptr, nullptr);
}

int THeadlessTest::PumpPending(int limit) {
  int count = 0;
  MSG msg;
  while (count < limit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) break;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    ++count;
  }
  return count;
}

}  // namespace win::testing
