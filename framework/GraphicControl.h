// TGraphicControl: a windowless control, painted by its parent into the parent's device context
// with the origin moved to the control's top-left corner and clipping to its bounds.
#pragma once

#include "framework/Control.h"
#include "framework/platform/WinTypes.h"

namespace fw {

class TGraphicControl : public TControl {
  TOVU_CLASS(TGraphicControl, TControl)

 public:
  explicit TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

 protected:
  // Draws the control; during the call PaintDC is the device context, origin at the control's
  // top-left corner.
  virtual void Paint() {}
  win::HDC PaintDC() const { return FPaintDC; }

  void WMPaint(TMessage& Message);

 private:
  win::HDC FPaintDC = nullptr;
};

}  // namespace fw
