// A small program to try the windowing runtime by hand on either backend: a tool window that
// slides to the right on a 20 ms timer, a round child window bouncing inside it, and a
// button-like child that lights up under the pointer, darkens while pressed and pauses the
// motion when clicked. For tests it can stop after a number of ticks and write its client area,
// read back through the window's device context, as a PPM file.
//
//   windowing-demo [--ticks N] [--dump FILE] [--stay-ms MS]

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "framework/platform/Gdi.h"
#include "framework/platform/Input.h"
#include "framework/platform/MessageQueue.h"
#include "framework/platform/Paint.h"
#include "framework/platform/Shell.h"
#include "framework/platform/Window.h"

using namespace win;

namespace {

constexpr int ClientWidth = 320;
constexpr int ClientHeight = 200;
constexpr int BallSide = 48;
constexpr UINT_PTR MotionTimer = 1;
constexpr UINT_PTR StayTimer = 2;
constexpr UINT DumpMessage = WM_APP + 1;
const char* const Title = "Tovu windowing demo";

struct TDemoState {
  int FTicksLeft = -1;  // -1: move forever
  std::string FDumpPath;
  UINT FStayMs = 0;
  HWND FBall = nullptr;
  HWND FButton = nullptr;
  int FBallX = 10;
  int FBallStep = 5;
  bool FPaused = false;
  bool FHot = false;
  bool FPressed = false;
};

TDemoState State;

void Fill(HDC hdc, const RECT& rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(hdc, &rect, brush);
  DeleteObject(brush);
}

// A disc as a region: one row of pixels at a time.
HRGN DiscRegion(int side) {
  HRGN disc = CreateRectRgn(0, 0, 0, 0);
  HRGN row = CreateRectRgn(0, 0, 0, 0);
  const double radius = side / 2.0;
  for (int y = 0; y < side; ++y) {
    const double dy = y + 0.5 - radius;
    int half = 0;
    while ((half + 0.5) * (half + 0.5) + dy * dy <= radius * radius)
      ++half;
    if (half == 0) continue;
    const int centre = side / 2;
    SetRectRgn(row, centre - half, y, centre + half, y + 1);
    CombineRgn(disc, disc, row, RGN_OR);
  }
  DeleteObject(row);
  return disc;
}

void PaintBackground(HWND hwnd, HDC hdc) {
  RECT client;
  GetClientRect(hwnd, &client);
  Fill(hdc, client, RGB(250, 248, 240));
  for (int x = 0; x < client.right; x += 40) {
    Fill(hdc, RECT{x, 0, x + 20, client.bottom}, RGB(225, 235, 250));
  }
  Fill(hdc, RECT{0, client.bottom - 30, client.right, client.bottom}, RGB(60, 90, 140));
}

LRESULT BallProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC hdc = BeginPaint(hwnd, &paint);
    Fill(hdc, RECT{0, 0, BallSide, BallSide}, RGB(240, 130, 30));
    Fill(hdc, RECT{12, 12, 24, 24}, RGB(255, 220, 160));
    EndPaint(hwnd, &paint);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void TrackLeave(HWND hwnd) {
  TRACKMOUSEEVENT track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = hwnd;
  TrackMouseEvent(&track);
}

LRESULT ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC hdc = BeginPaint(hwnd, &paint);
      RECT client;
      GetClientRect(hwnd, &client);
      const COLORREF face = State.FPressed ? RGB(90, 90, 100)
                            : State.FHot   ? RGB(250, 240, 150)
                                           : RGB(200, 200, 205);
      Fill(hdc, client, RGB(40, 40, 40));
      Fill(hdc, RECT{2, 2, client.right - 2, client.bottom - 2}, face);
      const COLORREF mark = State.FPaused ? RGB(200, 40, 40) : RGB(40, 160, 60);
      Fill(hdc, RECT{10, 10, 22, client.bottom - 10}, mark);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (!State.FHot) {
        State.FHot = true;
        TrackLeave(hwnd);
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      return 0;
    case WM_MOUSELEAVE:
      State.FHot = false;
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
      SetCapture(hwnd);
      State.FPressed = true;
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP: {
      if (GetCapture() != hwnd) return 0;
      ReleaseCapture();
      State.FPressed = false;
      RECT client;
      GetClientRect(hwnd, &client);
      const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (PtInRect(&client, at)) {
        State.FPaused = !State.FPaused;
        MessageBeep(MB_OK);
      }
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    }
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

bool WritePpm(const std::string& path, const std::vector<std::uint32_t>& pixels, int width,
              int height) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  std::fprintf(file, "P6\n%d %d\n255\n", width, height);
  std::vector<unsigned char> row(std::size_t(width) * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t pixel = pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
      row[std::size_t(x) * 3] = static_cast<unsigned char>(pixel >> 16);
      row[std::size_t(x) * 3 + 1] = static_cast<unsigned char>(pixel >> 8);
      row[std::size_t(x) * 3 + 2] = static_cast<unsigned char>(pixel);
    }
    std::fwrite(row.data(), 1, row.size(), file);
  }
  return std::fclose(file) == 0;
}

