// Test support for the windowing runtime: a fixture that runs each test on a fresh headless
// backend, a window procedure that records every message and lets a test override the answer to
// any of them, and helpers that create windows and pump the queue.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "framework/platform/MessageQueue.h"
#include "framework/platform/Window.h"
#include "framework/platform/windowing/HeadlessBackend.h"
#include "framework/platform/windowing/Runtime.h"

namespace win::testing {

struct TRecordedMessage {
  HWND FWindow = nullptr;
  UINT FMessage = 0;
  WPARAM FWParam = 0;
  LPARAM FLParam = 0;
};

using THandler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

class TMessageLog {
 public:
  static TMessageLog& Instance();
  std::vector<TRecordedMessage> FEntries;
  std::unordered_map<HWND, THandler> FHandlers;
  THandler FAnyWindow;  // consulted for windows without their own handler (creation messages)

  void Clear();
  // The messages of one kind (or all, for 0) that a window received, in order.
  std::vector<TRecordedMessage> Of(HWND hwnd, UINT message = 0) const;
  std::vector<UINT> NumbersOf(HWND hwnd) const;
  std::size_t Count(HWND hwnd, UINT message) const { return Of(hwnd, message).size(); }
};

LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

class THeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A captioned tool window (3-pixel frame, 18-pixel caption) with this client size.
  HWND CreateToolWindow(int x, int y, int clientWidth, int clientHeight, DWORD extraStyle = 0);
  HWND CreateChild(HWND parent, int x, int y, int width, int height, DWORD extraStyle = 0);
  // Retrieves and dispatches with PM_REMOVE until the queue has nothing (not even a due timer).
  int PumpPending(int limit = 1000);

  wnd::THeadlessBackend* FBackend = nullptr;
};

}  // namespace win::testing
