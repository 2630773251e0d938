// The pointer list; every index is checked and reported with "List index out of bounds (%d)".
#include "core/list.h"

#include <algorithm>
#include <utility>

#include "core/exceptions.h"

void TList::Check(int index, int limit) const {
  if (index < 0 || index >= limit) {
    throw EListError(Format("List index out of bounds (%d)", index));
  }
}

void* TList::Items(int index) const {
  Check(index, Count());
  return items_[static_cast<std::size_t>(index)];
}

void TList::SetItem(int index, void* item) {
  Check(index, Count());
  items_[static_cast<std::size_t>(index)] = item;
}

int TList::Add(void* item) {
  items_.push_back(item);
  return Count() - 1;
}

void TList::Insert(int index, void* item) {
  Check(index, Count() + 1);
  items_.insert(items_.begin() + index, item);
}

void TList::Delete(int index) {
  Check(index, Count());
  items_.erase(items_.begin() + index);
}

int TList::Remove(void* item) {
  int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

int TList::IndexOf(void* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TList::Move(int from, int to) {
  if (from == to) return;
  Check(from, Count());
  Check(to, Count());
  void* item = items_[static_cast<std::size_t>(from)];
  items_.erase(items_.begin() + from);
  items_.insert(items_.begin() + to, item);
}

void TList::Exchange(int a, int b) {
  Check(a, Count());
  Check(b, Count());
  std::swap(items_[static_cast<std::size_t>(a)], items_[static_cast<std::size_t>(b)]);
}
