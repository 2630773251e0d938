// Blob fields: binary large objects, memo text and pictures, read through a blob stream.
#pragma once

#include "data/field.h"

// The whole content of the field's blob stream. BlobType is the field type of the blob
// (ftBlob at creation; ftMemo for memos). The shown text is always "(%s)" with the type's
// name, upper-cased when the field holds a value: "(MEMO)" or "(Memo)".
class TBlobField : public TField {
 public:
  explicit TBlobField(TComponent* owner);

  bool IsBlob() const override { return true; }
  // The bytes of the blob stream opened for reading on the current record, byte for byte.
  AnsiString StringValue() const override;

  TFieldType BlobType() const { return DataType(); }
  // Only the blob types (ftBlob .. ftTypedBinary, ftOraBlob, ftOraClob); any other raises
  // "%s is not a blob type" with the type's name.
  void SetBlobType(TFieldType type);
  bool GraphicHeader() const { return graphicHeader_; }
  void SetGraphicHeader(bool value) { graphicHeader_ = value; }
  bool Transliterate() const { return transliterate_; }
  void SetTransliterate(bool value) { transliterate_ = value; }

 protected:
  AnsiString ClassText(bool displayText) const override;
  void CheckTypeSize(std::int32_t size) const override;

 private:
  bool graphicHeader_ = true;
  bool transliterate_ = false;
};

// Text of any length; the blob stream gives it in the system code page.
class TMemoField : public TBlobField {
 public:
  explicit TMemoField(TComponent* owner);
};

// A picture held as a blob.
class TGraphicField : public TBlobField {
 public:
  explicit TGraphicField(TComponent* owner);
};
