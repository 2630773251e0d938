// Keeping tables and folded columns while the file stays as it was.
#include "provider/table_cache.h"

#include <algorithm>

#include "provider/jet/row_cursor.h"
#include "provider/sql/search_fold.h"

namespace provider {
namespace {

std::string Key(std::string_view name) {
  std::string key(name);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return key;
}

}  // namespace

TableCache::TableCache(std::shared_ptr<const jet::Database> database)
    : TableCache(std::move(database), Options{}) {}

TableCache::TableCache(std::shared_ptr<const jet::Database> database, Options options)
    : database_(std::move(database)), options_(options) {}

Status TableCache::Revalidate() {
  jet::FileStamp now = database_->Stamp();
  if (stamped_ && stamp_.settled && stamp_.SameFile(now)) return Status::Ok();
  tables_.clear();
  folded_.clear();
  recent_.clear();
  foldedBytes_ = 0;
  // Pages mapped before a write may lie beyond the old end of the file, and pages decrypted
  // before it are copies: only a fresh opening reads the file as it is now.
  if (stamped_) {
    Result<std::unique_ptr<jet::Database>> reopened = database_->Reopen();
    // The stamp kept still differs, so the next statement tries again.
    if (!reopened.ok()) return reopened.status();
    database_ = std::shared_ptr<const jet::Database>(reopened.take());
    now = database_->Stamp();
  }
  stamp_ = now;
  stamped_ = true;
  return Status::Ok();
}

std::shared_ptr<const jet::Table> TableCache::Hold(std::unique_ptr<jet::Table> table) const {
  struct Held {
    std::shared_ptr<const jet::Database> database;
    std::unique_ptr<jet::Table> table;  // destroyed first
  };
  auto held = std::make_shared<Held>(Held{database_, std::move(table)});
  return std::shared_ptr<const jet::Table>(held, held->table.get());
}

Result<std::shared_ptr<const jet::Table>> TableCache::OpenTable(std::string_view name) {
  Status current = Revalidate();
  VELMORA_RETURN_IF_ERROR(current);
  if (!options_.keep) {
    Result<std::unique_ptr<jet::Table>> opened = database_->OpenTable(name);
    if (!opened.ok()) return opened.status();
    return Hold(opened.take());
  }
  const std::string key = Key(name);
  if (auto found = tables_.find(key); found != tables_.end()) return found->second;
  Result<std::unique_ptr<jet::Table>> opened = database_->OpenTable(name);
  if (!opened.ok()) return opened.status();
  std::shared_ptr<const jet::Table> table = Hold(opened.take());
  // What is read from a file written moments ago may be outdated by a write the stamp misses.
  if (stamp_.settled) tables_[key] = table;
  return table;
}

Result<std::shared_ptr<const sql::FoldedColumn>> TableCache::FoldedText(const jet::Table& table,
                                                                        std::uint32_t column) {
  if (!options_.keep) return std::shared_ptr<const sql::FoldedColumn>();
  const FoldedKey key{&table, column};
  if (auto found = folded_.find(key); found != folded_.end()) {
    recent_.remove(key);
    recent_.push_front(key);
    return found->second;
  }
  Result<std::shared_ptr<const sql::FoldedColumn>> built = FoldColumn(table, column);
  if (!built.ok()) return built.status();
  // Kept only for a table still kept, and never alone over the budget.
  const bool current = std::any_of(tables_.begin(), tables_.end(),
                                   [&](const auto& entry) { return entry.second.get() == &table; });
  const std::size_t size = built.value()->Bytes();
  if (current && size <= options_.foldedBudget) {
    folded_[key] = built.value();
    recent_.push_front(key);
    foldedBytes_ += size;
    Evict();
  }
  return built;
}

void TableCache::Evict() {
  while (foldedBytes_ > options_.foldedBudget && !recent_.empty()) {
    auto oldest = folded_.find(recent_.back());
    foldedBytes_ -= oldest->second->Bytes();
    folded_.erase(oldest);
    recent_.pop_back();
  }
}

Result<std::shared_ptr<const sql::FoldedColumn>> FoldColumn(const jet::Table& table,
                                                            std::uint32_t column) {
  auto folded = std::make_shared<sql::FoldedColumn>();
  const std::size_t rows = table.RowCount();
  folded->starts.reserve(rows + 1);
  folded->present.reserve(rows);
  folded->starts.push_back(0);
  std::u16string piece;
  jet::RowCursor cursor(table);
  for (std::size_t row = 0; row < rows; ++row) {
    VELMORA_RETURN_IF_ERROR(cursor.MoveTo(row));
    Result<bool> present = cursor.GetText(column, piece, &sql::FoldTable());
    if (!present.ok()) return present.status();
    if (present.value()) folded->text += piece;
    folded->present.push_back(present.value());
    folded->starts.push_back(static_cast<std::uint32_t>(folded->text.size()));
  }
  folded->text.shrink_to_fit();
  return std::shared_ptr<const sql::FoldedColumn>(std::move(folded));
}

}  // namespace provider
