// TShineBtnColors: the colours with which a shine speed button paints one family of its states
// (face, gradient end, bevel edges), streamed with the button as nested properties and reporting
// every change through OnChange; and ColorToPixel32, a colour as a 32-bit bitmap pixel.
#pragma once

#include <cstdint>

#include "framework/Color.h"
#include "framework/Events.h"
#include "framework/Persistent.h"

namespace shine {

// The platform's RGB value of a colour (system colours resolved) as a 32-bit pixel 0x00RRGGBB,
// red and blue swapped against the colour's 0x00BBGGRR.
std::uint32_t ColorToPixel32(fw::TColor Color);

class TShineBtnColors : public fw::TPersistent {
  TOVU_CLASS(TShineBtnColors, fw::TPersistent)

 public:
  TShineBtnColors();
  ~TShineBtnColors() override;

  // Copies the seven values of another colour set and notifies, even when nothing changed.
  void Assign(const fw::TPersistent* Source) override;

  fw::TColor Color() const { return FColor; }
  void SetColor(fw::TColor Value);
  fw::TColor Highlight() const { return FHighlight; }
  void SetHighlight(fw::TColor Value);
  fw::TColor Shadow() const { return FShadow; }
  void SetShadow(fw::TColor Value);
  fw::TColor DarkShadow() const { return FDarkShadow; }
  void SetDarkShadow(fw::TColor Value);
  fw::TColor GradColor() const { return FGradColor; }
  void SetGradColor(fw::TColor Value);
  bool GradVertical() const { return FGradVertical; }
  void SetGradVertical(bool Value);
  bool Gradation() const { return FGradation; }
  void SetGradation(bool Value);

  // Called with the set after any of its values changed.
  fw::TNotifyEvent OnChange;

 protected:
  // Copies the seven values into another colour set and notifies that one.
  void AssignTo(fw::TPersistent* Dest) const override;

 private:
  template <class V>
  void Change(V& Field, V Value);
  void CopyValues(const TShineBtnColors& Source);
  void Changed();

  fw::TColor FColor = fw::clBtnFace;
  fw::TColor FHighlight = fw::clBtnHighlight;
  fw::TColor FShadow = fw::clBtnShadow;
  fw::TColor FDarkShadow = fw::clWindowFrame;
  fw::TColor FGradColor = fw::clBlue;
  bool FGradVertical = false;
  bool FGradation = false;
};

}  // namespace shine
