// TCustomControl: a windowed control that paints itself: PaintWindow attaches the paint's device
// context to the control's canvas and calls Paint; the framework paints the windowless children
// over it.
#pragma once

#include <memory>

#include "framework/ControlCanvas.h"
#include "framework/WinControl.h"

namespace fw {

class TCustomControl : public TWinControl {
  TOVU_CLASS(TCustomControl, TWinControl)

 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;

  TCanvas* Canvas() const { return FCanvas.get(); }

 protected:
  void PaintWindow(win::HDC DC) override;
  // Draws the control on Canvas.
  virtual void Paint() {}

 private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

}  // namespace fw
