// Reads the sample collection's content files: one UTF-8 file per table, records of marked
// field sections closed by "@end".
#include "tools/jetdb/content_reader.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/codepage.h"

namespace jetdb {

namespace {

constexpr std::size_t kMaxSummary = 255;

struct Field {
  const char* marker;
  std::optional<std::u16string> ContentRecord::*member;
};

constexpr Field kFields[] = {
    {"@kholase", &ContentRecord::kholase},
    {"@porsesh", &ContentRecord::porsesh},
    {"@pasokh", &ContentRecord::pasokh},
    {"@pavaraghi", &ContentRecord::pavaraghi},
};

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// The value of a section: its lines without leading and trailing blank ones, joined with
// CR LF; Null when nothing is left.
std::optional<std::u16string> SectionValue(const std::vector<std::u16string>& lines) {
  std::size_t first = 0;
  std::size_t last = lines.size();
  const auto blank = [](const std::u16string& line) {
    return line.find_first_not_of(u" \t") == std::u16string::npos;
  };
  while (first < last && blank(lines[first])) ++first;
  while (last > first && blank(lines[last - 1])) --last;
  if (first == last) return std::nullopt;
  std::u16string value;
  for (std::size_t i = first; i < last; ++i) {
    if (i > first) value += u"\r\n";
    value += lines[i];
  }
  return value;
}

}  // namespace

provider::Result<std::vector<ContentRecord>> ParseContent(std::string_view text,
                                                          const std::string& name) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<ContentRecord> records;
  std::optional<ContentRecord> record;  // the record being read
  const Field* field = nullptr;         // its section being read
  std::vector<std::u16string> lines;
  bool seen[std::size(kFields)] = {};
  const auto fail = [&](std::size_t line, const std::string& what) {
    return provider::Status::InvalidArgument(name + ":" + std::to_string(line) + ": " + what, name);
  };
  const auto closeSection = [&](std::size_t line) -> provider::Status {
    if (field == nullptr) return provider::Status::Ok();
    std::optional<std::u16string> value = SectionValue(lines);
    if (field->member == &ContentRecord::kholase && value) {
      if (value->find(u'\n') != std::u16string::npos)
        return fail(line, "the summary (@kholase) must be one line");
      if (value->size() > kMaxSummary)
        return fail(line, "the summary (@kholase) is longer than 255 characters");
    }
    (*record).*(field->member) = std::move(value);
    lines.clear();
    field = nullptr;
    return provider::Status::Ok();
  };

  const std::vector<std::string_view> fileLines = SplitLines(text);
  for (std::size_t i = 0; i < fileLines.size(); ++i) {
    const std::size_t number = i + 1;
    const std::string_view line = fileLines[i];
    const std::u16string wide = platform::Utf8ToWide(line);
    if (platform::WideToUtf8(wide) != line) return fail(number, "the text is not valid UTF-8");
    if (!line.empty() && line[0] == '@') {
      provider::Status status = closeSection(number);
      VELMORA_RETURN_IF_ERROR(status);
      if (line == "@end") {
        if (!record) return fail(number, "@end outside a record");
        records.push_back(std::move(*record));
        record.reset();
        continue;
      }
      const Field* next = nullptr;
      for (const Field& candidate : kFields)
        if (line == candidate.marker) next = &candidate;
      if (next == nullptr) return fail(number, "unknown marker '" + std::string(line) + "'");
      if (!record) {
        record.emplace();
        std::fill(std::begin(seen), std::end(seen), false);
      }
      bool& given = seen[next - kFields];
      if (given) return fail(number, "the field " + std::string(line) + " is given twice");
      given = true;
      field = next;
      continue;
    }
    if (field != nullptr) {
      lines.push_back(wide);
      continue;
    }
    if (records.empty() && !line.empty() && line[0] == '#') continue;
    if (!IsBlank(line)) return fail(number, "text outside a record");
  }
  if (record) return fail(fileLines.size(), "the last record is not closed by @end");
  return records;
}

provider::Result<std::vector<ContentRecord>> ReadContentFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return provider::Status::NotFound("cannot open '" + path + "'", path);
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return provider::Status::IoError("cannot read '" + path + "'", path);
  return ParseContent(text.str(), path);
}

}  // namespace jetdb
