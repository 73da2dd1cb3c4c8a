#pragma once
// The published-property model: every persistent class declares, once, the ordered
// list of its published properties (name, kind, enumeration names, default, stored
// rule, getter, setter). The serializer, component copying, the difference writer
// and tooling read these declarations; no code is written per property.
//
// A class declares itself with QUARLO_CLASS(T) in its body and defines
// T::StaticClass() in its .cpp with a ClassBuilder<T, Base> (see the notes at the
// end of this header).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace quarlo {

class TPersistent;
class TComponent;
class ClassInfo;
class PropDataFiler;

enum class PropertyKind {
  Integer,
  Char,
  WChar,
  Enumeration,  // Boolean is the enumeration False, True
  Set,          // bit mask: member n is bit n
  Float,
  String,       // 8-bit text: bytes of the system code page
  WString,      // UTF-16 text
  Variant,      // kept as text
  Object,       // sub-object, string list or reference to a component
  // Kinds that are never serialised.
  Method,
  Int64,
  Array,
  Record,
  Interface,
  DynArray,
};

bool IsOrdinalKind(PropertyKind kind);     // integer, characters, enumeration, set
bool IsSerialisedKind(PropertyKind kind);  // false for method .. dynamic array

// Names of an enumeration's values in ordinal order (for a set: its members).
class EnumInfo {
 public:
  EnumInfo(std::initializer_list<const char*> names);
  int Count() const { return static_cast<int>(names_.size()); }
  const std::string& Name(int ordinal) const;  // "" outside the range
  int Find(std::string_view name) const;       // ignoring case; -1 when unknown
  const std::vector<std::string>& Names() const { return names_; }

 private:
  std::vector<std::string> names_;
};

// False, True.
const EnumInfo& BooleanEnum();

// When a property is written at all (checked before defaults and templates).
enum class StoredRule { Always, Never, Predicate };

class PropertyInfo {
 public:
  std::string name;
  PropertyKind kind = PropertyKind::Integer;
  const EnumInfo* enumInfo = nullptr;       // enumeration values or set members
  // Declared class of an object property; a function so that a class may refer to
  // itself or to its descendants while its own declaration is being built.
  const ClassInfo& (*objectClass)() = nullptr;
  bool isReference = false;                 // object property naming another component

  // Declared default (none: always written when there is no template). Only the
  // field that fits the kind is used.
  std::optional<std::int64_t> ordinalDefault;
  std::optional<double> floatDefault;
  std::optional<std::string> stringDefault;

  StoredRule storedRule = StoredRule::Always;
  std::function<bool(const TPersistent&)> storedPredicate;

  // Type-erased access; a missing setter makes the property read-only.
  std::function<std::int64_t(const TPersistent&)> getOrdinal;
  std::function<void(TPersistent&, std::int64_t)> setOrdinal;
  std::function<double(const TPersistent&)> getFloat;
  std::function<void(TPersistent&, double)> setFloat;
  std::function<std::string(const TPersistent&)> getString;  // String, Variant
  std::function<void(TPersistent&, const std::string&)> setString;
  std::function<std::u16string(const TPersistent&)> getWString;
  std::function<void(TPersistent&, const std::u16string&)> setWString;
  std::function<TPersistent*(const TPersistent&)> getObject;
  std::function<void(TPersistent&, TPersistent*)> setObject;  // references only

  bool IsStored(const TPersistent& object) const;
  bool IsReadOnly() const;
  bool HasDefault() const;
};

class ClassInfo {
 public:
  using Factory = std::function<TPersistent*(TComponent* owner)>;

  ClassInfo(std::string name, const ClassInfo* parent);
  ClassInfo(ClassInfo&&) = default;
  ClassInfo(const ClassInfo&) = delete;
  ClassInfo& operator=(const ClassInfo&) = delete;

