// What a kernel handle (HANDLE) points to in the Linux file set: open files and searches derive
// from it, so one handle type serves CreateFileA and FindFirstFileA as on the platform.
#pragma once

#include "framework/platform/FileFind.h"

namespace win {

struct TKernelObject {
  virtual ~TKernelObject() = default;
};

}  // namespace win
