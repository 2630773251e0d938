// The class registry: a record per streamable class with its published properties, methods and
// fields, registered next to the class with a short builder.
//
//   const auto kTLabel = RegisterClass<TLabel, TGraphicControl>("TLabel")
//       .Property("Caption", &TLabel::Caption, &TLabel::SetCaption)
//       .Property("Color", &TLabel::Color, &TLabel::SetColor, ColorIdents)
//       .Enum("Alignment", &TLabel::Alignment, &TLabel::SetAlignment,
//             {"taLeftJustify", "taRightJustify", "taCenter"})
//       .Event("OnClick", &TLabel::OnClick);
//
//   const auto kTmain = RegisterClass<Tmain, TForm>("Tmain")
//       .Field("Label1", &Tmain::Label1)
//       .Method("Label1Click", &Tmain::Label1Click);
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <type_traits>
#include <typeindex>
#include <variant>
#include <vector>

#include "core/event.h"
#include "core/identtables.h"
#include "core/object.h"
#include "core/sets.h"
#include "core/variant.h"

class TComponent;
class TCollection;
class TCollectionItem;

enum class TTypeKind {
  tkInteger,
  tkChar,
  tkEnumeration,
  tkFloat,
  tkString,
  tkSet,
  tkClass,
  tkMethod,
  tkWString,
  tkVariant,
  tkInterface,
  tkInt64,
};

enum class TFloatType { ftSingle, ftDouble, ftExtended, ftCurr, ftDate };

// A property value on its way in or out of an object: ordinal kinds (integer, character,
// enumeration, set, 64-bit integer) travel as int64, floats as long double, currency as its
// scaled integer, dates as their double.
using PropValue =
    std::variant<std::int64_t, long double, AnsiString, WideString, TObject*, TMethod, Variant>;

struct TPropInfo {
  AnsiString Name;
  TTypeKind Kind = TTypeKind::tkInteger;
  TFloatType FloatType = TFloatType::ftDouble;
  IdentTable Idents;                         // integer: identifiers the stream may use for values
  std::vector<AnsiString> Names;             // enumeration and set: value names by ordinal
  std::type_index ValueType = typeid(void);  // class: the class; method: the signature
  std::function<PropValue(TObject&)> Get;
  std::function<void(TObject&, const PropValue&)> Set;  // empty for a read-only property

  bool HasSetter() const { return static_cast<bool>(Set); }
};

struct TMethodInfo {
  AnsiString Name;
  TMethod Code;  // Data is empty; the method is bound to an object when assigned
  std::type_index Signature = typeid(void);
};

struct TFieldInfo {
  AnsiString Name;
  std::type_index ValueType = typeid(void);
  std::function<TComponent*(TObject&)> Get;
  // Stores the component if it is of the field's class; says whether it was stored.
  std::function<bool(TObject&, TComponent*)> Set;
};

class TClassRecord {
 public:
  TClassRecord(AnsiString name, std::type_index type, std::type_index parent)
      : name_(std::move(name)), type_(type), parent_(parent) {}

  const AnsiString& Name() const { return name_; }
  std::type_index Type() const { return type_; }
  const TClassRecord* Parent() const;
  bool InheritsFrom(const TClassRecord* other) const;
  bool IsComponentClass() const;

  // Look-ups walk up the ancestors; names match without regard to case.
  const TPropInfo* FindProperty(std::string_view name) const;
  const TMethodInfo* FindMethod(std::string_view name) const;
  const TFieldInfo* FindField(std::string_view name) const;
  // The records of the classes of the published fields of this class and its ancestors.
  const TClassRecord* FindFieldClass(std::string_view className) const;

  const std::vector<TPropInfo>& Properties() const { return properties_; }

  // Creates an instance with the given owner; null for a class that is not a component.
  TComponent* CreateComponent(TComponent* owner) const;
  TCollectionItem* CreateItem(TCollection* collection) const;
  bool CanCreate() const { return static_cast<bool>(componentFactory_); }

 private:
  template <class T>
  friend class ClassBuilder;

  AnsiString name_;
  std::type_index type_;
  std::type_index parent_;
  std::function<TComponent*(TComponent*)> componentFactory_;
  std::function<TCollectionItem*(TCollection*)> itemFactory_;
  std::vector<TPropInfo> properties_;
  std::vector<TMethodInfo> methods_;
  std::vector<TFieldInfo> fields_;
};

// Registry access. Classes register from static initialisers; look-ups are by name (without
// regard to case) or by type.
const TClassRecord* FindClass(std::string_view name);
const TClassRecord* FindClassByType(std::type_index type);
template <class T>
const TClassRecord* ClassOf() {
  return FindClassByType(typeid(T));
}

TClassRecord* AddClassRecord(std::unique_ptr<TClassRecord> record);

