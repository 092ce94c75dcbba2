#include "framework/SizeConstraints.h"

#include <algorithm>

#include "framework/TypeInfo.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TSizeConstraints)

void TSizeConstraints::DefineClass(TClassBuilder<TSizeConstraints>& b) {
  b.Property("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight).Default(0);
  b.Property("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth).Default(0);
  b.Property("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight).Default(0);
  b.Property("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth).Default(0);
}

int TSizeConstraints::Constrain(int Value, int Min, int Max) {
  if (Max > 0) Value = std::min(Value, Max);
  if (Min > 0) Value = std::max(Value, Min);
  return Value;
}

void TSizeConstraints::Change(int& Field, int Value) {
  Value = std::max(Value, 0);
  if (Field == Value) return;
  Field = Value;
  CallEvent(OnChange, this);
}

void TSizeConstraints::Assign(const TPersistent* Source) {
  const auto* other = dynamic_cast<const TSizeConstraints*>(Source);
  if (other == nullptr) {
    inherited::Assign(Source);
    return;
  }
  FMaxHeight = other->FMaxHeight;
  FMaxWidth = other->FMaxWidth;
  FMinHeight = other->FMinHeight;
  FMinWidth = other->FMinWidth;
  CallEvent(OnChange, this);
}

}  // namespace fw
