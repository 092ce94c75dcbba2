// The screen as the program sees it: its size, the pointer position, the pointer shape asked
// for, and the list of the program's forms.
#pragma once

#include <vector>

#include "framework/Component.h"
#include "framework/ControlTypes.h"
#include "framework/platform/WinTypes.h"

namespace fw {

class TCustomForm;

class TScreen : public TComponent {
  TOVU_CLASS(TScreen, TComponent)

 public:
  explicit TScreen(TComponent* AOwner) : TComponent(AOwner) {}

  // The primary screen's size, read afresh at each use.
  int Width() const;
  int Height() const;
  win::POINT CursorPos() const;
  void SetCursorPos(win::POINT Value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value) { FCursor = Value; }

  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int Index) const;

 private:
  friend class TCustomForm;
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);

  TCursor FCursor = crDefault;
  std::vector<TCustomForm*> FForms;
};

// The program's screen object.
TScreen* Screen();

}  // namespace fw
