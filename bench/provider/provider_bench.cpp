// In-process figures for the engine and SQLite's library on the same rows: opening and reading a
// whole table; the summary search's statement (LIKE on the titles) on a connection that has
// searched the table before and on one just opened; the advanced search's statement (LIKE on the
// answers); and the summary search with every value of the found rows read. A statement's figure
// is the work of finding its rows, which SQLite does counting them.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/provider/sqlite_copy.h"
#include "platform/codepage.h"
#include "provider/jet/database.h"
#include "provider/jet/row_cursor.h"
#include "provider/jet_resolver.h"
#include "provider/source.h"
#include "provider/sql/query.h"
#include "provider/table_cache.h"

namespace {

struct Setup {
  std::string mdb = BENCH_DATABASE;
  std::string sqlite;
  std::string table = "kolliyat";
  std::string pattern = "مع";
  std::string memoPattern = "اندیشه";
  std::string Search() const {
    return "SELECT * FROM " + table + " where kholase like '%" + pattern + "%'";
  }
  std::string MemoSearch() const {
    return "SELECT * FROM " + table + " where pasokh like '%" + memoPattern + "%'";
  }
  // SQLite's form of a statement: its LIKE evaluated on every row, the found rows counted.
  static std::string Counted(const std::string& statement) {
    return "SELECT count(*)" + statement.substr(std::string("SELECT *").size());
  }
};

Setup& Config() {
  static Setup setup;
  return setup;
}

[[noreturn]] void Die(const std::string& message) {
  std::fprintf(stderr, "provider_bench: %s\n", message.c_str());
  std::exit(1);
}

// Every value of every column of the rows `result` selected, as a reader of the result would.
std::size_t ReadJetResult(const provider::sql::QueryResult& result) {
  for (std::uint32_t row : result.rows) {
    for (const provider::sql::OutputColumn& column : result.columns) {
      auto value = result.source->GetValue(row, column.column);
      if (!value.ok()) Die(value.status().ToString());
      benchmark::DoNotOptimize(value.value());
    }
  }
  return result.rows.size();
}

std::size_t JetSearch(const std::shared_ptr<provider::TableCache>& cache, const std::string& sql) {
  provider::JetResolver resolver(cache);
  auto result = provider::sql::Execute(platform::Utf8ToWide(sql), resolver);
  if (!result.ok()) Die(result.status().message());
  return ReadJetResult(result.value());
}

// The statement as a recordset opens it: the rows found, none read.
std::size_t JetStatement(const std::shared_ptr<provider::TableCache>& cache,
                         const std::string& sql) {
  auto rows = provider::OpenSource(cache, provider::adCmdText, platform::Utf8ToWide(sql));
  if (!rows.ok()) Die(rows.status().message());
  return rows.value()->RowCount();
}

std::size_t JetOpenScan(const Setup& setup) {
  auto db = provider::jet::Database::Open(setup.mdb);
  if (!db.ok()) Die(db.status().ToString());
  auto table = db.value()->OpenTable(setup.table);
  if (!table.ok()) Die(table.status().ToString());
  const provider::jet::Table& t = *table.value();
  provider::jet::RowCursor cursor(t);
  for (std::size_t row = 0; row < t.RowCount(); ++row) {
    if (!cursor.MoveTo(row).ok()) Die("a row beyond the table");
    for (std::size_t c = 0; c < t.Columns().size(); ++c) {
      auto value = cursor.GetValue(c);
      if (!value.ok()) Die(value.status().ToString());
      benchmark::DoNotOptimize(value.value());
    }
  }
  return t.RowCount();
}

// A connection's cache of tables over the database just opened.
std::shared_ptr<provider::TableCache> OpenJet(const Setup& setup) {
  auto db = provider::jet::Database::Open(setup.mdb);
  if (!db.ok()) Die(db.status().ToString());
  return std::make_shared<provider::TableCache>(
      std::shared_ptr<const provider::jet::Database>(db.take()));
}

sqlite3* OpenSqlite(const Setup& setup) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(setup.sqlite.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
    Die("cannot open " + setup.sqlite);
  return db;
}

// Steps through a statement reading every column of every row in its stored form.
std::size_t SqliteRows(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
    Die(sqlite3_errmsg(db));
  std::size_t rows = 0;
  const int columns = sqlite3_column_count(statement);
  int rc;
  while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    for (int c = 0; c < columns; ++c) {
      switch (sqlite3_column_type(statement, c)) {
        case SQLITE_INTEGER:
          benchmark::DoNotOptimize(sqlite3_column_int64(statement, c));
          break;
        case SQLITE_FLOAT:
          benchmark::DoNotOptimize(sqlite3_column_double(statement, c));
          break;
        case SQLITE_NULL:
          break;
        default:
          benchmark::DoNotOptimize(sqlite3_column_text(statement, c));
          benchmark::DoNotOptimize(sqlite3_column_bytes(statement, c));
      }
    }
    ++rows;
  }
  if (rc != SQLITE_DONE) Die(sqlite3_errmsg(db));
  sqlite3_finalize(statement);
  return rows;
}

void BM_JetOpenScan(benchmark::State& state) {
  std::size_t rows = 0;
  for (auto _ : state) rows = JetOpenScan(Config());
  state.counters["rows"] = static_cast<double>(rows);
}

