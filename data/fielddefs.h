// Field definitions: the columns a dataset's source offers, from which default fields are made.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "data/db_types.h"
#include "data/def_collection.h"

class TFieldDefs;
class TField;
class TComponent;

// One column of the source. FieldNo is its 1-based position among the definitions.
class TFieldDef : public TNamedItem {
 public:
  explicit TFieldDef(TCollection* collection);
  ~TFieldDef() override;

  TFieldDefs* FieldDefs() const;
  TDataSet* DataSet() const;

  TFieldAttributes Attributes() const { return attributes_; }
  void SetAttributes(TFieldAttributes attributes);
  TFieldType DataType() const { return dataType_; }
  void SetDataType(TFieldType type);
  std::int32_t Precision() const { return precision_; }
  void SetPrecision(std::int32_t precision);
  std::int32_t Size() const { return size_; }
  void SetSize(std::int32_t size);
  std::int32_t FieldNo() const { return fieldNo_; }
  void SetFieldNo(std::int32_t fieldNo) { fieldNo_ = fieldNo; }
  bool InternalCalcField() const { return internalCalc_; }
  void SetInternalCalcField(bool value) { internalCalc_ = value; }

  // The nested definitions of an object type; created on first use.
  TFieldDefs& ChildDefs();
  TFieldDefs* ChildDefsOrNone() const { return childDefs_.get(); }
  bool HasChildDefs() const;

  // Creates the field for this definition with owner (usually the dataset) and joins it to the
  // dataset's fields. Raises "Field '%s' is of an unknown type" for a type without a field
  // class; on any error the new field is freed and the error passed on.
  TField* CreateField(TComponent* owner);

 private:
  TFieldAttributes attributes_;
  TFieldType dataType_ = TFieldType::ftUnknown;
  std::int32_t precision_ = 0;
  std::int32_t size_ = 0;
  std::int32_t fieldNo_ = 0;
  bool internalCalc_ = false;
  std::unique_ptr<TFieldDefs> childDefs_;
};

// The definitions of a dataset (or the children of an object definition), in column order.
// Any change marks the flat list stale; it is rebuilt on the next FlatList().
class TFieldDefs : public TDefCollection {
 public:
  // owner is the dataset for the top-level definitions, the parent definition for children.
  TFieldDefs(TDataSet* dataset, TPersistent* owner);

  TFieldDef* AddFieldDef();
  TFieldDef* Items(int index) const;
  TFieldDef* Find(std::string_view name) const;  // raises "Field '%s' not found"
  TFieldDef* FindOrNone(std::string_view name) const;
  TFieldDef* ParentDef() const;

  // Brings the definitions up to date with the source: nothing when they are, otherwise the
  // dataset loads them (from its open provider, or by opening it for definitions only), inside
  // one update of the collection. They are up to date afterwards; a failed load leaves them
  // stale, so the next refresh tries again, and the failure is passed on.
  void RefreshDefs();

  // Every definition with nested definitions expanded after their parent, in order.
  const std::vector<TFieldDef*>& FlatList();

 protected:
  void CollectionUpdate(TCollectionItem* item) override;

 private:
  void Flatten(TFieldDefs& defs);

  std::vector<TFieldDef*> flat_;
  bool flatStale_ = true;
};
