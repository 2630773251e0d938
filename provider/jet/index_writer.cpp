// Index maintenance: entries added and removed in key order, pages split and emptied.
#include "provider/jet/index_writer.h"

#include <algorithm>
#include <string>
#include <utility>

#include "provider/jet/writer_bytes.h"
#include "provider/jet/writer_usage_map.h"

namespace provider::jet {

namespace {

constexpr std::size_t kDeepest = 16;

IndexEntry Naming(const IndexPage& child, std::uint32_t number) {
  const IndexEntry& last = child.entries.back();
  return IndexEntry{last.key, last.row, number};
}

// Where to cut `entries` so that both halves take about the same bytes.
std::size_t Middle(const std::vector<IndexEntry>& entries) {
  std::size_t total = 0;
  for (const IndexEntry& entry : entries) total += entry.key.size();
  std::size_t left = 0;
  std::size_t cut = 0;
  while (cut + 1 < entries.size() && 2 * (left + entries[cut].key.size()) <= total)
    left += entries[cut++].key.size();
  return std::max<std::size_t>(cut, 1);
}

}  // namespace

Result<IndexPage> IndexWriter::Read(std::uint32_t number) const {
  const std::string where = "index page " + std::to_string(number);
  if (number == 0 || number >= store_->PageCount())
    return Status::Corruption("An index names a page the file does not have.", where);
  const std::span<const std::uint8_t> bytes = std::as_const(*store_).Page(number);
  auto page = DecodeIndexPage(bytes, *format_, number);
  VELMORA_RETURN_IF_ERROR(page);
  if (Load32(bytes, format_->owner) != owner_)
    return Status::Corruption("An index page belongs to another table.", where);
  return page;
}

void IndexWriter::Write(std::uint32_t number, const IndexPage& page) {
  EncodeIndexPage(page, *format_, owner_, store_->Page(number));
}

Result<std::vector<IndexWriter::Step>> IndexWriter::Descend(const IndexEntry& target) const {
  std::vector<Step> path;
  std::uint32_t number = index_->rootPage;
  while (path.size() < kDeepest) {
    auto page = Read(number);
    VELMORA_RETURN_IF_ERROR(page);
    Step step{number, page.take(), 0};
    if (step.page.leaf) {
      path.push_back(std::move(step));
      return path;
    }
    const std::vector<IndexEntry>& entries = step.page.entries;
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const IndexEntry& entry) {
      return !EntryBefore(entry, target);
    });
    step.taken = static_cast<std::size_t>(found - entries.begin());
    if (found != entries.end()) {
      number = found->child;
    } else {
      // Past the last entry: the tail leaf, when the entries name leaves; else the last child,
      // on the way down to it.
      bool leavesBelow = entries.empty();
      if (!entries.empty()) {
        auto last = Read(entries.back().child);
        VELMORA_RETURN_IF_ERROR(last);
        leavesBelow = last.value().leaf;
      }
      if (step.page.tail != 0 && leavesBelow) {
        number = step.page.tail;
      } else if (!entries.empty()) {
        step.taken = entries.size() - 1;
        number = entries.back().child;
      } else {
        return Status::Corruption("An index's intermediate page leads nowhere.",
                                  "index page " + std::to_string(step.number));
      }
    }
    path.push_back(std::move(step));
  }
  return Status::Corruption("An index is deeper than any file holds.",
                            "index page " + std::to_string(index_->rootPage));
}

Result<std::uint32_t> IndexWriter::NewPage(bool leaf) {
  auto number = store_->Allocate(leaf ? kPageIndexLeaf : kPageIndexNode);
  VELMORA_RETURN_IF_ERROR(number);
  VELMORA_RETURN_IF_ERROR(
      SetUsageMapBit(*store_, index_->usageMap, number.value(), true, UsageMapKind::ownedPages));
  return number.value();
}

