#include <gtest/gtest.h>

#include <cstring>

#include "framework/platform/Input.h"
#include "framework/platform/LastError.h"
#include "framework/platform/SystemMetrics.h"
#include "framework/platform/Window.h"
#include "tests/framework/platform/windowing/WindowTestSupport.h"

namespace win::testing {
namespace {

class WindowTest : public THeadlessTest {};

RECT WindowRectOf(HWND hwnd) {
  RECT rect;
  GetWindowRect(hwnd, &rect);
  return rect;
}

RECT ClientRectOf(HWND hwnd) {
  RECT rect;
  GetClientRect(hwnd, &rect);
  return rect;
}

TEST_F(WindowTest, ToolWindowFrameAddsBordersAndSmallCaption) {
  const HWND hwnd = CreateToolWindow(100, 50, 600, 600);
  EXPECT_EQ(WindowRectOf(hwnd), (RECT{100, 50, 706, 674}));
  EXPECT_EQ(ClientRectOf(hwnd), (RECT{0, 0, 600, 600}));
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  EXPECT_EQ(origin, (POINT{103, 71}));
  ScreenToClient(hwnd, &origin);
  EXPECT_EQ(origin, (POINT{0, 0}));
  RECT adjusted{0, 0, 600, 600};
  AdjustWindowRectEx(&adjusted, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_TOOLWINDOW);
  EXPECT_EQ(adjusted, (RECT{-3, -21, 603, 603}));
  EXPECT_EQ(GetSystemMetrics(SM_CYSMCAPTION), 18);
  EXPECT_EQ(GetSystemMetrics(SM_CXFIXEDFRAME), 3);
}

TEST_F(WindowTest, CaptionedWindowIsHeldAtTheMinimumTrackingSize) {
  const HWND hwnd = CreateToolWindow(0, 0, 600, 600);
  // Asking for a 50 x 50 client area as a tiny picture does.
  SetWindowPos(hwnd, nullptr, 0, 0, 56, 74, SWP_NOMOVE | SWP_NOZORDER);
  const RECT outer = WindowRectOf(hwnd);
  EXPECT_EQ(outer.right - outer.left, GetSystemMetrics(SM_CXMINTRACK));
  EXPECT_EQ(outer.bottom - outer.top, 74);
  EXPECT_EQ(ClientRectOf(hwnd), (RECT{0, 0, GetSystemMetrics(SM_CXMINTRACK) - 6, 50}));
  SetWindowPos(hwnd, nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(ClientRectOf(hwnd).bottom,
            GetSystemMetrics(SM_CYMINTRACK) - 24 > 0 ? GetSystemMetrics(SM_CYMINTRACK) - 24 : 0);
  // A child window has no tracking size.
  const HWND child = CreateChild(hwnd, 0, 0, 5, 5);
  EXPECT_EQ(ClientRectOf(child), (RECT{0, 0, 5, 5}));
}

TEST_F(WindowTest, MinMaxInfoAnswerOfTheWindowDecides) {
  TMessageLog::Instance().FAnyWindow = [](HWND, UINT msg, WPARAM,
                                          LPARAM lParam) -> std::optional<LRESULT> {
    if (msg != WM_GETMINMAXINFO) return std::nullopt;
    reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{300, 200};
    return 0;
  };
  const HWND hwnd = CreateToolWindow(0, 0, 100, 100);
  EXPECT_EQ(WindowRectOf(hwnd), (RECT{0, 0, 300, 200}));
}

TEST_F(WindowTest, CreationAndPlacementMessagesInOrder) {
  const HWND hwnd = CreateToolWindow(0, 0, 100, 100, WS_VISIBLE);
  const std::vector<UINT> numbers = TMessageLog::Instance().NumbersOf(hwnd);
  auto position = [&](UINT number) {
    return std::find(numbers.begin(), numbers.end(), number) - numbers.begin();
  };
  EXPECT_LT(position(WM_GETMINMAXINFO), position(WM_NCCREATE));
  EXPECT_LT(position(WM_NCCREATE), position(WM_CREATE));
  EXPECT_LT(position(WM_CREATE), position(WM_SIZE));
  EXPECT_LT(position(WM_SIZE), position(WM_SHOWWINDOW));
  EXPECT_LT(position(WM_SHOWWINDOW), position(WM_ACTIVATE));
  EXPECT_EQ(GetActiveWindow(), hwnd);
  EXPECT_EQ(GetFocus(), hwnd);

  TMessageLog::Instance().FEntries.clear();
  MoveWindow(hwnd, 10, 20, 200, 100, TRUE);
  const auto sizes = TMessageLog::Instance().Of(hwnd, WM_SIZE);
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(LOWORD(std::uintptr_t(sizes[0].FLParam)), 194);
  EXPECT_EQ(HIWORD(std::uintptr_t(sizes[0].FLParam)), 76);
  const auto moves = TMessageLog::Instance().Of(hwnd, WM_MOVE);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(GET_X_LPARAM(moves[0].FLParam), 13);
  EXPECT_EQ(GET_Y_LPARAM(moves[0].FLParam), 41);

  TMessageLog::Instance().FEntries.clear();
  SetWindowPos(hwnd, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(TMessageLog::Instance().Count(hwnd, WM_SIZE), 0u) << "only moved";
  EXPECT_EQ(TMessageLog::Instance().Count(hwnd, WM_MOVE), 1u);
}

TEST_F(WindowTest, WindowPosChangingCanRewriteThePlacement) {
  const HWND hwnd = CreateToolWindow(0, 0, 100, 100);
  TMessageLog::Instance().FHandlers[hwnd] = [](HWND, UINT msg, WPARAM,
                                               LPARAM lParam) -> std::optional<LRESULT> {
    if (msg == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(lParam)->x = 77;
    return std::nullopt;
  };
  MoveWindow(hwnd, 5, 5, 200, 200, FALSE);
  EXPECT_EQ(WindowRectOf(hwnd).left, 77);
}

TEST_F(WindowTest, ChildGeometryFollowsTheParentsClientArea) {
  const HWND top = CreateToolWindow(100, 100, 300, 300);
  const HWND child = CreateChild(top, 10, 20, 50, 40, WS_BORDER);
  EXPECT_EQ(WindowRectOf(child), (RECT{113, 141, 163, 181}));
  EXPECT_EQ(ClientRectOf(child), (RECT{0, 0, 48, 38}));
  POINT point{0, 0};
  MapWindowPoints(child, top, &point, 1);
  EXPECT_EQ(point, (POINT{11, 21}));
  MoveWindow(top, 0, 0, 306, 324, FALSE);
  EXPECT_EQ(WindowRectOf(child).left, 13) << "children move with their parent";
  EXPECT_EQ(GetParent(child), top);
  EXPECT_EQ(GetAncestor(child, GA_ROOT), top);
  EXPECT_TRUE(IsChild(top, child));
  EXPECT_FALSE(IsWindowVisible(child)) << "the parent is hidden";
  ShowWindow(top, SW_SHOW);
  EXPECT_TRUE(IsWindowVisible(child));
}

TEST_F(WindowTest, ZOrderOfChildrenAndTopmostBand) {
  const HWND top = CreateToolWindow(0, 0, 300, 300);
  const HWND first = CreateChild(top, 0, 0, 10, 10);
  const HWND second = CreateChild(top, 0, 0, 10, 10);
  EXPECT_EQ(GetWindow(top, GW_CHILD), second) << "a new child goes in front";
  EXPECT_EQ(GetWindow(second, GW_HWNDNEXT), first);
  SetWindowPos(second, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(top, GW_CHILD), first);

  const HWND onTop = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, RecordingProc, "topmost",
                                     WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  const HWND plain = CreateToolWindow(0, 0, 10, 10);
  EXPECT_EQ(GetTopWindow(nullptr), onTop) << "topmost windows stay in front of newer ones";
  SetWindowPos(plain, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetTopWindow(nullptr), plain);
  EXPECT_TRUE(GetWindowLongPtrA(plain, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(WindowTest, TextUserDataAndStyles) {
  const HWND hwnd = CreateToolWindow(0, 0, 10, 10);
  EXPECT_TRUE(SetWindowTextA(hwnd, "Tovuザビロナ！"));
  char buffer[64];
  EXPECT_EQ(GetWindowTextLengthA(hwnd), int(std::strlen("Tovuザビロナ！")));
  EXPECT_EQ(GetWindowTextA(hwnd, buffer, sizeof buffer), int(std::strlen("Tovuザビロナ！")));
  EXPECT_STREQ(buffer, "Tovuザビロナ！");
  EXPECT_EQ(GetWindowTextA(hwnd, buffer, 5), 4);
  EXPECT_STREQ(buffer, "Tovu");
  EXPECT_EQ(GetWindowTextA(hwnd, buffer, 0), 0);

  EXPECT_EQ(SetWindowLongPtrA(hwnd, GWLP_USERDATA, 1234), 0);
  EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_USERDATA), 1234);
  EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&RecordingProc));
  EXPECT_TRUE(GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CAPTION);
  EXPECT_EQ(GetWindowLongPtrA(hwnd, 12345), 0);
}

TEST_F(WindowTest, CreationRefusedByTheProcedureOrWithoutParent) {
  TMessageLog::Instance().FAnyWindow = [](HWND, UINT msg, WPARAM,
                                          LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_CREATE) return -1;
    return std::nullopt;
  };
  EXPECT_EQ(CreateToolWindow(0, 0, 10, 10), nullptr);
  bool destroyed = false;
  for (const auto& entry : TMessageLog::Instance().FEntries) {
    destroyed = destroyed || entry.FMessage == WM_NCDESTROY;
  }
  EXPECT_TRUE(destroyed);
  TMessageLog::Instance().FAnyWindow = nullptr;
  EXPECT_EQ(CreateWindowExA(0, RecordingProc, "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                            nullptr),
            nullptr);
  EXPECT_EQ(
      CreateWindowExA(0, nullptr, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
      nullptr);
}

TEST_F(WindowTest, TheParentValueOfATopLevelWindowChangesItsOwner) {
  const HWND owner = CreateToolWindow(0, 0, 100, 100);
  const HWND child = CreateChild(owner, 0, 0, 10, 10);
  const HWND popup = CreateWindowExA(0, RecordingProc, "popup", WS_POPUP, 0, 0, 10, 10, nullptr,
                                     nullptr, nullptr, nullptr);
  EXPECT_EQ(SetWindowLongPtrA(popup, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(child)), 0);
  EXPECT_EQ(GetWindow(popup, GW_OWNER), owner) << "the top-level window of the one named";
  EXPECT_EQ(GetParent(popup), owner);
  SetLastError(0);
  EXPECT_EQ(SetWindowLongPtrA(owner, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(popup)), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER) << "no window comes to own itself";
  EXPECT_EQ(GetWindow(owner, GW_OWNER), nullptr);
  EXPECT_EQ(SetWindowLongPtrA(child, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(popup)), 0);
  EXPECT_EQ(GetParent(child), owner) << "a child keeps its parent";
  EXPECT_EQ(SetWindowLongPtrA(popup, GWLP_HWNDPARENT, 0), reinterpret_cast<LONG_PTR>(owner));
  EXPECT_EQ(GetWindow(popup, GW_OWNER), nullptr);
  DestroyWindow(owner);
  EXPECT_TRUE(IsWindow(popup)) << "no longer owned, so not destroyed with the old owner";
  DestroyWindow(popup);
}

TEST_F(WindowTest, DestructionOrderOwnedWindowsAndStaleHandles) {
  const HWND owner = CreateToolWindow(0, 0, 100, 100);
  const HWND owned = CreateWindowExA(WS_EX_TOOLWINDOW, RecordingProc, "owned", WS_POPUP, 0, 0, 10,
                                     10, owner, nullptr, nullptr, nullptr);
  const HWND child = CreateChild(owner, 0, 0, 10, 10);
  const HWND grandChild = CreateChild(child, 0, 0, 5, 5);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
  TMessageLog::Instance().FEntries.clear();
  EXPECT_TRUE(DestroyWindow(owner));

  std::vector<std::pair<HWND, UINT>> order;
  for (const auto& entry : TMessageLog::Instance().FEntries) {
    if (entry.FMessage == WM_DESTROY || entry.FMessage == WM_NCDESTROY) {
      order.emplace_back(entry.FWindow, entry.FMessage);
    }
  }
  const std::vector<std::pair<HWND, UINT>> expected{
      {owned, WM_DESTROY},   {owned, WM_NCDESTROY},    {owner, WM_DESTROY},
      {child, WM_DESTROY},   {grandChild, WM_DESTROY}, {grandChild, WM_NCDESTROY},
      {child, WM_NCDESTROY}, {owner, WM_NCDESTROY}};
  EXPECT_EQ(order, expected);
  for (HWND hwnd : {owner, owned, child, grandChild})
    EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(DestroyWindow(owner));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  RECT rect{};
  EXPECT_FALSE(GetWindowRect(owner, &rect));
  EXPECT_FALSE(ShowWindow(owner, SW_SHOW));
  EXPECT_FALSE(SetWindowPos(owner, nullptr, 0, 0, 1, 1, 0));
  EXPECT_EQ(GetWindowLongPtrA(owner, GWLP_USERDATA), 0);
}

TEST_F(WindowTest, WindowDestroyingItselfAndSiblingsDuringDispatch) {
  const HWND top = CreateToolWindow(0, 0, 100, 100);
  const HWND first = CreateChild(top, 0, 0, 10, 10);
  const HWND second = CreateChild(top, 20, 0, 10, 10);
  // The first child's WM_DESTROY destroys its sibling; a message handler destroys the parent.
  TMessageLog::Instance().FHandlers[first] = [&](HWND, UINT msg, WPARAM,
                                                 LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_DESTROY) DestroyWindow(second);
    if (msg == WM_USER) {
      DestroyWindow(top);
      return 5;
    }
    return std::nullopt;
  };
  TMessageLog::Instance().FHandlers[top] = [&](HWND self, UINT msg, WPARAM,
                                               LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_DESTROY) DestroyWindow(self);  // again, from inside its own destruction
    return std::nullopt;
  };
  EXPECT_EQ(SendMessageA(first, WM_USER, 0, 0), 5);
  EXPECT_FALSE(IsWindow(top));
  EXPECT_FALSE(IsWindow(first));
  EXPECT_FALSE(IsWindow(second));
  EXPECT_EQ(TMessageLog::Instance().Count(second, WM_NCDESTROY), 1u);
  EXPECT_EQ(TMessageLog::Instance().Count(top, WM_NCDESTROY), 1u);
}

TEST_F(WindowTest, CloseMessageDestroysByDefault) {
  const HWND hwnd = CreateToolWindow(0, 0, 100, 100, WS_VISIBLE);
  PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  PumpPending();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(TMessageLog::Instance().Count(hwnd, WM_CLOSE), 1u);
  EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(WindowTest, HostileGeometryIsClamped) {
  const HWND hwnd = CreateWindowExA(0, RecordingProc, "", WS_POPUP, -2000000000, 2000000000, -5,
                                    2000000000, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(hwnd);
  const RECT rect = WindowRectOf(hwnd);
  EXPECT_EQ(rect.left, -32768);
  EXPECT_EQ(rect.top, 32767);
  EXPECT_EQ(rect.right - rect.left, 0);
  EXPECT_EQ(rect.bottom - rect.top, 32767);
  ShowWindow(hwnd, SW_SHOW);  // a framebuffer of a huge window is capped, not allocated in full
  EXPECT_TRUE(IsWindowVisible(hwnd));
}

TEST_F(WindowTest, ReparentingMovesTheWindowInTheTree) {
  const HWND first = CreateToolWindow(0, 0, 100, 100);
  const HWND second = CreateToolWindow(0, 0, 100, 100);
  const HWND child = CreateChild(first, 1, 2, 10, 10);
  EXPECT_EQ(SetParent(child, second), first);
  EXPECT_EQ(GetParent(child), second);
  EXPECT_EQ(GetWindow(first, GW_CHILD), nullptr);
  EXPECT_EQ(SetParent(second, child), nullptr) << "a window cannot go under its own child";
}

}  // namespace
}  // namespace win::testing
