// The conversions between the native value forms a field receives and the values it reports.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "data/field_data.h"

// Each gives nothing when the form cannot be read as the kind asked for (a byte array as a
// number, a number as bytes); the caller then reports the conversion it could not make.
// Text: ANSI text as it is, wide text and the variant's strings converted to the system code
// page. Numbers: integers, doubles, booleans (1/0) and the variant's numeric values.
std::optional<AnsiString> TextOfData(const TFieldData& data);
std::optional<std::int64_t> IntegerOfData(const TFieldData& data);
std::optional<double> FloatOfData(const TFieldData& data);
std::optional<bool> BooleanOfData(const TFieldData& data);
std::optional<std::vector<std::uint8_t>> BytesOfData(const TFieldData& data);

// Any value of the provider as text in the system code page: numbers in their general form,
// booleans as True/False, dates as "yyyy-mm-dd hh:nn:ss", GUIDs braced, bytes as they are.
AnsiString VariantText(const provider::Variant& value);
