// Reads the sample collection's content files: one UTF-8 file per table, records of marked
// field sections closed by "@end".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "provider/status.h"

namespace jetdb {

// One record; a field whose section is missing or has no text is Null (no value). Lines of a
// field are joined with CR LF.
struct ContentRecord {
  std::optional<std::u16string> kholase;
  std::optional<std::u16string> porsesh;
  std::optional<std::u16string> pasokh;
  std::optional<std::u16string> pavaraghi;
};

// Parses the text of a content file. `name` stands for the file in messages, which read
// "name:line: what is wrong". Errors (invalidArgument): an unknown marker, text outside a
// record, a field given twice in a record, a record not closed by "@end", a summary of more
// than one line or more than 255 characters, text that is not UTF-8.
provider::Result<std::vector<ContentRecord>> ParseContent(std::string_view text,
                                                          const std::string& name);

// Reads and parses the file at `path` (notFound when it cannot be opened).
provider::Result<std::vector<ContentRecord>> ReadContentFile(const std::string& path);

}  // namespace jetdb
