// Event types of the framework: events are closures, called with the object that raises them.
#pragma once

#include <functional>

#include "framework/Object.h"

namespace fw {

using TNotifyEvent = std::function<void(TObject* Sender)>;

}  // namespace fw
