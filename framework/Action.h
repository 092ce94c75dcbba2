// Actions: a component whose execution a control's click can run in place of the control's own
// click handler.
#pragma once

#include "framework/Component.h"
#include "framework/Events.h"

namespace fw {

class TBasicAction : public TComponent {
  TOVU_CLASS(TBasicAction, TComponent)

 public:
  explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

  // Runs OnExecute; false when there is no handler.
  virtual bool Execute();

  TNotifyEvent OnExecute;
};

}  // namespace fw