Status IndexWriter::Release(std::uint32_t number) {
  // Nothing stale is left for a reader that looks at page types.
  const std::span<std::uint8_t> bytes = store_->Page(number);
  std::fill(bytes.begin(), bytes.end(), 0);
  VELMORA_RETURN_IF_ERROR(
      SetUsageMapBit(*store_, index_->usageMap, number, false, UsageMapKind::ownedPages));
  return SetUsageMapBit(*store_, kGlobalUsageMap, number, true, UsageMapKind::freePages);
}

Status IndexWriter::Relink(std::uint32_t number, bool previous, std::uint32_t to) {
  auto page = Read(number);
  VELMORA_RETURN_IF_ERROR(page);
  (previous ? page.value().previous : page.value().next) = to;
  Write(number, page.value());
  return Status::Ok();
}

Result<bool> IndexWriter::HasKey(const std::vector<std::uint8_t>& key) {
  const IndexEntry target{key, 0, 0};
  auto path = Descend(target);
  VELMORA_RETURN_IF_ERROR(path);
  IndexPage leaf = std::move(path.value().back().page);
  for (std::size_t hops = 0; hops < store_->PageCount(); ++hops) {
    const auto found =
        std::find_if(leaf.entries.begin(), leaf.entries.end(),
                     [&](const IndexEntry& entry) { return !EntryBefore(entry, target); });
    if (found != leaf.entries.end()) return found->key == key;
    if (leaf.next == 0) return false;
    auto next = Read(leaf.next);
    VELMORA_RETURN_IF_ERROR(next);
    leaf = next.take();
  }
  return Status::Corruption("An index's leaf pages loop.",
                            "index page " + std::to_string(index_->rootPage));
}

Status IndexWriter::Insert(const IndexEntry& entry) {
  auto path = Descend(entry);
  VELMORA_RETURN_IF_ERROR(path);
  std::vector<IndexEntry>& entries = path.value().back().page.entries;
  const auto at = std::lower_bound(entries.begin(), entries.end(), entry, EntryBefore);
  if (at != entries.end() && *at == entry)
    return Status::Corruption("An index names the row already.",
                              "index page " + std::to_string(path.value().back().number));
  entries.insert(at, entry);
  return Store(path.value(), path.value().size() - 1);
}

Status IndexWriter::Remove(const IndexEntry& entry) {
  auto path = Descend(entry);
  VELMORA_RETURN_IF_ERROR(path);
  std::vector<Step>& steps = path.value();
  const std::size_t level = steps.size() - 1;
  std::vector<IndexEntry>& entries = steps[level].page.entries;
  const auto at = std::find(entries.begin(), entries.end(), entry);
  if (at == entries.end())
    return Status::Corruption("An index lacks the entry of a row it should name.",
                              "index page " + std::to_string(steps[level].number));
  entries.erase(at);
  const bool tail = level > 0 && steps[level - 1].taken == steps[level - 1].page.entries.size();
  if (!entries.empty() || level == 0 || tail) return Store(steps, level);
  return Unlink(steps, level);
}

Status IndexWriter::Store(std::vector<Step>& path, std::size_t level) {
  if (!IndexPageFits(path[level].page, *format_))
    return level == 0 ? SplitRoot(path) : Split(path, level);
  Write(path[level].number, path[level].page);
  return Relabel(path, level);
}

Status IndexWriter::Relabel(std::vector<Step>& path, std::size_t level) {
  if (level == 0 || path[level].page.entries.empty()) return Status::Ok();
  Step& above = path[level - 1];
  if (above.taken >= above.page.entries.size()) return Status::Ok();
  const IndexEntry naming = Naming(path[level].page, path[level].number);
  if (above.page.entries[above.taken] == naming) return Status::Ok();
  above.page.entries[above.taken] = naming;
  return Store(path, level - 1);
}

