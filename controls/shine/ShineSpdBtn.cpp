#include "controls/shine/ShineSpdBtn.h"

#include "framework/ClassRegistry.h"

namespace shine {

void RegisterShineControls() {
  fw::RegisterClasses({TShineSpeedButton::StaticClass(), TShineBtnColors::StaticClass()});
}

}  // namespace shine