namespace classes_detail {

template <class V>
struct IsSetOf : std::false_type {};
template <class E>
struct IsSetOf<SetOf<E>> : std::true_type {};

template <class T, class Get>
using GetterResult = std::remove_cvref_t<std::invoke_result_t<Get, const T&>>;

template <class V>
PropValue ToPropValue(const V& v) {
  if constexpr (std::is_same_v<V, bool> || std::is_integral_v<V> || std::is_enum_v<V>) {
    return static_cast<std::int64_t>(v);
  } else if constexpr (IsSetOf<V>::value) {
    return static_cast<std::int64_t>(v.Bits());
  } else if constexpr (std::is_floating_point_v<V>) {
    return static_cast<long double>(v);
  } else if constexpr (std::is_same_v<V, Currency>) {
    return v.Value;
  } else if constexpr (std::is_same_v<V, TDateTime>) {
    return static_cast<long double>(v.Value);
  } else if constexpr (std::is_pointer_v<V>) {
    return static_cast<TObject*>(v);
  } else if constexpr (std::is_same_v<V, TMethod>) {
    return v;
  } else {
    return PropValue(v);
  }
}

template <class V>
V FromPropValue(const PropValue& p) {
  if constexpr (std::is_same_v<V, bool>) {
    return std::get<std::int64_t>(p) != 0;
  } else if constexpr (std::is_integral_v<V> || std::is_enum_v<V>) {
    return static_cast<V>(std::get<std::int64_t>(p));
  } else if constexpr (IsSetOf<V>::value) {
    return V::FromBits(static_cast<std::uint32_t>(std::get<std::int64_t>(p)));
  } else if constexpr (std::is_floating_point_v<V>) {
    return static_cast<V>(std::get<long double>(p));
  } else if constexpr (std::is_same_v<V, Currency>) {
    return Currency{std::get<std::int64_t>(p)};
  } else if constexpr (std::is_same_v<V, TDateTime>) {
    return TDateTime{static_cast<double>(std::get<long double>(p))};
  } else if constexpr (std::is_pointer_v<V>) {
    return dynamic_cast<V>(std::get<TObject*>(p));
  } else {
    return std::get<V>(p);
  }
}

}  // namespace classes_detail

template <class T>
class ClassBuilder {
 public:
  explicit ClassBuilder(TClassRecord* record) : record_(record) {}

  const TClassRecord* Record() const { return record_; }

  // A property whose kind follows from its value type: integers (32-bit or 64-bit), char,
  // bool, float/double/long double, Currency, TDateTime, AnsiString, WideString, Variant, or
  // a pointer to a class derived from TObject. Pass nullptr as the setter for a read-only one.
  template <class Get, class Set>
  ClassBuilder& Property(const char* name, Get get, Set set) {
    using V = classes_detail::GetterResult<T, Get>;
    TPropInfo info = Make<V>(name, get, set);
    if constexpr (std::is_same_v<V, bool>) {
      info.Kind = TTypeKind::tkEnumeration;
      info.Names = {"False", "True"};
    } else if constexpr (std::is_same_v<V, char>) {
      info.Kind = TTypeKind::tkChar;
    } else if constexpr (std::is_integral_v<V> && sizeof(V) == 8) {
      info.Kind = TTypeKind::tkInt64;
    } else if constexpr (std::is_integral_v<V>) {
      info.Kind = TTypeKind::tkInteger;
    } else if constexpr (std::is_floating_point_v<V>) {
      info.Kind = TTypeKind::tkFloat;
      info.FloatType = sizeof(V) == 4   ? TFloatType::ftSingle
                       : sizeof(V) == 8 ? TFloatType::ftDouble
                                        : TFloatType::ftExtended;
    } else if constexpr (std::is_same_v<V, Currency>) {
      info.Kind = TTypeKind::tkFloat;
      info.FloatType = TFloatType::ftCurr;
    } else if constexpr (std::is_same_v<V, TDateTime>) {
      info.Kind = TTypeKind::tkFloat;
      info.FloatType = TFloatType::ftDate;
    } else if constexpr (std::is_same_v<V, AnsiString>) {
      info.Kind = TTypeKind::tkString;
    } else if constexpr (std::is_same_v<V, WideString>) {
      info.Kind = TTypeKind::tkWString;
    } else if constexpr (std::is_same_v<V, Variant>) {
      info.Kind = TTypeKind::tkVariant;
    } else if constexpr (std::is_pointer_v<V> &&
                         std::is_base_of_v<TObject, std::remove_pointer_t<V>>) {
      info.Kind = TTypeKind::tkClass;
      info.ValueType = typeid(std::remove_pointer_t<V>);
    } else {
      static_assert(sizeof(V) == 0, "use Enum, Set or Interface for this property type");
    }
    record_->properties_.push_back(std::move(info));
    return *this;
  }

  // An integer property whose values the stream may also give as identifiers of a table.
  template <class Get, class Set>
  ClassBuilder& Property(const char* name, Get get, Set set, IdentTable idents) {
    Property(name, get, set);
    record_->properties_.back().Idents = idents;
    return *this;
  }

