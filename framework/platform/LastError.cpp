#include "framework/platform/LastError.h"

namespace win {

namespace {
thread_local DWORD LastErrorCode = ERROR_SUCCESS;
}

DWORD GetLastError() {
  return LastErrorCode;
}

void SetLastError(DWORD error) {
  LastErrorCode = error;
}

}  // namespace win
