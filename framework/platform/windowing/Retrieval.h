// Retrieval of the next message in the platform's order (posted messages, the quit request, input,
// WM_PAINT for windows with invalid areas, WM_TIMER) and the idle wait of GetMessageA.
#pragma once

#include <optional>

#include "framework/platform/windowing/MessageStore.h"

namespace win::wnd {

std::optional<MSG> Retrieve(const TMessageFilter& filter, bool remove);
// Waits for something that `filter` can retrieve. When nothing can ever arrive (headless, no
// timer, no input), a quit request is made so that the loop ends instead of hanging.
void WaitIdle(const TMessageFilter& filter);

}  // namespace win::wnd
