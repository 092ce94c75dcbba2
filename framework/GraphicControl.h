// TGraphicControl: a windowless control, painted by its parent into the parent's device context
// with the origin moved to the control's top-left corner and clipping to its bounds. Its canvas
// draws on that context during a paint and on a context of the parent's window otherwise.
#pragma once

#include <memory>

#include "framework/Control.h"
#include "framework/ControlCanvas.h"

namespace fw {

class TGraphicControl : public TControl {
  TOVU_CLASS(TGraphicControl, TControl)

 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;

  TCanvas* Canvas() const { return FCanvas.get(); }

 protected:
  // Draws the control on Canvas, origin at the control's top-left corner.
  virtual void Paint() {}

  void WMPaint(TMessage& Message);

 private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

}  // namespace fw
