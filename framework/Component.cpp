#include "framework/Component.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/Reader.h"
#include "framework/TypeInfo.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TComponent)

void TComponent::DefineClass(TClassBuilder<TComponent>& b) {
  b.Property("Name", &TComponent::Name, &TComponent::SetName).Stored([](const TObject&) {
    return false;  // the name is written in the object line, not as a property
  });
  b.Property("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

bool IsValidIdent(std::string_view name) {
  if (name.empty()) return false;
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (!alpha(name[0])) return false;
  return std::all_of(name.begin() + 1, name.end(),
                     [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner != nullptr) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Everyone that asked to be told hears of the end, the latest first; the list may shrink
  // while it is walked, as handlers remove links.
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    other->RemoveFreeNotify(this);
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner != nullptr) FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount()) throw EComponentError("component index out of range");
  return FComponents[static_cast<std::size_t>(Index)];
}

int TComponent::ComponentIndex() const {
  if (FOwner == nullptr) return -1;
  const auto& list = FOwner->FComponents;
  const auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetComponentIndex(int Value) {
  if (FOwner == nullptr) return;
  auto& list = FOwner->FComponents;
  const int current = ComponentIndex();
  if (current < 0) return;
  Value = std::clamp(Value, 0, static_cast<int>(list.size()) - 1);
  list.erase(list.begin() + current);
  list.insert(list.begin() + Value, this);
}

TComponent* TComponent::FindComponent(std::string_view AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameIdent(c->FName, AName)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  ValidateRename(AComponent, "", AComponent->FName);
  Insert(AComponent);
  AComponent->SetReference(true);
  if (IsDesigning()) AComponent->SetDesigning(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  Notification(AComponent, opRemove);
  AComponent->SetReference(false);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
  AComponent->FOwner = nullptr;
  const auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
  if (it != FComponents.end()) FComponents.erase(it);
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    // The component leaves the list before it goes, so its destructor finds no owner.
    std::unique_ptr<TComponent> instance(FComponents.back());
    Remove(instance.get());
    instance.reset();
  }
}

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState.Include(csDestroying);
  for (TComponent* c : FComponents)
    c->Destroying();
}

void TComponent::SetName(const std::string& NewName) {
  if (FName == NewName) return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError(Exception::ResMessage(SInvalidName, NewName));
  if (FOwner != nullptr)
    FOwner->ValidateRename(this, FName, NewName);
  else
    ValidateRename(nullptr, FName, NewName);
  SetReference(false);
  FName = NewName;
  SetReference(true);
}

void TComponent::ValidateRename(TComponent* AComponent, std::string_view CurName,
                                std::string_view NewName) {
  if (AComponent != nullptr && SameIdent(CurName, NewName)) return;
  TComponent* existing = FindComponent(NewName);
  if (existing != nullptr && existing != AComponent)
    throw EComponentError(Exception::ResMessage(SDuplicateName, std::string(NewName)));
}

void TComponent::SetReference(bool Enable) {
  // The owner's published field of this name points at this component while it is owned.
  if (FOwner == nullptr || FName.empty()) return;
  const TFieldInfo* field = FOwner->ClassType()->FindField(FName);
  if (field == nullptr) return;
  if (!Enable) {
    if (field->Get(*FOwner) == this) field->Set(*FOwner, nullptr);
    return;
  }
  if (InheritsFrom(field->FieldClass())) field->Set(*FOwner, this);
}

void TComponent::AddFreeNotify(TComponent* AComponent) {
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
    FFreeNotifies.push_back(AComponent);
}

void TComponent::RemoveFreeNotify(TComponent* AComponent) {
  const auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent);
  if (it != FFreeNotifies.end()) FFreeNotifies.erase(it);
  if (FFreeNotifies.empty()) FComponentState.Exclude(csFreeNotification);
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr || AComponent == this) return;
  if (FOwner != nullptr && AComponent->FOwner == FOwner) return;  // the owner tells siblings
  AComponent->FComponentState.Include(csFreeNotification);
  FComponentState.Include(csFreeNotification);
  AddFreeNotify(AComponent);
  AComponent->AddFreeNotify(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr) return;
  RemoveFreeNotify(AComponent);
  AComponent->RemoveFreeNotify(this);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent != nullptr) RemoveFreeNotification(AComponent);
  // Handlers may destroy owned components; walk by index and re-check the bound each time.
  for (std::size_t i = FComponents.size(); i-- > 0;) {
    if (i >= FComponents.size()) continue;
    FComponents[i]->Notification(AComponent, Operation);
  }
}

bool TComponent::HasParent() const {
  return false;
}

TComponent* TComponent::GetParentComponent() const {
  return nullptr;
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  if (Root != this) return;
  for (TComponent* c : FComponents)
    if (!c->HasParent() && !c->FComponentStyle.Contains(csSubComponent)) Proc(c);
}

void TComponent::SetSubComponent(bool IsSubComponent) {
  if (IsSubComponent)
    FComponentStyle.Include(csSubComponent);
  else
    FComponentStyle.Exclude(csSubComponent);
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  if (Value)
    FComponentState.Include(csDesigning);
  else
    FComponentState.Exclude(csDesigning);
  if (!SetChildren) return;
  for (TComponent* c : FComponents)
    c->SetDesigning(Value);
}

void TComponent::ReadState(TReader& Reader) {
  Reader.ReadData(this);
}

std::string TComponent::EventHandlerName(std::string_view EventPath) const {
  for (const auto& [event, method] : FEventHandlerNames)
    if (SameIdent(event, EventPath)) return method;
  return {};
}

void TComponent::SetEventHandlerName(std::string_view EventPath, std::string_view MethodName) {
  for (auto& [event, method] : FEventHandlerNames) {
    if (SameIdent(event, EventPath)) {
      method = MethodName;
      return;
    }
  }
  FEventHandlerNames.emplace_back(EventPath, MethodName);
}

void TComponent::Loaded() {
  FComponentState.Exclude(csLoading);
}

void TComponent::Updating() {
  FComponentState.Include(csUpdating);
}

void TComponent::Updated() {
  FComponentState.Exclude(csUpdating);
}

TPersistent* TComponent::GetOwner() const {
  return FOwner;
}

}  // namespace fw
