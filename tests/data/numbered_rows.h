// A small Jet file for data-layer tests: one table "namoone" whose rows are numbered 1..n, and
// an ADO query over it, ready to open.
#pragma once

#include <string>

class TADOConnection;
class TADOQuery;
class TComponent;

namespace data_test {

// Writes a database with the table namoone (id autonumber, kholase text "title <id>") of
// `rows` rows into the test's temporary directory and returns its path.
std::string WriteNumberedRows(const std::string& fileName, int rows);

// A connection to the file at `path` (no login prompt) and a static-cursor query named `name`
// with `sql`, both owned by `owner`.
TADOConnection* ConnectTo(TComponent* owner, const std::string& path);
TADOQuery* QueryOn(TComponent* owner, TADOConnection* connection, const char* name,
                   const char* sql);

}  // namespace data_test
