// Name lookup in a statement's scope.
#include "provider/sql/scope.h"

#include "provider/sql/value_compare.h"

namespace provider::sql {

bool NamesEqual(std::u16string_view a, std::u16string_view b) {
  return CompareText(a, b) == 0;
}

bool Scope::IsOwnQualifier(std::u16string_view qualifier) const {
  return NamesEqual(qualifier, alias.empty() ? table : alias);
}

std::optional<std::uint32_t> Scope::Find(const ColumnName& name) const {
  if (!name.qualifier.empty() && !IsOwnQualifier(name.qualifier)) return std::nullopt;
  for (std::uint32_t i = 0; i < columns->size(); ++i) {
    if (NamesEqual((*columns)[i].name, name.name)) return i;
  }
  return std::nullopt;
}

}  // namespace provider::sql
