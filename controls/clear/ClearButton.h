// TClearButton: a picture-shaped push button with a generated border, light edge and shadow,
// hot and disabled looks, and a large bold green caption unless told otherwise.
#pragma once

#include "controls/clear/ClearControl.h"

namespace clear {

class TClearButton : public TClearControl {
  TOVU_CLASS(TClearButton, TClearControl)

 public:
  explicit TClearButton(fw::TComponent* AOwner);
};

}  // namespace clear
