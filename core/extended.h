// The 80-bit extended-precision floats of component streams, decoded bit by bit.
#pragma once

#include <cstdint>

// Decodes the x87 layout (64-bit mantissa with explicit integer bit, 15-bit exponent, sign),
// little-endian. Infinities and NaNs keep their sign; denormals are exact where long double
// has the x87 format and rounded to nearest otherwise; unnormals (integer bit clear with a
// non-zero exponent), which the x87 rejects as invalid operands, become NaN.
long double ExtendedToLongDouble(const std::uint8_t bytes[10]);

// Narrowing that saturates to infinity instead of leaving an out-of-range value undefined.
double NarrowToDouble(long double value);
float NarrowToSingle(long double value);
