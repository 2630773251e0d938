// Long values. The row holds:
//   offset  size  meaning
//   0       4     bits 0-29: length in bytes; bits 30-31: storage kind
//   4       4     page << 8 | row of the first long-value row (kinds 0x40 and 0x00)
//   8       4     0
// Kind 0x80: the value follows these 12 bytes in the row.
// Kind 0x40: the value is the whole long-value row pointed to.
// Kind 0x00: a chain of long-value rows, each starting with the 4-byte pointer of the next
//            (0 = last) followed by data; the pieces are joined up to the length.
//
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#include "provider/jet/long_value.h"

#include <unordered_set>

#include "provider/jet/data_page.h"

namespace provider::jet {
namespace {

constexpr std::size_t kFieldSize = 12;
constexpr std::uint32_t kLengthMask = 0x3FFFFFFF;

}  // namespace

Result<Bytes> ReadLongValue(const PageFile& file, const Format& format, ByteView field) {
  Bytes scratch;
  Result<ByteView> value = ReadLongValue(file, format, field, scratch);
  if (!value.ok()) return value.status();
  if (value.value().data() == scratch.data()) return scratch;
  return Bytes(value.value().data(), value.value().data() + value.value().size());
}

Result<ByteView> ReadLongValue(const PageFile& file, const Format& format, ByteView field,
                               Bytes& scratch) {
  if (field.size() < kFieldSize)
    return Status::Corruption("A memo or OLE field is shorter than its header.", "");
  const std::uint32_t word = field.U32(0);
  const std::uint32_t length = word & kLengthMask;
  const std::uint32_t pointer = field.U32(4);
  switch (word >> 30) {
    case 2: {  // inline
      std::optional<ByteView> data = field.Slice(kFieldSize, length);
      if (!data) return Status::Corruption("An inline memo or OLE value runs past its row.", "");
      return *data;
    }
    case 1: {  // one long-value row
      Result<RowSlot> slot = ReadPointedSlot(file, format, pointer, true, "long value");
      VELMORA_RETURN_IF_ERROR(slot);
      const ByteView bytes = slot.value().bytes;
      if (bytes.size() < length)
        return Status::Corruption("A memo or OLE value is shorter than its recorded length.",
                                  "long value page " + std::to_string(pointer >> 8) + ", row " +
                                      std::to_string(pointer & 0xFF));
      return ByteView(bytes.data(), length);
    }
    case 0: {  // chain
      if (length > std::size_t{file.PageCount()} * format.pageSize)
        return Status::Corruption("A memo or OLE value is longer than the file.", "");
      Bytes& value = scratch;
      value.clear();
      value.reserve(length);
      std::unordered_set<std::uint32_t> seen;
      std::uint32_t next = pointer;
      while (value.size() < length) {
        const std::string here =
            "long value page " + std::to_string(next >> 8) + ", row " + std::to_string(next & 0xFF);
        if (next == 0)
          return Status::Corruption("A memo or OLE value's chain ends before its length.", here);
        if (!seen.insert(next).second)
          return Status::Corruption("A memo or OLE value's chain forms a cycle.", here);
        Result<RowSlot> slot = ReadPointedSlot(file, format, next, true, "long value");
        VELMORA_RETURN_IF_ERROR(slot);
        const ByteView bytes = slot.value().bytes;
        if (bytes.size() < 4)
          return Status::Corruption("A piece of a memo or OLE value is cut short.", here);
        const std::size_t take = std::min<std::size_t>(bytes.size() - 4, length - value.size());
        value.insert(value.end(), bytes.data() + 4, bytes.data() + 4 + take);
        next = bytes.U32(0);
      }
      return ByteView(value.data(), value.size());
    }
    default:
      return Status::Corruption("A memo or OLE field has an unknown storage kind.", "");
  }
}

}  // namespace provider::jet
