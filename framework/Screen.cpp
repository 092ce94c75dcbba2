#include "framework/Screen.h"

#include <algorithm>
#include <memory>

#include "framework/Exceptions.h"
#include "framework/TypeInfo.h"
#include "framework/platform/Input.h"
#include "framework/platform/SystemMetrics.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TScreen)

void TScreen::DefineClass(TClassBuilder<TScreen>&) {}

int TScreen::Width() const {
  return win::GetSystemMetrics(win::SM_CXSCREEN);
}

int TScreen::Height() const {
  return win::GetSystemMetrics(win::SM_CYSCREEN);
}

win::POINT TScreen::CursorPos() const {
  win::POINT p;
  win::GetCursorPos(&p);
  return p;
}

void TScreen::SetCursorPos(win::POINT Value) {
  win::SetCursorPos(Value.x, Value.y);
}

TCustomForm* TScreen::Forms(int Index) const {
  if (Index < 0 || Index >= FormCount()) throw EInvalidOperation("form index out of range");
  return FForms[static_cast<std::size_t>(Index)];
}

void TScreen::AddForm(TCustomForm* Form) {
  FForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
}

TScreen* Screen() {
  static const std::unique_ptr<TScreen> screen = std::make_unique<TScreen>(nullptr);
  return screen.get();
}

}  // namespace fw
