// Run-time class information: each class's message handlers, published properties (in publishing
// order, with type, getter, setter and declared default), published fields (the components of a
// form) and published methods (event handlers a form description names), and the class builder
// with which a class declares them in its DefineClass.
//
//   class TShape : public TGraphicControl {             // in the header
//     TOVU_CLASS(TShape, TGraphicControl)
//    public:
//     TShapeType Shape() const;  void SetShape(TShapeType Value);
//     TPen* Pen() const;         void SetPen(TPen* Value);
//    protected:
//     void CMFontChanged(TMessage& Message);
//   };
//
//   TOVU_IMPLEMENT_CLASS(TShape)                        // in the source file
//   void TShape::DefineClass(TClassBuilder<TShape>& b) {
//     b.Property("Pen", &TShape::Pen, &TShape::SetPen);          // sub-object: Pen.Width = 15
//     b.Property("Shape", &TShape::Shape, &TShape::SetShape).Default(stRectangle);
//     b.Property("Color", &TShape::Color, &TShape::SetColor).Idents(ColorIdents());
//     b.Publish("Align");                    // an ancestor's unpublished property
//     b.Message(CM_FONTCHANGED, &TShape::CMFontChanged);
//   }
//
// A form also declares its components (b.Field("Shape1", &TMainForm1::Shape1)) and the handlers
// its description names (b.Method("FormCreate", &TMainForm1::FormCreate)).
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <vector>

#include "framework/Component.h"
#include "framework/EnumInfo.h"
#include "framework/Object.h"
#include "framework/Set.h"

namespace fw {

enum TTypeKind : std::uint8_t {
  tkInteger,      // integral value, optionally with names (colours)
  tkEnumeration,  // enumeration or Boolean, written by name
  tkSet,          // set of an enumeration, written as [a, b]
  tkString,       // text in the process code page
  tkClass,        // an owned sub-object whose own properties are stored (Font, Pen, Picture)
  tkComponent,    // a reference to another component, stored by name
  tkMethod        // an event, stored as the name of the handler method
};

// One property of a class.
struct TPropInfo {
  std::string Name;
  TTypeKind Kind = tkInteger;
  bool Published = true;

  // Ordinal kinds: value range, value names.
  std::int64_t MinValue = 0;
  std::int64_t MaxValue = 0;
  const TEnumTypeInfo* EnumType = nullptr;  // the enumeration, or the element type of a set
  const TIdentMap* Idents = nullptr;        // names of some integer values
  std::function<std::int64_t(const TObject&)> GetOrd;
  std::function<void(TObject&, std::int64_t)> SetOrd;

  std::function<std::string(const TObject&)> GetStr;
  std::function<void(TObject&, const std::string&)> SetStr;

  // Class and component kinds. The class is looked up when needed, as a class may have a
  // property of its own type (whose class information is still being built).
  TClass (*ObjectClassOf)() = nullptr;
  TClass ObjectClass() const { return ObjectClassOf != nullptr ? ObjectClassOf() : nullptr; }
  std::function<TPersistent*(const TObject&)> GetObject;
  std::function<void(TObject&, TPersistent*)> SetObject;

  // Method kind: the closure type and how to store and test a closure.
  std::type_index MethodType = typeid(void);
  std::function<void(TObject&, const std::any&)> SetMethod;
  std::function<bool(const TObject&)> MethodAssigned;

  // Declared default; without one the property is always written.
  bool HasDefault = false;
  std::int64_t OrdDefault = 0;
  std::string StrDefault;
  std::function<bool(const TObject&)> StoredFn;

  bool IsReadOnly() const;
  // Whether a writer stores the property's value of `instance`.
  bool IsStored(const TObject& instance) const;
  // Whether the value of `instance` equals the declared default.
  bool HasDefaultValue(const TObject& instance) const;
};

// A published field: the form's member that points at its component of the same name.
struct TFieldInfo {
  std::string Name;
  TClass (*FieldClassOf)() = nullptr;
  TClass FieldClass() const { return FieldClassOf(); }
  std::function<TComponent*(const TObject&)> Get;
  std::function<void(TObject&, TComponent*)> Set;
};

// A published method that a form description can name as an event handler.
struct TMethodInfo {
  std::string Name;
  std::type_index ClosureType = typeid(void);
  // The method bound to `instance` as a closure of ClosureType, in a std::any.
  std::function<std::any(TObject& instance)> Bind;
};

struct TMessageEntry {
  win::UINT Msg = 0;
  std::function<void(TObject&, TMessage&)> Handler;
};

class TMetaClass {
 public:
  using TDefine = std::function<void(TMetaClass&)>;
  TMetaClass(std::string_view name, TClass parent, const TDefine& define);
  TMetaClass(const TMetaClass&) = delete;
  TMetaClass& operator=(const TMetaClass&) = delete;

