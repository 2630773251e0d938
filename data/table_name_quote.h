// Putting a table or procedure name that holds a space into square brackets.
#pragma once

#include "core/sysutils.h"

// A name without a space, or one that starts with '[', comes back unchanged. Otherwise the
// brackets go round the part after the last '.' (an owner prefix stays outside them) and
// before the first ';' (a procedure number stays outside): "my table" -> "[my table]",
// "dbo.my table" -> "dbo.[my table]", "my proc;1" -> "[my proc];1".
WideString BracketQuotedName(const WideString& name);
