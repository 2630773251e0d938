// Text from outside (paths, names, statements) checked as UTF-8 and made safe to print in a
// one-line message.
#pragma once

#include <string>
#include <string_view>

namespace tools {

// Whether `text` is well-formed UTF-8: no stray continuation byte, no truncated, overlong or
// surrogate sequence, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// `text` with well-formed UTF-8 kept as it is (Persian names stay readable) and every control
// character, and every byte that is not part of well-formed UTF-8, written as \xNN: a message
// stays one line and shows what the name really holds.
std::string Printable(std::string_view text);

}  // namespace tools
