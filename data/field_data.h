// The native forms in which a dataset hands a field its value.
#pragma once

#include <cstdint>
#include <variant>
#include <vector>

#include "core/sysutils.h"
#include "provider/variant.h"

// Text arrives as ANSI text in the system code page (string, fixed-char and GUID fields) or as
// a wide string (wide string fields); 16-bit integers for smallint, word and boolean-as-integer
// providers; 32-bit for integer and auto-increment; 64-bit for large integers; double for
// floats, currency, BCD and dates (the date's day number); bool for booleans; bytes for bytes
// and var-bytes; the provider's variant itself for blobs, memos and variant fields.
using TFieldData =
    std::variant<std::monostate, AnsiString, WideString, std::int16_t, std::int32_t, std::int64_t,
                 double, bool, std::vector<std::uint8_t>, provider::Variant>;
