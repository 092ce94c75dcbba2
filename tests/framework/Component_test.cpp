#include "framework/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Events.h"
#include "framework/Exceptions.h"
#include "framework/TypeInfo.h"
#include "framework/platform/CodePageConversion.h"

namespace fw {
namespace {

using TLog = std::vector<std::string>;

// A component that logs its destruction and the notifications it receives, and that raises an
// event whose handler may destroy it.
class TLogged : public TComponent {
  TOVU_CLASS(TLogged, TComponent)

 public:
  explicit TLogged(TComponent* AOwner, TLog* Log = nullptr) : TComponent(AOwner), FLog(Log) {}
  ~TLogged() override {
    if (FLog != nullptr) FLog->push_back("destroy " + Name());
  }

  TComponent* Watched = nullptr;
  TNotifyEvent OnFire;
  int FiredAfter = 0;

  // Raises OnFire and then touches its own state, unless the handler destroyed it.
  void Fire() {
    const TWeakRef<TLogged> self(this);
    CallEvent(OnFire, this);
    if (!self) return;
    ++FiredAfter;
  }
  void Watch(TComponent* Other) {
    Watched = Other;
    Other->FreeNotification(this);
  }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == Watched) Watched = nullptr;
    if (FLog != nullptr && !IsDestroying())
      FLog->push_back(Name() + (Operation == opInsert ? " +" : " -") + AComponent->Name());
  }

 private:
  TLog* FLog;
};

// A form-like owner with published fields for two of its components.
class TPanelForm : public TLogged {
  TOVU_CLASS(TPanelForm, TLogged)

 public:
  using TLogged::TLogged;
  TLogged* Part1 = nullptr;
  TLogged* Part2 = nullptr;
};

TOVU_IMPLEMENT_CLASS(TLogged)
void TLogged::DefineClass(TClassBuilder<TLogged>&) {}
TOVU_IMPLEMENT_CLASS(TPanelForm)
void TPanelForm::DefineClass(TClassBuilder<TPanelForm>& b) {
  b.Field("Part1", &TPanelForm::Part1);
  b.Field("Part2", &TPanelForm::Part2);
}

TLogged* Named(TComponent* owner, const std::string& name, TLog* log = nullptr) {
  TLogged* c = NewComponent<TLogged>(owner, log);
  c->SetName(name);
  return c;
}

TEST(Component, OwnerDestroysItsComponentsTheLastInsertedFirst) {
  TLog log;
  {
    TLogged owner(nullptr, &log);
    owner.SetName("Owner");
    Named(&owner, "A", &log);
    TLogged* b = Named(&owner, "B", &log);
    Named(b, "B1", &log);
    Named(&owner, "C", &log);
    EXPECT_EQ(owner.ComponentCount(), 3);
    EXPECT_EQ(b->ComponentIndex(), 1);
    log.clear();
  }
  EXPECT_EQ(log, (TLog{"destroy Owner", "destroy C", "destroy B", "destroy B1", "destroy A"}));
}

TEST(Component, EveryOwnedComponentIsMarkedDestroyingBeforeTheFirstGoes) {
  // The checker is destroyed first; at that moment its sibling must already be marked.
  struct TChecker : TLogged {
    using TLogged::TLogged;
    TComponent* Sibling = nullptr;
    bool* SiblingWasDestroying = nullptr;
    ~TChecker() override { *SiblingWasDestroying = Sibling->IsDestroying(); }
  };
  bool siblingWasDestroying = false;
  {
    TLogged owner(nullptr);
    TLogged* a = Named(&owner, "A");
    auto* checker = NewComponent<TChecker>(&owner);
    checker->Sibling = a;
    checker->SiblingWasDestroying = &siblingWasDestroying;
    EXPECT_FALSE(a->IsDestroying());
  }
  EXPECT_TRUE(siblingWasDestroying);
}

TEST(Component, DestroyingAnOwnedComponentTakesItOutOfItsOwnersList) {
  TLog log;
  TLogged owner(nullptr, &log);
  owner.SetName("Owner");
  TLogged* a = Named(&owner, "A");
  Named(&owner, "B");
  log.clear();
  std::unique_ptr<TLogged>(a).reset();
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.FindComponent("A"), nullptr);
  EXPECT_EQ(log, (TLog{"Owner -A"}));
}

TEST(Component, OwnerAndSiblingsHearOfInsertionAndRemoval) {
  TLog log;
  TLogged owner(nullptr, &log);
  owner.SetName("Owner");
  TLogged* a = Named(&owner, "A", &log);
  TLogged* b = Named(&owner, "B", &log);
  log.clear();
  owner.RemoveComponent(b);
  EXPECT_EQ(log, (TLog{"B -B", "A -B", "Owner -B"}));
  EXPECT_EQ(b->Owner(), nullptr);
  std::unique_ptr<TLogged> keep(b);
  log.clear();
  a->InsertComponent(b);
  EXPECT_EQ(b->Owner(), a);
  EXPECT_EQ(log, (TLog{"B +B", "A +B"}));  // the owner passes it to all it owns
  a->RemoveComponent(b);
}

