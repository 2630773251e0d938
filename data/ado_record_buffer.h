// The record buffer of an ADO dataset: where a window slot keeps its record's place in the
// recordset and the values read from it so far.
#pragma once

#include <cstdint>
#include <vector>

#include "data/record_buffer.h"
#include "provider/variant.h"

// The record number before it has been read from the recordset (it is not read while
// controls are suspended, and read on demand afterwards).
constexpr std::int32_t kRecordNumberNotRead = -2;

class TADORecordBuffer : public TRecordBuffer {
 public:
  explicit TADORecordBuffer(std::size_t fieldCount) : values(fieldCount) {}

  // Empties every cached value, so that the next read of a field goes to the recordset.
  void ClearValues() {
    for (provider::Variant& v : values) v = provider::Variant();
  }

  // The recordset's Bookmark of the record.
  provider::Variant bookmark;
  // The recordset's Status of the record (RecordStatusEnum bits).
  std::int32_t recordStatus = 0;
  // The recordset's AbsolutePosition, or kRecordNumberNotRead.
  std::int32_t recordNumber = kRecordNumberNotRead;
  // One value per field object, by field index; an empty variant has not been read yet, a
  // Null one was read and is Null.
  std::vector<provider::Variant> values;
};
