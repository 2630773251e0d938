// The ADO table and its registration.
#include "data/ado_table.h"

#include "core/classes.h"
#include "data/datasource.h"
#include "data/master_datalink.h"

TADOTable::TADOTable(TComponent* owner) : TCustomADODataSet(owner) {
  Command().SetCommandTextAlias("TableName");
  Command().SetCommandType(TCommandType::cmdTable);
}

bool TADOTable::ReadOnly() const {
  return LockType() == TADOLockType::ltReadOnly;
}

void TADOTable::SetReadOnly(bool value) {
  SetLockType(value ? TADOLockType::ltReadOnly : TADOLockType::ltOptimistic);
}

bool TADOTable::TableDirect() const {
  return CommandType() == TCommandType::cmdTableDirect;
}

void TADOTable::SetTableDirect(bool value) {
  SetCommandType(value ? TCommandType::cmdTableDirect : TCommandType::cmdTable);
}

const AnsiString& TADOTable::MasterFields() const {
  return MasterLink().FieldNames();
}

void TADOTable::SetMasterFields(const AnsiString& value) {
  MasterLink().SetFieldNames(value);
}

namespace {

[[maybe_unused]] const auto kTADOTable =
    RegisterClass<TADOTable, TCustomADODataSet>("TADOTable")
        .Property("TableName", &TADOTable::TableName, &TADOTable::SetTableName)
        .Property("MasterSource", &TADOTable::MasterSource, &TADOTable::SetMasterSource)
        .Property("MasterFields", &TADOTable::MasterFields, &TADOTable::SetMasterFields)
        .Property("IndexName", &TADOTable::IndexName, &TADOTable::SetIndexName)
        .Property("IndexFieldNames", &TADOTable::IndexFieldNames, &TADOTable::SetIndexFieldNames)
        .Property("ReadOnly", &TADOTable::ReadOnly, &TADOTable::SetReadOnly)
        .Property("TableDirect", &TADOTable::TableDirect, &TADOTable::SetTableDirect)
        .Property("CommandTimeout", &TADOTable::CommandTimeout, &TADOTable::SetCommandTimeout)
        .Property("EnableBCD", &TADOTable::EnableBCD, &TADOTable::SetEnableBCD);

}  // namespace
