// The pages of a Jet file being written, new and held whole or existing and read on first use.
#include "provider/jet/writer_page_store.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "provider/jet/rc4.h"
#include "provider/jet/writer_usage_map.h"

namespace provider::jet {

std::unique_ptr<PageStore> PageStore::OverFile(int descriptor, std::uint32_t pageCount,
                                               std::uint32_t databaseKey, const Format& format) {
  std::unique_ptr<PageStore> store(new PageStore());
  store->format_ = &format;
  store->descriptor_ = descriptor;
  store->filePageCount_ = pageCount;
  store->databaseKey_ = databaseKey;
  store->pageCount_ = pageCount;
  return store;
}

void PageStore::Encrypt(std::uint32_t number, std::span<std::uint8_t> page) const {
  if (databaseKey_ == 0 || number == 0) return;
  const std::uint32_t key = databaseKey_ ^ number;
  const std::uint8_t keyBytes[4] = {static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(key >> 8),
                                    static_cast<std::uint8_t>(key >> 16),
                                    static_cast<std::uint8_t>(key >> 24)};
  Rc4Apply(keyBytes, page);
}

PageStore::Held& PageStore::Load(std::uint32_t number) const {
  auto found = pages_.find(number);
  if (found != pages_.end()) return found->second;
  Held& held = pages_[number];
  held.bytes = std::make_unique<std::uint8_t[]>(PageSize());
  if (number >= filePageCount_) return held;
  held.original = std::make_unique<std::uint8_t[]>(PageSize());
  std::size_t done = 0;
  while (done < PageSize()) {
    const ssize_t got = ::pread(descriptor_, held.original.get() + done, PageSize() - done,
                                static_cast<off_t>(number) * PageSize() + done);
    if (got <= 0) {
      if (status_.ok())
        status_ = Status::IoError("The database file could not be read.",
                                  "page " + std::to_string(number));
      std::memset(held.original.get(), 0, PageSize());
      break;
    }
    done += static_cast<std::size_t>(got);
  }
  std::memcpy(held.bytes.get(), held.original.get(), PageSize());
  Encrypt(number, std::span<std::uint8_t>(held.bytes.get(), PageSize()));
  return held;
}

std::span<std::uint8_t> PageStore::Page(std::uint32_t number) {
  Held& held = Load(number);
  if (changing_ && number < changePageCount_ &&
      std::none_of(before_.begin(), before_.end(),
                   [number](const auto& page) { return page.first == number; })) {
    auto copy = std::make_unique<std::uint8_t[]>(PageSize());
    std::memcpy(copy.get(), held.bytes.get(), PageSize());
    before_.emplace_back(number, std::move(copy));
  }
  return std::span<std::uint8_t>(held.bytes.get(), PageSize());
}

std::span<const std::uint8_t> PageStore::Page(std::uint32_t number) const {
  return std::span<const std::uint8_t>(Load(number).bytes.get(), PageSize());
}

std::uint32_t PageStore::AppendUntracked(std::uint8_t type) {
  const std::uint32_t number = pageCount_++;
  Page(number)[0] = type;
  return number;
}

Result<std::uint32_t> PageStore::Allocate(std::uint8_t type) {
  const std::uint32_t number = AppendUntracked(type);
  Status status = SetUsageMapBit(*this, kGlobalUsageMap, number, false, UsageMapKind::freePages);
  VELMORA_RETURN_IF_ERROR(status);
  return number;
}

void PageStore::BeginChange() {
  changing_ = true;
  changePageCount_ = PageCount();
  changeUsageMapPage_ = usageMapPage_;
  before_.clear();
}

void PageStore::UndoChange() {
  for (auto& [number, bytes] : before_) pages_[number].bytes = std::move(bytes);
  pages_.erase(pages_.lower_bound(changePageCount_), pages_.end());
  pageCount_ = changePageCount_;
  usageMapPage_ = changeUsageMapPage_;
  EndChange();
}

void PageStore::EndChange() {
  changing_ = false;
  before_.clear();
}

Result<std::vector<ChangedPage>> PageStore::Changes() const {
  VELMORA_RETURN_IF_ERROR(status_);
  std::vector<ChangedPage> changes;
  for (const auto& [number, held] : pages_) {
    ChangedPage change;
    change.number = number;
    change.stored.assign(held.bytes.get(), held.bytes.get() + PageSize());
    Encrypt(number, change.stored);
    if (held.original) {
      if (std::equal(change.stored.begin(), change.stored.end(), held.original.get())) continue;
      change.original.assign(held.original.get(), held.original.get() + PageSize());
    }
    changes.push_back(std::move(change));
  }
  return changes;
}

std::vector<std::uint8_t> PageStore::Bytes() const {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(std::size_t{pageCount_} * PageSize());
  for (std::uint32_t number = 0; number < PageCount(); ++number) {
    const std::span<const std::uint8_t> page = Page(number);
    bytes.insert(bytes.end(), page.begin(), page.end());
  }
  return bytes;
}

Status PageStore::Save(const std::string& path) const {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return Status::IoError("Cannot create '" + path + "'.", path);
  for (std::uint32_t number = 0; number < PageCount(); ++number) {
    const std::span<const std::uint8_t> page = Page(number);
    out.write(reinterpret_cast<const char*>(page.data()),
              static_cast<std::streamsize>(page.size()));
  }
  out.close();
  if (!out) return Status::IoError("Cannot write '" + path + "'.", path);
  return Status::Ok();
}

}  // namespace provider::jet
