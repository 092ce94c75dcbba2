#include <gtest/gtest.h>

#include "framework/platform/Clock.h"
#include "framework/platform/MessageQueue.h"
#include "framework/platform/Paint.h"
#include "framework/platform/Window.h"
#include "tests/framework/platform/windowing/WindowTestSupport.h"

namespace win::testing {
namespace {

class MessageQueueTest : public THeadlessTest {};

TEST_F(MessageQueueTest, PostedComeBeforePaintAndPaintBeforeTimer) {
  const HWND hwnd = CreateToolWindow(10, 10, 100, 100, WS_VISIBLE);
  ASSERT_TRUE(hwnd);
  PumpPending();
  SetTimer(hwnd, 7, 20, nullptr);
  FBackend->AdvanceClock(25);
  InvalidateRect(hwnd, nullptr, TRUE);
  PostMessageA(hwnd, WM_USER + 1, 0, 0);

  MSG msg;
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, WM_USER + 1u);
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, WM_PAINT);
  DispatchMessageA(&msg);  // the default handling validates
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, WM_TIMER);
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_EQ(msg.hwnd, hwnd);
}

TEST_F(MessageQueueTest, PaintStaysUntilValidatedAndIsNotRemovedByPeek) {
  const HWND hwnd = CreateToolWindow(0, 0, 50, 50, WS_VISIBLE);
  PumpPending();
  InvalidateRect(hwnd, nullptr, FALSE);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_PAINT);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_PAINT) << "WM_PAINT comes again while the area is still invalid";
  ValidateRect(hwnd, nullptr);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueueTest, NoRemovePeekWithNumberFilterSeesQueuedCopiesForCoalescing) {
  const HWND hwnd = CreateToolWindow(0, 0, 50, 50);
  const HWND other = CreateToolWindow(0, 0, 50, 50);
  constexpr UINT Update = 0xBBAB;
  PostMessageA(other, Update, 0, 0);
  PostMessageA(hwnd, WM_USER, 0, 0);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, hwnd, Update, Update, PM_NOREMOVE))
      << "a copy for another window does not count";
  PostMessageA(hwnd, Update, 1, 0);
  PostMessageA(hwnd, Update, 2, 0);
  ASSERT_TRUE(PeekMessageA(&msg, hwnd, Update, Update, PM_NOREMOVE));
  EXPECT_EQ(msg.wParam, 1u);
  ASSERT_TRUE(PeekMessageA(&msg, hwnd, Update, Update, PM_NOREMOVE));
  EXPECT_EQ(msg.wParam, 1u) << "PM_NOREMOVE leaves the message queued";

  // Coalescing as a control does it: each handler looks for a later copy and skips if one exists.
  int computations = 0;
  TMessageLog::Instance().FHandlers[hwnd] = [&](HWND self, UINT number, WPARAM,
                                                LPARAM) -> std::optional<LRESULT> {
    if (number != Update) return std::nullopt;
    MSG later;
    if (!PeekMessageA(&later, self, Update, Update, PM_NOREMOVE)) ++computations;
    return 0;
  };
  for (int i = 0; i < 8; ++i)
    PostMessageA(hwnd, Update, 0, 0);
  PumpPending();
  EXPECT_EQ(computations, 1);
  EXPECT_EQ(TMessageLog::Instance().Count(hwnd, Update), 10u);
}

TEST_F(MessageQueueTest, FilterByRangeAndReversedRange) {
  const HWND hwnd = CreateToolWindow(0, 0, 50, 50);
  PostMessageA(hwnd, WM_USER + 5, 0, 0);
  PostMessageA(hwnd, WM_APP + 5, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_APP, WM_APP + 10, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_APP + 5);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_APP, WM_APP + 10, PM_REMOVE));
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER + 6, WM_USER + 4, PM_NOREMOVE))
      << "a reversed range matches only numbers outside it";
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 5, WM_USER + 4, PM_NOREMOVE));
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 5, WM_USER + 5, PM_REMOVE));
}

