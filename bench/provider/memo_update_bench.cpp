// Updating one memo of 10 KB in a table of 100000 records, each update its own transaction made
// durable: the engine's Editor (rollback journal, synced) against SQLite updating the same row of
// its copy of the table with its default journal (a rollback journal, synchronous FULL). Both
// work on copies made for the run (--mdb and --sqlite name the originals, never written) and
// removed afterwards. Wall time is the figure: the syncs are most of it.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/codepage.h"
#include "provider/jet/database.h"
#include "provider/jet/editor.h"

namespace {

struct Setup {
  std::string mdb = BENCH_DATABASE;
  std::string sqlite = std::string(BENCH_DATABASE) + ".kolliyat.sqlite";
  std::string table = "kolliyat";
  std::int64_t id = 50000;
  std::string mdbCopy;
  std::string sqliteCopy;
};

Setup& Config() {
  static Setup setup;
  return setup;
}

[[noreturn]] void Die(const std::string& message) {
  std::fprintf(stderr, "memo_update_bench: %s\n", message.c_str());
  std::exit(1);
}

// Two answers of 5000 Persian letters (10000 bytes in UCS-2 and in UTF-8), written in turn so
// that every update changes the value.
std::u16string Answer(int turn) {
  std::u16string text;
  const std::u16string word = turn % 2 == 0 ? u"پاسخ نو " : u"پاسخ دیگر ";
  while (text.size() < 5000) text += word;
  text.resize(5000);
  return text;
}

void JetMemoUpdate(benchmark::State& state) {
  const Setup& setup = Config();
  auto editor = provider::jet::Editor::Open(setup.mdbCopy);
  if (!editor.ok()) Die(editor.status().ToString());
  std::uint32_t location = 0;
  std::size_t column = 0;
  {
    auto table = editor.value()->Database().OpenTable(setup.table);
    if (!table.ok()) Die(table.status().ToString());
    column = static_cast<std::size_t>(table.value()->FindColumn("pasokh"));
    for (std::size_t row = 0; row < table.value()->RowCount() && location == 0; ++row) {
      auto id = table.value()->GetValue(row, 0);
      if (id.ok() && id.value() == provider::Value(setup.id)) location = table.value()->RowLocation(row);
    }
  }
  if (location == 0) Die("no row with id " + std::to_string(setup.id));
  const std::u16string answers[] = {Answer(0), Answer(1)};
  int turn = 0;
  for (auto _ : state) {
    auto updated =
        editor.value()->UpdateRow(setup.table, location, {{column, provider::Value(answers[turn++ % 2])}});
    if (!updated.ok()) Die(updated.status().ToString());
  }
}

void SqliteMemoUpdate(benchmark::State& state) {
  const Setup& setup = Config();
  sqlite3* db = nullptr;
  if (sqlite3_open(setup.sqliteCopy.c_str(), &db) != SQLITE_OK) Die(sqlite3_errmsg(db));
  // The same row, found as SQLite finds a row fastest: by its rowid.
  sqlite3_stmt* find = nullptr;
  sqlite3_prepare_v2(db, ("SELECT rowid FROM " + setup.table + " WHERE id = ?").c_str(), -1, &find, nullptr);
  sqlite3_bind_int64(find, 1, setup.id);
  if (sqlite3_step(find) != SQLITE_ROW) Die("no row with id " + std::to_string(setup.id));
  const sqlite3_int64 rowid = sqlite3_column_int64(find, 0);
  sqlite3_finalize(find);
  sqlite3_stmt* update = nullptr;
  if (sqlite3_prepare_v2(db, ("UPDATE " + setup.table + " SET pasokh = ? WHERE rowid = ?").c_str(), -1,
                         &update, nullptr) != SQLITE_OK)
    Die(sqlite3_errmsg(db));
  const std::string answers[] = {platform::WideToUtf8(Answer(0)), platform::WideToUtf8(Answer(1))};
  int turn = 0;
  for (auto _ : state) {
    const std::string& answer = answers[turn++ % 2];
    sqlite3_bind_text(update, 1, answer.data(), static_cast<int>(answer.size()), SQLITE_STATIC);
    sqlite3_bind_int64(update, 2, rowid);
    if (sqlite3_step(update) != SQLITE_DONE) Die(sqlite3_errmsg(db));
    sqlite3_reset(update);
  }
  sqlite3_finalize(update);
  sqlite3_close(db);
}

BENCHMARK(JetMemoUpdate)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(SqliteMemoUpdate)->UseRealTime()->Unit(benchmark::kMillisecond);

bool TakeOption(const std::string& arg, const char* name, std::string& out) {
  const std::string prefix = std::string("--") + name + "=";
  if (arg.rfind(prefix, 0) != 0) return false;
  out = arg.substr(prefix.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Setup& setup = Config();
  std::string copies;
  std::vector<char*> rest = {argv[0]};
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (!TakeOption(arg, "mdb", setup.mdb) && !TakeOption(arg, "sqlite", setup.sqlite) &&
        !TakeOption(arg, "copies", copies))
      rest.push_back(argv[i]);
  }
  namespace fs = std::filesystem;
  const fs::path folder = copies.empty() ? fs::path(setup.mdb).parent_path() : fs::path(copies);
  setup.mdbCopy = (folder / "tmp-memo_update_bench.mdb").string();
  setup.sqliteCopy = (folder / "tmp-memo_update_bench.sqlite").string();
  fs::copy_file(setup.mdb, setup.mdbCopy, fs::copy_options::overwrite_existing);
  fs::copy_file(setup.sqlite, setup.sqliteCopy, fs::copy_options::overwrite_existing);
  int count = static_cast<int>(rest.size());
  benchmark::Initialize(&count, rest.data());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (const std::string& file : {setup.mdbCopy, setup.sqliteCopy, setup.mdbCopy + "-journal",
                                  setup.sqliteCopy + "-journal"})
    fs::remove(file);
  return 0;
}
