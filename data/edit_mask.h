// Edit masks: laying a value out by a mask for display.
#pragma once

#include <string_view>

#include "core/sysutils.h"

// Formats value by an edit mask "mask;save literals;blank". In the mask, 'L' 'l' 'A' 'a' 'C' 'c'
// '0' '9' '#' each take the next character of the value; '\' makes the following character a
// literal; '>' upper-cases what follows, '<' lower-cases it, "<>" ends either; '!' is accepted
// and ignored; any other character is a literal. When the second section is '0' the value holds
// no literals and they are inserted; otherwise the value holds them and they are skipped over.
// Positions the value does not fill show the blank character (the third section, else a space).
AnsiString FormatMaskText(std::string_view editMask, std::string_view value);
