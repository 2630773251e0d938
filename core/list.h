// A list of untyped pointers with checked indexes.
#pragma once

#include <vector>

#include "core/object.h"

class TList : public TObject {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  void* Items(int index) const;
  void SetItem(int index, void* item);
  int Add(void* item);
  void Insert(int index, void* item);
  void Delete(int index);
  // Removes the first occurrence; returns its former index or -1.
  int Remove(void* item);
  int IndexOf(void* item) const;
  void Move(int from, int to);
  void Exchange(int a, int b);
  void Clear() { items_.clear(); }

 private:
  void Check(int index, int limit) const;
  std::vector<void*> items_;
};