  const std::string& ClassName() const { return FName; }
  TClass ClassParent() const { return FParent; }
  bool InheritsFrom(TClass ancestor) const;

  const TMessageEntry* FindOwnHandler(win::UINT msg) const;

  // Published properties, the ancestors' first, each in publishing order.
  const std::vector<const TPropInfo*>& Properties() const { return FPublished; }
  // A published property of this class or an ancestor (case ignored), or null.
  const TPropInfo* FindProperty(std::string_view name) const;
  // A declared property, published or not, of this class or an ancestor.
  const TPropInfo* FindDeclaredProperty(std::string_view name) const;
  const TFieldInfo* FindField(std::string_view name) const;
  const TMethodInfo* FindMethod(std::string_view name) const;
  // The class of a published field (of this class or an ancestor) whose class has that name.
  TClass FindFieldClass(std::string_view className) const;

  // Creation by class (the class registry and the reader create components this way).
  bool CanCreateComponent() const { return static_cast<bool>(FCreateComponent); }
  std::unique_ptr<TComponent> CreateComponent(TComponent* owner) const;
  bool CanCreateObject() const { return static_cast<bool>(FCreateObject); }
  std::unique_ptr<TObject> CreateObject() const;

  // Used by TClassBuilder.
  TPropInfo& AddProperty(TPropInfo info);
  void AddField(TFieldInfo info) { FFields.push_back(std::move(info)); }
  void AddMethod(TMethodInfo info) { FMethods.push_back(std::move(info)); }
  void AddHandler(TMessageEntry entry) { FHandlers.push_back(std::move(entry)); }
  void SetComponentFactory(std::function<std::unique_ptr<TComponent>(TComponent*)> f) {
    FCreateComponent = std::move(f);
  }
  void SetObjectFactory(std::function<std::unique_ptr<TObject>()> f) {
    FCreateObject = std::move(f);
  }

 private:
  void BuildPublishedList();

  std::string FName;
  TClass FParent;
  std::vector<std::unique_ptr<TPropInfo>> FOwnProperties;
  std::vector<const TPropInfo*> FPublished;
  std::vector<TFieldInfo> FFields;
  std::vector<TMethodInfo> FMethods;
  std::vector<TMessageEntry> FHandlers;
  std::function<std::unique_ptr<TComponent>(TComponent*)> FCreateComponent;
  std::function<std::unique_ptr<TObject>()> FCreateObject;
};

// Chained settings of a property being declared.
class TPropBuilder {
 public:
  explicit TPropBuilder(TPropInfo& info) : FInfo(info) {}
  TPropBuilder& Default(std::int64_t value);
  template <class I>
  requires(std::is_integral_v<I> || std::is_enum_v<I>) TPropBuilder& Default(I value) {
    return Default(static_cast<std::int64_t>(value));
  }
  TPropBuilder& Default(std::string_view value);
  TPropBuilder& Default(const char* value) { return Default(std::string_view(value)); }
  template <class E>
  TPropBuilder& Default(TSet<E> value) {
    return Default(static_cast<std::int64_t>(value.Bits()));
  }
  TPropBuilder& NoDefault();
  TPropBuilder& Idents(const TIdentMap& idents);
  TPropBuilder& Unpublished();
  template <class C>
  TPropBuilder& Stored(bool (C::*stored)() const) {
    FInfo.StoredFn = [stored](const TObject& o) { return (static_cast<const C&>(o).*stored)(); };
    return *this;
  }
  template <class F>
  requires std::is_invocable_r_v<bool, F, const TObject&> TPropBuilder& Stored(F stored) {
    FInfo.StoredFn = stored;
    return *this;
  }
  TPropInfo& Info() { return FInfo; }

