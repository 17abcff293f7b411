#pragma once
// Class information: name, parent, how to create an instance, and the
// published properties and methods the class adds. Properties are listed
// ancestors first, each class's in declaration order, as the host lists them.
#include "classes/TObject.h"
#include "classes/TValue.h"
#include "classes/TypeInfo.h"
#include "rtl/Exceptions.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

class TComponent;
// dynamic_cast<TComponent*>, usable where TComponent is still incomplete (the
// component factory below, which clang checks before instantiation).
TComponent* ObjectAsComponent(TObject* object);
class TPersistent;

struct TPropInfo {
  std::string Name;
  const TTypeInfo* PropType = nullptr;
  std::function<TValue(const TObject&)> Getter;
  std::function<void(TObject&, const TValue&)> Setter;  // empty: read-only
  std::optional<int64_t> Default;                       // ordinal default; none: always stored
  std::function<bool(const TObject&)> Stored;           // empty: stored
  const TClassInfo* Owner = nullptr;                    // the class that declares it

  TTypeKind Kind() const { return PropType ? PropType->Kind : TTypeKind::tkUnknown; }
  bool IsWritable() const { return static_cast<bool>(Setter); }
};

class TClassInfo {
public:
  // Creates an instance; the argument is the owner for components and the
  // owning collection for collection items, else none.
  using TFactory = std::function<TObject*(const TClassInfo& cls, TObject* owner)>;

  TClassInfo(std::string className, const TClassInfo* parent);
  TClassInfo(const TClassInfo&) = delete;
  TClassInfo& operator=(const TClassInfo&) = delete;

  const std::string& ClassName() const { return FClassName; }
  const TClassInfo* Parent() const { return FParent; }
  bool InheritsFrom(const TClassInfo& other) const;
  bool InheritsFrom(std::string_view className) const;
  const TTypeInfo& TypeInfo() const { return FTypeInfo; }

  const std::vector<TPropInfo>& OwnProperties() const { return FProperties; }
  std::vector<const TPropInfo*> Properties() const;
  const TPropInfo* FindProperty(std::string_view name) const;  // ignoring case
  const TMethodEntry* FindMethod(std::string_view name) const; // ignoring case
  const std::vector<TMethodEntry>& OwnMethods() const { return FMethods; }

  bool CanCreate() const { return static_cast<bool>(FFactory); }
  // A class this process knows by name only (made at run time from a form
  // file or a table of another library's classes): its place in the class
  // tree is not known, so a reference to one of its instances is taken on
  // trust wherever it appears.
  bool IsStandIn() const { return FStandIn; }
  void SetStandIn(bool standIn) { FStandIn = standIn; }
  TObject* CreateInstance(TObject* owner) const;
  TComponent* CreateComponent(TComponent* owner) const;

  void AddProperty(TPropInfo prop);
  void AddMethod(TMethodEntry method);
  void SetFactory(TFactory factory) { FFactory = std::move(factory); }
  TPropInfo& LastProperty() { return FProperties.back(); }

private:
  std::string FClassName;
  const TClassInfo* FParent;
  TTypeInfo FTypeInfo;
  std::vector<TPropInfo> FProperties;
  std::vector<TMethodEntry> FMethods;
  TFactory FFactory;
  bool FStandIn = false;
};

// ---------------------------------------------------------------------------
// Conversions between C++ values and TValue, used by the class builder.

namespace PropValue {

template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<TSet<E>> : std::true_type {};

template <class T>
TValue To(const T& v) {
  using D = std::decay_t<T>;
  if constexpr (std::is_same_v<D, bool>) return TValue(int64_t{v ? 1 : 0});
  else if constexpr (std::is_enum_v<D>) return TValue(static_cast<int64_t>(v));
  else if constexpr (std::is_integral_v<D>) return TValue(static_cast<int64_t>(v));
  else if constexpr (std::is_floating_point_v<D>) return TValue(static_cast<double>(v));
  else if constexpr (std::is_same_v<D, std::string>) return TValue(v);
  else if constexpr (std::is_same_v<D, TMethod>) return TValue(v);
  else if constexpr (IsSet<D>::value) return TValue(static_cast<int64_t>(v.Bits()));
  else if constexpr (std::is_pointer_v<D>) return TValue(static_cast<TObject*>(const_cast<std::remove_const_t<std::remove_pointer_t<D>>*>(v)));
  else static_assert(sizeof(D) == 0, "no published-property conversion for this type");
}

[[noreturn]] void RaiseBadValue();

template <class T>
T From(const TValue& value) {
  using D = std::decay_t<T>;
  if constexpr (std::is_same_v<D, bool> || std::is_enum_v<D> || std::is_integral_v<D> || IsSet<D>::value) {
    const int64_t* v = std::get_if<int64_t>(&value);
    if (!v) RaiseBadValue();
    if constexpr (std::is_same_v<D, bool>) return *v != 0;
    else if constexpr (IsSet<D>::value) return D::FromBits(static_cast<uint64_t>(*v));
    else return static_cast<D>(*v);
  } else if constexpr (std::is_floating_point_v<D>) {
    if (auto* d = std::get_if<double>(&value)) return static_cast<D>(*d);
    if (auto* i = std::get_if<int64_t>(&value)) return static_cast<D>(*i);
    RaiseBadValue();
  } else if constexpr (std::is_same_v<D, std::string>) {
    const std::string* s = std::get_if<std::string>(&value);
    if (!s) RaiseBadValue();
    return *s;
  } else if constexpr (std::is_same_v<D, TMethod>) {
    if (std::holds_alternative<std::monostate>(value)) return TMethod{};
    const TMethod* m = std::get_if<TMethod>(&value);
    if (!m) RaiseBadValue();
    return *m;
  } else if constexpr (std::is_pointer_v<D>) {
    using Target = std::remove_const_t<std::remove_pointer_t<D>>;
    if (std::holds_alternative<std::monostate>(value)) return nullptr;
    TObject* const* o = std::get_if<TObject*>(&value);
    if (!o) RaiseBadValue();
    if (!*o) return nullptr;
    auto* typed = dynamic_cast<Target*>(*o);
    if (!typed) RaiseBadValue();
    return typed;
  } else {
    static_assert(sizeof(D) == 0, "no published-property conversion for this type");
  }
}

template <class M>
struct SetterArg;
template <class C, class A>
struct SetterArg<void (C::*)(A)> {
  using type = std::decay_t<A>;
};

} // namespace PropValue

