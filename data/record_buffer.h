// One record buffer of a dataset's window: the flag that says what it holds; a provider derives
// its own buffer with the record's data.
#pragma once

#include "data/db_types.h"

class TRecordBuffer {
 public:
  virtual ~TRecordBuffer() = default;

  BookmarkFlag Flag() const { return flag_; }
  void SetFlag(BookmarkFlag flag) { flag_ = flag; }

 private:
  BookmarkFlag flag_ = BookmarkFlag::Current;
};
