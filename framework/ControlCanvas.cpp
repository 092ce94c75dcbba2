#include "framework/ControlCanvas.h"

#include <algorithm>
#include <vector>

#include "framework/Control.h"
#include "framework/TypeInfo.h"
#include "framework/WinControl.h"
#include "framework/platform/GdiDc.h"
#include "framework/platform/Paint.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TControlCanvas)

void TControlCanvas::DefineClass(TClassBuilder<TControlCanvas>&) {}

namespace {

std::vector<TControlCanvas*>& CanvasesWithContexts() {
  static std::vector<TControlCanvas*> list;
  return list;
}

}  // namespace

TControlCanvas::~TControlCanvas() {
  FreeHandle();
}

void TControlCanvas::SetControl(TControl* AControl) {
  if (FControl == AControl) return;
  FreeHandle();
  FControl = AControl;
}

void TControlCanvas::CreateHandle() {
  if (FControl == nullptr) throw EInvalidOperation(Exception::ResMessage(SNoCanvasHandle));
  auto* windowed = dynamic_cast<TWinControl*>(FControl);
  TWinControl* owner = windowed != nullptr ? windowed : FControl->Parent();
  if (owner == nullptr) throw EInvalidOperation(Exception::ResMessage(SNoCanvasHandle));
  const win::HWND hwnd = owner->Handle();
  const win::HDC dc = win::GetDC(hwnd);
  if (dc == nullptr) throw EOutOfResources(Exception::ResMessage(SOutOfResources));
  if (windowed == nullptr) {
    win::SetViewportOrgEx(dc, FControl->Left(), FControl->Top(), nullptr);
    win::IntersectClipRect(dc, 0, 0, FControl->Width(), FControl->Height());
  }
  FWindow = hwnd;
  FOwnDC = dc;
  CanvasesWithContexts().push_back(this);
  SetHandle(dc);
}

void TControlCanvas::FreeHandle() {
  if (FOwnDC == nullptr) return;
  const win::HDC dc = FOwnDC;
  FOwnDC = nullptr;
  auto& list = CanvasesWithContexts();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (HandleAllocated()) SetHandle(nullptr);
  win::ReleaseDC(FWindow, dc);
  FWindow = nullptr;
}

void TControlCanvas::FreeDeviceContexts() {
  const std::vector<TControlCanvas*> list = CanvasesWithContexts();
  for (TControlCanvas* canvas : list)
    if (canvas->TryLock()) {
      canvas->Unlock();
      canvas->FreeHandle();
    }
}

}  // namespace fw
