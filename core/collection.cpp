// Collection items with their identifiers, and the update counter that batches change notices.
#include "core/collection.h"

#include <algorithm>

#include "core/classes.h"
#include "core/exceptions.h"

TCollectionItem::TCollectionItem(TCollection* collection) {
  // The item's own class is not complete yet, so the class check is left to SetCollection.
  if (collection) collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
  if (collection_) collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection == collection_) return;
  if (collection && collection->ItemClass() && !InheritsFrom(collection->ItemClass())) {
    throw EListError("Invalid property value");
  }
  if (collection_) collection_->RemoveItem(this);
  if (collection) collection->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  auto& items = collection_->items_;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
  int current = Index();
  if (current < 0 || index == current) return;
  auto& items = collection_->items_;
  index = std::clamp(index, 0, static_cast<int>(items.size()) - 1);
  items.erase(items.begin() + current);
  items.insert(items.begin() + index, this);
  Changed(true);
}

void TCollectionItem::Changed(bool allItems) {
  if (collection_ && collection_->updateCount_ == 0) {
    collection_->CollectionUpdate(allItems ? nullptr : this);
  }
}

TCollection::TCollection(TPersistent* owner, const TClassRecord* itemClass)
    : owner_(owner), itemClass_(itemClass) {}

TCollection::~TCollection() {
  // No notices while going away: the owner may be half destroyed.
  updateCount_ = 1;
  Clear();
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) {
    throw EListError(Format("List index out of bounds (%d)", index));
  }
  return items_[static_cast<std::size_t>(index)];
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = itemClass_ ? itemClass_->CreateItem(this) : nullptr;
  if (!item) throw EListError("Invalid property value");
  return item;
}

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  try {
    while (!items_.empty()) delete items_.back();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::Delete(int index) {
  delete Items(index);
}

void TCollection::BeginUpdate() {
  ++updateCount_;
}

void TCollection::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TCollection::InsertItem(TCollectionItem* item) {
  items_.push_back(item);
  item->collection_ = this;
  item->id_ = nextId_++;
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  item->collection_ = nullptr;
  Changed();
}

void TCollection::Changed() {
  if (updateCount_ == 0) CollectionUpdate(nullptr);
}

namespace {
[[maybe_unused]] const auto kTCollectionItem =
    RegisterClass<TCollectionItem, TPersistent>("TCollectionItem");
[[maybe_unused]] const auto kTCollection = RegisterClass<TCollection, TPersistent>("TCollection");
}  // namespace
