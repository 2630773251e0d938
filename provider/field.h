// The Fields collection of a recordset, its Field objects and their Properties.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "provider/hresult.h"
#include "provider/row_set.h"
#include "provider/variant.h"

namespace provider {

class Recordset;

class Property {
 public:
  Property(std::u16string name, Variant value) : name_(std::move(name)), value_(std::move(value)) {}
  HRESULT get_Name(std::u16string* value) const;
  HRESULT get_Value(Variant* value) const;

 private:
  std::u16string name_;
  Variant value_;
};

// Names are matched without regard to ASCII letter case; a missing item is adErrItemNotFound.
class Properties {
 public:
  explicit Properties(std::vector<Property> items) : items_(std::move(items)) {}
  HRESULT get_Count(std::int32_t* value) const;
  HRESULT get_Item(std::int32_t index, Property** item);
  HRESULT get_Item(const std::u16string& name, Property** item);

 private:
  std::vector<Property> items_;
};

// One column of the recordset's current row. Owned by its Fields; valid until the recordset is
// opened again or destroyed. Value reads the current row lazily (and a value put since the last
// Update); outside a row it fails with adErrNoCurrentRecord.
class Field {
 public:
  Field(Recordset* recordset, std::size_t index, const ColumnInfo& info);

  HRESULT get_Name(std::u16string* value) const;
  HRESULT get_Type(DataTypeEnum* value) const;
  HRESULT get_DefinedSize(std::int32_t* value) const;
  HRESULT get_Precision(std::uint8_t* value) const;
  HRESULT get_NumericScale(std::uint8_t* value) const;
  HRESULT get_Attributes(std::int32_t* value) const;
  // Holds "ISAUTOINCREMENT" (VT_BOOL).
  HRESULT get_Properties(Properties** value);
  HRESULT get_Value(Variant* value) const;
  // Starts or continues an edit of the current row; Update stores it.
  HRESULT put_Value(const Variant& value);

 private:
  Recordset* recordset_;
  std::size_t index_;
  ColumnInfo info_;
  Properties properties_;
};

class Fields {
 public:
  Fields(Recordset* recordset, const std::vector<ColumnInfo>& columns);

  HRESULT get_Count(std::int32_t* value) const;
  HRESULT get_Item(std::int32_t index, Field** item);
  // By name, without regard to letter case.
  HRESULT get_Item(const std::u16string& name, Field** item);

 private:
  std::vector<std::unique_ptr<Field>> fields_;
  std::vector<std::u16string> names_;
};

}  // namespace provider
