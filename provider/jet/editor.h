// Changes to the rows of an existing Jet 3 or Jet 4 file and tables added to it, made all or
// nothing: the engine's write API.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "provider/jet/database.h"
#include "provider/jet/writer_table_def.h"
#include "provider/status.h"
#include "provider/value.h"

namespace provider::jet {

class EditSession;

// A new value for one column of a row: `column` is an index into Table::Columns() (column-number
// order, deleted columns absent), the order every reader of the table uses.
struct ColumnValue {
  std::size_t column = 0;
  Value value;
};

// Writes one database file. While an Editor lives it holds the file's writer lock (a lock entry
// in the `.ldb` file beside it, as Access keeps one): a second Editor on the same file, in this
// process or another, is refused; readers are never refused and take no lock.
//
// Changes are grouped in transactions. Begin() opens one; the changes after it are kept in memory
// and reach the file only at Commit(), all or nothing: the pages they overwrite are first saved to
// a rollback journal beside the file (`<file>-journal`), synced before the file is touched and
// removed once the file is synced. A journal left by a writer that died is rolled back by the
// next Editor or Database that opens the file, so every reader sees the old or the new state of
// a transaction, never a part. A change made while no transaction is open is a transaction of
// its own (begun and committed around it).
//
// A change that fails leaves the transaction as it was before that change; nothing reaches the
// file until Commit. Rows are named by their location (page << 8 | slot) as Table::RowLocation
// gives it.
//
// Every index of the table is kept: inserts add the row's entries, deletes remove them, an update
// that changes a key column moves the row's entry.
//
// Failures are statuses: notFound (no such table or row), invalidArgument (a value that does not
// suit its column, text a Jet 3 file's code page has no equivalent for, a row too long for a
// page, a key a unique index holds already, a Null in a required or primary key), notSupported
// (a change that needs an index key this engine cannot encode: a memo or OLE key, an empty binary
// value, a text column sorted in another order than "General", a text holding a character whose
// sort code is not established, named in the message, a Jet 3 text the files Access made show no
// key for, such as one ending in a tab, or a Jet 3 text key in a code page other than 1252), io
// (the lock, a read-only file, a failed write) and corruption (a damaged page met on the way, an
// index lacking a row's entry).
class Editor {
 public:
  ~Editor();
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  // Opens the file at `path` for writing. Failures: notFound ("Could not find file 'x'."),
  // io ("Cannot update. Database or object is read-only." for a file or folder this process
  // may not write; "Could not update; currently locked by user 'Admin' on machine 'm'." while
  // another Editor holds the file), corruption.
  static Result<std::unique_ptr<Editor>> Open(const std::string& path,
                                              const OpenOptions& options = {});

  // Whether Open may write the file at `path`: the file and its folder are writable by this
  // process and by someone at all (a file nobody may write is read-only for the superuser too).
  static bool CanWrite(const std::string& path);

  // The database as it was at the last commit (or at Open): what the changes apply to.
  const provider::jet::Database& Database() const;

  // Opens a transaction; invalidArgument when one is open already.
  Status Begin();
  bool InTransaction() const;

  // Adds a row: one value per column of the table, in Table::Columns() order. An AutoNumber
  // column takes Null and is given the table's next number (see LastAutoNumber()). Returns
  // the new row's location.
  Result<std::uint32_t> InsertRow(std::string_view table, const std::vector<Value>& values);
  // Gives the row at `location` the values in `changes`; the other columns keep their stored
  // bytes exactly. A row that no longer fits its slot moves and leaves a forwarding pointer in
  // its slot; a replaced memo or OLE value's old space is freed. Returns where Table lists the
  // row from now on: the location of the slot that names it, which a move does not change.
  Result<std::uint32_t> UpdateRow(std::string_view table, std::uint32_t location,
                                  const std::vector<ColumnValue>& changes);
  // Deletes the row at `location` and its memo and OLE values.
  Status DeleteRow(std::string_view table, std::uint32_t location);

  // Adds the empty user table `design` to the file and commits it: its definition page and
  // usage maps, its catalog entry (kept in the catalog's indexes) and the permissions Access
  // gives a new table, created at `created`. Text and memo columns take the database's sort
  // order. Tables are added outside transactions, so that a transaction's changes always apply
  // to tables the file holds. Failures: invalidArgument (a transaction is open; a table or query
  // of that name exists, letter case ignored; a bad design, "'x' is not a valid name. ..." for a
  // bad name, a Jet 3 name its code page cannot hold), notSupported (a name whose catalog index
  // key cannot be encoded).
  Status CreateTable(const TableSpec& design, DateTime created);

  // Writes the open transaction's changes to the file, synced, and closes the transaction.
  // On failure the file holds the state before the transaction (restored from the journal
  // when the failure came after the first page was written) and the transaction is closed.
  Status Commit();
  // Forgets the open transaction's changes; the file was never touched.
  void Rollback();

  // The AutoNumber the last inserted row was given (0 before any).
  std::int64_t LastAutoNumber() const;

 private:
  explicit Editor(std::unique_ptr<EditSession> session);

  std::unique_ptr<EditSession> session_;
};

}  // namespace provider::jet
