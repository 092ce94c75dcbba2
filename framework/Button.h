// TButton: a push button with a window of its own: a click sets the form's modal result, the
// default button answers Enter, the cancel button Escape, and the caption's accelerator key
// clicks it.
#pragma once

#include "framework/CustomControl.h"

namespace fw {

class TButton : public TCustomControl {
  TOVU_CLASS(TButton, TCustomControl)

 public:
  explicit TButton(TComponent* AOwner);

  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  // Held down by the mouse with the pointer over it: drawn pressed.
  bool Pressed() const { return FPressed; }

  void Click() override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  void CMDialogKey(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMTextChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMKeyDown(TMessage& Message);
  void WMKeyUp(TMessage& Message);

 private:
  void SetPressed(bool Value);
  // Enter clicks the focused button, or the default one when no button has the focus.
  bool AnswersEnter() const;

  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
  bool FPressed = false;
  bool FTracking = false;
  bool FSpaceDown = false;
};

}  // namespace fw