TEST_F(MessageQueueTest, QuitEndsGetMessageAfterPostedMessagesWhateverTheFilter) {
  const HWND hwnd = CreateToolWindow(0, 0, 50, 50);
  PostQuitMessage(3);
  PostMessageA(hwnd, WM_USER, 0, 0);
  MSG msg;
  EXPECT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, WM_USER);
  EXPECT_FALSE(GetMessageA(&msg, hwnd, WM_USER, WM_USER));
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MessageQueueTest, VirtualClockJumpsToTheNextTimerInsteadOfWaiting) {
  const HWND hwnd = CreateToolWindow(0, 0, 50, 50);
  const DWORD start = GetTickCount();
  SetTimer(hwnd, 1, 20, nullptr);
  SetTimer(hwnd, 2, 1000, nullptr);
  MSG msg;
  std::vector<std::pair<UINT_PTR, DWORD>> ticks;
  for (int i = 0; i < 52; ++i) {
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    ASSERT_EQ(msg.message, WM_TIMER);
    ticks.emplace_back(msg.wParam, GetTickCount() - start);
  }
  EXPECT_EQ(ticks[0], (std::pair<UINT_PTR, DWORD>{1, 20}));
  EXPECT_EQ(ticks[1], (std::pair<UINT_PTR, DWORD>{1, 40}));
  // At 1000 ms both are due: the one due first (the 20 ms timer, due at 1000 too) or the 1000 ms
  // one; each fires exactly once there.
  int thousand = 0;
  for (const auto& tick : ticks)
    thousand += tick.second == 1000 ? 1 : 0;
  EXPECT_EQ(thousand, 2);
}

TEST_F(MessageQueueTest, TimerBelowMinimumIsRaisedAndTimerCanBeReplaced) {
  const HWND hwnd = CreateToolWindow(0, 0, 50, 50);
  const DWORD start = GetTickCount();
  EXPECT_EQ(SetTimer(hwnd, 4, 1, nullptr), 4u);
  MSG msg;
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(GetTickCount() - start, USER_TIMER_MINIMUM);
  SetTimer(hwnd, 4, 300, nullptr);
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(GetTickCount() - start, USER_TIMER_MINIMUM + 300);
  EXPECT_TRUE(KillTimer(hwnd, 4));
  EXPECT_FALSE(KillTimer(hwnd, 4));
  EXPECT_EQ(SetTimer(reinterpret_cast<HWND>(std::intptr_t(0x1234)), 1, 10, nullptr), 0u);
}

TEST_F(MessageQueueTest, IdleLoopWithoutTimerOrInputQuitsInsteadOfHanging) {
  CreateToolWindow(0, 0, 50, 50);
  MSG msg;
  EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_TRUE(WaitMessage());  // a second idle wait also returns (again with a quit request)
}

TEST_F(MessageQueueTest, NestedModalLoopStillDeliversTimerTicks) {
  const HWND hwnd = CreateToolWindow(0, 0, 50, 50);
  int outerTicks = 0;
  int nestedTicks = 0;
  bool inNestedLoop = false;
  TMessageLog::Instance().FHandlers[hwnd] = [&](HWND self, UINT number, WPARAM id,
                                                LPARAM) -> std::optional<LRESULT> {
    if (number != WM_TIMER) return std::nullopt;
    if (id == 2) {
      // The "dialog" is dismissed after three ticks of the other timer.
      if (inNestedLoop && nestedTicks >= 3) PostMessageA(self, WM_APP, 0, 0);
      return 0;
    }
    if (inNestedLoop) {
      ++nestedTicks;
      return 0;
    }
    ++outerTicks;
    if (outerTicks == 2) {
      inNestedLoop = true;
      SetTimer(self, 2, 5, nullptr);
      MSG inner;
      while (GetMessageA(&inner, nullptr, 0, 0)) {
        if (inner.message == WM_APP) break;
        DispatchMessageA(&inner);
      }
      KillTimer(self, 2);
      inNestedLoop = false;
    }
    return 0;
  };
  SetTimer(hwnd, 1, 20, nullptr);
  MSG msg;
  while (outerTicks < 4 && GetMessageA(&msg, nullptr, 0, 0))
    DispatchMessageA(&msg);
  EXPECT_EQ(outerTicks, 4);
  EXPECT_GE(nestedTicks, 3);
}

