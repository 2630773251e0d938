// MulDiv: a × b / c in 64 bits, rounded to the nearest integer (halves away from zero).
#pragma once

#include <cstdint>

namespace platform {

// -1 when c is 0 or the result does not fit in 32 bits, as the original call answers.
inline int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  std::int64_t product = std::int64_t(a) * b;
  bool negative = (product < 0) != (c < 0);
  std::int64_t magnitude = product < 0 ? -product : product;
  std::int64_t divisor = c < 0 ? -std::int64_t(c) : c;
  std::int64_t q = (magnitude + divisor / 2) / divisor;
  if (q > INT32_MAX) return -1;
  return static_cast<int>(negative ? -q : q);
}

}  // namespace platform
