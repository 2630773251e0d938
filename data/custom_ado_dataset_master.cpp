// The ADO dataset base: following a master dataset.
#include <set>

#include "data/ado_record_buffer.h"
#include "data/custom_ado_dataset.h"
#include "data/database_error.h"
#include "data/datasource.h"
#include "data/field.h"
#include "data/fields.h"
#include "data/master_datalink.h"
#include "data/olecheck.h"
#include "data/parameters.h"
#include "platform/codepage.h"

namespace {

std::vector<AnsiString> SplitNames(const AnsiString& names) {
  std::vector<AnsiString> result;
  std::size_t start = 0;
  while (start <= names.size()) {
    std::size_t end = names.find(';', start);
    if (end == AnsiString::npos) end = names.size();
    AnsiString name = names.substr(start, end - start);
    const auto first = name.find_first_not_of(' ');
    const auto last = name.find_last_not_of(' ');
    if (first != AnsiString::npos) result.push_back(name.substr(first, last - first + 1));
    start = end + 1;
  }
  return result;
}

bool IsNumericType(TFieldType type) {
  switch (type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
    case TFieldType::ftAutoInc:
    case TFieldType::ftLargeint:
      return true;
    default:
      return false;
  }
}

// The master field's current value as a literal of a recordset filter.
AnsiString FilterLiteral(TField& field) {
  if (field.IsNullValue()) return "NULL";
  if (IsNumericType(field.DataType())) return field.StringValue();
  return QuotedStr(field.StringValue());
}

}  // namespace

// ---- Master link

TDataSource* TCustomADODataSet::MasterSource() const {
  return masterLink_->Source();
}

TDataSource* TCustomADODataSet::LinkedDataSource() {
  return masterLink_->Source();
}

void TCustomADODataSet::AssignMasterSource(TDataSource* value) {
  // Follow the chain of masters from the new source: reaching this dataset would make the
  // detail its own master.
  std::set<const TDataSource*> seen;
  for (TDataSource* source = value; source != nullptr && seen.insert(source).second;) {
    TDataSet* dataSet = source->DataSet();
    if (dataSet == nullptr) break;
    if (dataSet == this) DatabaseError("Circular datalinks are not allowed", this);
    source = dataSet->LinkedDataSource();
  }
  masterLink_->AttachToSource(value);
}

void TCustomADODataSet::LinkMasterParameters() {
  TParameters* parameters = Parameters();
  TDataSet* master = masterLink_->DataSet();
  if (parameters->Count() == 0 || master == nullptr) return;
  AnsiString names;
  for (int i = 0; i < parameters->Count(); ++i) {
    TParameter* parameter = parameters->Items(i);
    if (parameter->Direction() != TParameterDirection::pdInput &&
        parameter->Direction() != TParameterDirection::pdInputOutput) {
      continue;
    }
    TField* field = master->FieldNamedOrNone(platform::WideToAnsi(parameter->Name()));
    if (field == nullptr) continue;
    if (!names.empty()) names += ";";
    names += field->FieldName();
    parameter->SetValue(field->IsNullValue() ? Variant::Null() : Variant(field->StringValue()));
  }
  masterLink_->SetFieldNames(names);
}

void TCustomADODataSet::MasterRecordChanged(TObject*) {
  if (!Active()) return;
  if (Parameters()->Count() > 0) {
    SuspendControls();
    try {
      // Re-query with the master's values in the parameters (LinkMasterParameters takes them
      // at open).
      CloseDataSet();
      OpenDataSet();
    } catch (...) {
      ResumeControls();
      throw;
    }
    ResumeControls();
    return;
  }
  EnsureBrowseMode();
  if (ApplyDetailFilter()) MoveToFirst();
}

void TCustomADODataSet::MasterLinkDisabled(TObject*) {
  if (Parameters()->Count() > 0) return;
  EnsureBrowseMode();
  OleCheck(recordset_->put_Filter(provider::Variant()));
  // The recordset shows every row again, so a later master change must filter anew.
  detailFilter_.clear();
}

bool TCustomADODataSet::ApplyDetailFilter() {
  const std::vector<AnsiString> detailNames = SplitNames(indexFieldNames_);
  AnsiString text;
  const std::vector<TField*>& masters = masterLink_->Fields();
  for (std::size_t i = 0; i < masters.size(); ++i) {
    const AnsiString& name = i < detailNames.size() ? detailNames[i] : masters[i]->FieldName();
    if (!text.empty()) text += " AND ";
    text += name + " = " + FilterLiteral(*masters[i]);
  }
  if (text == detailFilter_) return false;
  OleCheck(recordset_->put_Filter(provider::Variant::String(platform::AnsiToWide(text))));
  detailFilter_ = text;
  return true;
}
