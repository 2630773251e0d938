// Parses statement text into a Statement.
#pragma once

#include <string_view>

#include "provider/sql/statement.h"
#include "provider/status.h"

namespace provider::sql {

// Parses one SELECT statement: keywords in any case, whitespace and CR LF anywhere between
// tokens, an optional final ';'. A statement the subset does not answer fails with the Jet
// description of what is wrong (see jet_errors.h); nothing is guessed.
Result<Statement> Parse(std::u16string_view text);

}  // namespace provider::sql
