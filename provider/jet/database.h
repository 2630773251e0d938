// An open Jet 3 or Jet 4 database file: its tables and saved queries, read-only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "provider/jet/catalog.h"
#include "provider/jet/header.h"
#include "provider/jet/page_file.h"
#include "provider/jet/saved_query.h"
#include "provider/jet/table.h"
#include "provider/status.h"

namespace provider::jet {

struct OpenOptions {
  // The database password (UTF-8); a database that has one is refused without it.
  std::string password;
  // Code page of Jet 3 text when it differs from the one the header records (0 = the header's).
  std::uint16_t codePage = 0;
};

// A saved query as the catalog lists it.
struct QueryInfo {
  std::string name;
  std::int32_t objectId = 0;
  std::uint32_t flags = 0;  // & 0xF0: 0x00 select, 0x10 crosstab, … 0x80 union
  bool IsSelect() const { return (flags & 0xF0) == 0; }
};

// Owns the file; tables opened from it refer to it and must not outlive it. Thread-compatible:
// const methods may run concurrently.
//
// A damaged file (one cut short, most often) is never read as a smaller database. What it still
// gives is decided per table: the catalog must be whole for the file to open at all, and a table
// opens only when its definition, its usage map and every page the map names are in the file,
// and then it has all its rows. A table that does not open fails with a corruption status naming
// the table and the structure that referred to the missing page; a memo or OLE value whose pages
// are gone fails the same way when it is read, and the row's other values stay readable.
class Database {
 public:
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Opens the file at `path` read-only. A rollback journal a writer left beside it is rolled back
  // first (or, when the file may not be written or its writer still lives, applied to a copy in
  // memory), so the database is read as the last finished commit left it. Failures: notFound ("Could not find file 'x'."),
  // notSupported ("Unrecognized database format 'x'."), invalidArgument ("Not a valid
  // password."), io, corruption.
  static Result<std::unique_ptr<Database>> Open(const std::string& path,
                                                const OpenOptions& options = {});
  // Opens a database held in memory; `name` stands for the file in messages.
  static Result<std::unique_ptr<Database>> OpenBuffer(std::vector<std::uint8_t> bytes,
                                                      const std::string& name,
                                                      const OpenOptions& options = {});

  // The same file opened afresh with the same options, for a reader that has seen its stamp
  // change: its size, pages and catalog may all differ from what this object read. Fails as
  // Open fails; notSupported for a database held in memory, which never changes.
  Result<std::unique_ptr<Database>> Reopen() const;

  const DatabaseHeader& FileHeader() const { return header_; }
  // The file's stamp now, to tell whether it has been written since an earlier one.
  FileStamp Stamp() const { return file_->Stamp(); }
  const Format& FileFormat() const { return *header_.format; }
  // The file's pages, for readers of structures the tables do not offer (index pages).
  const PageFile& File() const { return *file_; }
  JetVersion Version() const { return header_.format->version; }
  // The code page Jet 3 text is read in: the options' when they name one, else the header's.
  std::uint16_t CodePage() const { return codePage_; }

  // Local and linked tables, system ones included (see CatalogEntry::IsSystem()), in catalog order.
  const std::vector<CatalogEntry>& Tables() const { return tables_; }
  // The names of the local tables that are not system tables, in catalog order.
  std::vector<std::string> UserTableNames() const;
  const std::vector<QueryInfo>& Queries() const { return queries_; }

  // Opens a local table by name, letter case ignored. notFound when there is no such table,
  // notSupported for a linked table.
  Result<std::unique_ptr<Table>> OpenTable(std::string_view name) const;
  // The definition of the local table `name` alone, without locating its rows (for writers).
  // Failures as OpenTable's.
  Result<TableDef> TableDefinition(std::string_view name) const;
  // The SELECT text of the saved select query `name`; notFound when there is none,
  // notSupported for other kinds of query.
  Result<std::string> QueryText(std::string_view name) const;

 private:
  Database() = default;
  static Result<std::unique_ptr<Database>> Load(std::unique_ptr<PageFile> file,
                                                const std::string& name,
                                                const OpenOptions& options);
  Result<std::unique_ptr<Table>> OpenDefinition(std::uint32_t page, const std::string& name) const;

  std::unique_ptr<PageFile> file_;
  std::string path_;  // empty for a database held in memory
  OpenOptions options_;
  DatabaseHeader header_;
  std::uint16_t codePage_ = 0;
  std::vector<CatalogEntry> tables_;
  std::vector<QueryInfo> queries_;
};

}  // namespace provider::jet