 private:
  TPropInfo& FInfo;
};

// Publishing a property no ancestor declares is a programming error; it stops the program with
// the names.
[[noreturn]] void AbortUndeclaredProperty(std::string_view className, std::string_view name);

namespace detail {

template <class T>
struct TIsFunction : std::false_type {};
template <class Sig>
struct TIsFunction<std::function<Sig>> : std::true_type {};

template <class E>
E ElementOf(TSet<E>);

template <class E>
concept NamedEnum = std::is_enum_v<E> && requires(E e) {
  { EnumTypeInfo(e) } -> std::same_as<const TEnumTypeInfo&>;
};

// Fills the kind-specific members of `info` for a property of value type V of class T.
template <class T, class V>
void Describe(TPropInfo& info, std::function<V(const T&)> get, std::function<void(T&, V)> set) {
  auto self = [](const TObject& o) -> const T& { return static_cast<const T&>(o); };
  auto mut = [](TObject& o) -> T& { return static_cast<T&>(o); };
  if constexpr (std::is_same_v<V, bool>) {
    info.Kind = tkEnumeration;
    info.EnumType = &BooleanTypeInfo();
    info.MinValue = 0;
    info.MaxValue = 1;
    info.GetOrd = [=](const TObject& o) -> std::int64_t { return get(self(o)) ? 1 : 0; };
    if (set) info.SetOrd = [=](TObject& o, std::int64_t v) { set(mut(o), v != 0); };
  } else if constexpr (std::is_integral_v<V>) {
    info.Kind = tkInteger;
    info.MinValue = static_cast<std::int64_t>(std::numeric_limits<V>::min());
    info.MaxValue = std::numeric_limits<V>::max() > std::numeric_limits<std::int64_t>::max()
                        ? std::numeric_limits<std::int64_t>::max()
                        : static_cast<std::int64_t>(std::numeric_limits<V>::max());
    info.GetOrd = [=](const TObject& o) { return static_cast<std::int64_t>(get(self(o))); };
    if (set) info.SetOrd = [=](TObject& o, std::int64_t v) { set(mut(o), static_cast<V>(v)); };
  } else if constexpr (NamedEnum<V>) {
    info.Kind = tkEnumeration;
    info.EnumType = &EnumTypeInfo(V{});
    info.MinValue = 0;
    info.MaxValue = info.EnumType->Count() - 1;
    info.GetOrd = [=](const TObject& o) { return static_cast<std::int64_t>(get(self(o))); };
    if (set) info.SetOrd = [=](TObject& o, std::int64_t v) { set(mut(o), static_cast<V>(v)); };
  } else if constexpr (IsSet<V>) {
    info.Kind = tkSet;
    info.EnumType = &EnumTypeInfo(decltype(ElementOf(V{})){});
    info.MinValue = 0;
    const int count = info.EnumType->Count();
    info.MaxValue =
        count >= 63 ? std::numeric_limits<std::int64_t>::max() : (std::int64_t{1} << count) - 1;
    info.GetOrd = [=](const TObject& o) { return static_cast<std::int64_t>(get(self(o)).Bits()); };
    if (set)
      info.SetOrd = [=](TObject& o, std::int64_t v) {
        set(mut(o), V::FromBits(static_cast<std::uint64_t>(v)));
      };
  } else if constexpr (std::is_same_v<V, std::string>) {
    info.Kind = tkString;
    info.GetStr = [=](const TObject& o) { return get(self(o)); };
    if (set) info.SetStr = [=](TObject& o, const std::string& v) { set(mut(o), v); };
  } else if constexpr (std::is_pointer_v<V> &&
                       std::is_base_of_v<TPersistent, std::remove_pointer_t<V>>) {
    using U = std::remove_pointer_t<V>;
    info.Kind = std::is_base_of_v<TComponent, U> ? tkComponent : tkClass;
    info.ObjectClassOf = &U::StaticClass;
    info.GetObject = [=](const TObject& o) -> TPersistent* { return get(self(o)); };
    if (set) info.SetObject = [=](TObject& o, TPersistent* v) { set(mut(o), dynamic_cast<U*>(v)); };
  } else if constexpr (TIsFunction<V>::value) {
    info.Kind = tkMethod;
    info.MethodType = typeid(V);
    info.MethodAssigned = [=](const TObject& o) { return static_cast<bool>(get(self(o))); };
    if (set)
      info.SetMethod = [=](TObject& o, const std::any& v) {
        set(mut(o), v.has_value() ? std::any_cast<const V&>(v) : V{});
      };
  } else {
    static_assert(sizeof(V) == 0, "property type cannot be published");
  }
}

}  // namespace detail

// What a class's DefineClass uses to declare its published members.
template <class T>
class TClassBuilder {
 public:
  explicit TClassBuilder(TMetaClass& cls) : FClass(cls) {}

