// The result of an engine operation: success, or a kind of failure with its description and the
// place that found it. The engine returns these instead of throwing (the provider turns them
// into failure codes; exceptions begin in the data layer).
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

namespace provider {

enum class StatusKind { ok, corruption, notSupported, io, notFound, invalidArgument };

class Status {
 public:
  Status() = default;

  static Status Ok() { return Status(); }
  static Status Corruption(std::string message, std::string where) {
    return Status(StatusKind::corruption, std::move(message), std::move(where));
  }
  static Status NotSupported(std::string message, std::string where) {
    return Status(StatusKind::notSupported, std::move(message), std::move(where));
  }
  static Status IoError(std::string message, std::string where) {
    return Status(StatusKind::io, std::move(message), std::move(where));
  }
  static Status NotFound(std::string message, std::string where) {
    return Status(StatusKind::notFound, std::move(message), std::move(where));
  }
  static Status InvalidArgument(std::string message, std::string where) {
    return Status(StatusKind::invalidArgument, std::move(message), std::move(where));
  }

  bool ok() const { return kind_ == StatusKind::ok; }
  StatusKind kind() const { return kind_; }
  // The description a user reads ("Unrecognized database format 'x'.").
  const std::string& message() const { return message_; }
  // Where it was found, for maintainers ("data page 17, row 3").
  const std::string& where() const { return where_; }
  // Message and place in one line.
  std::string ToString() const {
    return where_.empty() ? message_ : message_ + " (" + where_ + ")";
  }

 private:
  Status(StatusKind kind, std::string message, std::string where)
      : kind_(kind), message_(std::move(message)), where_(std::move(where)) {}

  StatusKind kind_ = StatusKind::ok;
  std::string message_;
  std::string where_;
};

// Ends the program with the status: reading the value of a failed result is a fault in the
// caller, and going on with a default value would give silently wrong answers.
[[noreturn]] inline void FailedValueAccess(const Status& status) {
  std::fprintf(stderr, "value of a failed result read: %s\n", status.ToString().c_str());
  std::abort();
}

// A value or the status that prevented it. The value may be read only when ok(): value() and
// take() check it and end the program otherwise (FailedValueAccess).
template <typename T>
class Result {
 public:
  Result(T value) : value_(std::move(value)) {}
  Result(Status status) : status_(std::move(status)) {}

  bool ok() const { return status_.ok(); }
  const Status& status() const { return status_; }
  T& value() {
    CheckOk();
    return value_;
  }
  const T& value() const {
    CheckOk();
    return value_;
  }
  T&& take() {
    CheckOk();
    return std::move(value_);
  }

 private:
  void CheckOk() const {
    if (!status_.ok()) FailedValueAccess(status_);
  }

  Status status_;
  T value_{};
};

inline const Status& StatusOf(const Status& status) {
  return status;
}
template <typename T>
const Status& StatusOf(const Result<T>& result) {
  return result.status();
}

}  // namespace provider

// Returns from the enclosing function with the status of `expression` (a Status or a Result)
// when it failed. The expression is evaluated once.
#define VELMORA_RETURN_IF_ERROR(expression)                                  \
  do {                                                                       \
    if (::provider::Status velmoraStatus = ::provider::StatusOf(expression); \
        !velmoraStatus.ok()) {                                               \
      return velmoraStatus;                                                  \
    }                                                                        \
  } while (false)
