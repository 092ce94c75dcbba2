#include "framework/Action.h"

#include "framework/TypeInfo.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TBasicAction)

void TBasicAction::DefineClass(TClassBuilder<TBasicAction>& b) {
  b.Property<TNotifyEvent>(
      "OnExecute", [](const TBasicAction& a) { return a.OnExecute; },
      [](TBasicAction& a, TNotifyEvent v) { a.OnExecute = std::move(v); });
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  CallEvent(OnExecute, this);
  return true;
}

}  // namespace fw
