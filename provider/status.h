// The result of an engine operation: success, or a kind of failure with its description and the
// place that found it. The engine returns these instead of throwing (the provider turns them
// into failure codes; exceptions begin in the data layer).
#pragma once

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
  std::string ToString() const { return where_.empty() ? message_ : message_ + " (" + where_ + ")"; }

 private:
  Status(StatusKind kind, std::string message, std::string where)
      : kind_(kind), message_(std::move(message)), where_(std::move(where)) {}

  StatusKind kind_ = StatusKind::ok;
  std::string message_;
  std::string where_;
};

// A value or the status that prevented it.
template <typename T>
class Result {
 public:
  Result(T value) : value_(std::move(value)) {}
  Result(Status status) : status_(std::move(status)) {}

  bool ok() const { return status_.ok(); }
  const Status& status() const { return status_; }
  T& value() { return value_; }
  const T& value() const { return value_; }
  T&& take() { return std::move(value_); }

 private:
  Status status_;
  T value_{};
};

}  // namespace provider
