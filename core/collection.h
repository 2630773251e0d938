// Collections: owned, ordered lists of items of one class, streamed as tag 14 values.
#pragma once

#include <vector>

#include "core/persistent.h"

class TClassRecord;
class TCollection;

class TCollectionItem : public TPersistent {
 public:
  // Appends the item to collection (if any), which then owns it.
  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return collection_; }
  // Moves the item to another collection; an item of a class the collection does not hold
  // raises EListError "Invalid property value".
  void SetCollection(TCollection* collection);
  int ID() const { return id_; }
  int Index() const;
  void SetIndex(int index);

 protected:
  // Reports a change of this item (or, with allItems, of the whole collection).
  void Changed(bool allItems);

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = 0;
};

class TCollection : public TPersistent {
 public:
  TCollection(TPersistent* owner, const TClassRecord* itemClass);
  ~TCollection() override;

  TPersistent* Owner() const { return owner_; }
  const TClassRecord* ItemClass() const { return itemClass_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TCollectionItem* Items(int index) const;
  int UpdateCount() const { return updateCount_; }

  TCollectionItem* Add();
  void Clear();
  void Delete(int index);
  void BeginUpdate();
  void EndUpdate();

 protected:
  // The change notice: an item, or null for the whole collection. Sent only outside updates.
  virtual void CollectionUpdate(TCollectionItem* item) {}

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);
  void Changed();

  TPersistent* owner_;
  const TClassRecord* itemClass_;
  std::vector<TCollectionItem*> items_;
  int nextId_ = 0;
  int updateCount_ = 0;
};
