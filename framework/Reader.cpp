#include "framework/Reader.h"

#include <memory>

#include "framework/ClassRegistry.h"
#include "framework/Exceptions.h"
#include "framework/Streams.h"
#include "framework/TypeInfo.h"

namespace fw {
namespace {

template <class... Args>
[[noreturn]] void FailRes(int line, const TResString& entry, const Args&... args) {
  throw EParserError(Exception::ResMessage(entry, args...), line);
}

// Runs `action`; a framework error other than a parser error or the silent EAbort is reported
// again with the line of the description that caused it.
template <class F>
void AtLine(int line, F&& action) {
  try {
    action();
  } catch (const EParserError&) {
    throw;
  } catch (const EAbort&) {
    throw;
  } catch (const Exception& e) {
    throw EParserError(e.Message(), line);
  }
}

}  // namespace

TReader::TReader(std::string_view Text) : FTree(ParseFormDescription(Text)) {}

void TReader::ReadRootComponent(TComponent* Root) {
  TClass described = nullptr;
  for (TClass cls = Root->ClassType(); cls != nullptr; cls = cls->ClassParent())
    if (SameIdent(cls->ClassName(), FTree.ClassName)) described = cls;
  if (described == nullptr) FailRes(FTree.Line, SClassMismatch, Root->ClassName(), FTree.ClassName);

  FRoot = FOwner = FParent = Root;
  FLoaded.assign(1, TWeakRef<TComponent>(Root));
  Root->FComponentState += {csLoading, csReading};
  try {
    if (!FTree.Name.empty() && Root->Name() != FTree.Name)
      AtLine(FTree.Line, [&] { Root->SetName(FTree.Name); });
    FCurrent = &FTree;
    Root->ReadState(*this);
    ResolveFixups();
    // Loaded runs in reading order, the root first; a component destroyed by another's Loaded
    // is skipped.
    const std::vector<TWeakRef<TComponent>> loaded = FLoaded;
    for (const TWeakRef<TComponent>& ref : loaded)
      if (TComponent* c = ref.Get()) AtLine(FTree.Line, [&] { c->Loaded(); });
  } catch (...) {
    Abandon();
    throw;
  }
  for (const TWeakRef<TComponent>& ref : FLoaded)
    if (TComponent* c = ref.Get()) c->FComponentState -= {csLoading, csReading};
}

void TReader::Abandon() {
  // What this read created goes again, the latest first; the rest leaves the loading state.
  for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it)
    if (TComponent* c = it->Get()) std::unique_ptr<TComponent> discard(c);
  for (const TWeakRef<TComponent>& ref : FLoaded)
    if (TComponent* c = ref.Get()) c->FComponentState -= {csLoading, csReading};
}

void TReader::ReadData(TComponent* Instance) {
  const TDescObject* node = FCurrent;
  const TWeakRef<TComponent> alive(Instance);
  for (const TDescProperty& prop : node->Properties) {
    AtLine(prop.Line, [&] { ApplyProperty(Instance, prop); });
    if (!alive) return;
  }
  TComponent* const savedParent = FParent;
  FParent = Instance;
  for (const TDescObject& child : node->Children) {
    ReadComponent(child);
    if (!alive) break;
  }
  FParent = savedParent;
  FCurrent = node;
}

TClass TReader::FindComponentClass(const TDescObject& Node) const {
  TClass cls = FRoot->ClassType()->FindFieldClass(Node.ClassName);
  if (cls == nullptr) cls = GetClass(Node.ClassName);
  if (cls == nullptr) FailRes(Node.Line, SClassNotFound, Node.ClassName);
  if (!cls->InheritsFrom(TComponent::StaticClass()))
    FailRes(Node.Line, SNotAChildClass, Node.ClassName);
  if (!cls->CanCreateComponent()) FailRes(Node.Line, SCannotCreate, Node.ClassName);
  return cls;
}

