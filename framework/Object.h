// Root of the framework's class tree: run-time class information (TClass), message dispatch by
// number through per-class handler tables, and weak references that notice an object's end.
#pragma once

#include <memory>
#include <string>

#include "framework/ComponentMessages.h"
#include "framework/platform/WinTypes.h"

namespace fw {

class TMetaClass;
using TClass = const TMetaClass*;
template <class T>
class TClassBuilder;

// Declares the class information of a framework class; the class's source file implements it
// with TOVU_IMPLEMENT_CLASS and defines DefineClass (published properties, fields, methods and
// message handlers). `inherited` names the parent class.
#define TOVU_CLASS(Self, Parent)                               \
 public:                                                       \
  using inherited = Parent;                                    \
  static ::fw::TClass StaticClass();                           \
  ::fw::TClass ClassType() const override {                    \
    return StaticClass();                                      \
  }                                                            \
                                                               \
 protected:                                                    \
  static void DefineClass(::fw::TClassBuilder<Self>& Builder); \
                                                               \
 private:

class TObject {
 public:
  TObject() = default;
  virtual ~TObject();
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

  static TClass StaticClass();
  virtual TClass ClassType() const;
  const std::string& ClassName() const;
  bool InheritsFrom(TClass ancestor) const;

  // Hands the message to the first handler for its number in the object's class or, failing
  // that, its ancestors; without one, to DefaultHandler.
  virtual void Dispatch(TMessage& Message);
  // Handling of messages that no handler takes; does nothing here.
  virtual void DefaultHandler(TMessage& Message);
  // Dispatch that starts the search at `start` (a handler passes its parent class to get the
  // inherited handling of its message).
  void DispatchFrom(TClass start, TMessage& Message);
  // Sends a message to the object at once and returns its result.
  virtual win::LRESULT Perform(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);

 private:
  template <class T>
  friend class TWeakRef;
  const std::shared_ptr<bool>& AliveToken() const;

  mutable std::shared_ptr<bool> FAlive;
};

// A reference that becomes null when its object is destroyed; used around events and
// notifications, whose handlers may destroy the object that raised them.
template <class T>
class TWeakRef {
 public:
  TWeakRef() = default;
  TWeakRef(T* object)  // NOLINT(google-explicit-constructor)
      : FObject(object), FAlive(object != nullptr ? object->AliveToken() : nullptr) {}

  T* Get() const { return (FAlive && *FAlive) ? FObject : nullptr; }
  T* operator->() const { return Get(); }
  explicit operator bool() const { return Get() != nullptr; }

 private:
  T* FObject = nullptr;
  std::shared_ptr<bool> FAlive;
};

// Calls an event closure on a copy, so that a handler that destroys the event's owner (and with
// it the closure) does not pull the code it runs from under itself.
template <class F, class... Args>
void CallEvent(const F& event, Args&&... args) {
  if (!event) return;
  F copy = event;
  copy(std::forward<Args>(args)...);
}

}  // namespace fw
