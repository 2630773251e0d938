// Text forms of names, strings and numbers shared by the description printer and parser.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/valuetag.h"

namespace formc {

// Parsed string literals hold code points and, for "\xHH" escapes, raw bytes: a raw byte b is
// kept as kRawByte + b, outside the Unicode range, so each tag can decide what it means.
inline constexpr char32_t kRawByte = 0x110000;

// A name written without quotes: a letter or '_', then letters, digits and '_'; with dots
// allowed between such parts when dotted is true.
bool IsPlainName(std::string_view name, bool dotted);

// Quoted forms that parse back to exactly the given bytes or units: single-byte text in the
// system code page (also used for names), UTF-8 text as stored, and UTF-16 text.
std::string QuoteAnsi(std::string_view bytes);
std::string QuoteUtf8(std::string_view bytes);
std::string QuoteWide(std::u16string_view units);

// Conversions of a parsed literal to each text form; nullopt, with the offending character in
// *bad, when the literal holds something that form cannot store exactly.
std::optional<std::string> LiteralToAnsi(std::u32string_view literal, char32_t* bad);
std::optional<std::string> LiteralToUtf8(std::u32string_view literal, char32_t* bad);
std::optional<std::u16string> LiteralToWide(std::u32string_view literal, char32_t* bad);

// Compares ASCII words without regard to letter case (keywords, identifier names).
bool EqualNoCase(std::string_view a, std::string_view b);

// Decodes one well-formed UTF-8 sequence at text[*pos] (no overlong forms, no surrogates),
// advancing *pos; returns nullopt and leaves *pos alone on a malformed sequence.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t* pos);

// The shortest decimal text that parses back to exactly the payload of an extended (5),
// single (15) or date (17) value, or nullopt when no decimal text does (unusual NaNs and
// non-canonical extended encodings).
std::optional<std::string> FormatFloat(ValueTag tag, std::string_view payload);
// The payload of a decimal text ("1.5", "-2e10", "inf", "nan") for those tags; nullopt when the
// text is not a number or overflows the type.
std::optional<std::string> ParseFloat(ValueTag tag, std::string_view text);

// Currency amounts as decimal text with at most four fraction digits ("1.25" is 12500).
std::string FormatCurrency(std::int64_t scaled);
std::optional<std::int64_t> ParseCurrency(std::string_view text);

}  // namespace formc
