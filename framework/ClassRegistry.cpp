#include "framework/ClassRegistry.h"

#include <algorithm>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/TypeInfo.h"

namespace fw {
namespace {

std::vector<TClass>& Registry() {
  static std::vector<TClass> classes;
  return classes;
}

}  // namespace

void RegisterClass(TClass cls) {
  TClass existing = GetClass(cls->ClassName());
  if (existing == cls) return;
  if (existing != nullptr)
    throw EFilerError(Exception::ResMessage(SDuplicateClass, cls->ClassName()));
  Registry().push_back(cls);
}

void RegisterClasses(std::initializer_list<TClass> classes) {
  for (TClass cls : classes)
    RegisterClass(cls);
}

void UnRegisterClass(TClass cls) {
  auto& classes = Registry();
  classes.erase(std::remove(classes.begin(), classes.end(), cls), classes.end());
}

TClass GetClass(std::string_view name) {
  for (TClass cls : Registry())
    if (SameIdent(cls->ClassName(), name)) return cls;
  return nullptr;
}

TClass FindClass(std::string_view name) {
  TClass cls = GetClass(name);
  if (cls == nullptr)
    throw EClassNotFound(Exception::ResMessage(SClassNotFound, std::string(name)));
  return cls;
}

}  // namespace fw
