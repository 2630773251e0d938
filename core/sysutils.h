// Single-byte and UTF-16 string types and the small text helpers the framework shares.
#pragma once

#include <string>
#include <string_view>

// Text in the system code page (1256), one byte per character.
using AnsiString = std::string;
// UTF-16 text.
using WideString = std::u16string;

// printf-style formatting into a single-byte string.
AnsiString Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Encloses the text in single quotes, doubling every quote inside.
AnsiString QuotedStr(std::string_view s);

// Comparison without regard to the case of ASCII letters; CompareText returns <0, 0 or >0.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

AnsiString UpperCase(std::string_view s);

// A name made of letters, digits and underscores that does not start with a digit.
bool IsValidIdent(std::string_view s);