void BM_SqliteOpenScan(benchmark::State& state) {
  std::size_t rows = 0;
  for (auto _ : state) {
    sqlite3* db = OpenSqlite(Config());
    rows = SqliteRows(db, "SELECT * FROM " + Config().table);
    sqlite3_close(db);
  }
  state.counters["rows"] = static_cast<double>(rows);
}

void BM_JetSearch(benchmark::State& state) {
  std::size_t rows = 0;
  const auto cache = OpenJet(Config());
  for (auto _ : state) rows = JetSearch(cache, Config().Search());
  state.counters["rows"] = static_cast<double>(rows);
}

// The count of a statement's rows as SQLite's library finds them.
std::size_t SqliteCount(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
    Die(sqlite3_errmsg(db));
  if (sqlite3_step(statement) != SQLITE_ROW) Die(sqlite3_errmsg(db));
  const auto rows = static_cast<std::size_t>(sqlite3_column_int64(statement, 0));
  sqlite3_finalize(statement);
  return rows;
}

// The statement again on a connection that has run it before.
void JetRepeated(benchmark::State& state, const std::string& sql) {
  const auto cache = OpenJet(Config());
  std::size_t rows = JetStatement(cache, sql);
  for (auto _ : state) rows = JetStatement(cache, sql);
  state.counters["rows"] = static_cast<double>(rows);
}

void SqliteRepeated(benchmark::State& state, const std::string& sql) {
  sqlite3* db = OpenSqlite(Config());
  std::size_t rows = SqliteCount(db, Setup::Counted(sql));
  for (auto _ : state) rows = SqliteCount(db, Setup::Counted(sql));
  sqlite3_close(db);
  state.counters["rows"] = static_cast<double>(rows);
}

void BM_JetSearchStatement(benchmark::State& state) { JetRepeated(state, Config().Search()); }
void BM_SqliteSearchStatement(benchmark::State& state) {
  SqliteRepeated(state, Config().Search());
}
void BM_JetMemoSearchStatement(benchmark::State& state) {
  JetRepeated(state, Config().MemoSearch());
}
void BM_SqliteMemoSearchStatement(benchmark::State& state) {
  SqliteRepeated(state, Config().MemoSearch());
}

// The first search of the table: the database opened, the statement run once.
void BM_JetFirstSearchStatement(benchmark::State& state) {
  std::size_t rows = 0;
  for (auto _ : state) rows = JetStatement(OpenJet(Config()), Config().Search());
  state.counters["rows"] = static_cast<double>(rows);
}

void BM_SqliteFirstSearchStatement(benchmark::State& state) {
  std::size_t rows = 0;
  for (auto _ : state) {
    sqlite3* db = OpenSqlite(Config());
    rows = SqliteCount(db, Setup::Counted(Config().Search()));
    sqlite3_close(db);
  }
  state.counters["rows"] = static_cast<double>(rows);
}

void BM_SqliteSearch(benchmark::State& state) {
  sqlite3* db = OpenSqlite(Config());
  std::size_t rows = 0;
  for (auto _ : state) rows = SqliteRows(db, Config().Search());
  sqlite3_close(db);
  state.counters["rows"] = static_cast<double>(rows);
}

BENCHMARK(BM_JetOpenScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SqliteOpenScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JetSearchStatement)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SqliteSearchStatement)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JetFirstSearchStatement)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SqliteFirstSearchStatement)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JetMemoSearchStatement)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SqliteMemoSearchStatement)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JetSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SqliteSearch)->Unit(benchmark::kMillisecond);

// Takes --mdb=, --sqlite=, --table=, --pattern= and --memo-pattern= off the command line; the rest is Google
// Benchmark's.
void TakeOptions(int& argc, char** argv) {
  Setup& setup = Config();
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto take = [&](const char* name, std::string& out) {
      const std::size_t n = std::strlen(name);
      if (arg.compare(0, n, name) != 0) return false;
      out = arg.substr(n);
      return true;
    };
    if (!take("--mdb=", setup.mdb) && !take("--sqlite=", setup.sqlite) &&
        !take("--table=", setup.table) && !take("--pattern=", setup.pattern) &&
        !take("--memo-pattern=", setup.memoPattern)) {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  if (setup.sqlite.empty()) setup.sqlite = setup.mdb + "." + setup.table + ".sqlite";
}

}  // namespace

int main(int argc, char** argv) {
  TakeOptions(argc, argv);
  const Setup& setup = Config();
  namespace fs = std::filesystem;
  if (!fs::exists(setup.sqlite) ||
      fs::last_write_time(setup.sqlite) < fs::last_write_time(setup.mdb)) {
    std::fprintf(stderr, "provider_bench: copying %s into %s\n", setup.table.c_str(),
                 setup.sqlite.c_str());
    provider::Status copied = bench::CopyTableToSqlite(setup.mdb, setup.table, setup.sqlite);
    if (!copied.ok()) Die(copied.ToString());
  }

  // Both sides must find the same rows, or the figures compare different work.
  sqlite3* lite = OpenSqlite(setup);
  for (const std::string& sql : {setup.Search(), setup.MemoSearch()}) {
    const std::size_t jetRows = JetStatement(OpenJet(setup), sql);
    const std::size_t liteRows = SqliteCount(lite, Setup::Counted(sql));
    std::printf("%s: %zu rows (engine), %zu rows (SQLite)\n", sql.c_str(), jetRows, liteRows);
    if (jetRows != liteRows) Die("the two sides found different rows");
  }
  sqlite3_close(lite);

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
