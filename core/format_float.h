// Number formatting with picture strings ("#,##0.00", "0;(0);zero").
#pragma once

#include "core/sysutils.h"

// Formats value by a picture of up to three sections separated by ';': positive, negative and
// zero. A negative value formatted by its own section loses its sign; an empty negative or
// zero section falls back to the first. Inside a section:
//   '0'  a digit, always shown (leading and trailing zeros are kept);
//   '#'  a digit, shown only when significant;
//   '.'  the decimal point: the count of '0' and '#' after the first one is the number of
//        decimals, the value being rounded half away from zero;
//   ','  anywhere before the point: group the integer digits by three with ',';
//   "…" or '…'  literal text; any other character is copied as it stands.
// Exponent forms ("E+", "e-") are not supported: 'E' and 'e' are copied as text. The decimal
// and thousands separators are always '.' and ','. An empty picture gives the shortest general
// form of the value (up to 15 significant digits).
AnsiString FormatFloat(std::string_view picture, double value);

// The general form: up to `precision` significant digits, no trailing zeros.
AnsiString FloatToStr(double value, int precision = 15);
