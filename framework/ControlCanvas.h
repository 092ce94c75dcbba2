// TControlCanvas: the canvas of a control. Outside a paint it gets a device context of its own:
// of the control's window, or, for a windowless control, of its parent's window with the origin
// moved to the control's top-left corner and clipping to its bounds. Such contexts are given
// back when the application goes idle.
#pragma once

#include "framework/Canvas.h"
#include "framework/platform/WindowTypes.h"

namespace fw {

class TControl;

class TControlCanvas : public TCanvas {
  TOVU_CLASS(TControlCanvas, TCanvas)

 public:
  TControlCanvas() = default;
  ~TControlCanvas() override;

  TControl* Control() const { return FControl; }
  void SetControl(TControl* AControl);
  // Gives back a device context the canvas got itself (an attached one stays attached).
  void FreeHandle();
  // Gives back the device contexts of every control canvas.
  static void FreeDeviceContexts();

 protected:
  void CreateHandle() override;

 private:
  TControl* FControl = nullptr;
  win::HWND FWindow = nullptr;
  win::HDC FOwnDC = nullptr;
};

}  // namespace fw
