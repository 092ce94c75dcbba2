// TCustomControl: a windowed control that paints itself: PaintWindow hands the device context
// to Paint, and the framework paints the windowless children over it.
#pragma once

#include "framework/WinControl.h"

namespace fw {

class TCustomControl : public TWinControl {
  TOVU_CLASS(TCustomControl, TWinControl)

 public:
  explicit TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

 protected:
  void PaintWindow(win::HDC DC) override;
  // Draws the control; during the call PaintDC is the device context of the paint.
  virtual void Paint() {}
  win::HDC PaintDC() const { return FPaintDC; }

 private:
  win::HDC FPaintDC = nullptr;
};

}  // namespace fw
