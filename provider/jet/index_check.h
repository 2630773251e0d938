// Checking a table's indexes against its rows: what `jetdb indexes` reports and what the tests
// hold every index of every file to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "provider/jet/database.h"
#include "provider/jet/index_page.h"
#include "provider/status.h"

namespace provider::jet {

struct IndexCheck {
  std::string name;                        // the first logical index's name
  std::size_t number = 0;                  // the physical index
  std::vector<IndexEntry> entries;         // the leaf entries, in chain order
  std::vector<std::vector<Value>> values;  // per entry, its row's key values (none: no row)
  std::size_t keysChecked = 0;  // entries whose key was encoded again from the row and compared
  // What is wrong: entries out of order, a row missing or named twice, an entry naming no row,
  // a key that differs from the row's. Empty when the index is sound.
  std::vector<std::string> problems;
  // Why some keys could not be encoded again (the first reason), empty when all could.
  std::string unchecked;
};

// Checks every physical index of table `table`: its leaf entries are in key order and name
// each live row exactly once (rows an index leaves out because their key is null excepted), and
// every key the engine can encode is the one the row's values give. Failures: those of opening
// the table, and corruption for index pages that cannot be walked.
Result<std::vector<IndexCheck>> CheckIndexes(const Database& database, std::string_view table);

}  // namespace provider::jet