void TReader::ReadComponent(const TDescObject& Node) {
  TClass cls = FindComponentClass(Node);
  if (!Node.Name.empty()) {
    const TFieldInfo* field = FRoot->ClassType()->FindField(Node.Name);
    if (field != nullptr && !cls->InheritsFrom(field->FieldClass()))
      FailRes(Node.Line, SClassMismatch, Node.ClassName, Node.Name);
    if (FOwner->FindComponent(Node.Name) != nullptr || SameIdent(FRoot->Name(), Node.Name))
      FailRes(Node.Line, SDuplicateName, Node.Name);
  }
  TComponent* component = nullptr;
  AtLine(Node.Line, [&] { component = cls->CreateComponent(FOwner).release(); });
  // The owner took the new component into its list in the constructor.
  FCreated.emplace_back(component);
  const TWeakRef<TComponent> alive(component);
  component->FComponentState += {csLoading, csReading};
  AtLine(Node.Line, [&] {
    component->SetName(Node.Name);
    component->SetParentComponent(FParent);
  });
  if (!alive) return;
  FLoaded.emplace_back(component);
  const TDescObject* saved = FCurrent;
  FCurrent = &Node;
  AtLine(Node.Line, [&] { component->ReadState(*this); });
  FCurrent = saved;
}

void TReader::ApplyProperty(TComponent* Instance, const TDescProperty& Prop) {
  TPersistent* object = Instance;
  std::string walked;
  for (std::size_t i = 0; i + 1 < Prop.Path.size(); ++i) {
    walked += (i == 0 ? "" : ".") + Prop.Path[i];
    const TPropInfo* info = object->ClassType()->FindProperty(Prop.Path[i]);
    if (info == nullptr || info->Kind != tkClass) FailRes(Prop.Line, SUnknownProperty, walked);
    object = info->GetObject(*object);
    if (object == nullptr) FailRes(Prop.Line, SInvalidPropertyValue, walked);
  }
  const std::string& last = Prop.Path.back();
  if (const TPropInfo* info = object->ClassType()->FindProperty(last)) {
    SetValue(Instance, object, *info, Prop);
    return;
  }
  if (!ReadDefinedProperty(object, last, Prop.Value))
    FailRes(Prop.Line, SUnknownProperty, Prop.PathText());
}

std::int64_t TReader::IntegerValue(const TPropInfo& Info, const TDescProperty& Prop) const {
  const TDescValue& v = Prop.Value;
  std::int64_t value = 0;
  if (v.Kind == dvInteger) {
    value = v.Integer;
    // Hexadecimal digits give the bit pattern of a 32-bit value ($80000014 is clBtnHighlight).
    if (v.Hex && Info.MinValue == INT32_MIN && Info.MaxValue == INT32_MAX && value > INT32_MAX &&
        value <= static_cast<std::int64_t>(UINT32_MAX))
      value -= std::int64_t{1} << 32;
  } else if (v.Kind == dvIdent && Info.Idents != nullptr) {
    const auto named = Info.Idents->ToValue(v.Text);
    if (!named) FailRes(Prop.Line, SUnknownEnumValue, v.Text, Info.Idents->TypeName());
    value = *named;
  } else {
    FailRes(Prop.Line, SInvalidPropertyValue, Prop.PathText());
  }
  if (value < Info.MinValue || value > Info.MaxValue)
    FailRes(Prop.Line, SPropertyOutOfRange, Prop.PathText(), std::to_string(value));
  return value;
}

void TReader::SetValue(TComponent* Instance, TPersistent* Object, const TPropInfo& Info,
                       const TDescProperty& Prop) {
  const TDescValue& v = Prop.Value;
  const std::string path = Prop.PathText();
  if (Info.IsReadOnly()) FailRes(Prop.Line, SReadOnlyProperty, path);
  switch (Info.Kind) {
    case tkInteger:
      Info.SetOrd(*Object, IntegerValue(Info, Prop));
      return;
    case tkEnumeration: {
      if (v.Kind != dvIdent) FailRes(Prop.Line, SInvalidPropertyValue, path);
      const auto value = Info.EnumType->Value(v.Text);
      if (!value) FailRes(Prop.Line, SUnknownEnumValue, v.Text, Info.EnumType->TypeName());
      Info.SetOrd(*Object, *value);
      return;
    }
    case tkSet: {
      if (v.Kind != dvSet) FailRes(Prop.Line, SInvalidPropertyValue, path);
      std::uint64_t bits = 0;
      for (const std::string& element : v.Elements) {
        const auto value = Info.EnumType->Value(element);
        if (!value) FailRes(Prop.Line, SUnknownEnumValue, element, Info.EnumType->TypeName());
        bits |= std::uint64_t{1} << *value;
      }
      Info.SetOrd(*Object, static_cast<std::int64_t>(bits));
      return;
    }
    case tkString:
      if (v.Kind != dvString) FailRes(Prop.Line, SInvalidPropertyValue, path);
      Info.SetStr(*Object, v.Text);
      return;
    case tkComponent:
      if (v.Kind != dvIdent) FailRes(Prop.Line, SInvalidPropertyValue, path);
      FFixups.push_back(TFixup{TWeakRef<TPersistent>(Object), &Info, v.Text, Prop.Line});
      return;
    case tkMethod: {
      if (v.Kind != dvIdent) FailRes(Prop.Line, SInvalidPropertyValue, path);
      const TMethodInfo* method = FRoot->ClassType()->FindMethod(v.Text);
      if (method == nullptr) FailRes(Prop.Line, SUnknownMethod, v.Text);
      if (method->ClosureType != Info.MethodType)
        FailRes(Prop.Line, SMethodTypeMismatch, v.Text, path);
      Info.SetMethod(*Object, method->Bind(*FRoot));
      Instance->SetEventHandlerName(path, method->Name);
      return;
    }
    case tkClass:
      FailRes(Prop.Line, SInvalidPropertyValue, path);
  }
}

