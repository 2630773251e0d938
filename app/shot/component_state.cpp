// The per-class state writers and the entries of the data layer.
#include "app/shot/component_state.h"

#include <algorithm>

#include "core/classes.h"
#include "core/strings.h"
#include "data/ado_query.h"
#include "data/dataset.h"
#include "data/datasource.h"
#include "data/field.h"
#include "data/fields.h"

namespace shot {

Json StateRegistry::Entry(TComponent& component) const {
  Json entry = Json::MakeObject();
  entry.Set("name", Utf8(component.Name()));
  entry.Set("class", Utf8(component.ClassName()));
  std::vector<const TClassRecord*> lineage;
  for (const TClassRecord* record = FindClassByType(typeid(component)); record;
       record = record->Parent()) {
    lineage.push_back(record);
  }
  std::reverse(lineage.begin(), lineage.end());
  for (const TClassRecord* record : lineage) {
    for (const auto& [type, writer] : writers_) {
      if (type == record->Type()) writer(component, entry);
    }
  }
  return entry;
}

Json StateRegistry::Entries(const TComponent& root) const {
  Json entries = Json::MakeArray();
  for (int i = 0; i < root.ComponentCount(); ++i) entries.Push(Entry(*root.Components(i)));
  return entries;
}

namespace {

const char* StateName(DataSetState state) {
  static constexpr const char* kNames[] = {
      "Inactive",     "Browsing",         "Editing",      "Inserting",
      "KeyEntry",     "Calculating",      "FilterTest",   "NewValueView",
      "OldValueView", "CurrentValueView", "BlockReading", "InternalCalculating",
      "OpeningAsync",
  };
  auto index = static_cast<std::size_t>(state);
  return index < std::size(kNames) ? kNames[index] : "?";
}

void DataSetEntries(TDataSet& dataSet, Json& entry) {
  bool active = dataSet.Active();
  entry.Set("active", active);
  entry.Set("state", StateName(dataSet.State()));
  entry.Set("recordCount", active ? Json(dataSet.TotalRecordCount()) : Json());
  entry.Set("recNo", active ? Json(dataSet.CurrentRecordNumber()) : Json());
  entry.Set("bof", dataSet.AtBOF());
  entry.Set("eof", dataSet.AtEOF());
  // "fields" as a grid shows them ("(MEMO)" for a memo), "values" the whole text of each.
  Json fields = Json::MakeObject();
  Json values = Json::MakeObject();
  if (active && !dataSet.IsEmptyWindow()) {
    for (int i = 0; i < dataSet.Fields().Count(); ++i) {
      TField* field = dataSet.Fields()[i];
      fields.Set(Utf8(field->FieldName()), Utf8(field->TextForDisplay()));
      values.Set(Utf8(field->FieldName()), Utf8(field->StringValue()));
    }
  }
  entry.Set("fields", fields);
  entry.Set("values", values);
}

}  // namespace

void AddDataEntries(StateRegistry& registry) {
  registry.Add<TDataSet>(DataSetEntries);
  registry.Add<TADOQuery>(
      [](TADOQuery& query, Json& entry) { entry.Set("sql", Utf8(query.SQL()->Text())); });
  registry.Add<TDataSource>([](TDataSource& source, Json& entry) {
    entry.Set("dataSet", source.DataSet() ? Json(Utf8(source.DataSet()->Name())) : Json());
  });
}

}  // namespace shot
