// What the SDL backend does about its X11 connection going wrong: requests that fail and the
// connection itself breaking.
#pragma once

namespace win::wnd::x11 {

// Before SDL opens its connections (SDL chains its own handler of failed requests to the one it
// finds and puts that one back when it quits). A failed request is ignored: typically one on a
// window destroyed a moment before, which Xlib's own handler would answer by ending the process.
// A connection that breaks ends the process at once with one line on standard error and the exit
// code set for losing the display: nothing can be shown any more, and Xlib's default (printing
// two lines and running the exit handlers while SDL and the windows are half-way through a call)
// can crash.
void InstallConnectionHandlers();

}  // namespace win::wnd::x11