TEST(Component, NamesAreIdentifiersUniqueAmongTheOwnersComponentsIgnoringCase) {
  TLogged owner(nullptr);
  TLogged* a = Named(&owner, "Button1");
  EXPECT_EQ(owner.FindComponent("BUTTON1"), a);
  TLogged* b = NewComponent<TLogged>(&owner);
  EXPECT_THROW(b->SetName("button1"), EComponentError);
  EXPECT_THROW(b->SetName("1Button"), EComponentError);
  EXPECT_THROW(b->SetName("Bad Name"), EComponentError);
  EXPECT_EQ(b->Name(), "");
  a->SetName("BUTTON1");  // the same component may change the case of its name
  EXPECT_EQ(a->Name(), "BUTTON1");
  try {
    b->SetName("button1");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), win::FromUtf8("button1 という名前のコンポーネントは既に存在します"));
  }
}

TEST(Component, OwnersPublishedFieldPointsAtItsComponentWhileItIsOwnedAndNamed) {
  TPanelForm form(nullptr);
  TLogged* part = Named(&form, "Part1");
  EXPECT_EQ(form.Part1, part);
  part->SetName("Other");
  EXPECT_EQ(form.Part1, nullptr);
  part->SetName("Part2");
  EXPECT_EQ(form.Part2, part);
  std::unique_ptr<TLogged>(part).reset();
  EXPECT_EQ(form.Part2, nullptr);
}

TEST(Component, FreeNotificationTellsAComponentOfAnotherOwnerWhenItsTargetGoes) {
  TLogged formA(nullptr), formB(nullptr);
  TLogged* watcher = Named(&formA, "Watcher");
  TLogged* target = Named(&formB, "Target");
  watcher->Watch(target);
  EXPECT_TRUE(target->ComponentState().Contains(csFreeNotification));
  std::unique_ptr<TLogged>(target).reset();
  EXPECT_EQ(watcher->Watched, nullptr);
}

TEST(Component, FreeNotificationLinkEndsWithTheWatcher) {
  TLogged formA(nullptr), formB(nullptr);
  TLogged* watcher = Named(&formA, "Watcher");
  TLogged* target = Named(&formB, "Target");
  watcher->Watch(target);
  std::unique_ptr<TLogged>(watcher).reset();
  // The target must not notify the destroyed watcher (the sanitizer build would see it).
  std::unique_ptr<TLogged>(target).reset();
  EXPECT_EQ(formB.ComponentCount(), 0);
}

TEST(Component, ComponentDestroyedInsideItsOwnEventIsSafe) {
  TLogged owner(nullptr);
  TLogged* c = Named(&owner, "C");
  c->OnFire = [c](TObject* sender) {
    EXPECT_EQ(sender, c);
    std::unique_ptr<TLogged>(c).reset();
  };
  c->Fire();
  EXPECT_EQ(owner.ComponentCount(), 0);

  TLogged* d = Named(&owner, "D");
  d->OnFire = [](TObject*) {};
  d->Fire();
  EXPECT_EQ(d->FiredAfter, 1);
}

TEST(Component, ComponentDestroyedInsideANotificationIsSafe) {
  // When A is removed, B's owner-wide notification destroys C; the walk must survive it.
  TLogged owner(nullptr);
  TLogged* a = Named(&owner, "A");
  Named(&owner, "B");
  TLogged* c = Named(&owner, "C");
  struct TKiller : TLogged {
    using TLogged::TLogged;
    TComponent* Victim = nullptr;
    void Notification(TComponent* AComponent, TOperation Operation) override {
      TLogged::Notification(AComponent, Operation);
      if (Operation == opRemove && Victim != nullptr && AComponent != Victim) {
        TComponent* v = Victim;
        Victim = nullptr;
        std::unique_ptr<TComponent>(v).reset();
      }
    }
  };
  auto* killer = NewComponent<TKiller>(&owner);
  killer->Victim = c;
  std::unique_ptr<TLogged>(a).reset();
  EXPECT_EQ(owner.ComponentCount(), 2);
  EXPECT_EQ(owner.FindComponent("C"), nullptr);
}

TEST(Component, DesigningStatePassesToOwnedAndLaterInsertedComponents) {
  TLogged owner(nullptr);
  TLogged* a = Named(&owner, "A");
  owner.SetDesigning(true);
  EXPECT_TRUE(a->IsDesigning());
  TLogged* b = Named(&owner, "B");
  EXPECT_TRUE(b->IsDesigning());
  owner.SetDesigning(false);
  EXPECT_FALSE(a->IsDesigning());
}

}  // namespace
}  // namespace fw
