#include <gtest/gtest.h>

#include "framework/platform/GdiRegions.h"
#include "framework/platform/Input.h"
#include "framework/platform/VirtualKeys.h"
#include "framework/platform/Window.h"
#include "framework/platform/gdi/RegionObject.h"
#include "framework/platform/windowing/InputInjection.h"
#include "framework/platform/windowing/Runtime.h"
#include "tests/framework/platform/windowing/WindowTestSupport.h"

namespace win::testing {
namespace {

class InputTest : public THeadlessTest {
 protected:
  void SetUp() override {
    THeadlessTest::SetUp();
    FTop = CreateToolWindow(100, 100, 200, 200, WS_VISIBLE);  // client at (103, 121)
    FChild = CreateChild(FTop, 10, 10, 50, 50);               // screen (113, 131)-(163, 181)
    PumpPending();
    TMessageLog::Instance().FEntries.clear();
  }
  static void Shape(HWND hwnd, const gdi::TRegion& region) {
    ASSERT_TRUE(SetWindowRgn(hwnd, gdi::CreateRegionHandle(region), FALSE));
  }
  std::vector<TRecordedMessage> MouseMessages() {
    std::vector<TRecordedMessage> result;
    for (const auto& entry : TMessageLog::Instance().FEntries) {
      if ((entry.FMessage >= WM_MOUSEFIRST && entry.FMessage <= WM_MOUSELAST) ||
          (entry.FMessage >= WM_NCMOUSEMOVE && entry.FMessage <= WM_NCMBUTTONDBLCLK) ||
          entry.FMessage == WM_MOUSELEAVE) {
        result.push_back(entry);
      }
    }
    return result;
  }
  HWND FTop = nullptr;
  HWND FChild = nullptr;
};

TEST_F(InputTest, HitTestingFollowsWindowRegionsAndDisabledChildren) {
  EXPECT_EQ(WindowFromPoint(POINT{120, 140}), FChild);
  EXPECT_EQ(WindowFromPoint(POINT{103, 121}), FTop);
  EXPECT_EQ(WindowFromPoint(POINT{10, 10}), nullptr);
  Shape(FChild, gdi::TRegion(RECT{0, 0, 5, 5}));
  EXPECT_EQ(WindowFromPoint(POINT{120, 140}), FTop) << "outside the child's region";
  EXPECT_EQ(WindowFromPoint(POINT{114, 132}), FChild);
  EnableWindow(FChild, FALSE);
  EXPECT_EQ(WindowFromPoint(POINT{114, 132}), FTop) << "a disabled child yields its parent";
  EXPECT_EQ(ChildWindowFromPoint(FTop, POINT{11, 11}), FChild) << "this one includes it";
  Shape(FTop, gdi::TRegion(RECT{0, 0, 10, 10}));
  EXPECT_EQ(WindowFromPoint(POINT{114, 132}), nullptr) << "outside the top-level region";
}

TEST_F(InputTest, TransparentHitTestPassesToTheWindowBehind) {
  TMessageLog::Instance().FHandlers[FChild] = [](HWND, UINT msg, WPARAM,
                                                 LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_NCHITTEST) return HTTRANSPARENT;
    return std::nullopt;
  };
  EXPECT_EQ(WindowFromPoint(POINT{120, 140}), FTop);
}

TEST_F(InputTest, PointerMessagesCarryClientCoordinatesAndButtonFlags) {
  wnd::InjectPointerMove(POINT{120, 140});
  wnd::InjectButton(VK_LBUTTON, true);
  wnd::InjectButton(VK_LBUTTON, false);
  wnd::InjectPointerMove(POINT{105, 121});
  wnd::InjectPointerMove(POINT{106, 122});  // collapses with the move before it
  PumpPending();
  const auto messages = MouseMessages();
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0].FWindow, FChild);
  EXPECT_EQ(messages[0].FMessage, WM_MOUSEMOVE);
  EXPECT_EQ(GET_X_LPARAM(messages[0].FLParam), 7);
  EXPECT_EQ(GET_Y_LPARAM(messages[0].FLParam), 9);
  EXPECT_EQ(messages[1].FMessage, WM_LBUTTONDOWN);
  EXPECT_EQ(messages[1].FWParam, MK_LBUTTON);
  EXPECT_EQ(messages[2].FMessage, WM_LBUTTONUP);
  EXPECT_EQ(messages[2].FWParam, 0u);
  EXPECT_EQ(messages[3].FWindow, FTop);
  EXPECT_EQ(GET_X_LPARAM(messages[3].FLParam), 3);
  POINT cursor;
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor, (POINT{106, 122}));
}

