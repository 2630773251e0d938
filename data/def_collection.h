// Named collection items and the owned collections of definitions a dataset describes itself by.
#pragma once

#include <string_view>

#include "core/collection.h"

class TDataSet;

// A collection item with a Name, found by name without regard to case.
class TNamedItem : public TCollectionItem {
 public:
  explicit TNamedItem(TCollection* collection);

  const AnsiString& Name() const { return name_; }
  void SetName(const AnsiString& name);

 private:
  AnsiString name_;
};

// A collection of definitions that belongs to one dataset and knows whether it still matches
// the dataset's source. It starts stale.
class TDefCollection : public TCollection {
 public:
  TDefCollection(TDataSet* dataset, TPersistent* owner, const TClassRecord* itemClass);

  TDataSet* DataSet() const { return dataset_; }
  bool Updated() const { return updated_; }
  void SetUpdated(bool updated) { updated_ = updated; }

  // The position of the first item named name (without regard to case), or -1.
  int IndexOf(std::string_view name) const;
  TNamedItem* Find(std::string_view name) const;

 private:
  TDataSet* dataset_;
  bool updated_ = false;
};
