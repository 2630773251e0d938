// The pages of a Jet 4 file being written, held in memory and saved whole.
#include "provider/jet/writer_page_store.h"

#include <fstream>

#include "provider/jet/writer_usage_map.h"

namespace provider::jet {

std::span<std::uint8_t> PageStore::Page(std::uint32_t number) {
  return std::span<std::uint8_t>(bytes_).subspan(number * kWriterPageSize, kWriterPageSize);
}

std::span<const std::uint8_t> PageStore::Page(std::uint32_t number) const {
  return std::span<const std::uint8_t>(bytes_).subspan(number * kWriterPageSize, kWriterPageSize);
}

std::uint32_t PageStore::AppendUntracked(std::uint8_t type) {
  const std::uint32_t number = page_count();
  bytes_.resize(bytes_.size() + kWriterPageSize, 0);
  Page(number)[0] = type;
  return number;
}

Result<std::uint32_t> PageStore::Allocate(std::uint8_t type) {
  const std::uint32_t number = AppendUntracked(type);
  Status status = SetUsageMapBit(*this, kGlobalUsageMap, number, false, UsageMapKind::freePages);
  VELMORA_RETURN_IF_ERROR(status);
  return number;
}

Status PageStore::Save(const std::string& path) const {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return Status::IoError("Cannot create '" + path + "'.", path);
  out.write(reinterpret_cast<const char*>(bytes_.data()),
            static_cast<std::streamsize>(bytes_.size()));
  out.close();
  if (!out) return Status::IoError("Cannot write '" + path + "'.", path);
  return Status::Ok();
}

}  // namespace provider::jet
