// The stream a memo or blob field of an ADO dataset is read (and written) through.
#pragma once

#include <memory>

#include "core/stream.h"
#include "data/db_types.h"

class TCustomADODataSet;
class TField;

// Reading: the field's value in the dataset's current buffer, text converted to the system
// code page, a byte array as it is; Null gives an empty stream. Writing requires a field that
// is not read-only ("Field '%s' cannot be modified") and a dataset in edit or insert mode
// ("Dataset not in edit or insert mode"); bmWrite starts empty, bmReadWrite with the current
// content. A stream that was written stores its content into the field when it is freed: text
// through the dataset's StoreFieldText, which keeps the stored characters of the text the edit
// did not change, bytes as they are; an empty stream stores Null.
class TADOBlobStream : public TMemoryStream {
 public:
  TADOBlobStream(TField* field, TBlobStreamMode mode);
  ~TADOBlobStream() override;

  std::int64_t Write(const void* buffer, std::int64_t count) override;
  // Drops everything after the current position.
  void Truncate();

 private:
  void Load();
  void Store();

  TField* field_;
  TCustomADODataSet* dataSet_;
  TBlobStreamMode mode_;
  bool modified_ = false;
};
