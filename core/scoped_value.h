// A variable set for the length of a scope and given back its old value when the scope ends.
#pragma once

#include <utility>

// Gives `variable` the value `value` now and restores the value it had when this object is
// destroyed, also when the scope is left by an exception. The variable must outlive it.
template <class T>
class ScopedValue {
 public:
  ScopedValue(T& variable, T value)
      : variable_(variable), saved_(std::exchange(variable, std::move(value))) {}
  ~ScopedValue() { variable_ = std::move(saved_); }
  ScopedValue(const ScopedValue&) = delete;
  ScopedValue& operator=(const ScopedValue&) = delete;

  // The value the variable had before and will have again.
  const T& Saved() const { return saved_; }

 private:
  T& variable_;
  T saved_;
};
