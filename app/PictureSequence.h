// Several pictures given at once, framed one after another: each in a window of its own that is
// laid out, enters, captures and saves exactly as in a run of that picture alone, then one size
// report of them all.
#pragma once

#include <string>
#include <vector>

#include "framework/Application.h"

namespace app {

// Frames the pictures in the order given and answers the exit status: 0 when every one was
// saved, 1 otherwise. A picture that does not load or save is named in the final report instead
// of an error report of its own, and the others go on. Closing a window before it has arrived
// ends the run at once, with nothing more saved and no report. Each saved or failed picture is
// told in one line on standard error as it is done.
int FramePictures(fw::TApplication& application, const std::vector<std::string>& paths);

}  // namespace app