// Builds a C++ class's information: its factory and published members.
template <class T>
class TClassBuilder {
public:
  explicit TClassBuilder(TClassInfo& info) : FInfo(info) {}

  // A property read and written through member functions.
  template <class G, class S>
  TClassBuilder& Property(const char* name, const TTypeInfo& type, G getter, S setter) {
    TPropInfo prop;
    prop.Name = name;
    prop.PropType = &type;
    prop.Getter = [getter](const TObject& o) { return PropValue::To((static_cast<const T&>(o).*getter)()); };
    if constexpr (!std::is_same_v<S, std::nullptr_t>) {
      using A = typename PropValue::SetterArg<S>::type;
      prop.Setter = [setter](TObject& o, const TValue& v) { (static_cast<T&>(o).*setter)(PropValue::From<A>(v)); };
    }
    FInfo.AddProperty(std::move(prop));
    return *this;
  }

  // A property read and written straight from a field.
  template <class V, class C>
  TClassBuilder& Field(const char* name, const TTypeInfo& type, V C::*field) {
    static_assert(std::is_base_of_v<C, T>);
    TPropInfo prop;
    prop.Name = name;
    prop.PropType = &type;
    prop.Getter = [field](const TObject& o) { return PropValue::To(static_cast<const T&>(o).*field); };
    prop.Setter = [field](TObject& o, const TValue& v) { static_cast<T&>(o).*field = PropValue::From<V>(v); };
    FInfo.AddProperty(std::move(prop));
    return *this;
  }

  // An event property over a TEvent member.
  template <class E, class C>
  TClassBuilder& Event(const char* name, const TTypeInfo& type, E C::*event) {
    static_assert(std::is_base_of_v<C, T>);
    TPropInfo prop;
    prop.Name = name;
    prop.PropType = &type;
    prop.Getter = [event](const TObject& o) { return TValue((static_cast<const T&>(o).*event).Method()); };
    prop.Setter = [event](TObject& o, const TValue& v) {
      (static_cast<T&>(o).*event).SetMethod(PropValue::From<TMethod>(v));
    };
    FInfo.AddProperty(std::move(prop));
    return *this;
  }

  // An event property whose setter is a member function (so the class can react).
  template <class G, class S>
  TClassBuilder& EventProperty(const char* name, const TTypeInfo& type, G getter, S setter) {
    return Property(name, type, getter, setter);
  }

  TClassBuilder& Default(int64_t value) {
    FInfo.LastProperty().Default = value;
    return *this;
  }
  TClassBuilder& Stored(std::function<bool(const T&)> stored) {
    FInfo.LastProperty().Stored = [stored](const TObject& o) { return stored(static_cast<const T&>(o)); };
    return *this;
  }

  // A published method that form files can bind event properties to.
  template <class... Args>
  TClassBuilder& Method(const char* name, void (T::*method)(Args...)) {
    FInfo.AddMethod(TMethodEntry::Make<Args...>(name, std::function<void(TObject*, Args...)>(
                                                          [method](TObject* self, Args... args) {
                                                            (dynamic_cast<T&>(*self).*method)(args...);
                                                          })));
    return *this;
  }

  // Components are created with their owner.
  TClassBuilder& ComponentFactory() {
    FInfo.SetFactory([](const TClassInfo&, TObject* owner) -> TObject* {
      return new T(ObjectAsComponent(owner));
    });
    return *this;
  }
  TClassInfo& Info() { return FInfo; }

  TClassBuilder& DefaultFactory() {
    FInfo.SetFactory([](const TClassInfo&, TObject*) -> TObject* { return new T(); });
    return *this;
  }

private:
  TClassInfo& FInfo;
};

// Defines Class::StaticClass(); the body receives `TClassBuilder<Class>& b`.
// The information is built on first use, so no static constructor runs.
// Classes may name each other in property types (a dataset's update object,
// the update object's dataset): a use while the class is being built gets the
// class information with its name and type already set, which is all a
// property type needs.
#define QUELM_DEFINE_CLASS(Class, Base, ...)                               \
  const TClassInfo& Class::StaticClass() {                                 \
    static TClassInfo info(#Class, &Base::StaticClass());                  \
    static bool started = false;                                           \
    if (!started) {                                                        \
      started = true;                                                      \
      [[maybe_unused]] TClassBuilder<Class> b(info);                       \
      __VA_ARGS__;                                                         \
    }                                                                      \
    return info;                                                           \
  }

template <class T>
T& As(TObject& object) {
  auto* typed = dynamic_cast<T*>(&object);
  if (!typed) throw EInvalidCast(HostText::InvalidCast);
  return *typed;
}
template <class T>
T* As(TObject* object) {
  if (!object) return nullptr;
  return &As<T>(*object);
}
