// Walking an index's pages.
#include "provider/jet/index_reader.h"

#include <string>
#include <unordered_set>

#include "provider/jet/writer_bytes.h"

namespace provider::jet {

namespace {

constexpr int kDeepest = 16;

}  // namespace

Result<IndexPage> ReadIndexPage(const IndexPageSource& source, const IndexFormat& format,
                                std::uint32_t number, std::uint32_t owner) {
  auto bytes = source(number);
  VELMORA_RETURN_IF_ERROR(bytes);
  auto page = DecodeIndexPage(bytes.value(), format, number);
  VELMORA_RETURN_IF_ERROR(page);
  if (Load32(bytes.value(), format.owner) != owner)
    return Status::Corruption("An index page belongs to another table.",
                              "index page " + std::to_string(number));
  return page;
}

Result<std::vector<IndexEntry>> ReadIndexEntries(const IndexPageSource& source,
                                                 const IndexFormat& format, std::uint32_t root,
                                                 std::uint32_t owner) {
  std::uint32_t number = root;
  auto page = ReadIndexPage(source, format, number, owner);
  VELMORA_RETURN_IF_ERROR(page);
  for (int depth = 0; !page.value().leaf; ++depth) {
    const IndexPage& node = page.value();
    number = node.entries.empty() ? node.tail : node.entries.front().child;
    if (depth == kDeepest || number == 0)
      return Status::Corruption("An index's intermediate pages lead nowhere.",
                                "index page " + std::to_string(root));
    page = ReadIndexPage(source, format, number, owner);
    VELMORA_RETURN_IF_ERROR(page);
  }
  std::vector<IndexEntry> entries;
  std::unordered_set<std::uint32_t> seen;
  std::uint32_t previous = 0;
  while (true) {
    if (!seen.insert(number).second || page.value().previous != previous || !page.value().leaf)
      return Status::Corruption("An index's leaf pages do not form one chain.",
                                "index page " + std::to_string(number));
    for (IndexEntry& entry : page.value().entries) entries.push_back(std::move(entry));
    previous = number;
    number = page.value().next;
    if (number == 0) return entries;
    page = ReadIndexPage(source, format, number, owner);
    VELMORA_RETURN_IF_ERROR(page);
  }
}

}  // namespace provider::jet
