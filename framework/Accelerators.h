// Accelerator characters of captions: the character after an ampersand ("&&" is a literal
// ampersand), compared without regard to letter case.
#pragma once

#include <string>

#include "framework/platform/WinTypes.h"

namespace fw {

// The accelerator character of Caption, or 0 when it has none (a double-byte character after
// the ampersand is no accelerator).
char HotKeyOf(const std::string& Caption);
// Whether CharCode (a typed character) is the accelerator of Caption.
bool IsAccel(win::WPARAM CharCode, const std::string& Caption);

}  // namespace fw
