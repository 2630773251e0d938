// The tree as stream events, and stream events built into a tree.
#include <vector>

#include "tools/formc/binary.h"
#include "tools/formc/stream_sink.h"

namespace formc {
namespace {

// Builds the tree. Only the last element of each open container is ever open, so the pointers
// kept to open parts stay valid while they are filled.
class TreeBuilder : public StreamSink {
 public:
  ObjectRecord Take() { return std::move(root_); }

  void BeginObject(std::optional<std::uint8_t> prefix, const std::string& className,
                   const std::string& name, bool hasPosition) override {
    ObjectRecord* record = objects_.empty() ? &root_ : &objects_.back()->children.emplace_back();
    record->prefix = prefix;
    record->className = className;
    record->name = name;
    if (hasPosition) slot_ = &record->position.emplace();
    objects_.push_back(record);
  }
  void ObjectBody() override { entryLists_.push_back(&objects_.back()->entries); }
  void EndObject() override {
    entryLists_.pop_back();
    objects_.pop_back();
  }
  void BeginEntry(const std::string& name) override {
    PropertyEntry& entry = entryLists_.back()->emplace_back();
    entry.name = name;
    slot_ = &entry.value;
  }
  void EndEntry() override {}
  void Scalar(const Value& value) override { *Slot() = value; }
  void BeginList(bool) override { Open(ValueTag::tagList); }
  void EndList() override { open_.pop_back(); }
  void BeginSet() override { Open(ValueTag::tagSet); }
  void SetElement(const std::string& element) override {
    open_.back()->elements.push_back(element);
  }
  void EndSet() override { open_.pop_back(); }
  void BeginCollection(bool) override { Open(ValueTag::tagCollection); }
  void BeginItem(const std::optional<Value>& order) override {
    CollectionItem& item = open_.back()->collection.emplace_back();
    item.order = order;
    entryLists_.push_back(&item.entries);
  }
  void EndItem() override { entryLists_.pop_back(); }
  void EndCollection() override { open_.pop_back(); }

 private:
  // Where the next value goes: the slot an entry or a position opened, else a new list item.
  Value* Slot() {
    Value* slot = slot_ != nullptr ? slot_ : &open_.back()->items.emplace_back();
    slot_ = nullptr;
    return slot;
  }

  void Open(ValueTag tag) {
    Value* value = Slot();
    value->tag = tag;
    open_.push_back(value);
  }

  ObjectRecord root_;
  std::vector<ObjectRecord*> objects_;
  std::vector<std::vector<PropertyEntry>*> entryLists_;
  std::vector<Value*> open_;
  Value* slot_ = nullptr;
};

void ReplayValue(const Value& value, StreamSink& sink);

void ReplayEntries(const std::vector<PropertyEntry>& entries, StreamSink& sink) {
  for (const PropertyEntry& entry : entries) {
    sink.BeginEntry(entry.name);
    ReplayValue(entry.value, sink);
    sink.EndEntry();
  }
}

void ReplayValue(const Value& value, StreamSink& sink) {
  switch (value.tag) {
    case ValueTag::tagList:
      sink.BeginList(value.items.empty());
      for (const Value& item : value.items) ReplayValue(item, sink);
      sink.EndList();
      break;
    case ValueTag::tagSet:
      sink.BeginSet();
      for (const std::string& element : value.elements) sink.SetElement(element);
      sink.EndSet();
      break;
    case ValueTag::tagCollection:
      sink.BeginCollection(value.collection.empty());
      for (const CollectionItem& item : value.collection) {
        sink.BeginItem(item.order);
        ReplayEntries(item.entries, sink);
        sink.EndItem();
      }
      sink.EndCollection();
      break;
    default:
      sink.Scalar(value);
  }
}

}  // namespace

void Replay(const ObjectRecord& root, StreamSink& sink) {
  sink.BeginObject(root.prefix, root.className, root.name, root.position.has_value());
  if (root.position) ReplayValue(*root.position, sink);
  sink.ObjectBody();
  ReplayEntries(root.entries, sink);
  for (const ObjectRecord& child : root.children) Replay(child, sink);
  sink.EndObject();
}

ObjectRecord DecodeStream(std::string_view stream) {
  TreeBuilder builder;
  DecodeStream(stream, builder);
  return builder.Take();
}

}  // namespace formc
