// Runs the independent readers (mdbtools, the npm package mdb-reader) on files the writer made,
// for the writer's tests. A missing reader is a failure that names it, never a skip.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace jetwritetest {

// A cell as the readers show it: text in UTF-8, or Null.
using Cell = std::optional<std::string>;
using Rows = std::vector<std::vector<Cell>>;

struct Output {
  int exitCode = -1;
  std::string text;  // standard output
};

// Runs a shell command; standard error goes to the test log.
Output Run(const std::string& command);

// Empty when the tool is on the PATH, else the failure message to give.
std::string MissingTool(const std::string& tool);
// Empty when node and the checks' npm packages are installed, else the failure message.
std::string MissingMdbReader();

// The rows of `table` as mdb-export prints them (Null kept apart from empty text), after a row of
// the column names when `withNames`.
Rows MdbExport(const std::string& file, const std::string& table, bool withNames = false);
// Every user table as mdb-export prints it, by name, and the schema as mdb-schema prints it
// (under "(schema)").
std::map<std::string, std::string> PeerListing(const std::string& file);

// The rows of `table` as mdb-reader reads them (tests/node/export_rows.mjs): text as it is,
// numbers as JavaScript prints them; empty when it cannot read the table.
Rows ReaderRows(const std::string& file, const std::string& table);

struct TableRows {
  std::string name;
  std::vector<std::string> columns;
  Rows rows;                  // text cells; a cell of a numeric column holds its decimal digits
  std::vector<bool> numeric;  // per column: compare as a JSON number
};

// Runs tests/node/compare_tables.mjs on `file` with the expected user tables; returns its
// report (empty when everything matched).
std::string CompareWithMdbReader(const std::string& file, const std::vector<TableRows>& tables);

// A fresh directory for one test's files, in this process's scratch folder (removed when the
// process exits).
std::string TempDir(const std::string& name);

std::string SourceDir();

}  // namespace jetwritetest
