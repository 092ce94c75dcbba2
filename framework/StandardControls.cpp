#include "framework/StandardControls.h"

#include "framework/Button.h"
#include "framework/ClassRegistry.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "framework/SpeedButton.h"
#include "framework/Timer.h"

namespace fw {

void RegisterStandardControls() {
  RegisterClasses({TForm::StaticClass(), TButton::StaticClass(), TLabel::StaticClass(),
                   TPanel::StaticClass(), TSpeedButton::StaticClass(), TTimer::StaticClass()});
}

}  // namespace fw