  // An enumeration property; names are the value names in ordinal order, written in place or
  // taken from a table that several classes share.
  template <class Get, class Set>
  ClassBuilder& Enum(const char* name, Get get, Set set, std::initializer_list<const char*> names) {
    return Named(TTypeKind::tkEnumeration, name, get, set, std::span(names.begin(), names.size()));
  }
  template <class Get, class Set>
  ClassBuilder& Enum(const char* name, Get get, Set set, std::span<const char* const> names) {
    return Named(TTypeKind::tkEnumeration, name, get, set, names);
  }

  // A set property (SetOf<E> or an unsigned bit mask); names are the element names by ordinal.
  template <class Get, class Put>
  ClassBuilder& Set(const char* name, Get get, Put set, std::initializer_list<const char*> names) {
    return Named(TTypeKind::tkSet, name, get, set, std::span(names.begin(), names.size()));
  }

  // An interface property: the value is the component a name refers to, if it implements I.
  template <class I>
  ClassBuilder& Interface(const char* name, I* (T::*get)() const, void (T::*set)(I*)) {
    TPropInfo info;
    info.Name = name;
    info.Kind = TTypeKind::tkInterface;
    info.ValueType = typeid(I);
    info.Get = [get](TObject& o) -> PropValue {
      return dynamic_cast<TObject*>((static_cast<const T&>(o).*get)());
    };
    info.Set = [set](TObject& o, const PropValue& v) {
      (static_cast<T&>(o).*set)(dynamic_cast<I*>(std::get<TObject*>(v)));
    };
    record_->properties_.push_back(std::move(info));
    return *this;
  }

  // An event property held in a data member.
  template <class Sig>
  ClassBuilder& Event(const char* name, TEvent<Sig> T::*member) {
    TPropInfo info;
    info.Name = name;
    info.Kind = TTypeKind::tkMethod;
    info.ValueType = typeid(Sig);
    info.Get = [member](TObject& o) -> PropValue { return (static_cast<T&>(o).*member).Method(); };
    info.Set = [member](TObject& o, const PropValue& v) {
      static_cast<T&>(o).*member = TEvent<Sig>(std::get<TMethod>(v));
    };
    record_->properties_.push_back(std::move(info));
    return *this;
  }

  // A published method that stored handler names bind to.
  template <class R, class... A>
  ClassBuilder& Method(const char* name, R (T::*method)(A...)) {
    record_->methods_.push_back(
        {name, TMethod{MakeGenericMethod(method), nullptr}, typeid(R(A...))});
    return *this;
  }

  // A published field: the owned component of the same name is stored in it.
  template <class C>
  ClassBuilder& Field(const char* name, C* T::*member) {
    TFieldInfo info;
    info.Name = name;
    info.ValueType = typeid(C);
    info.Get = [member](TObject& o) -> TComponent* { return static_cast<T&>(o).*member; };
    info.Set = [member](TObject& o, TComponent* c) {
      C* typed = c ? dynamic_cast<C*>(c) : nullptr;
      if (c && !typed) return false;
      static_cast<T&>(o).*member = typed;
      return true;
    };
    record_->fields_.push_back(std::move(info));
    return *this;
  }

 private:
  template <class U, class P>
  friend ClassBuilder<U> RegisterClass(const char* name);

  template <class P>
  static ClassBuilder Register(const char* name) {
    auto record = std::make_unique<TClassRecord>(name, typeid(T), typeid(P));
    if constexpr (!std::is_abstract_v<T> && std::is_constructible_v<T, TComponent*>) {
      record->componentFactory_ = [](TComponent* owner) -> TComponent* { return new T(owner); };
    }
    if constexpr (!std::is_abstract_v<T> && std::is_constructible_v<T, TCollection*>) {
      record->itemFactory_ = [](TCollection* c) -> TCollectionItem* { return new T(c); };
    }
    return ClassBuilder(AddClassRecord(std::move(record)));
  }

  // A property whose values the stream gives by name: an enumeration or a set.
  template <class Get, class Set>
  ClassBuilder& Named(TTypeKind kind, const char* name, Get get, Set set,
                      std::span<const char* const> names) {
    using V = classes_detail::GetterResult<T, Get>;
    TPropInfo info = Make<V>(name, get, set);
    info.Kind = kind;
    info.Names.assign(names.begin(), names.end());
    record_->properties_.push_back(std::move(info));
    return *this;
  }

  template <class V, class Get, class Set>
  static TPropInfo Make(const char* name, Get get, Set set) {
    TPropInfo info;
    info.Name = name;
    info.Get = [get](TObject& o) -> PropValue {
      return classes_detail::ToPropValue<V>(std::invoke(get, static_cast<const T&>(o)));
    };
    if constexpr (!std::is_null_pointer_v<Set>) {
      info.Set = [set](TObject& o, const PropValue& v) {
        std::invoke(set, static_cast<T&>(o), classes_detail::FromPropValue<V>(v));
      };
    }
    return info;
  }

  TClassRecord* record_;
};

// Registers T with its parent class P (void for the root) and returns the builder. A concrete
// component class constructible from its owner, and a collection item class constructible
// from its collection, get a factory.
template <class T, class P>
ClassBuilder<T> RegisterClass(const char* name) {
  return ClassBuilder<T>::template Register<P>(name);
}
