// TClearPanel: a transparent container that takes the shape of what the controls placed on it
// paint, never pressed; with AutoSize on it also grows to enclose its children.
#pragma once

#include "controls/clear/ClearControl.h"

namespace clear {

class TClearPanel : public TClearControl {
  TOVU_CLASS(TClearPanel, TClearControl)

 public:
  explicit TClearPanel(fw::TComponent* AOwner);

 protected:
  void DoAutoSizeArrange(int AWidth, int AHeight) override;
};

}  // namespace clear