TEST_F(InputTest, FrameAreasGetNonClientMessagesAndTheCloseButtonCloses) {
  wnd::InjectClick(POINT{150, 110}, VK_LBUTTON);  // caption
  PumpPending();
  auto messages = MouseMessages();
  ASSERT_GE(messages.size(), 2u);
  EXPECT_EQ(messages[1].FMessage, WM_NCLBUTTONDOWN);
  EXPECT_EQ(messages[1].FWParam, WPARAM(HTCAPTION));
  EXPECT_TRUE(IsWindow(FTop));
  wnd::InjectClick(POINT{100 + 206 - 6, 110}, VK_LBUTTON);  // the close button
  PumpPending();
  EXPECT_FALSE(IsWindow(FTop));
}

TEST_F(InputTest, CaptureGetsEverythingUntilReleased) {
  SetCapture(FChild);
  wnd::InjectPointerMove(POINT{5, 6});
  PumpPending();
  auto messages = MouseMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].FWindow, FChild);
  EXPECT_EQ(GET_X_LPARAM(messages[0].FLParam), 5 - 113) << "negative client coordinates";
  EXPECT_EQ(GetCapture(), FChild);
  SetCapture(FTop);
  EXPECT_EQ(TMessageLog::Instance().Count(FChild, WM_CAPTURECHANGED), 1u);
  ReleaseCapture();
  EXPECT_EQ(TMessageLog::Instance().Count(FTop, WM_CAPTURECHANGED), 1u);
  EXPECT_EQ(GetCapture(), nullptr);
  SetCapture(FChild);
  DestroyWindow(FChild);
  EXPECT_EQ(GetCapture(), nullptr) << "a destroyed window loses the capture";
}

TEST_F(InputTest, CaptureSetWhileHandlingAPressRoutesTheFollowingMoves) {
  TMessageLog::Instance().FHandlers[FChild] = [](HWND self, UINT msg, WPARAM,
                                                 LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_LBUTTONDOWN) SetCapture(self);
    return std::nullopt;
  };
  wnd::InjectPointerMove(POINT{120, 140});
  wnd::InjectButton(VK_LBUTTON, true);
  wnd::InjectPointerMove(POINT{300, 300});  // over the parent, queued before the press is handled
  PumpPending();
  const auto messages = MouseMessages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[2].FWindow, FChild);
  EXPECT_EQ(messages[2].FMessage, WM_MOUSEMOVE);
}

TEST_F(InputTest, DoubleClickNeedsTheSameWindowPlaceAndTime) {
  wnd::InjectClick(POINT{120, 140}, VK_LBUTTON);
  wnd::InjectClick(POINT{121, 141}, VK_LBUTTON);
  wnd::InjectClick(POINT{121, 141}, VK_LBUTTON);  // a third press starts a new pair
  PumpPending();
  FBackend->AdvanceClock(600);
  wnd::InjectClick(POINT{121, 141}, VK_LBUTTON);
  PumpPending();
  std::vector<UINT> presses;
  for (const auto& entry : MouseMessages()) {
    if (entry.FMessage != WM_MOUSEMOVE && entry.FMessage != WM_LBUTTONUP) {
      presses.push_back(entry.FMessage);
    }
  }
  EXPECT_EQ(presses,
            (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN, WM_LBUTTONDOWN}));
}

TEST_F(InputTest, ClicksOnADisabledTopLevelWindowAreDropped) {
  EnableWindow(FTop, FALSE);
  wnd::InjectClick(POINT{150, 150}, VK_LBUTTON);
  PumpPending();
  EXPECT_TRUE(MouseMessages().empty());
}

