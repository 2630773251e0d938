// The process-wide class registry and look-ups over class records.
#include "core/classes.h"

#include <mutex>
#include <shared_mutex>
#include <unordered_map>

#include "core/component.h"

namespace {

struct Registry {
  std::shared_mutex lock;
  std::vector<std::unique_ptr<TClassRecord>> records;
  std::unordered_map<std::type_index, TClassRecord*> byType;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

TClassRecord* AddClassRecord(std::unique_ptr<TClassRecord> record) {
  Registry& r = TheRegistry();
  std::unique_lock guard(r.lock);
  TClassRecord* raw = record.get();
  r.byType[raw->Type()] = raw;
  r.records.push_back(std::move(record));
  return raw;
}

const TClassRecord* FindClassByType(std::type_index type) {
  Registry& r = TheRegistry();
  std::shared_lock guard(r.lock);
  auto it = r.byType.find(type);
  return it == r.byType.end() ? nullptr : it->second;
}

const TClassRecord* FindClass(std::string_view name) {
  Registry& r = TheRegistry();
  std::shared_lock guard(r.lock);
  for (const auto& record : r.records) {
    if (SameText(record->Name(), name)) return record.get();
  }
  return nullptr;
}

const TClassRecord* TClassRecord::Parent() const {
  return FindClassByType(parent_);
}

bool TClassRecord::InheritsFrom(const TClassRecord* other) const {
  for (const TClassRecord* c = this; c; c = c->Parent()) {
    if (c == other) return true;
  }
  return false;
}

bool TClassRecord::IsComponentClass() const {
  return InheritsFrom(ClassOf<TComponent>());
}

const TPropInfo* TClassRecord::FindProperty(std::string_view name) const {
  for (const TClassRecord* c = this; c; c = c->Parent()) {
    for (const TPropInfo& p : c->properties_) {
      if (SameText(p.Name, name)) return &p;
    }
  }
  return nullptr;
}

const TMethodInfo* TClassRecord::FindMethod(std::string_view name) const {
  for (const TClassRecord* c = this; c; c = c->Parent()) {
    for (const TMethodInfo& m : c->methods_) {
      if (SameText(m.Name, name)) return &m;
    }
  }
  return nullptr;
}

const TFieldInfo* TClassRecord::FindField(std::string_view name) const {
  for (const TClassRecord* c = this; c; c = c->Parent()) {
    for (const TFieldInfo& f : c->fields_) {
      if (SameText(f.Name, name)) return &f;
    }
  }
  return nullptr;
}

const TClassRecord* TClassRecord::FindFieldClass(std::string_view className) const {
  for (const TClassRecord* c = this; c; c = c->Parent()) {
    for (const TFieldInfo& f : c->fields_) {
      const TClassRecord* fieldClass = FindClassByType(f.ValueType);
      if (fieldClass && SameText(fieldClass->Name(), className)) return fieldClass;
    }
  }
  return nullptr;
}

TComponent* TClassRecord::CreateComponent(TComponent* owner) const {
  return componentFactory_ ? componentFactory_(owner) : nullptr;
}

TCollectionItem* TClassRecord::CreateItem(TCollection* collection) const {
  return itemFactory_ ? itemFactory_(collection) : nullptr;
}

const TClassRecord* TObject::ClassType() const {
  return FindClassByType(typeid(*this));
}

AnsiString TObject::ClassName() const {
  const TClassRecord* c = ClassType();
  return c ? c->Name() : AnsiString(typeid(*this).name());
}

bool TObject::InheritsFrom(const TClassRecord* cls) const {
  const TClassRecord* c = ClassType();
  return c && c->InheritsFrom(cls);
}

namespace {
[[maybe_unused]] const auto kTObject = RegisterClass<TObject, void>("TObject");
}
