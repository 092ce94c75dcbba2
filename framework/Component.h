// Components: objects with an owner that destroys them, a name unique among the owner's
// components, a state (loading, designing, destroying ...), free notification, and the hooks
// that reading a form description calls (ReadState, Loaded).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/EnumInfo.h"
#include "framework/Exceptions.h"
#include "framework/Persistent.h"
#include "framework/Set.h"

namespace fw {

class TReader;

TOVU_ENUM(TComponentStateFlag, std::uint8_t, csLoading, csReading, csWriting, csDestroying,
          csDesigning, csAncestor, csUpdating, csFixups, csFreeNotification, csInline,
          csDesignInstance)
using TComponentState = TSet<TComponentStateFlag>;

// csSubComponent: a component that another one makes for its own use (a control's timer); it is
// stored with its maker's properties, never as a component of its own.
TOVU_ENUM(TComponentStyleFlag, std::uint8_t, csSubComponent)
using TComponentStyle = TSet<TComponentStyleFlag>;

TOVU_ENUM(TOperation, std::uint8_t, opInsert, opRemove)

class TComponent;
using TGetChildProc = std::function<void(TComponent* Child)>;

// True when `name` is an identifier: a letter or underscore, then letters, digits, underscores.
bool IsValidIdent(std::string_view name);

class TComponent : public TPersistent {
  TOVU_CLASS(TComponent, TPersistent)

 public:
  // The owner (if any) takes the new component into its list and destroys it with itself.
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int Index) const;
  // Position in the owner's list; -1 without an owner.
  int ComponentIndex() const;
  void SetComponentIndex(int Value);
  // The owned component of that name (case ignored), or null.
  TComponent* FindComponent(std::string_view AName) const;
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Destroys the owned components, the last inserted first. A class whose components refer to
  // its own members calls this at the start of its destructor.
  void DestroyComponents();
  // Marks this component and everything it owns as being destroyed.
  void Destroying();

  const std::string& Name() const { return FName; }
  // Renames; an invalid identifier or a name taken in the owner raises EComponentError.
  virtual void SetName(const std::string& NewName);
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  TComponentState ComponentState() const { return FComponentState; }
  bool IsLoading() const { return FComponentState.Contains(csLoading); }
  bool IsDesigning() const { return FComponentState.Contains(csDesigning); }
  bool IsDestroying() const { return FComponentState.Contains(csDestroying); }
  TComponentStyle ComponentStyle() const { return FComponentStyle; }
  void SetSubComponent(bool IsSubComponent);

  // `AComponent` is told (Notification opRemove) when this component is destroyed, and the
  // other way round; both links go when either side ends.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Parent relation of the stored tree (controls have parents; other components do not).
  virtual bool HasParent() const;
  virtual TComponent* GetParentComponent() const;
  virtual void SetParentComponent(TComponent* Value);
  // Calls `Proc` for the children that a form description stores inside this component, in
  // storing order. The base stores the root's owned components that have no parent and are no
  // sub-components.
  virtual void GetChildren(const TGetChildProc& Proc, TComponent* Root);

  // Design state, for this component and (by default) the ones it owns.
  void SetDesigning(bool Value, bool SetChildren = true);

  // Reads this component's properties and children (called by TReader while loading).
  virtual void ReadState(TReader& Reader);

  // Name of the published method that a form description bound to the event `EventPath`
  // ("OnClick", "Colors.OnChange"); the writer stores it while the event is assigned.
  std::string EventHandlerName(std::string_view EventPath) const;
  void SetEventHandlerName(std::string_view EventPath, std::string_view MethodName);

 protected:
  // Called once the whole description is read; the base leaves the loading state.
  virtual void Loaded();
  // A component was inserted into or removed from this one's owned list, or a component this
  // one asked to be told about is going. The base passes it on to every owned component.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  virtual void ValidateRename(TComponent* AComponent, std::string_view CurName,
                              std::string_view NewName);
  virtual void Updating();
  virtual void Updated();
  TPersistent* GetOwner() const override;

  friend class TReader;
  friend class TWriter;

 private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void SetReference(bool Enable);
  void AddFreeNotify(TComponent* AComponent);
  void RemoveFreeNotify(TComponent* AComponent);

  TComponent* FOwner = nullptr;
  std::string FName;
  int FTag = 0;
  std::vector<TComponent*> FComponents;  // owned: destroyed by this component
  std::vector<TComponent*> FFreeNotifies;
  TComponentState FComponentState;
  TComponentStyle FComponentStyle;
  std::vector<std::pair<std::string, std::string>> FEventHandlerNames;
};

// Creates a component owned by `owner` (which destroys it); the pointer stays valid while the
// owner lives and the component is not destroyed otherwise.
template <class T, class... Args>
T* NewComponent(TComponent* owner, Args&&... args) {
  if (owner == nullptr) throw EComponentError("NewComponent needs an owner");
  return std::make_unique<T>(owner, std::forward<Args>(args)...).release();
}

}  // namespace fw
