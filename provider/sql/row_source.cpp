// What every row source can do the plain way.
#include "provider/sql/row_source.h"

#include "provider/sql/search_fold.h"

namespace provider::sql {

Result<bool> RowSource::GetFoldedText(std::uint32_t row, std::uint32_t column,
                                      std::u16string& buffer) {
  std::u16string raw;
  Result<bool> present = GetText(row, column, raw);
  if (present.ok() && present.value()) FoldText(raw, buffer);
  return present;
}

Result<bool> RowSource::GetFoldedTextUntil(std::uint32_t row, std::uint32_t column,
                                           std::u16string& buffer,
                                           const std::function<bool(std::u16string_view)>& enough) {
  Result<bool> present = GetFoldedText(row, column, buffer);
  if (present.ok() && present.value()) enough(buffer);
  return present;
}

}  // namespace provider::sql
