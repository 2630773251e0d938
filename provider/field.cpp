// Field metadata and values, read through the owning recordset.
#include "provider/field.h"

#include "provider/error_info.h"
#include "provider/recordset.h"

namespace provider {

namespace {

char16_t Lower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

bool SameName(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

HRESULT NotFound() {
  return Fail(adErrItemNotFound,
              "Item cannot be found in the collection corresponding to the requested name or "
              "ordinal.",
              kRecordsetSource);
}

}  // namespace

HRESULT Property::get_Name(std::u16string* value) const {
  *value = name_;
  return S_OK;
}

HRESULT Property::get_Value(Variant* value) const {
  *value = value_;
  return S_OK;
}

HRESULT Properties::get_Count(std::int32_t* value) const {
  *value = static_cast<std::int32_t>(items_.size());
  return S_OK;
}

HRESULT Properties::get_Item(std::int32_t index, Property** item) {
  if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return NotFound();
  *item = &items_[static_cast<std::size_t>(index)];
  return S_OK;
}

HRESULT Properties::get_Item(const std::u16string& name, Property** item) {
  for (Property& property : items_) {
    std::u16string itemName;
    property.get_Name(&itemName);
    if (SameName(itemName, name)) {
      *item = &property;
      return S_OK;
    }
  }
  return NotFound();
}

Field::Field(Recordset* recordset, std::size_t index, const ColumnInfo& info)
    : recordset_(recordset),
      index_(index),
      info_(info),
      properties_({Property(u"ISAUTOINCREMENT", Variant::Bool(info.autoIncrement))}) {}

HRESULT Field::get_Name(std::u16string* value) const {
  *value = info_.name;
  return S_OK;
}

HRESULT Field::get_Type(DataTypeEnum* value) const {
  *value = info_.type;
  return S_OK;
}

HRESULT Field::get_DefinedSize(std::int32_t* value) const {
  *value = info_.definedSize;
  return S_OK;
}

HRESULT Field::get_Precision(std::uint8_t* value) const {
  *value = info_.precision;
  return S_OK;
}

HRESULT Field::get_NumericScale(std::uint8_t* value) const {
  *value = info_.numericScale;
  return S_OK;
}

HRESULT Field::get_Attributes(std::int32_t* value) const {
  *value = info_.attributes;
  return S_OK;
}

HRESULT Field::get_Properties(Properties** value) {
  *value = &properties_;
  return S_OK;
}

HRESULT Field::get_Value(Variant* value) const {
  return recordset_->ReadValue(index_, value);
}

HRESULT Field::put_Value(const Variant& value) {
  return recordset_->WriteValue(index_, value);
}

Fields::Fields(Recordset* recordset, const std::vector<ColumnInfo>& columns) {
  for (std::size_t i = 0; i < columns.size(); ++i) {
    fields_.push_back(std::make_unique<Field>(recordset, i, columns[i]));
    names_.push_back(columns[i].name);
  }
}

HRESULT Fields::get_Count(std::int32_t* value) const {
  *value = static_cast<std::int32_t>(fields_.size());
  return S_OK;
}

HRESULT Fields::get_Item(std::int32_t index, Field** item) {
  if (index < 0 || static_cast<std::size_t>(index) >= fields_.size()) return NotFound();
  *item = fields_[static_cast<std::size_t>(index)].get();
  return S_OK;
}

HRESULT Fields::get_Item(const std::u16string& name, Field** item) {
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (SameName(names_[i], name)) {
      *item = fields_[i].get();
      return S_OK;
    }
  }
  return NotFound();
}

}  // namespace provider
