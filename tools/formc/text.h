// The readable description of a component stream: parsing it into the tree and printing it.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tools/formc/tree.h"

namespace formc {

// A mistake in a description, with its 1-based line and column (in characters).
class SourceError : public std::runtime_error {
 public:
  SourceError(int line, int column, const std::string& what)
      : std::runtime_error(std::to_string(line) + ":" + std::to_string(column) + ": " + what),
        line_(line),
        column_(column) {}
  int line() const { return line_; }
  int column() const { return column_; }

 private:
  int line_;
  int column_;
};

// Parses a description (FORMAT.md beside this file). "@file" binary values are read from
// paths relative to baseDir; each file read is appended to *referenced when it is given, so
// that a build can re-run when one changes.
ObjectRecord ParseText(std::string_view text, const std::filesystem::path& baseDir,
                       std::vector<std::filesystem::path>* referenced = nullptr);

struct PrintOptions {
  // When set, every binary value is written to a file in this folder (created if needed) and
  // printed as a reference to it instead of inline hex.
  std::optional<std::filesystem::path> extractDir;
  // The folder the printed text will be read from; references are relative to it.
  std::filesystem::path textDir = ".";
};

// Prints a tree in its canonical text: parsing the text gives back the same tree, and the tag
// of a value is written only where the default for its literal would be another. A file that
// cannot be extracted raises std::runtime_error.
std::string PrintText(const ObjectRecord& root, const PrintOptions& options = {});

// Prints the stream `stream` the same way, into `out` as it is decoded: the memory it takes is
// bounded by the stream's nesting, not its size. The stream is checked whole first, so a
// StreamError comes before anything is printed or extracted. False when writing to `out` failed.
bool PrintStream(std::string_view stream, const PrintOptions& options, std::ostream& out);

}  // namespace formc
