#include "controls/clear/ClearCtrl.h"

#include "framework/ClassRegistry.h"

namespace clear {

void RegisterClearControls() {
  fw::RegisterClasses({TClearPanel::StaticClass(), TClearButton::StaticClass()});
}

}  // namespace clear