  // A property read by `getter` and written by `setter` (member functions of T or an ancestor).
  template <class C, class G, class S>
  TPropBuilder Property(std::string_view name, G (C::*getter)() const, void (C::*setter)(S)) {
    using V = std::remove_cvref_t<G>;
    std::function<V(const T&)> get = [getter](const T& o) -> V { return (o.*getter)(); };
    std::function<void(T&, V)> set = [setter](T& o, V v) { (o.*setter)(v); };
    return Add<V>(name, std::move(get), std::move(set));
  }
  // A read-only property; for a sub-object its own properties are still read and written.
  template <class C, class G>
  TPropBuilder Property(std::string_view name, G (C::*getter)() const) {
    using V = std::remove_cvref_t<G>;
    std::function<V(const T&)> get = [getter](const T& o) -> V { return (o.*getter)(); };
    return Add<V>(name, std::move(get), {});
  }
  // A property with accessors given as functions (a value stored straight into a field).
  template <class V>
  TPropBuilder Property(std::string_view name, std::function<V(const T&)> get,
                        std::function<void(T&, V)> set) {
    return Add<V>(name, std::move(get), std::move(set));
  }
  // Publishes a property that an ancestor declared (published or not); the copy can take a
  // new declared default.
  TPropBuilder Publish(std::string_view name);
  // Publishes several such properties in this order, with their declared defaults.
  void Publish(std::span<const std::string_view> names) {
    for (std::string_view name : names)
      Publish(name);
  }
  void Publish(std::initializer_list<std::string_view> names) {
    Publish(std::span<const std::string_view>(names.begin(), names.size()));
  }

  // A published field: the member that points at the owned component of the same name.
  template <class C, class U>
  void Field(std::string_view name, U* C::*member) {
    TFieldInfo info;
    info.Name = name;
    info.FieldClassOf = &U::StaticClass;
    info.Get = [member](const TObject& o) -> TComponent* {
      return static_cast<const T&>(o).*member;
    };
    info.Set = [member](TObject& o, TComponent* c) {
      static_cast<T&>(o).*member = dynamic_cast<U*>(c);
    };
    FClass.AddField(std::move(info));
  }

  // A published method that form descriptions name as an event handler.
  template <class C, class R, class... A>
  void Method(std::string_view name, R (C::*method)(A...)) {
    using F = std::function<R(A...)>;
    TMethodInfo info;
    info.Name = name;
    info.ClosureType = typeid(F);
    info.Bind = [method](TObject& o) -> std::any {
      T* instance = &static_cast<T&>(o);
      return F([instance, method](A... args) -> R {
        return (instance->*method)(std::forward<A>(args)...);
      });
    };
    FClass.AddMethod(std::move(info));
  }

  // A message handler for message number `msg`.
  template <class C>
  void Message(win::UINT msg, void (C::*handler)(TMessage&)) {
    FClass.AddHandler(TMessageEntry{
        msg, [handler](TObject& o, TMessage& m) { (static_cast<T&>(o).*handler)(m); }});
  }

 private:
  template <class V>
  TPropBuilder Add(std::string_view name, std::function<V(const T&)> get,
                   std::function<void(T&, V)> set) {
    TPropInfo info;
    info.Name = name;
    detail::Describe<T, V>(info, std::move(get), std::move(set));
    return TPropBuilder(FClass.AddProperty(std::move(info)));
  }

  TMetaClass& FClass;
};

template <class T>
TPropBuilder TClassBuilder<T>::Publish(std::string_view name) {
  const TPropInfo* declared =
      FClass.ClassParent() != nullptr ? FClass.ClassParent()->FindDeclaredProperty(name) : nullptr;
  if (declared == nullptr) AbortUndeclaredProperty(FClass.ClassName(), name);
  TPropInfo copy = *declared;
  copy.Published = true;
  return TPropBuilder(FClass.AddProperty(std::move(copy)));
}

// Fills the class information of class Self with what Self::DefineClass declares.
template <class Self>
void DefineClassOf(TMetaClass& cls, void (*define)(TClassBuilder<Self>&)) {
  if constexpr (std::is_base_of_v<TComponent, Self> && !std::is_abstract_v<Self> &&
                std::is_constructible_v<Self, TComponent*>) {
    cls.SetComponentFactory([](TComponent* owner) -> std::unique_ptr<TComponent> {
      return std::make_unique<Self>(owner);
    });
  } else if constexpr (!std::is_abstract_v<Self> && std::is_default_constructible_v<Self>) {
    cls.SetObjectFactory([]() -> std::unique_ptr<TObject> { return std::make_unique<Self>(); });
  }
  TClassBuilder<Self> builder(cls);
  define(builder);
}

}  // namespace fw

// Implements Self::StaticClass: the class information is built on first use.
#define TOVU_IMPLEMENT_CLASS(Self)                                                          \
  ::fw::TClass Self::StaticClass() {                                                        \
    static const ::fw::TMetaClass Info(                                                     \
        #Self, inherited::StaticClass(),                                                    \
        [](::fw::TMetaClass& cls) { ::fw::DefineClassOf<Self>(cls, &Self::DefineClass); }); \
    return &Info;                                                                           \
  }
