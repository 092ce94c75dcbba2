#include "framework/Persistent.h"

#include "framework/Exceptions.h"
#include "framework/TypeInfo.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TPersistent)

void TPersistent::DefineClass(TClassBuilder<TPersistent>&) {}

void TPersistent::Assign(const TPersistent* Source) {
  if (Source != nullptr) {
    Source->AssignTo(this);
    return;
  }
  AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) const {
  Dest->AssignError(this);
}

void TPersistent::AssignError(const TPersistent* Source) const {
  const std::string sourceName = Source != nullptr ? Source->ClassName() : "nil";
  throw EConvertError(Exception::ResMessage(SAssignError, sourceName, ClassName()));
}

void TPersistent::DefineProperties(TFiler&) {}

TPersistent* TPersistent::GetOwner() const {
  return nullptr;
}

std::string TPersistent::GetNamePath() const {
  return ClassName();
}

}  // namespace fw
