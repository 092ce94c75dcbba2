#include "framework/TypeInfo.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "framework/Exceptions.h"

namespace fw {

void AbortUndeclaredProperty(std::string_view className, std::string_view name) {
  std::fprintf(stderr, "%.*s publishes %.*s, which no ancestor declares\n",
               static_cast<int>(className.size()), className.data(), static_cast<int>(name.size()),
               name.data());
  std::abort();
}

bool TPropInfo::IsReadOnly() const {
  switch (Kind) {
    case tkString:
      return !SetStr;
    case tkClass:
    case tkComponent:
      return !SetObject;
    case tkMethod:
      return !SetMethod;
    default:
      return !SetOrd;
  }
}

bool TPropInfo::IsStored(const TObject& instance) const {
  if (StoredFn && !StoredFn(instance)) return false;
  return !HasDefaultValue(instance);
}

bool TPropInfo::HasDefaultValue(const TObject& instance) const {
  switch (Kind) {
    case tkInteger:
    case tkEnumeration:
    case tkSet:
      return HasDefault && GetOrd(instance) == OrdDefault;
    case tkString:
      return HasDefault && GetStr(instance) == StrDefault;
    case tkMethod:
      return !MethodAssigned(instance);
    case tkComponent:
      return GetObject(instance) == nullptr;
    case tkClass:
      return false;  // sub-objects decide property by property
  }
  return false;
}

TMetaClass::TMetaClass(std::string_view name, TClass parent, const TDefine& define)
    : FName(name), FParent(parent) {
  define(*this);
  BuildPublishedList();
}

bool TMetaClass::InheritsFrom(TClass ancestor) const {
  for (TClass cls = this; cls != nullptr; cls = cls->FParent)
    if (cls == ancestor) return true;
  return false;
}

const TMessageEntry* TMetaClass::FindOwnHandler(win::UINT msg) const {
  for (const TMessageEntry& e : FHandlers)
    if (e.Msg == msg) return &e;
  return nullptr;
}

TPropInfo& TMetaClass::AddProperty(TPropInfo info) {
  FOwnProperties.push_back(std::make_unique<TPropInfo>(std::move(info)));
  return *FOwnProperties.back();
}

void TMetaClass::BuildPublishedList() {
  if (FParent != nullptr) FPublished = FParent->FPublished;
  for (const auto& own : FOwnProperties) {
    if (!own->Published) continue;
    // A property published again (a new default) keeps its first place; a newly published one
    // comes after everything the ancestors publish.
    const auto same = std::find_if(FPublished.begin(), FPublished.end(), [&](const TPropInfo* p) {
      return SameIdent(p->Name, own->Name);
    });
    if (same != FPublished.end())
      *same = own.get();
    else
      FPublished.push_back(own.get());
  }
}

const TPropInfo* TMetaClass::FindProperty(std::string_view name) const {
  for (const TPropInfo* p : FPublished)
    if (SameIdent(p->Name, name)) return p;
  return nullptr;
}

const TPropInfo* TMetaClass::FindDeclaredProperty(std::string_view name) const {
  for (TClass cls = this; cls != nullptr; cls = cls->FParent)
    for (auto it = cls->FOwnProperties.rbegin(); it != cls->FOwnProperties.rend(); ++it)
      if (SameIdent((*it)->Name, name)) return it->get();
  return nullptr;
}

const TFieldInfo* TMetaClass::FindField(std::string_view name) const {
  for (TClass cls = this; cls != nullptr; cls = cls->FParent)
    for (const TFieldInfo& f : cls->FFields)
      if (SameIdent(f.Name, name)) return &f;
  return nullptr;
}

const TMethodInfo* TMetaClass::FindMethod(std::string_view name) const {
  for (TClass cls = this; cls != nullptr; cls = cls->FParent)
    for (const TMethodInfo& m : cls->FMethods)
      if (SameIdent(m.Name, name)) return &m;
  return nullptr;
}

TClass TMetaClass::FindFieldClass(std::string_view className) const {
  for (TClass cls = this; cls != nullptr; cls = cls->FParent)
    for (const TFieldInfo& f : cls->FFields)
      if (SameIdent(f.FieldClass()->ClassName(), className)) return f.FieldClass();
  return nullptr;
}

std::unique_ptr<TComponent> TMetaClass::CreateComponent(TComponent* owner) const {
  if (!FCreateComponent) throw EComponentError(Exception::ResMessage(SCannotCreate, FName));
  return FCreateComponent(owner);
}

std::unique_ptr<TObject> TMetaClass::CreateObject() const {
  if (!FCreateObject) throw EComponentError(Exception::ResMessage(SCannotCreate, FName));
  return FCreateObject();
}

TPropBuilder& TPropBuilder::Default(std::int64_t value) {
  FInfo.HasDefault = true;
  FInfo.OrdDefault = value;
  return *this;
}

TPropBuilder& TPropBuilder::Default(std::string_view value) {
  FInfo.HasDefault = true;
  FInfo.StrDefault = value;
  return *this;
}

TPropBuilder& TPropBuilder::NoDefault() {
  FInfo.HasDefault = false;
  return *this;
}

TPropBuilder& TPropBuilder::Idents(const TIdentMap& idents) {
  FInfo.Idents = &idents;
  return *this;
}

TPropBuilder& TPropBuilder::Unpublished() {
  FInfo.Published = false;
  return *this;
}

}  // namespace fw
