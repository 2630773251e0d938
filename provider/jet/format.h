// The sizes and offsets that differ between the two file versions, gathered in one place.
// The layout is described once, for reading and writing, in provider/jet/FORMAT.md.
#pragma once

#include <cstddef>
#include <cstdint>

namespace provider::jet {

enum class JetVersion { jet3, jet4 };

// A data page's row offsets (its slot table): the start of the row and two flags.
constexpr std::uint16_t kRowOffsetMask = 0x1FFF;
// The slot holds no row.
constexpr std::uint16_t kRowDeleted = 0x8000;
// The slot holds the row pointer of where the row now is.
constexpr std::uint16_t kRowMoved = 0x4000;

// Every decoder takes its version-dependent offsets from here, so the layouts documented at the
// top of each reader hold for both versions with the bracketed Jet 3 values.
struct Format {
  JetVersion version;
  std::size_t pageSize;

  // Data pages.
  std::size_t dataRowCount;  // 2-byte slot count
  std::size_t dataRowTable;  // first 2-byte slot offset
  // Rows.
  std::size_t rowCountSize;  // column count and variable count fields: 2 or 1 bytes
  // Table definitions.
  std::size_t tdefRowCount;
  std::size_t tdefAutoNumber;
  std::size_t tdefTableType;
  std::size_t tdefMaxColumns;
  std::size_t tdefVarColumns;
  std::size_t tdefColumnCount;
  std::size_t tdefLogicalIndexCount;
  std::size_t tdefRealIndexCount;
  std::size_t tdefUsageMap;
  std::size_t tdefFreeMap;
  std::size_t tdefHeaderEnd;
  std::size_t realIndexCounterSize;
  // Column entries.
  std::size_t columnEntrySize;
  std::size_t columnNumber;
  std::size_t columnVarIndex;
  std::size_t columnPrecision;  // scale follows it
  std::size_t columnFlags;
  std::size_t columnFixedOffset;
  std::size_t columnLength;
  std::size_t nameLengthSize;  // 2 (UCS-2 names) or 1 (code page names)
  // Usage maps of the reference kind: where the bitmap starts on a bitmap page.
  std::size_t bitmapPageStart;

  bool IsJet4() const { return version == JetVersion::jet4; }

  static const Format& Jet3() {
    static const Format format{.version = JetVersion::jet3,
                               .pageSize = 2048,
                               .dataRowCount = 8,
                               .dataRowTable = 10,
                               .rowCountSize = 1,
                               .tdefRowCount = 12,
                               .tdefAutoNumber = 16,
                               .tdefTableType = 20,
                               .tdefMaxColumns = 21,
                               .tdefVarColumns = 23,
                               .tdefColumnCount = 25,
                               .tdefLogicalIndexCount = 27,
                               .tdefRealIndexCount = 31,
                               .tdefUsageMap = 35,
                               .tdefFreeMap = 39,
                               .tdefHeaderEnd = 43,
                               .realIndexCounterSize = 8,
                               .columnEntrySize = 18,
                               .columnNumber = 1,
                               .columnVarIndex = 3,
                               .columnPrecision = 9,
                               .columnFlags = 13,
                               .columnFixedOffset = 14,
                               .columnLength = 16,
                               .nameLengthSize = 1,
                               .bitmapPageStart = 4};
    return format;
  }
  static const Format& Jet4() {
    static const Format format{.version = JetVersion::jet4,
                               .pageSize = 4096,
                               .dataRowCount = 12,
                               .dataRowTable = 14,
                               .rowCountSize = 2,
                               .tdefRowCount = 16,
                               .tdefAutoNumber = 20,
                               .tdefTableType = 40,
                               .tdefMaxColumns = 41,
                               .tdefVarColumns = 43,
                               .tdefColumnCount = 45,
                               .tdefLogicalIndexCount = 47,
                               .tdefRealIndexCount = 51,
                               .tdefUsageMap = 55,
                               .tdefFreeMap = 59,
                               .tdefHeaderEnd = 63,
                               .realIndexCounterSize = 12,
                               .columnEntrySize = 25,
                               .columnNumber = 5,
                               .columnVarIndex = 7,
                               .columnPrecision = 11,
                               .columnFlags = 15,
                               .columnFixedOffset = 21,
                               .columnLength = 23,
                               .nameLengthSize = 2,
                               .bitmapPageStart = 4};
    return format;
  }
};

}  // namespace provider::jet
