// What the stream reader's source files share and its callers do not see: tag helpers, the
// nesting guard, reference fixups, the global-name lock and the innermost load batch.
#pragma once

#include <algorithm>
#include <concepts>
#include <cstdint>
#include <vector>

#include "core/reader.h"
#include "platform/little_endian.h"

namespace reader_detail {

// Streams this program reads nest a few levels; a deeper one is malformed, and stopping it
// keeps a hostile stream from exhausting the stack.
inline constexpr int kMaxNesting = 256;

inline constexpr const char* kInvalidValue = "Invalid property value";

inline int Tag(ValueTag t) {
  return static_cast<int>(t);
}

// The identifier, variant and skip reads look only at the low seven bits of a tag.
inline ValueTag Low7(ValueTag t) {
  return static_cast<ValueTag>(Tag(t) & 0x7F);
}

// The next sizeof(T) bytes of the stream as a little-endian integer.
template <std::integral T>
T ReadLittleEndian(TReader& reader) {
  std::uint8_t bytes[sizeof(T)];
  reader.Read(bytes, sizeof(T));
  return platform::LoadLittleEndian<T>(bytes);
}

// Reads count bytes through a fixed chunk and hands each piece to take(bytes, size): a corrupt
// length costs no more memory than the bytes really there.
template <class Take>
void ReadInChunks(TReader& reader, std::int64_t count, Take take) {
  std::uint8_t chunk[4096];
  while (count > 0) {
    const std::int64_t n = std::min<std::int64_t>(count, sizeof chunk);
    reader.Read(chunk, n);
    take(chunk, n);
    count -= n;
  }
}

// Reads the index a collection item may be stored with; the reader numbers items itself.
inline void SkipItemIndex(TReader& reader) {
  const ValueTag t = reader.NextValue();
  if (t == ValueTag::tagInt8 || t == ValueTag::tagInt16 || t == ValueTag::tagInt32) {
    reader.ReadInteger();
  }
}

// Holds the global name space for writing while it lives: a root is read under it. Re-entrant
// on its own thread, so that an after-load step may construct another form.
class NameLock {
 public:
  NameLock();
  ~NameLock();
  NameLock(const NameLock&) = delete;
  NameLock& operator=(const NameLock&) = delete;
};

// Drops the cross-form references waiting in object, or waiting for a root that is object.
void DiscardGlobalFixups(TPersistent* object);

// The after-load list of this thread's innermost open load batch; null when none is open.
std::vector<TComponent*>* InnermostBatch();

}  // namespace reader_detail

// A reference read while a root is loaded, resolved when its record is complete.
struct TReader::Fixup {
  TPersistent* instance;
  const TPropInfo* prop;
  TComponent* root;
  AnsiString namePath;
};

// Counts the nesting of lists, records and collections while one is being read or skipped.
class TReader::Nesting {
 public:
  explicit Nesting(TReader& reader) : reader_(reader) {
    if (++reader_.depth_ > reader_detail::kMaxNesting) {
      --reader_.depth_;
      reader_.Fail("Invalid stream format");
    }
  }
  ~Nesting() { --reader_.depth_; }
  Nesting(const Nesting&) = delete;
  Nesting& operator=(const Nesting&) = delete;

 private:
  TReader& reader_;
};
