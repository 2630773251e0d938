// Copying a Jet table into SQLite, value by value, in one transaction.
#include "bench/provider/sqlite_copy.h"

#include <sqlite3.h>

#include <cstdio>

#include "platform/codepage.h"
#include "provider/jet/database.h"

namespace bench {
namespace {

using provider::Status;
using provider::jet::ColumnType;

const char* SqlType(ColumnType type) {
  switch (type) {
    case ColumnType::boolean:
    case ColumnType::byte:
    case ColumnType::integer:
    case ColumnType::longInteger:
      return "INTEGER";
    case ColumnType::single:
    case ColumnType::doubleFloat:
    case ColumnType::dateTime:
      return "REAL";
    case ColumnType::text:
    case ColumnType::memo:
      return "TEXT";
    default:
      return "BLOB";
  }
}

std::string Quoted(const std::string& name) {
  return "\"" + name + "\"";
}

Status Failure(sqlite3* db, const std::string& what) {
  return Status::IoError(what + ": " + sqlite3_errmsg(db), "sqlite copy");
}

Status Bind(sqlite3_stmt* insert, int index, const provider::Value& value) {
  int rc = SQLITE_OK;
  if (provider::IsNull(value)) {
    rc = sqlite3_bind_null(insert, index);
  } else if (auto* b = std::get_if<bool>(&value)) {
    rc = sqlite3_bind_int(insert, index, *b ? 1 : 0);
  } else if (auto* i = std::get_if<std::int64_t>(&value)) {
    rc = sqlite3_bind_int64(insert, index, *i);
  } else if (auto* d = std::get_if<double>(&value)) {
    rc = sqlite3_bind_double(insert, index, *d);
  } else if (auto* t = std::get_if<provider::DateTime>(&value)) {
    rc = sqlite3_bind_double(insert, index, t->days);
  } else if (auto* text = std::get_if<std::u16string>(&value)) {
    const std::string utf8 = platform::WideToUtf8(*text);
    rc = sqlite3_bind_text(insert, index, utf8.data(), static_cast<int>(utf8.size()),
                           SQLITE_TRANSIENT);
  } else if (auto* bytes = std::get_if<provider::Bytes>(&value)) {
    rc = sqlite3_bind_blob(insert, index, bytes->data(), static_cast<int>(bytes->size()),
                           SQLITE_TRANSIENT);
  } else {
    return Status::NotSupported("a value kind this copy does not carry", "sqlite copy");
  }
  return rc == SQLITE_OK ? Status::Ok() : Status::IoError("cannot bind a value", "sqlite copy");
}

}  // namespace

Status CopyTableToSqlite(const std::string& mdb, const std::string& table,
                         const std::string& sqlite) {
  auto jet = provider::jet::Database::Open(mdb);
  if (!jet.ok()) return jet.status();
  auto opened = jet.value()->OpenTable(table);
  if (!opened.ok()) return opened.status();
  const provider::jet::Table& source = *opened.value();

  std::remove(sqlite.c_str());
  sqlite3* db = nullptr;
  if (sqlite3_open(sqlite.c_str(), &db) != SQLITE_OK) {
    Status failed = Failure(db, "cannot create " + sqlite);
    sqlite3_close(db);
    return failed;
  }
  std::string create = "CREATE TABLE " + Quoted(table) + " (";
  std::string insertSql = "INSERT INTO " + Quoted(table) + " VALUES (";
  for (std::size_t c = 0; c < source.Columns().size(); ++c) {
    if (c > 0) {
      create += ", ";
      insertSql += ", ";
    }
    create += Quoted(source.Columns()[c].name) + " " + SqlType(source.Columns()[c].type);
    insertSql += "?";
  }
  create += ")";
  insertSql += ")";

  Status status;
  sqlite3_stmt* insert = nullptr;
  if (sqlite3_exec(db, create.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK ||
      sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK ||
      sqlite3_prepare_v2(db, insertSql.c_str(), -1, &insert, nullptr) != SQLITE_OK) {
    status = Failure(db, "cannot prepare the copy");
  }
  for (std::size_t row = 0; status.ok() && row < source.RowCount(); ++row) {
    for (std::size_t c = 0; status.ok() && c < source.Columns().size(); ++c) {
      auto value = source.GetValue(row, c);
      status = value.ok() ? Bind(insert, static_cast<int>(c + 1), value.value()) : value.status();
    }
    if (status.ok() && sqlite3_step(insert) != SQLITE_DONE) status = Failure(db, "cannot insert");
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  if (status.ok() && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
    status = Failure(db, "cannot commit");
  sqlite3_close(db);
  if (!status.ok()) std::remove(sqlite.c_str());
  return status;
}

}  // namespace bench
