// Named items and definition collections: look-up by name without regard to case.
#include "data/def_collection.h"

#include "core/ansi_case.h"
#include "core/classes.h"

TNamedItem::TNamedItem(TCollection* collection) : TCollectionItem(collection) {}

void TNamedItem::SetName(const AnsiString& name) {
  if (name == name_) return;
  name_ = name;
  Changed(false);
}

TDefCollection::TDefCollection(TDataSet* dataset, TPersistent* owner, const TClassRecord* itemClass)
    : TCollection(owner, itemClass), dataset_(dataset) {}

int TDefCollection::IndexOf(std::string_view name) const {
  for (int i = 0; i < Count(); ++i) {
    if (AnsiSameText(static_cast<TNamedItem*>(Items(i))->Name(), name)) return i;
  }
  return -1;
}

TNamedItem* TDefCollection::Find(std::string_view name) const {
  int index = IndexOf(name);
  return index < 0 ? nullptr : static_cast<TNamedItem*>(Items(index));
}

namespace {

[[maybe_unused]] const auto kTNamedItem =
    RegisterClass<TNamedItem, TCollectionItem>("TNamedItem")
        .Property("Name", &TNamedItem::Name, &TNamedItem::SetName);

}  // namespace
