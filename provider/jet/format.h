// The sizes and offsets that differ between the two file versions, gathered in one place.
#pragma once

#include <cstddef>
#include <cstdint>

namespace provider::jet {

enum class JetVersion { jet3, jet4 };

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
  std::size_t columnCodePage;   // Jet 3 text only
  std::size_t columnFlags;
  std::size_t columnFixedOffset;
  std::size_t columnLength;
  std::size_t nameLengthSize;  // 2 (UCS-2 names) or 1 (code page names)
  // Usage maps of the reference kind: bitmap bytes per bitmap page.
  std::size_t bitmapPageStart;

  bool jet4() const { return version == JetVersion::jet4; }

  static const Format& Jet3() {
    static const Format format{JetVersion::jet3,
                               2048,
                               8,
                               10,
                               1,
                               12,
                               16,
                               20,
                               21,
                               23,
                               25,
                               27,
                               31,
                               35,
                               39,
                               43,
                               8,
                               18,
                               1,
                               3,
                               9,
                               11,
                               13,
                               14,
                               16,
                               1,
                               4};
    return format;
  }
  static const Format& Jet4() {
    static const Format format{JetVersion::jet4,
                               4096,
                               12,
                               14,
                               2,
                               16,
                               20,
                               40,
                               41,
                               43,
                               45,
                               47,
                               51,
                               55,
                               59,
                               63,
                               12,
                               25,
                               5,
                               7,
                               11,
                               13,
                               15,
                               21,
                               23,
                               2,
                               4};
    return format;
  }
};

}  // namespace provider::jet
