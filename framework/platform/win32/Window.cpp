// Windows on Windows: CreateWindowExA takes a window procedure instead of a class, so every window
// of the program is of one registered class whose procedure hands the new window to the caller's
// procedure at its first message. The rest forwards to user32.
#include <utility>

#include "framework/platform/win32/WinApi.h"

namespace win {

using native::Ours;
using native::ProcedureCast;
using native::Real;

namespace {

// The procedure the window being created gets, set for the length of CreateWindowExA. A window
// created while another one handles its first messages sets its own.
thread_local WNDPROC PendingProcedure = nullptr;

// The class procedure: at a new window's first message (WM_GETMINMAXINFO or WM_NCCREATE) the
// window gets the pending procedure as its own and handles the message with it, so
// GetWindowLongPtrA(GWLP_WNDPROC) answers the caller's procedure from then on.
LRESULT CALLBACK StartWindow(::HWND hwnd, ::UINT msg, ::WPARAM wParam, ::LPARAM lParam) {
  const WNDPROC procedure = std::exchange(PendingProcedure, nullptr);
  if (procedure == nullptr) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
  ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<::LONG_PTR>(procedure));
  return procedure(Ours(hwnd), msg, wParam, lParam);
}

// The one window class: double clicks reported, no background brush (the program erases and
// paints every pixel itself, as on Linux), the arrow cursor.
LPCSTR WindowClass() {
  static const ::ATOM atom = [] {
    ::WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = StartWindow;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = "TovuWindow";
    return ::RegisterClassExA(&windowClass);
  }();
  return reinterpret_cast<LPCSTR>(static_cast<::ULONG_PTR>(atom));
}

}  // namespace

HWND CreateWindowExA(DWORD exStyle, WNDPROC windowProc, LPCSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                     LPVOID param) {
  if (windowProc == nullptr) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const WNDPROC previous = std::exchange(PendingProcedure, windowProc);
  const ::HINSTANCE module = instance != nullptr ? Real(instance) : ::GetModuleHandleA(nullptr);
  const ::HWND hwnd = ::CreateWindowExA(exStyle, WindowClass(), windowName, style, x, y, width,
                                        height, Real(parent), Real(menuOrId), module, param);
  PendingProcedure = previous;
  return Ours(hwnd);
}

BOOL DestroyWindow(HWND hwnd) {
  return ::DestroyWindow(Real(hwnd));
}
BOOL IsWindow(HWND hwnd) {
  return ::IsWindow(Real(hwnd));
}

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(Real(hwnd), msg, wParam, lParam);
}
LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcA(ProcedureCast<::WNDPROC>(proc), Real(hwnd), msg, wParam, lParam);
}

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) {
  return ::GetWindowLongPtrA(Real(hwnd), index);
}
LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  return ::SetWindowLongPtrA(Real(hwnd), index, value);
}

HWND GetParent(HWND hwnd) {
  return Ours(::GetParent(Real(hwnd)));
}
HWND SetParent(HWND child, HWND newParent) {
  return Ours(::SetParent(Real(child), Real(newParent)));
}
HWND GetWindow(HWND hwnd, UINT relation) {
  return Ours(::GetWindow(Real(hwnd), relation));
}
HWND GetAncestor(HWND hwnd, UINT flags) {
  return Ours(::GetAncestor(Real(hwnd), flags));
}
HWND GetTopWindow(HWND hwnd) {
  return Ours(::GetTopWindow(Real(hwnd)));
}
BOOL IsChild(HWND parent, HWND hwnd) {
  return ::IsChild(Real(parent), Real(hwnd));
}

BOOL ShowWindow(HWND hwnd, int cmdShow) {
  return ::ShowWindow(Real(hwnd), cmdShow);
}
BOOL IsWindowVisible(HWND hwnd) {
  return ::IsWindowVisible(Real(hwnd));
}
BOOL EnableWindow(HWND hwnd, BOOL enable) {
  return ::EnableWindow(Real(hwnd), enable);
}
BOOL IsWindowEnabled(HWND hwnd) {
  return ::IsWindowEnabled(Real(hwnd));
}
BOOL BringWindowToTop(HWND hwnd) {
  return ::BringWindowToTop(Real(hwnd));
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return ::SetWindowPos(Real(hwnd), Real(insertAfter), x, y, cx, cy, flags);
}
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return ::MoveWindow(Real(hwnd), x, y, width, height, repaint);
}
BOOL GetWindowRect(HWND hwnd, RECT* rect) {
  return ::GetWindowRect(Real(hwnd), Real(rect));
}
BOOL GetClientRect(HWND hwnd, RECT* rect) {
  return ::GetClientRect(Real(hwnd), Real(rect));
}
BOOL ClientToScreen(HWND hwnd, POINT* point) {
  return ::ClientToScreen(Real(hwnd), Real(point));
}
BOOL ScreenToClient(HWND hwnd, POINT* point) {
  return ::ScreenToClient(Real(hwnd), Real(point));
}
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  return ::MapWindowPoints(Real(from), Real(to), Real(points), count);
}
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle) {
  return ::AdjustWindowRectEx(Real(rect), style, menu, exStyle);
}

int SetWindowTextA(HWND hwnd, LPCSTR text) {
  return ::SetWindowTextA(Real(hwnd), text);
}
int GetWindowTextA(HWND hwnd, LPSTR buffer, int maxCount) {
  return ::GetWindowTextA(Real(hwnd), buffer, maxCount);
}
int GetWindowTextLengthA(HWND hwnd) {
  return ::GetWindowTextLengthA(Real(hwnd));
}

