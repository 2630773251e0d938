// Helpers for the editing tests: a small sample file, the rows every reader shows, copies.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "provider/jet/database.h"
#include "provider/value.h"
#include "tests/provider/jetwrite/peers.h"

namespace jetwritetest {

// Writes "namoone" (id AutoNumber, kholase Text 255, pasokh Memo) with `titles.size()` rows,
// ids 1, 2, ..., and the answers given, to `path`.
void WriteEditSample(const std::string& path, const std::vector<std::string>& titles,
                     const std::vector<std::string>& answers);

// A value as the readers print it: text in UTF-8, integers in decimal, Null apart.
Cell CellOf(const provider::Value& value);
provider::Value TextValue(const Cell& cell);

// The rows of `table` as the engine reads them, in scan order.
Rows EngineRows(const std::string& path, const std::string& table);
// The location of the row whose first column is `id`, as the engine lists it now (0: none).
std::uint32_t LocationOf(const std::string& path, const std::string& table, std::int64_t id);
std::uint32_t LocationOf(const std::string& path, const std::string& table,
                         const provider::Value& key);
// The row count the table's definition records.
std::uint32_t RecordedRowCount(const std::string& path, const std::string& table);

// Rows in a short form for comparing long values, ordered by their first column (a number):
// per cell its length in bytes and a hash of its text, or "null".
std::string Describe(Rows rows);

// `rows` in the order `shown` lists them, matched by their first cell. The peers list a row
// that moved where its bytes now are; the engine lists it where the slot that names it is.
Rows InOrderOf(const Rows& rows, const Rows& shown);

// How many writers a kill test kills: VELMORA_KILLS when set (long runs by hand), else
// `byDefault`.
int KillCount(int byDefault);
// Runs `writer`, which edits until it is killed, in a child process, kills it with SIGKILL after
// `delay` and waits for it. Returns "" when the kill ended it, else how it ended.
std::string RunUntilKilled(const std::function<void()>& writer, std::chrono::milliseconds delay);

std::vector<std::uint8_t> FileBytes(const std::string& path);
std::string CopyFixture(const std::string& name, const std::string& dir);
std::string Repeat(const std::string& text, std::size_t times);

}  // namespace jetwritetest
