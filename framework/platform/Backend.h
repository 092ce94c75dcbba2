// What the framework needs to know about the backend it runs on: whether it is headless (no
// display: dialogs are not shown but printed and answered) and the headless dialog answers.
#pragma once

#include "framework/platform/WinTypes.h"

namespace win {

// True when the headless backend is in use.
bool IsHeadless();

// For a modal dialog in the headless backend: prints its caption and text on standard error and
// answers the next scripted result, or 0 when none is scripted, meaning that Escape was pressed.
int AnswerHeadlessDialog(LPCSTR caption, LPCSTR text);

}  // namespace win
