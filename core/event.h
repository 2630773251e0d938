// Method references: an event names a method and the object it is called on.
#pragma once

#include <bit>
#include <typeindex>
#include <utility>

class TObject;

// The type-erased form every published method and event shares.
using GenericMethod = void (TObject::*)();

struct TMethod {
  GenericMethod Code = nullptr;
  TObject* Data = nullptr;
  bool operator==(const TMethod&) const = default;
  explicit operator bool() const { return Code != nullptr; }
};

// Converts a member function of a class derived from TObject to the shared form. The original
// signature is kept beside it (published methods record it) so it is restored exactly. The
// pointer's bits are copied rather than cast: every pointer to a member function of one class
// has the same representation, and a copy says so without a cast between function types.
template <class C, class R, class... A>
GenericMethod MakeGenericMethod(R (C::*method)(A...)) {
  using Exact = R (TObject::*)(A...);
  static_assert(sizeof(Exact) == sizeof(GenericMethod));
  return std::bit_cast<GenericMethod>(static_cast<Exact>(method));
}

// The inverse of MakeGenericMethod, given the signature the method was made from.
template <class R, class... A>
R (TObject::*RestoreMethod(GenericMethod code))(A...) {
  return std::bit_cast<R (TObject::*)(A...)>(code);
}

template <class Sig>
class TEvent;

// An event property: empty, or bound to a method of one object. Two events are equal when
// they call the same method on the same object.
template <class R, class... A>
class TEvent<R(A...)> {
 public:
  using Signature = R(A...);

  TEvent() = default;
  template <class C>
  TEvent(C* target, R (C::*method)(A...)) : method_{MakeGenericMethod(method), target} {}
  explicit TEvent(TMethod method) : method_(method) {}

  const TMethod& Method() const { return method_; }
  explicit operator bool() const { return static_cast<bool>(method_); }
  bool operator==(const TEvent&) const = default;

  R operator()(A... args) const {
    auto code = RestoreMethod<R, A...>(method_.Code);
    return (method_.Data->*code)(std::forward<A>(args)...);
  }

 private:
  TMethod method_;
};

using TNotifyEvent = TEvent<void(TObject* Sender)>;
