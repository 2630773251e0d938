// State entries: a component gets its ancestors' entries first, then its own class's, and the
// root's components are listed in the owner's order.
#include "app/shot/component_state.h"

#include <gtest/gtest.h>

#include "core/strings.h"
#include "data/ado_query.h"
#include "data/datasource.h"

namespace {

using shot::Json;

TEST(ComponentState, ClosedQueryAndItsSourceInOwnerOrder) {
  TComponent root(nullptr);
  auto* query = new TADOQuery(&root);
  query->SetName("Qkolliyat");
  query->SQL()->Add("SELECT *");
  query->SQL()->Add("FROM kolliyat;");
  auto* source = new TDataSource(&root);
  source->SetName("Dqkolliyat");
  source->SetDataSet(query);

  shot::StateRegistry registry;
  shot::AddDataEntries(registry);
  Json entries = registry.Entries(root);
  EXPECT_EQ(entries.Dump(),
            "[\n"
            "  {\n"
            "    \"name\": \"Qkolliyat\",\n"
            "    \"class\": \"TADOQuery\",\n"
            "    \"active\": false,\n"
            "    \"state\": \"Inactive\",\n"
            "    \"recordCount\": null,\n"
            "    \"recNo\": null,\n"
            "    \"bof\": true,\n"
            "    \"eof\": true,\n"
            "    \"fields\": {},\n"
            "    \"values\": {},\n"
            "    \"sql\": \"SELECT *\\r\\nFROM kolliyat;\\r\\n\"\n"
            "  },\n"
            "  {\n"
            "    \"name\": \"Dqkolliyat\",\n"
            "    \"class\": \"TDataSource\",\n"
            "    \"dataSet\": \"Qkolliyat\"\n"
            "  }\n"
            "]\n");
}

TEST(ComponentState, AClassWithoutWritersGetsNameAndClassOnly) {
  TComponent root(nullptr);
  auto* source = new TDataSource(&root);
  source->SetName("DataSource1");
  shot::StateRegistry registry;
  EXPECT_EQ(registry.Entry(*source).Dump(),
            "{\n  \"name\": \"DataSource1\",\n  \"class\": \"TDataSource\"\n}\n");
}

}  // namespace
