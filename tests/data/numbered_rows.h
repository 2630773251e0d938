// A small Jet file for data-layer tests: one table "namoone" whose rows are numbered 1..n, and
// an ADO query over it, ready to open.
#pragma once

#include <string>

#include "data/ado_query.h"

class TADOConnection;
class TComponent;

namespace datatest {

// The provider does not write to Jet files yet, so its recordsets refuse updates. This query
// answers as an updatable recordset would (unless locked read-only), so that the edit, insert
// and cancel paths of the dataset run up to the provider's write, which they never reach.
class EditableQuery : public TADOQuery {
 public:
  using TADOQuery::TADOQuery;
  bool CanModifyData() override {
    return ProviderIsOpen() && LockType() != TADOLockType::ltReadOnly;
  }
};

// Writes a database with the table namoone (id autonumber, kholase text "title <id>") of
// `rows` rows into the test's temporary directory and returns its path.
std::string WriteNumberedRows(const std::string& fileName, int rows);

// A connection to the file at `path` (no login prompt) and a static-cursor query named `name`
// with `sql`, both owned by `owner`. QueryOn makes an editable query.
TADOConnection* ConnectTo(TComponent* owner, const std::string& path);
TADOQuery* QueryOn(TComponent* owner, TADOConnection* connection, const char* name,
                   const char* sql);
// Gives an existing query the same settings.
void SetUpQuery(TADOQuery* query, TADOConnection* connection, const char* name, const char* sql);

}  // namespace datatest
