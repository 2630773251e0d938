// One value of a row: what the engine decodes from a column and what statements compute with.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace provider {

// Money as a whole number of ten-thousandths.
struct Currency {
  std::int64_t scaled;
  bool operator==(const Currency&) const = default;
};

// Days since 1899-12-30, the fraction being the time of day.
struct DateTime {
  double days;
  bool operator==(const DateTime&) const = default;
};

// A replication id, in the byte order stored in the file.
struct Guid {
  std::array<std::uint8_t, 16> bytes;
  bool operator==(const Guid&) const = default;
};

// A fixed-point number: unscaled magnitude (96 bits used), sign, precision and scale.
struct Decimal {
  std::array<std::uint32_t, 4> magnitude;  // least significant word first
  bool negative;
  std::uint8_t precision;
  std::uint8_t scale;
  bool operator==(const Decimal&) const = default;
};

using Bytes = std::vector<std::uint8_t>;

// Null is std::monostate. Integer column types of every width arrive as int64; text and memo
// as UTF-16; binary and OLE as bytes.
using Value = std::variant<std::monostate, bool, std::int64_t, double, Currency, DateTime,
                           std::u16string, Bytes, Guid, Decimal>;

inline bool IsNull(const Value& v) { return std::holds_alternative<std::monostate>(v); }

}  // namespace provider
