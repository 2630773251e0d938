// The plain ADO dataset and its registration.
#include "data/ado_dataset.h"

#include "core/classes.h"
#include "data/datasource.h"
#include "data/master_datalink.h"

TADODataSet::TADODataSet(TComponent* owner) : TCustomADODataSet(owner) {}

const AnsiString& TADODataSet::MasterFields() const {
  return MasterLink().FieldNames();
}

void TADODataSet::SetMasterFields(const AnsiString& value) {
  MasterLink().SetFieldNames(value);
}

namespace {

[[maybe_unused]] const auto kTADODataSet =
    RegisterClass<TADODataSet, TCustomADODataSet>("TADODataSet")
        .Property("CommandText", &TADODataSet::CommandText, &TADODataSet::SetCommandText)
        .Enum("CommandType", &TADODataSet::CommandType, &TADODataSet::SetCommandType,
              {"cmdUnknown", "cmdText", "cmdTable", "cmdStoredProc", "cmdFile", "cmdTableDirect"})
        .Property("DataSource", &TADODataSet::DataSource, &TADODataSet::SetDataSource)
        .Property("MasterFields", &TADODataSet::MasterFields, &TADODataSet::SetMasterFields)
        .Property("IndexName", &TADODataSet::IndexName, &TADODataSet::SetIndexName)
        .Property("IndexFieldNames", &TADODataSet::IndexFieldNames,
                  &TADODataSet::SetIndexFieldNames)
        .Property("Parameters", &TADODataSet::Parameters, &TADODataSet::SetParameters)
        .Property("ParamCheck", &TADODataSet::ParamCheck, &TADODataSet::SetParamCheck)
        .Property("Prepared", &TADODataSet::Prepared, &TADODataSet::SetPrepared)
        .Property("CommandTimeout", &TADODataSet::CommandTimeout, &TADODataSet::SetCommandTimeout)
        .Property("EnableBCD", &TADODataSet::EnableBCD, &TADODataSet::SetEnableBCD);

}  // namespace
