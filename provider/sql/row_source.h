// What statements read: tables as row sources, found by name through a resolver.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "provider/status.h"
#include "provider/value.h"

namespace provider::sql {

// The kind of value a column holds: which alternative of Value its non-Null values take
// (boolean: bool, integer: int64, real: double, text: u16string for text and memo columns...).
enum class ColumnKind { boolean, integer, real, currency, dateTime, text, binary, guid, decimal };

struct Column {
  std::u16string name;
  ColumnKind kind;
};

// Every row's value of one text column, folded for LIKE (search_fold.h) and laid end to end, so
// that a search reads no row: row r's folded text is text[starts[r], starts[r + 1]), and
// present[r] is false where the value is Null (its text then empty).
struct FoldedColumn {
  std::u16string text;
  std::vector<std::uint32_t> starts;
  std::vector<bool> present;

  std::uint32_t RowCount() const { return static_cast<std::uint32_t>(present.size()); }
  std::u16string_view Row(std::uint32_t row) const {
    return std::u16string_view(text).substr(starts[row], starts[row + 1] - starts[row]);
  }
  // The memory the column holds.
  std::size_t Bytes() const {
    return text.capacity() * sizeof(char16_t) + starts.capacity() * sizeof(std::uint32_t) +
           present.capacity() / 8;
  }
};

// A table's rows, numbered 0..RowCount()-1, decoded only when asked: a statement filtering
// on one column reads only that column of each row. The source stays owned by whoever
// resolved it and must outlive every result over it.
class RowSource {
 public:
  virtual ~RowSource() = default;

  virtual const std::vector<Column>& Columns() const = 0;
  virtual std::uint32_t RowCount() const = 0;

  // One value of one row, Null as std::monostate.
  virtual Result<Value> GetValue(std::uint32_t row, std::uint32_t column) = 0;

  // The value of a text column into buffer, reusing its storage; false when the value is
  // Null. Searches call this once per row, so a source that can decode into the buffer
  // directly should override it; this default goes through GetValue.
  virtual Result<bool> GetText(std::uint32_t row, std::uint32_t column, std::u16string& buffer) {
    Result<Value> v = GetValue(row, column);
    VELMORA_RETURN_IF_ERROR(v);
    if (IsNull(v.value())) return false;
    if (auto* text = std::get_if<std::u16string>(&v.value())) {
      buffer.assign(*text);
      return true;
    }
    return Status::InvalidArgument("column is not text", "row source");
  }

  // The value of a text column folded for LIKE (search_fold.h) into buffer, reusing its
  // storage; false when the value is Null. A source that can fold while it decodes overrides
  // this default, which folds what GetText gives.
  virtual Result<bool> GetFoldedText(std::uint32_t row, std::uint32_t column,
                                     std::u16string& buffer);

  // GetFoldedText for a reader that may not need the whole text: `enough` is shown ever longer
  // beginnings of the folded text, the whole text last, until it returns true, and the rest is
  // then left unread; `buffer` holds the last beginning shown. Null shows nothing and returns
  // false. A source that decodes a part at a time overrides this default, which folds the whole
  // text and shows it once.
  virtual Result<bool> GetFoldedTextUntil(std::uint32_t row, std::uint32_t column,
                                          std::u16string& buffer,
                                          const std::function<bool(std::u16string_view)>& enough);

  // The folded text of every row of a text column, or null when the source keeps none; a
  // source that can keep it between statements offers it here, and searches then read it
  // instead of the rows.
  virtual Result<std::shared_ptr<const FoldedColumn>> FoldedText(std::uint32_t /*column*/) {
    return std::shared_ptr<const FoldedColumn>();
  }
};

// A name in FROM: a table, or a saved select query given by its SQL text, or neither when
// there is no such name (the statement then fails the way Jet words it).
struct NamedSource {
  RowSource* table = nullptr;
  std::optional<std::u16string> query;
  // The saved query was written with the designer's wildcards ('*', '?', '#'), as queries
  // saved by the database's own designer are, rather than the ANSI ones ('%', '_').
  bool designerWildcards = false;
};

// Finds tables and saved queries by name, ignoring letter case as Jet does.
class Resolver {
 public:
  virtual ~Resolver() = default;
  // A failure (say, a corrupt catalog) is passed on to the statement's caller.
  virtual Result<NamedSource> Find(std::u16string_view name) = 0;
};

}  // namespace provider::sql