  const std::string& Name() const { return name_; }
  const ClassInfo* Parent() const { return parent_; }
  // Every published property: the ancestors' first, then this class's own in
  // declaration order. A property a class declares again under an inherited name
  // replaces the inherited entry in its place.
  const std::vector<const PropertyInfo*>& Properties() const { return properties_; }
  const PropertyInfo* FindProperty(std::string_view name) const;  // ignoring case
  bool InheritsFrom(const ClassInfo& other) const;
  bool InheritsFrom(std::string_view className) const;  // ignoring case
  // Null for abstract classes. Components get the owner argument; other objects
  // ignore it and belong to the caller.
  const Factory& Create() const { return factory_; }
  bool CanCreate() const { return static_cast<bool>(factory_); }

  // Used by ClassBuilder.
  PropertyInfo& AddOwn(std::string name);
  void SetFactory(Factory factory) { factory_ = std::move(factory); }

 private:
  std::string name_;
  const ClassInfo* parent_;
  std::vector<std::unique_ptr<PropertyInfo>> own_;
  std::vector<const PropertyInfo*> properties_;
  Factory factory_;
};

// Root of everything with published properties.
class TPersistent {
 public:
  virtual ~TPersistent() = default;
  static const ClassInfo& StaticClass();
  virtual const ClassInfo& GetClass() const { return StaticClass(); }
  const std::string& ClassName() const { return GetClass().Name(); }
  bool InheritsFrom(const ClassInfo& info) const { return GetClass().InheritsFrom(info); }

  // Custom binary properties (the PropData attribute): declare each one with
  // filer.DefineBinary / filer.DefineProperty. Called for writing and for reading.
  virtual void DefineProperties(PropDataFiler& filer) {}

 protected:
  TPersistent() = default;
  TPersistent(const TPersistent&) = default;
  TPersistent& operator=(const TPersistent&) = default;
};

#define QUARLO_CLASS(T)                                   \
 public:                                                  \
  static const ::quarlo::ClassInfo& StaticClass();        \
  const ::quarlo::ClassInfo& GetClass() const override {  \
    return StaticClass();                                 \
  }                                                       \
                                                          \
 private:

// Object of a class (or one of its descendants), else null.
template <class T>
T* As(TPersistent* object) {
  return object && object->InheritsFrom(T::StaticClass()) ? static_cast<T*>(object) : nullptr;
}
template <class T>
const T* As(const TPersistent* object) {
  return object && object->InheritsFrom(T::StaticClass()) ? static_cast<const T*>(object)
                                                          : nullptr;
}

// Modifiers of the property just declared.
class PropertyDecl {
 public:
  explicit PropertyDecl(PropertyInfo& info) : info_(info) {}
  // Declared default: with no template the property is written only when it differs.
  PropertyDecl& Default(std::int64_t value);
  PropertyDecl& Default(int value) { return Default(static_cast<std::int64_t>(value)); }
  PropertyDecl& Default(bool value) { return Default(static_cast<std::int64_t>(value)); }
  PropertyDecl& Default(double value);
  PropertyDecl& Default(std::string value);
  PropertyDecl& Default(const char* value) { return Default(std::string(value)); }
  // Never written (still read).
  PropertyDecl& NotStored();
  // Written only while the predicate holds for the object.
  template <class T>
  PropertyDecl& StoredWhen(std::function<bool(const T&)> predicate) {
    info_.storedRule = StoredRule::Predicate;
    info_.storedPredicate = [predicate = std::move(predicate)](const TPersistent& o) {
      return predicate(static_cast<const T&>(o));
    };
    return *this;
  }
  PropertyInfo& Info() { return info_; }

 private:
  PropertyInfo& info_;
};

namespace property_detail {

template <class T, class G>
decltype(auto) Get(const G& get, const T& object) {
  return std::invoke(get, object);
}

template <class T, class S, class V>
void Set(const S& set, T& object, V&& value) {
  if constexpr (std::is_member_object_pointer_v<S>) {
    object.*set = std::forward<V>(value);
  } else {
    std::invoke(set, object, std::forward<V>(value));
  }
}

template <class V>
constexpr std::int64_t ToOrdinal(const V& v) {
  return static_cast<std::int64_t>(v);
}

template <class V>
V FromOrdinal(std::int64_t v) {
  if constexpr (std::is_same_v<V, bool>) {
    return v != 0;
  } else {
    return static_cast<V>(v);
  }
}

template <class P>
TPersistent* ToPersistent(P&& p) {
  using R = std::remove_cvref_t<P>;
  if constexpr (std::is_pointer_v<R>) {
    return const_cast<TPersistent*>(static_cast<const TPersistent*>(p));
  } else {
    return const_cast<TPersistent*>(static_cast<const TPersistent*>(&p));
  }
}

}  // namespace property_detail