// Reads the client area as displayed through the window's device context.
void DumpClientArea(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC window = GetDC(hwnd);
  HDC memory = CreateCompatibleDC(window);
  HBITMAP bitmap = CreateDIBSection(window, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, client.right, client.bottom, window, 0, 0, SRCCOPY);
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  const std::vector<std::uint32_t> copy(pixels, pixels + client.right * client.bottom);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(hwnd, window);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  const bool written = WritePpm(State.FDumpPath, copy, client.right, client.bottom);
  std::printf("%s %ld %ld %ld %ld\n", written ? "dumped" : "dump-failed", long(origin.x),
              long(origin.y), long(client.right), long(client.bottom));
  std::fflush(stdout);
}

void Tick(HWND hwnd) {
  if (State.FPaused) return;
  RECT outer;
  GetWindowRect(hwnd, &outer);
  SetWindowPos(hwnd, nullptr, outer.left + 2, outer.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  State.FBallX += State.FBallStep;
  if (State.FBallX < 0 || State.FBallX > ClientWidth - BallSide) {
    State.FBallStep = -State.FBallStep;
    State.FBallX += 2 * State.FBallStep;
  }
  MoveWindow(State.FBall, State.FBallX, 40, BallSide, BallSide, TRUE);
  if (State.FTicksLeft > 0 && --State.FTicksLeft == 0) {
    KillTimer(hwnd, MotionTimer);
    if (!State.FDumpPath.empty()) PostMessageA(hwnd, DumpMessage, 0, 0);
    if (State.FStayMs) SetTimer(hwnd, StayTimer, State.FStayMs, nullptr);
  }
}

LRESULT MainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      PaintBackground(hwnd, reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(hwnd, &paint);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_TIMER:
      if (wParam == StayTimer) {
        DestroyWindow(hwnd);
      } else {
        Tick(hwnd);
      }
      return 0;
    case DumpMessage:
      UpdateWindow(hwnd);
      DumpClientArea(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

void ReadArguments(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    if (name == "--ticks") State.FTicksLeft = std::atoi(argv[i + 1]);
    if (name == "--dump") State.FDumpPath = argv[i + 1];
    if (name == "--stay-ms") State.FStayMs = UINT(std::atoi(argv[i + 1]));
  }
}

}  // namespace

int main(int argc, char** argv) {
  ReadArguments(argc, argv);
  RECT outer{0, 0, ClientWidth, ClientHeight};
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  AdjustWindowRectEx(&outer, style, FALSE, WS_EX_TOOLWINDOW);
  const HWND window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, MainProc, Title, style, 40,
                                      60, outer.right - outer.left, outer.bottom - outer.top,
                                      nullptr, nullptr, nullptr, nullptr);
  if (!window) return 1;
  State.FBall =
      CreateWindowExA(0, BallProc, "ball", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, State.FBallX,
                      40, BallSide, BallSide, window, nullptr, nullptr, nullptr);
  SetWindowRgn(State.FBall, DiscRegion(BallSide), TRUE);
  State.FButton = CreateWindowExA(0, ButtonProc, "pause", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                  200, 120, 100, 36, window, nullptr, nullptr, nullptr);
  ShowWindow(window, SW_SHOW);
  SetTimer(window, MotionTimer, 20, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
