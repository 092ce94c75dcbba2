#include "framework/platform/windowing/SdlBackend.h"

namespace win::wnd {

std::unique_ptr<TBackend> CreateSdlBackend() {
  return nullptr;
}

}  // namespace win::wnd
