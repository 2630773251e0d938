// The value tags of the binary component stream ("TPF0"): one byte before every value.
#pragma once

#include <cstdint>

enum class ValueTag : std::uint8_t {
  tagEnd = 0,          // no payload; ends lists, collections, property and child lists
  tagList = 1,         // tagged values until a 0 byte
  tagInt8 = 2,         // 1 byte, signed
  tagInt16 = 3,        // 2 bytes, signed
  tagInt32 = 4,        // 4 bytes, signed
  tagExtended = 5,     // 10 bytes, x87 80-bit extended float
  tagShortString = 6,  // 1 length byte + single-byte text
  tagIdent = 7,        // 1 length byte + identifier
  tagFalse = 8,
  tagTrue = 9,
  tagBinary = 10,      // 4-byte length + bytes
  tagSet = 11,         // short names until an empty one
  tagLongString = 12,  // 4-byte length + single-byte text
  tagNil = 13,
  tagCollection = 14,  // items (optional order value, tag 1, entries, 0) until a 0 byte
  tagSingle = 15,      // 4 bytes, IEEE single
  tagCurrency = 16,    // 8 bytes, amount × 10000
  tagDate = 17,        // 8 bytes, IEEE double
  tagWideString = 18,  // 4-byte count of UTF-16 units + UTF-16LE
  tagInt64 = 19,       // 8 bytes, signed
  tagUtf8String = 20,  // 4-byte byte count + UTF-8
};

// The signature that opens every component stream.
inline constexpr char kStreamSignature[4] = {'T', 'P', 'F', '0'};
