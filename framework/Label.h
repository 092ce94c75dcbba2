// TLabel: a windowless caption drawn in the control's font, sizing itself to its text when
// AutoSize is on.
#pragma once

#include "framework/GraphicControl.h"

namespace fw {

TOVU_ENUM(TAlignment, std::uint8_t, taLeftJustify, taRightJustify, taCenter)
TOVU_ENUM(TTextLayout, std::uint8_t, tlTop, tlCenter, tlBottom)

class TLabel : public TGraphicControl {
  TOVU_CLASS(TLabel, TGraphicControl)

 public:
  explicit TLabel(TComponent* AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);

  // DrawText flags of the caption as this label lays it out.
  unsigned DrawTextFlags() const;

 protected:
  void Loaded() override;
  void Paint() override;
  // With AutoSize: the bounds follow the caption's extent.
  void AdjustBounds();
  void AdjustSize() override { AdjustBounds(); }
  void CMTextChanged(TMessage& Message);

 private:
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  bool FTransparent = false;
};

}  // namespace fw