// Declares the published properties of class T (whose direct base is Base) in order.
// Getters are member functions, data members or callables taking const T&; setters
// are member functions, data members or callables taking (T&, value); pass nullptr
// for a read-only property.
template <class T, class Base>
class ClassBuilder {
 public:
  explicit ClassBuilder(std::string name) : info_(std::move(name), &Base::StaticClass()) {
    if constexpr (!std::is_abstract_v<T> && std::is_constructible_v<T, TComponent*>) {
      info_.SetFactory([](TComponent* owner) -> TPersistent* { return new T(owner); });
    } else if constexpr (!std::is_abstract_v<T> && std::is_default_constructible_v<T>) {
      info_.SetFactory([](TComponent*) -> TPersistent* { return new T(); });
    }
  }

  // Integer-valued kinds. The getter may return any integer or enum type; the
  // setter receives the getter's type.
  template <class G, class S>
  PropertyDecl Integer(std::string name, G get, S set) {
    return Ordinal(std::move(name), PropertyKind::Integer, nullptr, get, set);
  }
  template <class G, class S>
  PropertyDecl Char(std::string name, G get, S set) {
    return Ordinal(std::move(name), PropertyKind::Char, nullptr, get, set);
  }
  template <class G, class S>
  PropertyDecl WChar(std::string name, G get, S set) {
    return Ordinal(std::move(name), PropertyKind::WChar, nullptr, get, set);
  }
  template <class G, class S>
  PropertyDecl Enum(std::string name, const EnumInfo& names, G get, S set) {
    return Ordinal(std::move(name), PropertyKind::Enumeration, &names, get, set);
  }
  template <class G, class S>
  PropertyDecl Bool(std::string name, G get, S set) {
    return Ordinal(std::move(name), PropertyKind::Enumeration, &BooleanEnum(), get, set);
  }
  // A set: the value is the bit mask, members named by `members` (member n = bit n).
  template <class G, class S>
  PropertyDecl Set(std::string name, const EnumInfo& members, G get, S set) {
    return Ordinal(std::move(name), PropertyKind::Set, &members, get, set);
  }

  template <class G, class S>
  PropertyDecl Float(std::string name, G get, S set) {
    PropertyInfo& p = info_.AddOwn(std::move(name));
    p.kind = PropertyKind::Float;
    p.getFloat = [get](const TPersistent& o) {
      return static_cast<double>(property_detail::Get(get, static_cast<const T&>(o)));
    };
    if constexpr (!std::is_null_pointer_v<S>) {
      using V = std::remove_cvref_t<decltype(property_detail::Get(get, std::declval<const T&>()))>;
      p.setFloat = [set](TPersistent& o, double v) {
        property_detail::Set(set, static_cast<T&>(o), static_cast<V>(v));
      };
    }
    return PropertyDecl(p);
  }

  // 8-bit string (code page bytes); Variant is kept as text the same way.
  template <class G, class S>
  PropertyDecl String(std::string name, G get, S set) {
    return Text(std::move(name), PropertyKind::String, get, set);
  }
  template <class G, class S>
  PropertyDecl Variant(std::string name, G get, S set) {
    return Text(std::move(name), PropertyKind::Variant, get, set);
  }
  template <class G, class S>
  PropertyDecl WString(std::string name, G get, S set) {
    PropertyInfo& p = info_.AddOwn(std::move(name));
    p.kind = PropertyKind::WString;
    p.getWString = [get](const TPersistent& o) {
      return std::u16string(property_detail::Get(get, static_cast<const T&>(o)));
    };
    if constexpr (!std::is_null_pointer_v<S>) {
      p.setWString = [set](TPersistent& o, const std::u16string& v) {
        property_detail::Set(set, static_cast<T&>(o), v);
      };
    }
    return PropertyDecl(p);
  }

