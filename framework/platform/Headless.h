// Whether the program runs headless (no display: dialogs are not shown but printed), and the
// answers the platform gives for the user to dialogs that nobody can see.
#pragma once

#include "framework/platform/WinTypes.h"

namespace win {

// True when the headless backend is in use.
bool IsHeadless();

// For a modal dialog nobody can see (headless): prints its caption and text on standard error
// and answers the next scripted result, or 0 when none is scripted, meaning that Escape was
// pressed.
int AnswerUnattendedDialog(LPCSTR caption, LPCSTR text);

}  // namespace win
