// What the SDL backend does about its X11 connection going wrong: requests that fail, windows
// that another client destroys, and the connection itself breaking.
#pragma once

#include <SDL.h>

#include <memory>
#include <vector>

namespace win::wnd::x11 {

// Before SDL opens its connections (SDL chains its own handler of failed requests to the one it
// finds and puts that one back when it quits). A failed request is ignored: typically one on a
// window destroyed a moment before, which Xlib's own handler would answer by ending the process.
// A connection that breaks ends the process at once with one line on standard error and the exit
// code set for losing the display: nothing can be shown any more, and Xlib's default (printing
// two lines and running the exit handlers while SDL and the windows are half-way through a call)
// can crash.
void InstallConnectionHandlers();

// Follows the X11 windows of SDL windows from their creation until SDL has destroyed them. Should
// another client destroy one meanwhile, TakeDestroyedWindows() names it, and SDL never waits for
// it forever: SDL waits until a window it shows is mapped and one it hides is unmapped, which a
// destroyed window never is. One at a time; it must end before SDL closes its connection.
class TWindowFollowing {
 public:
  TWindowFollowing();
  ~TWindowFollowing();
  TWindowFollowing(const TWindowFollowing&) = delete;
  TWindowFollowing& operator=(const TWindowFollowing&) = delete;

  void Follow(SDL_Window* window);
  void StopFollowing(SDL_Window* window);
  // The followed windows that another client has destroyed since the last call. Noticing one
  // pushes an SDL event, so that a wait for events ends.
  std::vector<SDL_Window*> TakeDestroyedWindows();

  // What the Xlib handlers reach.
  struct TState;

 private:
  std::unique_ptr<TState> FState;
};

}  // namespace win::wnd::x11
