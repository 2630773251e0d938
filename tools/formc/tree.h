// The generic tree of a component stream: object records, property entries and tagged values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/valuetag.h"

namespace formc {

struct CollectionItem;

// A tagged value exactly as stored. Which members are used depends on the tag:
//   integers (2, 3, 4, 19) and currency (16): integer;
//   short, long and identifier texts (6, 12, 7): bytes in the single-byte code page;
//   UTF-8 text (20): bytes as stored, not necessarily valid UTF-8;
//   binary (10): bytes; extended, single and date (5, 15, 17): bytes, the raw payload;
//   wide text (18): wide, the UTF-16 units as stored;
//   set (11): elements; list (1): items; collection (14): collection.
struct Value {
  ValueTag tag = ValueTag::tagNil;
  std::int64_t integer = 0;
  std::string bytes;
  std::u16string wide;
  std::vector<std::string> elements;
  std::vector<Value> items;
  std::vector<CollectionItem> collection;
};

// One property entry: the name or dotted path as stored (single-byte text) and its value.
struct PropertyEntry {
  std::string name;
  Value value;
};

// A collection item: an optional order value (an integer tag) and its property entries.
struct CollectionItem {
  std::optional<Value> order;
  std::vector<PropertyEntry> entries;
};

// An object record. The prefix byte is kept whole (0xF0 to 0xFF) so that unused bits survive;
// when its child-position bit is set, position holds the value that follows it.
struct ObjectRecord {
  std::optional<std::uint8_t> prefix;
  std::optional<Value> position;
  std::string className;
  std::string name;
  std::vector<PropertyEntry> entries;
  std::vector<ObjectRecord> children;
};

// Prefix flag bits.
inline constexpr std::uint8_t kPrefixInherited = 0x01;
inline constexpr std::uint8_t kPrefixChildPosition = 0x02;
inline constexpr std::uint8_t kPrefixInline = 0x04;

// How deep objects, lists and collections may nest, in the source and in a stream alike.
inline constexpr int kMaxDepth = 64;

// How many parts (objects, values, collection items, set elements) a description may hold. A
// form has thousands; the bound keeps the tree of a description within a few hundred megabytes.
inline constexpr std::size_t kMaxParts = 500'000;

}  // namespace formc