Status IndexWriter::Split(std::vector<Step>& path, std::size_t level) {
  Step& step = path[level];
  auto added = NewPage(step.page.leaf);
  VELMORA_RETURN_IF_ERROR(added);
  const std::uint32_t right = added.value();
  const std::size_t cut = Middle(step.page.entries);
  IndexPage upper{
      step.page.leaf,
      step.number,
      step.page.next,
      step.page.tail,
      {step.page.entries.begin() + static_cast<std::ptrdiff_t>(cut), step.page.entries.end()}};
  step.page.entries.resize(cut);
  if (step.page.next != 0) VELMORA_RETURN_IF_ERROR(Relink(step.page.next, true, right));
  step.page.next = right;
  step.page.tail = 0;
  Write(step.number, step.page);
  Write(right, upper);

  Step& above = path[level - 1];
  if (above.taken == above.page.entries.size()) {
    // The tail leaf split: its lower half is named from now on, its upper half is the tail.
    above.page.entries.push_back(Naming(step.page, step.number));
    for (std::size_t i = 0; i < level; ++i) {
      if (path[i].page.tail != step.number) continue;
      path[i].page.tail = right;
      if (i + 1 < level) Write(path[i].number, path[i].page);
    }
  } else {
    above.page.entries[above.taken] = Naming(step.page, step.number);
    above.page.entries.insert(
        above.page.entries.begin() + static_cast<std::ptrdiff_t>(above.taken) + 1,
        Naming(upper, right));
  }
  return Store(path, level - 1);
}

Status IndexWriter::SplitRoot(std::vector<Step>& path) {
  IndexPage& root = path[0].page;
  auto first = NewPage(root.leaf);
  VELMORA_RETURN_IF_ERROR(first);
  auto second = NewPage(root.leaf);
  VELMORA_RETURN_IF_ERROR(second);
  const std::size_t cut = Middle(root.entries);
  IndexPage lower{root.leaf,
                  0,
                  second.value(),
                  0,
                  {root.entries.begin(), root.entries.begin() + static_cast<std::ptrdiff_t>(cut)}};
  IndexPage upper{root.leaf,
                  first.value(),
                  0,
                  root.tail,
                  {root.entries.begin() + static_cast<std::ptrdiff_t>(cut), root.entries.end()}};
  Write(first.value(), lower);
  Write(second.value(), upper);
  IndexPage top{false, 0, 0, 0, {Naming(lower, first.value())}};
  if (root.leaf) {
    top.tail = second.value();
  } else {
    top.entries.push_back(Naming(upper, second.value()));
    top.tail = root.tail;
  }
  Write(path[0].number, top);
  return Status::Ok();
}

Status IndexWriter::Unlink(std::vector<Step>& path, std::size_t level) {
  const Step& step = path[level];
  if (step.page.previous != 0)
    VELMORA_RETURN_IF_ERROR(Relink(step.page.previous, false, step.page.next));
  if (step.page.next != 0)
    VELMORA_RETURN_IF_ERROR(Relink(step.page.next, true, step.page.previous));
  VELMORA_RETURN_IF_ERROR(Release(step.number));
  Step& above = path[level - 1];
  above.page.entries.erase(above.page.entries.begin() + static_cast<std::ptrdiff_t>(above.taken));
  if (!above.page.entries.empty()) {
    // The page above may have lost its last entry: its own name changes.
    Write(above.number, above.page);
    return Relabel(path, level - 1);
  }
  if (level - 1 > 0 && above.page.tail == 0) return Unlink(path, level - 1);
  if (level - 1 == 0 && above.page.tail != 0) {
    // The root names only the tail leaf: it becomes that leaf again.
    auto tail = Read(above.page.tail);
    VELMORA_RETURN_IF_ERROR(tail);
    VELMORA_RETURN_IF_ERROR(Release(above.page.tail));
    Write(above.number, IndexPage{true, 0, 0, 0, tail.take().entries});
    return Status::Ok();
  }
  if (level - 1 == 0) {
    // A root without entries or tail names nothing: the index is empty.
    Write(above.number, IndexPage{});
    return Status::Ok();
  }
  Write(above.number, above.page);
  return Status::Ok();
}

}  // namespace provider::jet
