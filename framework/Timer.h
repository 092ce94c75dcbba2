// TTimer: a component that raises OnTimer every Interval milliseconds through a window-message
// timer, so its ticks arrive on the user-interface thread, also inside modal loops.
#pragma once

#include <memory>

#include "framework/Component.h"
#include "framework/Events.h"
#include "framework/UtilWindow.h"

namespace fw {

class TTimer : public TComponent {
  TOVU_CLASS(TTimer, TComponent)

 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned Value);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);

 protected:
  // One tick: raises OnTimer while enabled.
  virtual void Timer();

 private:
  bool HandleMessage(TMessage& Message);
  // Starts, restarts or stops the platform timer to match the properties.
  void UpdateTimer();

  bool FEnabled = true;
  unsigned FInterval = 1000;
  TNotifyEvent FOnTimer;
  std::unique_ptr<TUtilWindow> FWindow;
};

}  // namespace fw
