// Runs the independent readers (mdbtools, the npm package mdb-reader) on files the writer made,
// for the writer's tests. A missing reader is a failure that names it, never a skip.
#include "tests/provider/jetwrite/peers.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/fixtures/scratch_folder.h"

namespace jetwritetest {

namespace {

constexpr char kField = '\x1f';
constexpr char kRecord = '\x1e';
constexpr char kNull[] = "\x01";

std::string Quote(const std::string& text) {
  return "'" + text + "'";
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

}  // namespace

std::string SourceDir() {
  const char* dir = std::getenv("VELMORA_SOURCE_DIR");
  return dir != nullptr ? dir : "../../..";
}

Output Run(const std::string& command) {
  Output output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[4096];
  std::size_t read = 0;
  while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.text.append(buffer, read);
  const int status = pclose(pipe);
  output.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return output;
}

std::string MissingTool(const std::string& tool) {
  if (Run("command -v " + tool + " >/dev/null 2>&1").exitCode == 0) return "";
  return tool + " is not installed: run tools/setup.sh";
}

std::string MissingMdbReader() {
  if (std::string missing = MissingTool("node"); !missing.empty()) return missing;
  if (!std::filesystem::exists(SourceDir() + "/tests/node/node_modules/mdb-reader"))
    return "the npm package mdb-reader is not installed in tests/node: run tools/setup.sh";
  return "";
}

namespace {

// Records split at kRecord, cells at kField, kNull standing for Null.
Rows SplitRecords(const std::string& text) {
  Rows rows;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(kRecord, start);
    if (end == std::string::npos) end = text.size();
    const std::string record = text.substr(start, end - start);
    std::vector<Cell> cells;
    std::size_t cellStart = 0;
    while (true) {
      const std::size_t cellEnd = record.find(kField, cellStart);
      const std::string cell = record.substr(cellStart, cellEnd - cellStart);
      cells.push_back(cell == kNull ? Cell() : Cell(cell));
      if (cellEnd == std::string::npos) break;
      cellStart = cellEnd + 1;
    }
    rows.push_back(std::move(cells));
    start = end + 1;
  }
  return rows;
}

}  // namespace

Rows MdbExport(const std::string& file, const std::string& table, bool withNames) {
  const Output output =
      Run(std::string("mdb-export ") + (withNames ? "" : "-H ") + "-Q -d " +
          Quote(std::string(1, kField)) + " -R " + Quote(std::string(1, kRecord)) + " -0 " +
          Quote(kNull) + " " + Quote(file) + " " + Quote(table));
  if (output.exitCode != 0) return {};
  return SplitRecords(output.text);
}

std::map<std::string, std::string> PeerListing(const std::string& file) {
  std::map<std::string, std::string> listing;
  listing["(schema)"] = Run("mdb-schema " + Quote(file)).text;
  std::istringstream tables(Run("mdb-tables -1 " + Quote(file)).text);
  for (std::string table; std::getline(tables, table);)
    listing[table] = Run("mdb-export " + Quote(file) + " " + Quote(table)).text;
  return listing;
}

Rows ReaderRows(const std::string& file, const std::string& table) {
  const Output output = Run("node " + Quote(SourceDir() + "/tests/node/export_rows.mjs") + " " +
                            Quote(file) + " " + Quote(table));
  if (output.exitCode != 0) return {};
  Rows rows = SplitRecords(output.text);
  if (!rows.empty()) rows.erase(rows.begin());  // the column names
  return rows;
}

std::string CompareWithMdbReader(const std::string& file, const std::vector<TableRows>& tables) {
  std::string json = "{\"tables\": {";
  for (std::size_t t = 0; t < tables.size(); ++t) {
    const TableRows& table = tables[t];
    json += (t > 0 ? ", " : "") + JsonString(table.name) + ": [";
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
      json += r > 0 ? ", {" : "{";
      for (std::size_t c = 0; c < table.columns.size(); ++c) {
        const Cell& cell = table.rows[r][c];
        json += (c > 0 ? ", " : "") + JsonString(table.columns[c]) + ": ";
        json += !cell ? "null" : table.numeric[c] ? *cell : JsonString(*cell);
      }
      json += "}";
    }
    json += "]";
  }
  json += "}}";
  const std::string expected = file + ".expected.json";
  std::ofstream(expected) << json;
  const Output output = Run("node " + Quote(SourceDir() + "/tests/node/compare_tables.mjs") + " " +
                            Quote(file) + " " + Quote(expected));
  if (output.exitCode == 0) return "";
  return output.text.empty() ? "mdb-reader exited with " + std::to_string(output.exitCode)
                             : output.text;
}

std::string TempDir(const std::string& name) {
  const auto dir = fixtures::ProcessScratchFolder() / name;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

}  // namespace jetwritetest
