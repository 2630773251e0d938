// Letter case in the system code page, for comparisons that follow the locale.
#pragma once

#include <string_view>

#include "core/sysutils.h"

// Comparison and upper-casing through the characters' UTF-16 forms, so that letters outside
// ASCII that the code page holds in both cases (Œ/œ) match too; Arabic-script letters have no
// case and compare as they are.
int AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);
AnsiString AnsiUpperCase(std::string_view s);