TEST_F(MessageQueueTest, TimerKilledInsideItsOwnTickStops) {
  const HWND hwnd = CreateToolWindow(0, 0, 50, 50);
  int ticks = 0;
  TMessageLog::Instance().FHandlers[hwnd] = [&](HWND self, UINT number, WPARAM id,
                                                LPARAM) -> std::optional<LRESULT> {
    if (number == WM_TIMER) {
      ++ticks;
      KillTimer(self, id);
      return 0;
    }
    return std::nullopt;
  };
  SetTimer(hwnd, 9, 20, nullptr);
  PostMessageA(hwnd, WM_USER, 0, 0);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0))
    DispatchMessageA(&msg);  // ends by the idle quit
  EXPECT_EQ(ticks, 1);
}

int TimerProcCalls = 0;
void CountingTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  ++TimerProcCalls;
}

TEST_F(MessageQueueTest, TimerFunctionIsCalledOnlyForALiveTimer) {
  TimerProcCalls = 0;
  const UINT_PTR id = SetTimer(nullptr, 0, 30, CountingTimerProc);
  ASSERT_NE(id, 0u);
  MSG msg;
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, WM_TIMER);
  EXPECT_EQ(msg.hwnd, nullptr);
  EXPECT_EQ(msg.wParam, id);
  DispatchMessageA(&msg);
  EXPECT_EQ(TimerProcCalls, 1);
  KillTimer(nullptr, id);
  DispatchMessageA(&msg);  // a stale tick: the function is not called again
  EXPECT_EQ(TimerProcCalls, 1);
  MSG forged = msg;
  forged.wParam = id + 100;
  DispatchMessageA(&forged);
  EXPECT_EQ(TimerProcCalls, 1);
}

TEST_F(MessageQueueTest, MessagesForDestroyedWindowsAreDroppedAndCallsFail) {
  const HWND hwnd = CreateToolWindow(0, 0, 50, 50);
  PostMessageA(hwnd, WM_USER, 0, 0);
  SetTimer(hwnd, 1, 20, nullptr);
  DestroyWindow(hwnd);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
  EXPECT_FALSE(PostMessageA(hwnd, WM_USER, 0, 0));
  EXPECT_EQ(SendMessageA(hwnd, WM_USER, 0, 0), 0);
  msg.hwnd = hwnd;
  msg.message = WM_USER;
  EXPECT_EQ(DispatchMessageA(&msg), 0);
  EXPECT_FALSE(KillTimer(hwnd, 1));
  EXPECT_EQ(GetMessageA(&msg, hwnd, 0, 0), -1) << "a filter naming a window that is gone";
  EXPECT_EQ(GetMessageA(nullptr, nullptr, 0, 0), -1);
}

TEST_F(MessageQueueTest, ThreadMessagesAndBroadcast) {
  const HWND first = CreateToolWindow(0, 0, 50, 50);
  const HWND second = CreateToolWindow(0, 0, 50, 50);
  EXPECT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_APP, 1, 2));
  EXPECT_FALSE(PostThreadMessageA(GetCurrentThreadId() + 1, WM_APP, 1, 2));
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(std::intptr_t(-1)), 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, nullptr);
  EXPECT_EQ(msg.lParam, 2);
  PostMessageA(HWND_BROADCAST, WM_USER + 3, 0, 0);
  PumpPending();
  EXPECT_EQ(TMessageLog::Instance().Count(first, WM_USER + 3), 1u);
  EXPECT_EQ(TMessageLog::Instance().Count(second, WM_USER + 3), 1u);
}

}  // namespace
}  // namespace win::testing
