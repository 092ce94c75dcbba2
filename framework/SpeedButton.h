// TSpeedButton: a windowless button that can stay down. Buttons of one parent with the same
// GroupIndex form a group: each announces itself to its siblings with CM_BUTTONPRESSED (WParam
// the group index, LParam the announcing TSpeedButton) when its group index or AllowAllUp
// changes and when it goes down, and obeys the announcements of the others.
#pragma once

#include "framework/GraphicControl.h"

namespace fw {

TOVU_ENUM(TButtonState, std::uint8_t, bsUp, bsDisabled, bsDown, bsExclusive)
TOVU_ENUM(TButtonLayout, std::uint8_t, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom)

class TSpeedButton : public TGraphicControl {
  TOVU_CLASS(TSpeedButton, TGraphicControl)

 public:
  explicit TSpeedButton(TComponent* AOwner);

  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  bool Down() const { return FDown; }
  // A button outside a group never goes down; a down button of a group without AllowAllUp is
  // raised only by another member going down.
  void SetDown(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  TButtonState State() const { return FState; }
  bool MouseInControl() const { return FMouseInControl; }

  void Click() override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  void WMLButtonDblClk(TMessage& Message);
  void CMButtonPressed(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMTextChanged(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);

 private:
  // Tells the other members of the group about this button.
  void UpdateExclusive();
  bool Inside(int X, int Y) const;

  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FDown = false;
  bool FFlat = false;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  TButtonState FState = bsUp;
  bool FDragging = false;
  bool FMouseInControl = false;
};

}  // namespace fw
