// The sizes and offsets of index definitions and index pages, for Jet 3 and Jet 4.
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#pragma once

#include <cstddef>
#include <cstdint>

#include "provider/jet/format.h"

namespace provider::jet {

// Index page types (offset 0).
constexpr std::uint8_t kPageIndexNode = 0x03;
constexpr std::uint8_t kPageIndexLeaf = 0x04;

// Physical index flags.
constexpr std::uint8_t kIndexUnique = 0x01;
constexpr std::uint8_t kIndexIgnoreNulls = 0x02;
constexpr std::uint8_t kIndexRequired = 0x08;

// Logical index kinds.
constexpr std::uint8_t kIndexPrimaryKey = 1;
constexpr std::uint8_t kIndexForeignKey = 2;

struct IndexFormat {
  JetVersion version;
  std::size_t pageSize;
  // Index pages.
  std::size_t freeSpace;     // 2 bytes
  std::size_t owner;         // 4 bytes: the table's definition page
  std::size_t previousPage;  // 4 bytes, at this level
  std::size_t nextPage;      // 4 bytes, at this level
  std::size_t tailPage;      // 4 bytes: the last leaf, on intermediate pages
  std::size_t prefixLength;  // prefixLengthSize bytes
  std::size_t prefixLengthSize;
  std::size_t nodeMark;  // 1 byte: 1 on intermediate pages, 0 on leaves
  std::size_t bitmap;    // entry-end bitmap, up to firstEntry
  std::size_t firstEntry;
  // Definitions.
  std::size_t physicalSize;     // one physical index definition
  std::size_t physicalColumns;  // its ten {column number (2), order (1)} slots
  std::size_t physicalUsageMap;
  std::size_t physicalRoot;
  std::size_t physicalFlags;
  std::size_t logicalSize;  // one logical index definition
  std::size_t logicalNumber;
  std::size_t logicalPhysical;
  std::size_t logicalKind;

  // Bytes the entries of one page may take.
  std::size_t EntrySpace() const { return pageSize - firstEntry; }

  static const IndexFormat& Jet3() {
    static const IndexFormat format{.version = JetVersion::jet3,
                                    .pageSize = 2048,
                                    .freeSpace = 2,
                                    .owner = 4,
                                    .previousPage = 8,
                                    .nextPage = 12,
                                    .tailPage = 16,
                                    .prefixLength = 20,
                                    .prefixLengthSize = 1,
                                    .nodeMark = 21,
                                    .bitmap = 22,
                                    .firstEntry = 0xF8,
                                    .physicalSize = 39,
                                    .physicalColumns = 0,
                                    .physicalUsageMap = 30,
                                    .physicalRoot = 34,
                                    .physicalFlags = 38,
                                    .logicalSize = 20,
                                    .logicalNumber = 0,
                                    .logicalPhysical = 4,
                                    .logicalKind = 19};
    return format;
  }
  static const IndexFormat& Jet4() {
    static const IndexFormat format{.version = JetVersion::jet4,
                                    .pageSize = 4096,
                                    .freeSpace = 2,
                                    .owner = 4,
                                    .previousPage = 12,
                                    .nextPage = 16,
                                    .tailPage = 20,
                                    .prefixLength = 24,
                                    .prefixLengthSize = 2,
                                    .nodeMark = 26,
                                    .bitmap = 27,
                                    .firstEntry = 0x1E0,
                                    .physicalSize = 52,
                                    .physicalColumns = 4,
                                    .physicalUsageMap = 34,
                                    .physicalRoot = 38,
                                    .physicalFlags = 46,
                                    .logicalSize = 28,
                                    .logicalNumber = 4,
                                    .logicalPhysical = 8,
                                    .logicalKind = 23};
    return format;
  }
  static const IndexFormat& For(JetVersion version) {
    return version == JetVersion::jet4 ? Jet4() : Jet3();
  }
};

}  // namespace provider::jet