TEST_F(InputTest, LeaveTrackingReportsOnceWhenThePointerGoes) {
  wnd::InjectPointerMove(POINT{120, 140});
  PumpPending();
  TRACKMOUSEEVENT track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = FChild;
  EXPECT_TRUE(TrackMouseEvent(&track));
  TRACKMOUSEEVENT query;
  query.dwFlags = TME_QUERY;
  EXPECT_TRUE(TrackMouseEvent(&query));
  EXPECT_EQ(query.hwndTrack, FChild);
  wnd::InjectPointerMove(POINT{125, 145});
  PumpPending();
  EXPECT_EQ(TMessageLog::Instance().Count(FChild, WM_MOUSELEAVE), 0u);
  wnd::InjectPointerMove(POINT{180, 190});
  wnd::InjectPointerMove(POINT{10, 10});
  PumpPending();
  EXPECT_EQ(TMessageLog::Instance().Count(FChild, WM_MOUSELEAVE), 1u);
  // Tracking asked for while the pointer is elsewhere reports the leave at once.
  EXPECT_TRUE(TrackMouseEvent(&track));
  PumpPending();
  EXPECT_EQ(TMessageLog::Instance().Count(FChild, WM_MOUSELEAVE), 2u);
  track.cbSize = 3;
  EXPECT_FALSE(TrackMouseEvent(&track));
}

TEST_F(InputTest, KeysGoToTheFocusAndKeyStatesFollowRetrieval) {
  SetFocus(FChild);
  EXPECT_EQ(GetFocus(), FChild);
  EXPECT_EQ(TMessageLog::Instance().Count(FTop, WM_KILLFOCUS), 1u);
  wnd::InjectKey(VK_SHIFT, true);
  wnd::InjectKey('A', true);
  EXPECT_TRUE(GetAsyncKeyState('A') & 0x8000);
  EXPECT_TRUE(GetAsyncKeyState('A') == SHORT(0x8000)) << "the pressed bit is taken once";
  EXPECT_FALSE(GetKeyState('A') & 0x8000) << "not yet retrieved";
  PumpPending();
  EXPECT_TRUE(GetKeyState('A') & 0x8000);
  EXPECT_TRUE(GetKeyState(VK_SHIFT) & 0x8000);
  const auto chars = TMessageLog::Instance().Of(FChild, WM_CHAR);
  ASSERT_EQ(chars.size(), 1u);
  EXPECT_EQ(chars[0].FWParam, WPARAM('A'));
  wnd::InjectKey('A', false);
  wnd::InjectKey(VK_SHIFT, false);
  wnd::InjectKey(VK_CAPITAL, true);
  wnd::InjectKey(VK_CAPITAL, false);
  wnd::InjectText("表");
  PumpPending();
  EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1) << "a lock key toggles";
  EXPECT_EQ(TMessageLog::Instance().Count(FChild, WM_KEYUP), 2u + 1u);
  EXPECT_EQ(TMessageLog::Instance().Count(FChild, WM_CHAR), 1u + 3u) << "three UTF-8 bytes";
  wnd::InjectKey(VK_MENU, true);
  wnd::InjectKey(VK_F4, true);
  PumpPending();
  EXPECT_FALSE(IsWindow(FTop)) << "Alt+F4 closes the top-level window";
}

TEST_F(InputTest, ClickActivatesAndDisabledWindowsLoseTheFocus) {
  const HWND other = CreateToolWindow(400, 400, 100, 100, WS_VISIBLE);
  EXPECT_EQ(GetActiveWindow(), other);
  wnd::InjectClick(POINT{150, 150}, VK_LBUTTON);
  PumpPending();
  EXPECT_EQ(GetActiveWindow(), FTop);
  EXPECT_EQ(TMessageLog::Instance().Count(FTop, WM_MOUSEACTIVATE), 1u);
  SetFocus(FChild);
  EnableWindow(FChild, FALSE);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(SetFocus(FChild), nullptr) << "a disabled window takes no focus";
  EXPECT_EQ(TMessageLog::Instance().Count(FChild, WM_ENABLE), 1u);
}

}  // namespace
}  // namespace win::testing
