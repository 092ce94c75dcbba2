#include "framework/Object.h"

#include "framework/TypeInfo.h"

namespace fw {

TObject::~TObject() {
  if (FAlive) *FAlive = false;
}

TClass TObject::StaticClass() {
  static const TMetaClass info("TObject", nullptr, [](TMetaClass&) {});
  return &info;
}

TClass TObject::ClassType() const {
  return StaticClass();
}

const std::string& TObject::ClassName() const {
  return ClassType()->ClassName();
}

bool TObject::InheritsFrom(TClass ancestor) const {
  return ClassType()->InheritsFrom(ancestor);
}

void TObject::Dispatch(TMessage& Message) {
  DispatchFrom(ClassType(), Message);
}

void TObject::DispatchFrom(TClass start, TMessage& Message) {
  for (TClass cls = start; cls != nullptr; cls = cls->ClassParent()) {
    if (const TMessageEntry* entry = cls->FindOwnHandler(Message.Msg)) {
      entry->Handler(*this, Message);
      return;
    }
  }
  DefaultHandler(Message);
}

void TObject::DefaultHandler(TMessage&) {}

win::LRESULT TObject::Perform(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
  TMessage message{Msg, WParam, LParam, 0};
  Dispatch(message);
  return message.Result;
}

const std::shared_ptr<bool>& TObject::AliveToken() const {
  if (!FAlive) FAlive = std::make_shared<bool>(true);
  return FAlive;
}

}  // namespace fw