  // An owned sub-object (font, frame, string list, picture): the getter returns a
  // pointer or reference to it. Its own properties are addressed with dotted names.
  template <class Sub, class G>
  PropertyDecl Object(std::string name, G get) {
    PropertyInfo& p = info_.AddOwn(std::move(name));
    p.kind = PropertyKind::Object;
    p.objectClass = &Sub::StaticClass;
    p.getObject = [get](const TPersistent& o) {
      return property_detail::ToPersistent(property_detail::Get(get, static_cast<const T&>(o)));
    };
    return PropertyDecl(p);
  }

  // A reference to another component, written as its name and resolved after reading.
  // The getter returns Target* (or a base of it); the setter takes Target*. Values of
  // another class are refused (the property stays unchanged).
  template <class Target, class G, class S>
  PropertyDecl Reference(std::string name, G get, S set) {
    PropertyInfo& p = info_.AddOwn(std::move(name));
    p.kind = PropertyKind::Object;
    p.isReference = true;
    p.objectClass = &Target::StaticClass;
    p.getObject = [get](const TPersistent& o) {
      return property_detail::ToPersistent(property_detail::Get(get, static_cast<const T&>(o)));
    };
    if constexpr (!std::is_null_pointer_v<S>) {
      p.setObject = [set](TPersistent& o, TPersistent* v) {
        if (v && !v->InheritsFrom(Target::StaticClass())) return;
        property_detail::Set(set, static_cast<T&>(o), static_cast<Target*>(v));
      };
    }
    return PropertyDecl(p);
  }

  // A published property of a kind that is never serialised (kept for tooling).
  PropertyDecl Unserialised(std::string name, PropertyKind kind) {
    PropertyInfo& p = info_.AddOwn(std::move(name));
    p.kind = kind;
    return PropertyDecl(p);
  }

  ClassInfo Build() { return std::move(info_); }

 private:
  template <class G, class S>
  PropertyDecl Ordinal(std::string name, PropertyKind kind, const EnumInfo* names, G get, S set) {
    PropertyInfo& p = info_.AddOwn(std::move(name));
    p.kind = kind;
    p.enumInfo = names;
    p.getOrdinal = [get](const TPersistent& o) {
      return property_detail::ToOrdinal(property_detail::Get(get, static_cast<const T&>(o)));
    };
    if constexpr (!std::is_null_pointer_v<S>) {
      using V = std::remove_cvref_t<decltype(property_detail::Get(get, std::declval<const T&>()))>;
      p.setOrdinal = [set](TPersistent& o, std::int64_t v) {
        property_detail::Set(set, static_cast<T&>(o), property_detail::FromOrdinal<V>(v));
      };
    }
    return PropertyDecl(p);
  }

  template <class G, class S>
  PropertyDecl Text(std::string name, PropertyKind kind, G get, S set) {
    PropertyInfo& p = info_.AddOwn(std::move(name));
    p.kind = kind;
    p.getString = [get](const TPersistent& o) {
      return std::string(property_detail::Get(get, static_cast<const T&>(o)));
    };
    if constexpr (!std::is_null_pointer_v<S>) {
      p.setString = [set](TPersistent& o, const std::string& v) {
        property_detail::Set(set, static_cast<T&>(o), v);
      };
    }
    return PropertyDecl(p);
  }

  ClassInfo info_;
};

// A class's builder, named by the class itself: the name the file format reads is the
// C++ class name, written once.
#define QUARLO_CLASS_BUILDER(T, Base) ::quarlo::ClassBuilder<T, Base>(#T)

// Resolves a dotted path ("Frame.LeftLine.Width") from an object: the object that
// holds the last part and that part's property; {nullptr, nullptr} when a part names
// no property or an inner part is not a sub-object.
struct PropertyTarget {
  TPersistent* object = nullptr;
  const PropertyInfo* property = nullptr;
};
PropertyTarget FindPropertyPath(TPersistent& object, std::string_view path);

}  // namespace quarlo
