// TPanel: a windowed container with a raised or lowered bevel and a centred caption.
#pragma once

#include "framework/CustomControl.h"
#include "framework/Label.h"

namespace fw {

TOVU_ENUM(TBevelCut, std::uint8_t, bvNone, bvLowered, bvRaised, bvSpace)

class TPanel : public TCustomControl {
  TOVU_CLASS(TPanel, TCustomControl)

 public:
  explicit TPanel(TComponent* AOwner);

  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

 protected:
  void AdjustClientRect(win::RECT& Rect) const override;
  void Paint() override;
  void CMTextChanged(TMessage& Message);

 private:
  void BevelsChanged();

  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TAlignment FAlignment = taCenter;
};

}  // namespace fw
