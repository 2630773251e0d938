// Writing the numbered test table and connecting a query to it.
#include "tests/data/numbered_rows.h"

#include <gtest/gtest.h>

#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "provider/jet/new_database.h"
#include "tests/data/temp_path.h"

namespace datatest {

using provider::Value;
using provider::jet::ColumnSpec;
using provider::jet::ColumnType;
using provider::jet::NewDatabase;
using provider::jet::TableSpec;

std::string WriteNumberedRows(const std::string& fileName, int rows) {
  const std::string path = TestTempPath(fileName);
  auto database = NewDatabase::Create(provider::DateTime{46000.5});
  EXPECT_TRUE(database.ok());
  auto table = database.value()->CreateTable(
      TableSpec{u"namoone",
                {ColumnSpec{u"id", ColumnType::longInteger, 0, true},
                 ColumnSpec{u"kholase", ColumnType::text, 255, false}}});
  EXPECT_TRUE(table.ok());
  for (int i = 1; i <= rows; ++i) {
    const std::string title = "title " + std::to_string(i);
    EXPECT_TRUE(
        table.value()->InsertRow({Value{}, std::u16string(title.begin(), title.end())}).ok());
  }
  EXPECT_TRUE(database.value()->Save(path).ok());
  return path;
}

TADOConnection* ConnectTo(TComponent* owner, const std::string& path) {
  auto* connection = new TADOConnection(owner);
  connection->SetLoginPrompt(false);
  const std::string text = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path;
  connection->SetConnectionString(WideString(text.begin(), text.end()));
  return connection;
}

TADOQuery* QueryOn(TComponent* owner, TADOConnection* connection, const char* name,
                   const char* sql) {
  auto* query = new EditableQuery(owner);
  SetUpQuery(query, connection, name, sql);
  return query;
}

void SetUpQuery(TADOQuery* query, TADOConnection* connection, const char* name, const char* sql) {
  query->SetName(name);
  query->SetConnection(connection);
  query->SetCursorType(TCursorType::ctStatic);
  query->SQL()->Add(sql);
}

}  // namespace datatest
