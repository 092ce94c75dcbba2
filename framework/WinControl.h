// TWinControl: a control with a window of its own, created on demand. It holds child controls
// (windowless ones first, then windowed ones), lays them out by alignment and anchors, routes the
// mouse to its windowless children, paints them into its own device context and passes
// notifications to its children.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/Control.h"
#include "framework/platform/WindowTypes.h"

namespace fw {

class TBrush;

class TWinControl : public TControl {
  TOVU_CLASS(TWinControl, TControl)

 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

  // The control's window, created (with the windows of its parents) on first use.
  win::HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded() { Handle(); }

  // Children in the framework's order: windowless ones first, then windowed ones, each in
  // stacking order from bottom to top.
  int ControlCount() const;
  TControl* Controls(int Index) const;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(const TControl* Control) const;
  // The root's own components without a parent (when this is the root), then the child controls
  // that the root owns, in the framework's child order.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

  // Sends the message to every child until one answers with a non-zero result.
  void Broadcast(TMessage& Message);
  // Sends the message (with this control in LParam) to every child.
  void NotifyControls(win::UINT Msg);
  // The topmost child at a point of the client area: visible, enabled unless AllowDisabled,
  // windowless unless AllowWinControls.
  TControl* ControlAtPos(win::POINT Pos, bool AllowDisabled, bool AllowWinControls = false) const;

  void DisableAlign();
  void EnableAlign();
  void Realign();
  // The client size against which the children's anchors were laid out (0: the present size).
  win::SIZE DesignSize() const { return FDesignSize; }
  void SetDesignSize(win::SIZE Value) { FDesignSize = Value; }

  void SetParent(TWinControl* AParent) override;
  void SetText(const std::string& Value) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  win::RECT ClientRect() const override;
  win::POINT ClientOrigin() const override;
  // The control's window is shown (its parents may still hide it); IsShowing also asks them.
  bool Showing() const { return FShowing; }
  bool IsShowing() const override;

  void Invalidate() override;
  void Update() override;
  void Repaint() override;

  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();
  int TabOrder() const { return FTabOrder; }
  void SetTabOrder(int Value) { FTabOrder = Value; }
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value) { FTabStop = Value; }

  // Paints this control's window and its windowless children into DC (WM_PAINT with the DC as
  // first parameter).
  void PaintTo(win::HDC DC);

 protected:
  struct TCreateParams {
    std::string Caption;
    win::DWORD Style = 0;
    win::DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    win::HWND WndParent = nullptr;
  };
  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateHandle();
  virtual void DestroyHandle();
  // Re-creates the window after a change of its creation parameters.
  void RecreateWnd();

  // Lays out the aligned and anchored children in Rect (client coordinates), consuming it.
  virtual void AlignControls(TControl* AControl, win::RECT& Rect);
  virtual void AdjustClientRect(win::RECT& Rect) const;
  void AlignControl(TControl* AControl);

  void Loaded() override;
  void ReadState(TReader& Reader) override;
  void DefineProperties(TFiler& Filer) override;

  // Painting: PaintWindow paints the control itself; the windowless children follow.
  virtual void PaintWindow(win::HDC DC);
  void PaintHandler(win::HDC DC);
  void PaintControls(win::HDC DC, TControl* First);

  // Window fields follow the window after the platform moved or sized it.
  void UpdateBounds();
  void UpdateShowing();
  // Updates the showing state when every parent is showing.
  void UpdateControlState();

  void WMPaint(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMKeyDown(TMessage& Message);
  void WMChar(TMessage& Message);
  void WMSysChar(TMessage& Message);
  void WMCaptureChanged(TMessage& Message);
  void WMNCDestroy(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMShowHintChanged(TMessage& Message);
  void CMBiDiModeChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);

 private:
  friend class TControl;
  friend TWinControl* FindControl(win::HWND Handle);
  static win::LRESULT WindowProcedure(win::HWND hwnd, win::UINT msg, win::WPARAM wParam,
                                      win::LPARAM lParam);
  // Routes a mouse message to the windowless child under the pointer or holding the capture.
  bool IsControlMouseMsg(TMessage& Message);
  void CreateChildHandles();
  // Moves a child to the top (or the bottom) of its list and, when it has a window, of the
  // window order.
  void MoveChild(TControl* Child, bool ToFront);
  void PlaceInZOrder(TWinControl* Child);
  std::vector<TControl*> AlignList(TAlign AAlign, TControl* AControl) const;
  void DoPosition(TControl* Control, TAlign AAlign, win::RECT& Rect);
  void AnchorChildren();

  win::HWND FHandle = nullptr;
  std::vector<TControl*> FControls;     // windowless children
  std::vector<TControl*> FWinControls;  // windowed children
  bool FShowing = false;
  int FAlignLevel = 0;
  int FTabOrder = -1;
  bool FTabStop = false;
  win::SIZE FDesignSize;
  // The background brush, in the control's colour.
  std::unique_ptr<TBrush> FBrush;
};

// The control that owns a window of ours, or null.
TWinControl* FindControl(win::HWND Handle);
// The innermost visible control at a screen point; disabled ones only when AllowDisabled.
TControl* FindDragTarget(win::POINT Pos, bool AllowDisabled);
// The control holding the mouse capture (a windowless one through its parent's window).
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);

}  // namespace fw
