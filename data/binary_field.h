// Fixed and variable-length byte fields.
#pragma once

#include <cstdint>
#include <vector>

#include "data/field.h"

// Bytes of at most Size (16 at creation). StringValue gives the bytes as they are; the shown
// text is the class description, since bytes are not text.
class TBinaryField : public TField {
 public:
  explicit TBinaryField(TComponent* owner);

  AnsiString StringValue() const override;
  // The bytes, or false for null.
  bool ReadBytes(std::vector<std::uint8_t>* value) const;

 protected:
  AnsiString ClassText(bool displayText) const override;
  void CheckTypeSize(std::int32_t size) const override;
};

class TBytesField : public TBinaryField {
 public:
  explicit TBytesField(TComponent* owner);
};

class TVarBytesField : public TBinaryField {
 public:
  explicit TVarBytesField(TComponent* owner);
};