void TReader::ResolveFixups() {
  for (const TFixup& fixup : FFixups) {
    TPersistent* object = fixup.Instance.Get();
    if (object == nullptr) continue;
    std::string_view name = fixup.Name;
    if (const std::size_t dot = name.find('.'); dot != std::string_view::npos) {
      if (!SameIdent(name.substr(0, dot), FRoot->Name()))
        FailRes(fixup.Line, SUnresolvedReference, fixup.Name);
      name.remove_prefix(dot + 1);
    }
    TComponent* target = SameIdent(name, FRoot->Name()) ? FRoot : FRoot->FindComponent(name);
    if (target == nullptr || !target->InheritsFrom(fixup.Prop->ObjectClass()))
      FailRes(fixup.Line, SUnresolvedReference, fixup.Name);
    AtLine(fixup.Line, [&] { fixup.Prop->SetObject(*object, target); });
  }
  FFixups.clear();
}

bool TReader::ReadDefinedProperty(TPersistent* Object, const std::string& Name,
                                  const TDescValue& Value) {
  FDefinedName = Name;
  FDefinedValue = &Value;
  FDefinedFound = false;
  Object->DefineProperties(*this);
  FDefinedValue = nullptr;
  return FDefinedFound;
}

void TReader::DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                             const TWriterProc&, bool) {
  if (FDefinedFound || FDefinedValue == nullptr || !ReadData || !SameIdent(Name, FDefinedName))
    return;
  FDefinedFound = true;
  ReadData(*this);
}

void TReader::DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                                   const TStreamProc&, bool) {
  if (FDefinedFound || FDefinedValue == nullptr || !ReadData || !SameIdent(Name, FDefinedName))
    return;
  FDefinedFound = true;
  const TDescValue& value = DefinedValue(dvBinary);
  TMemoryStream stream;
  if (!value.Bytes.empty())
    stream.WriteBuffer(value.Bytes.data(), static_cast<std::int64_t>(value.Bytes.size()));
  stream.SetPosition(0);
  ReadData(stream);
}

const TDescValue& TReader::DefinedValue(TDescValueKind Kind) const {
  if (FDefinedValue == nullptr || FDefinedValue->Kind != Kind)
    FailRes(FDefinedValue != nullptr ? FDefinedValue->Line : 0, SInvalidPropertyValue,
            FDefinedName);
  return *FDefinedValue;
}

std::int64_t TReader::ReadInteger() {
  return DefinedValue(dvInteger).Integer;
}

std::string TReader::ReadString() {
  return DefinedValue(dvString).Text;
}

std::string TReader::ReadIdent() {
  return DefinedValue(dvIdent).Text;
}

bool TReader::ReadBoolean() {
  const TDescValue& v = DefinedValue(dvIdent);
  const auto value = BooleanTypeInfo().Value(v.Text);
  if (!value) FailRes(v.Line, SUnknownEnumValue, v.Text, BooleanTypeInfo().TypeName());
  return *value != 0;
}

void ReadComponentFromText(TComponent* Root, std::string_view Text) {
  TReader reader(Text);
  reader.ReadRootComponent(Root);
}

}  // namespace fw