int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw) {
  return ::SetWindowRgn(Real(hwnd), Real(region), redraw);
}
int GetWindowRgn(HWND hwnd, HRGN region) {
  return ::GetWindowRgn(Real(hwnd), Real(region));
}

// ---------------------------------------------------------------- painting

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  return ::InvalidateRect(Real(hwnd), Real(rect), erase);
}
BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase) {
  return ::InvalidateRgn(Real(hwnd), Real(region), erase);
}
BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  return ::ValidateRect(Real(hwnd), Real(rect));
}
BOOL ValidateRgn(HWND hwnd, HRGN region) {
  return ::ValidateRgn(Real(hwnd), Real(region));
}
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase) {
  return ::GetUpdateRect(Real(hwnd), Real(rect), erase);
}
int GetUpdateRgn(HWND hwnd, HRGN region, BOOL erase) {
  return ::GetUpdateRgn(Real(hwnd), Real(region), erase);
}
BOOL UpdateWindow(HWND hwnd) {
  return ::UpdateWindow(Real(hwnd));
}
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
  return Ours(::BeginPaint(Real(hwnd), Real(paint)));
}
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
  return ::EndPaint(Real(hwnd), Real(paint));
}
HDC GetDC(HWND hwnd) {
  return Ours(::GetDC(Real(hwnd)));
}
int ReleaseDC(HWND hwnd, HDC hdc) {
  return ::ReleaseDC(Real(hwnd), Real(hdc));
}
HWND WindowFromDC(HDC hdc) {
  return Ours(::WindowFromDC(Real(hdc)));
}

// ---------------------------------------------------------------- input

HWND SetCapture(HWND hwnd) {
  return Ours(::SetCapture(Real(hwnd)));
}
BOOL ReleaseCapture() {
  return ::ReleaseCapture();
}
HWND GetCapture() {
  return Ours(::GetCapture());
}
BOOL GetCursorPos(POINT* point) {
  return ::GetCursorPos(Real(point));
}
BOOL SetCursorPos(int x, int y) {
  return ::SetCursorPos(x, y);
}
HWND WindowFromPoint(POINT point) {
  return Ours(::WindowFromPoint(*Real(&point)));
}
HWND ChildWindowFromPoint(HWND parent, POINT point) {
  return Ours(::ChildWindowFromPoint(Real(parent), *Real(&point)));
}
SHORT GetKeyState(int virtualKey) {
  return ::GetKeyState(virtualKey);
}
SHORT GetAsyncKeyState(int virtualKey) {
  return ::GetAsyncKeyState(virtualKey);
}
HWND SetFocus(HWND hwnd) {
  return Ours(::SetFocus(Real(hwnd)));
}
HWND GetFocus() {
  return Ours(::GetFocus());
}
HWND SetActiveWindow(HWND hwnd) {
  return Ours(::SetActiveWindow(Real(hwnd)));
}
HWND GetActiveWindow() {
  return Ours(::GetActiveWindow());
}
BOOL SetForegroundWindow(HWND hwnd) {
  return ::SetForegroundWindow(Real(hwnd));
}
HWND GetForegroundWindow() {
  return Ours(::GetForegroundWindow());
}
BOOL TrackMouseEvent(TRACKMOUSEEVENT* track) {
  return ::TrackMouseEvent(Real(track));
}
UINT GetDoubleClickTime() {
  return ::GetDoubleClickTime();
}

// ---------------------------------------------------------------- the message queue

BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageA(Real(hwnd), msg, wParam, lParam);
}
BOOL PostThreadMessageA(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::PostThreadMessageA(threadId, msg, wParam, lParam);
}
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageA(Real(hwnd), msg, wParam, lParam);
}
BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
  return ::PeekMessageA(Real(msg), Real(hwnd), filterMin, filterMax, removeFlags);
}
BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  return ::GetMessageA(Real(msg), Real(hwnd), filterMin, filterMax);
}
LRESULT DispatchMessageA(const MSG* msg) {
  return ::DispatchMessageA(Real(msg));
}
BOOL TranslateMessage(const MSG* msg) {
  return ::TranslateMessage(Real(msg));
}
void PostQuitMessage(int exitCode) {
  ::PostQuitMessage(exitCode);
}
BOOL WaitMessage() {
  return ::WaitMessage();
}
DWORD GetMessageTime() {
  return DWORD(::GetMessageTime());
}
DWORD GetMessagePos() {
  return ::GetMessagePos();
}
DWORD GetCurrentThreadId() {
  return ::GetCurrentThreadId();
}
UINT_PTR SetTimer(HWND hwnd, UINT_PTR idEvent, UINT elapse, TIMERPROC timerFunc) {
  return ::SetTimer(Real(hwnd), idEvent, elapse, ProcedureCast<::TIMERPROC>(timerFunc));
}
BOOL KillTimer(HWND hwnd, UINT_PTR idEvent) {
  return ::KillTimer(Real(hwnd), idEvent);
}

// ---------------------------------------------------------------- metrics and time

int GetSystemMetrics(int index) {
  return ::GetSystemMetrics(index);
}
DWORD GetTickCount() {
  return ::GetTickCount();
}
std::uint64_t GetTickCount64() {
  return ::GetTickCount64();
}
void GetLocalTime(SYSTEMTIME* time) {
  ::GetLocalTime(Real(time));
}
void Sleep(DWORD milliseconds) {
  ::Sleep(milliseconds);
}

}  // namespace win
