// Tables and folded text columns of one database, kept between the statements of a connection
// for as long as the file is not written.
#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "provider/jet/database.h"
#include "provider/sql/row_source.h"
#include "provider/status.h"

namespace provider {

// A table opened by one statement serves the next ones (its rows are located once), and the
// folded text of a column is built on the first search of that column and read by every later
// search instead of the rows. Folded columns stay within a byte budget, the least recently
// searched dropped first.
//
// What the next statement reads is the file as it is when the statement begins, whoever wrote
// it (this process, through any object, or another program; the file is shared for reading and
// writing): every OpenTable compares the file's stamp (jet::FileStamp: size, modification and
// change times, inode) with the one everything kept was read under, and when the file has been
// written since, or was written too recently for its stamp to tell, everything kept is dropped
// and the file is opened afresh (it may have grown, and its catalog may have changed), so that
// nothing is kept while the stamp is not settled. A write therefore costs the next statement
// the opening of its tables; a writer needs to do nothing for it to be seen.
//
// Used by one thread at a time. Tables handed out keep the database they read alive, so they
// stay readable after they are dropped and after the file is opened afresh.
class TableCache {
 public:
  struct Options {
    // False: nothing is kept, every statement opens its tables afresh and searches read rows
    // (a written file is still opened afresh).
    bool keep = true;
    // Room for the titles of three tables of 100000 records.
    std::size_t foldedBudget = std::size_t{32} << 20;
  };

  explicit TableCache(std::shared_ptr<const jet::Database> database);
  TableCache(std::shared_ptr<const jet::Database> database, Options options);

  // The database as the last OpenTable found the file.
  const std::shared_ptr<const jet::Database>& Database() const { return database_; }

  // The table `name` (letter case ignored), failing as jet::Database::OpenTable does, or as
  // jet::Database::Reopen does when the file has been written and cannot be opened again.
  Result<std::shared_ptr<const jet::Table>> OpenTable(std::string_view name);

  // The folded text of text or memo column `column` of `table`, one of the tables OpenTable
  // handed out; null when nothing is kept. Built here when missing, which reads every row.
  Result<std::shared_ptr<const sql::FoldedColumn>> FoldedText(const jet::Table& table,
                                                              std::uint32_t column);

  // The memory the kept folded columns hold.
  std::size_t FoldedBytes() const { return foldedBytes_; }

 private:
  using FoldedKey = std::pair<const jet::Table*, std::uint32_t>;

  // Drops everything kept, and opens the file afresh, when it is not provably the one it was
  // read from.
  Status Revalidate();
  // `table`, opened from database_, holding database_ alive.
  std::shared_ptr<const jet::Table> Hold(std::unique_ptr<jet::Table> table) const;
  void Evict();

  std::shared_ptr<const jet::Database> database_;
  Options options_;
  jet::FileStamp stamp_;
  bool stamped_ = false;
  // By the name asked for with ASCII letters in lower case, as Jet ignores their case.
  std::map<std::string, std::shared_ptr<const jet::Table>> tables_;
  std::map<FoldedKey, std::shared_ptr<const sql::FoldedColumn>> folded_;
  std::list<FoldedKey> recent_;  // most recently searched first
  std::size_t foldedBytes_ = 0;
};

// The folded text of every row of text or memo column `column` of `table`.
Result<std::shared_ptr<const sql::FoldedColumn>> FoldColumn(const jet::Table& table,
                                                            std::uint32_t column);

}  // namespace provider
