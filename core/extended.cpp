// Decoding of 80-bit extended floats.
#include "core/extended.h"

#include <cmath>
#include <limits>

#include "platform/little_endian.h"

long double ExtendedToLongDouble(const std::uint8_t bytes[10]) {
  std::uint64_t mantissa = platform::LoadLittleEndian<std::uint64_t>(bytes);
  unsigned signExp = platform::LoadLittleEndian<std::uint16_t>(bytes + 8);
  bool negative = (signExp & 0x8000u) != 0;
  int exponent = static_cast<int>(signExp & 0x7FFFu);
  constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;

  long double magnitude;
  if (exponent == 0x7FFF) {
    magnitude = (mantissa & ~kIntegerBit) == 0 && (mantissa & kIntegerBit) != 0
                    ? std::numeric_limits<long double>::infinity()
                    : std::numeric_limits<long double>::quiet_NaN();
  } else if (exponent != 0 && (mantissa & kIntegerBit) == 0) {
    magnitude = std::numeric_limits<long double>::quiet_NaN();
  } else {
    // Denormals use the smallest exponent with no implicit shift: 2^(1 - 16383 - 63).
    int scale = (exponent == 0 ? 1 : exponent) - 16383 - 63;
    magnitude = std::ldexp(static_cast<long double>(mantissa), scale);
  }
  return negative ? -magnitude : magnitude;
}

namespace {

template <class F>
F Narrow(long double value) {
  if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<F>::max()) {
    return std::signbit(value) ? -std::numeric_limits<F>::infinity()
                               : std::numeric_limits<F>::infinity();
  }
  return static_cast<F>(value);
}

}  // namespace

double NarrowToDouble(long double value) {
  return Narrow<double>(value);
}
float NarrowToSingle(long double value) {
  return Narrow<float>(value);
}
