#include "tests/e2e/XvfbSession.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>

namespace tovu::e2e {

namespace {

// Reads the display number Xvfb writes to the -displayfd pipe once it accepts connections.
std::string ReadDisplayNumber(int fd, std::chrono::milliseconds timeout) {
  std::string number;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd entry{fd, POLLIN, 0};
    if (poll(&entry, 1, 100) <= 0) continue;
    char buffer[32];
    const ssize_t count = read(fd, buffer, sizeof buffer);
    if (count <= 0) break;
    number.append(buffer, std::size_t(count));
    if (number.find('\n') != std::string::npos) break;
  }
  while (!number.empty() && (number.back() == '\n' || number.back() == ' '))
    number.pop_back();
  return number;
}

}  // namespace

TXvfbSession::TXvfbSession(int width, int height) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return;
  fcntl(pipeEnds[0], F_SETFD, FD_CLOEXEC);
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  FServer = std::make_unique<TChildProcess>(
      std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(pipeEnds[1]), "-screen", "0",
                               screen, "-nolisten", "tcp", "-noreset"},
      std::vector<std::string>{}, false);
  close(pipeEnds[1]);
  const std::string number =
      FServer->Started() ? ReadDisplayNumber(pipeEnds[0], std::chrono::seconds(10)) : "";
  close(pipeEnds[0]);
  if (!number.empty()) FDisplay = ":" + number;
}

std::optional<std::vector<std::uint32_t>> TXvfbSession::Capture(int x, int y, int width,
                                                                int height) const {
  if (!Running() || width <= 0 || height <= 0) return std::nullopt;
  ::Display* display = XOpenDisplay(FDisplay.c_str());
  if (!display) return std::nullopt;
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, unsigned(width),
                            unsigned(height), AllPlanes, ZPixmap);
  std::optional<std::vector<std::uint32_t>> pixels;
  if (image) {
    pixels.emplace(std::size_t(width) * std::size_t(height));
    for (int row = 0; row < height; ++row) {
      for (int column = 0; column < width; ++column) {
        (*pixels)[std::size_t(row) * std::size_t(width) + std::size_t(column)] =
            std::uint32_t(XGetPixel(image, column, row)) & 0x00FFFFFFu;
      }
    }
    XDestroyImage(image);
  }
  XCloseDisplay(display);
  return pixels;
}

std::vector<std::string> TXvfbSession::SdlProgramEnvironment() const {
  std::vector<std::string> environment{"DISPLAY=" + FDisplay, "TOVU_BACKEND=sdl",
                                       "SDL_AUDIODRIVER=dummy"};
#if defined(__SANITIZE_ADDRESS__)
  environment.push_back("LSAN_OPTIONS=suppressions=" TOVU_E2E_LEAK_SUPPRESSIONS);
#endif
  return environment;
}

void TXvfbSession::Kill() {
  if (!FServer || !FServer->Started()) return;
  kill(FServer->Pid(), SIGKILL);
  FServer->Wait(std::chrono::seconds(5));
}

}  // namespace tovu::e2e
