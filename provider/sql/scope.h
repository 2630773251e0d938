// The names a statement can use: the columns of its input, its table name or alias, and the
// values given for its parameter markers.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "provider/sql/like_matcher.h"
#include "provider/sql/row_source.h"
#include "provider/sql/statement.h"
#include "provider/value.h"

namespace provider::sql {

// Names match as the search folding compares text (so letter case does not matter). An
// unknown name is, as in Jet, a parameter nobody gave a value for.
struct Scope {
  const std::vector<Column>* columns = nullptr;
  std::u16string_view table;
  std::u16string_view alias;  // replaces the table name as qualifier when set
  std::span<const Value> parameters;
  std::u16string_view whereText;
  Wildcards wildcards = Wildcards::ansi;

  // The column a name refers to, or nothing when the name is unknown or its qualifier is not
  // this statement's table.
  std::optional<std::uint32_t> Find(const ColumnName& name) const;
  // Whether a qualifier ("t" of "t.x") names this statement's table.
  bool IsOwnQualifier(std::u16string_view qualifier) const;
};

bool NamesEqual(std::u16string_view a, std::u16string_view b);

}  // namespace provider::sql
