// Reading Access-made Jet 3 and Jet 4 files through the public engine interface.
#include "provider/jet/database.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "tests/provider/jet/jet_test_support.h"

namespace {

using jettest::DataPath;
using provider::StatusKind;
using provider::Value;
using provider::jet::ColumnType;
using provider::jet::Database;
using provider::jet::JetVersion;
using provider::jet::OpenOptions;
using provider::jet::Table;

std::unique_ptr<Database> OpenSample(const std::string& name, const OpenOptions& options = {}) {
  auto db = Database::Open(DataPath(name), options);
  EXPECT_TRUE(db.ok()) << name << ": " << db.status().ToString();
  return db.ok() ? db.take() : nullptr;
}

std::unique_ptr<Table> OpenTable(const Database& db, const std::string& name) {
  auto table = db.OpenTable(name);
  EXPECT_TRUE(table.ok()) << name << ": " << table.status().ToString();
  return table.ok() ? table.take() : nullptr;
}

std::string Text(const Value& value) {
  const auto* text = std::get_if<std::u16string>(&value);
  return text != nullptr ? platform::WideToUtf8(*text) : "<not text>";
}

Value Get(const Table& table, std::size_t row, const std::string& column) {
  const int index = table.FindColumn(column);
  EXPECT_GE(index, 0) << column;
  auto value = table.GetValue(row, static_cast<std::size_t>(index));
  EXPECT_TRUE(value.ok()) << value.status().ToString();
  return value.ok() ? value.take() : Value();
}

TEST(JetDatabase, ReadsVersionsAndColumnsOfBothFormats) {
  auto jet4 = OpenSample("jackcess_testV2003.mdb");
  auto jet3 = OpenSample("jackcess_testV1997.mdb");
  ASSERT_TRUE(jet4 && jet3);
  EXPECT_EQ(jet4->Version(), JetVersion::jet4);
  EXPECT_EQ(jet3->Version(), JetVersion::jet3);
  EXPECT_EQ(jet4->FileFormat().pageSize, 4096u);
  EXPECT_EQ(jet3->FileFormat().pageSize, 2048u);
  for (Database* db : {jet4.get(), jet3.get()}) {
    EXPECT_EQ(db->UserTableNames(),
              (std::vector<std::string>{"Table1", "Table2", "Table3", "Table4"}));
    auto table = OpenTable(*db, "tABLE1");  // names ignore letter case
    ASSERT_TRUE(table);
    const std::vector<ColumnType> types = {
        ColumnType::text,     ColumnType::text,        ColumnType::byte,
        ColumnType::integer,  ColumnType::longInteger, ColumnType::doubleFloat,
        ColumnType::dateTime, ColumnType::currency,    ColumnType::boolean};
    ASSERT_EQ(table->Columns().size(), types.size());
    for (std::size_t i = 0; i < types.size(); ++i) EXPECT_EQ(table->Columns()[i].type, types[i]);
    ASSERT_EQ(table->RowCount(), 2u);
    const std::size_t first = Text(Get(*table, 0, "A")) == "abcdefg" ? 0 : 1;
    EXPECT_EQ(Text(Get(*table, first, "A")), "abcdefg");
    EXPECT_EQ(Text(Get(*table, 1 - first, "A")), "a");
    EXPECT_EQ(Get(*table, first, "C"), Value(std::int64_t{2}));
    EXPECT_EQ(Get(*table, first, "E"), Value(std::int64_t{333333333}));
    EXPECT_EQ(Get(*table, first, "F"), Value(444.555));
    EXPECT_EQ(Get(*table, first, "H"), Value(provider::Currency{35000}));
    EXPECT_EQ(Get(*table, first, "I"), Value(true));
    EXPECT_EQ(Get(*table, 1 - first, "I"), Value(false));
  }
}

TEST(JetDatabase, Jet3TextInAnotherCodePage) {
  // Jet 3 files carry text in the writer's code page whatever the header says.
  OpenOptions arabic;
  arabic.codePage = 1256;
  auto db = OpenSample("mdbtestdata_nwind.mdb", arabic);
  ASSERT_TRUE(db);
  const auto names = db->UserTableNames();
  EXPECT_NE(std::find(names.begin(), names.end(), "Ums\u0646tze"), names.end());  // 0xE4

  OpenOptions unknown;
  unknown.codePage = 936;
  // The catalog itself holds a name with a byte above 0x7F ("Umsätze").
  auto refused = Database::Open(DataPath("mdbtestdata_nwind.mdb"), unknown);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.status().kind(), StatusKind::notSupported);
  EXPECT_EQ(refused.status().message(), "Text in code page 936 cannot be read.");
}

TEST(JetDatabase, TableDefinitionOverSeveralPages) {
  auto db = OpenSample("jackcess_testV2003.mdb");
  ASSERT_TRUE(db);
  auto table = OpenTable(*db, "Table2");
  ASSERT_TRUE(table);
  ASSERT_EQ(table->Columns().size(), 89u);
  EXPECT_EQ(table->Columns()[88].name, "column89");
}

TEST(JetDatabase, NumericGuidAndAutoNumberColumns) {
  auto db = OpenSample("ucanaccess_functionsV2003.mdb");
  ASSERT_TRUE(db);
  auto table = OpenTable(*db, "t_funcs");
  ASSERT_TRUE(table);
  const auto num = Get(*table, 0, "num");
  const auto* decimal = std::get_if<provider::Decimal>(&num);
  ASSERT_NE(decimal, nullptr);
  EXPECT_TRUE(decimal->negative);
  EXPECT_EQ(decimal->magnitude[0], 1110554u);
  EXPECT_EQ(decimal->precision, 12);
  EXPECT_EQ(decimal->scale, 3);

  auto nwind = OpenSample("mdbtestdata_nwind.mdb");
  ASSERT_TRUE(nwind);
  EXPECT_TRUE(OpenTable(*nwind, "UMSÄTZE"));  // accented letters ignore case too
  auto products = OpenTable(*nwind, "Products");
  ASSERT_TRUE(products);
  EXPECT_TRUE(products->Columns()[0].IsAutoIncrement());
  EXPECT_FALSE(products->Columns()[1].IsAutoIncrement());
  EXPECT_EQ(products->RowCount(), 77u);
}

TEST(JetDatabase, MemoAndOleValuesInEveryStorageForm) {
  // Lengths of MSP_PROJECTS' long values were checked against both peer readers.
  for (const char* file : {"jackcess_test2V2003.mdb", "jackcess_test2V1997.mdb"}) {
    auto db = OpenSample(file);
    ASSERT_TRUE(db);
    auto table = OpenTable(*db, "MSP_PROJECTS");
    ASSERT_TRUE(table);
    std::size_t longest = 0;
    std::size_t values = 0;
    for (std::size_t row = 0; row < table->RowCount(); ++row) {
      for (std::size_t c = 0; c < table->Columns().size(); ++c) {
        if (!table->Columns()[c].IsLongValue()) continue;
        auto value = table->GetValue(row, c);
        ASSERT_TRUE(value.ok()) << value.status().ToString();
        if (const auto* bytes = std::get_if<provider::Bytes>(&value.value()))
          longest = std::max(longest, bytes->size()), ++values;
        if (const auto* text = std::get_if<std::u16string>(&value.value()))
          longest = std::max(longest, text->size()), ++values;
      }
    }
    EXPECT_GT(values, 0u) << file;
    // A chained value is longer than one page.
    EXPECT_GT(longest, db->FileFormat().pageSize) << file;
  }
}

TEST(JetDatabase, CompressedAndPlainUnicodeText) {
  auto db = OpenSample("jackcess_testUnicodeCompV2003.mdb");
  ASSERT_TRUE(db);
  const auto names = db->UserTableNames();
  ASSERT_FALSE(names.empty());
  auto table = OpenTable(*db, names[0]);
  ASSERT_TRUE(table);
  std::string all;
  for (std::size_t row = 0; row < table->RowCount(); ++row) {
    for (std::size_t c = 0; c < table->Columns().size(); ++c) {
      auto value = table->GetValue(row, c);
      ASSERT_TRUE(value.ok()) << value.status().ToString();
      if (std::holds_alternative<std::u16string>(value.value())) all += Text(value.value());
    }
  }
  EXPECT_NE(all.find("Мир"), std::string::npos);       // stored plain
  EXPECT_NE(all.find("ääkkösiä"), std::string::npos);  // stored compressed
}

TEST(JetDatabase, DeletedAndMovedRowsAndDeletedColumns) {
  struct Case {
    const char* file;
    const char* table;
    std::size_t rows;
  };
  // Row counts agree with both peer readers.
  for (const Case& c : {Case{"jackcess_overflowTestV2003.mdb", "Table1", 7},
                        Case{"jackcess_overflowTestV1997.mdb", "Table1", 7},
                        Case{"jackcess_delTestV2003.mdb", "Table", 2},
                        Case{"jackcess_delTestV1997.mdb", "Table", 2},
                        Case{"jackcess_delColTestV2003.mdb", "Table1", 2}}) {
    auto db = OpenSample(c.file);
    ASSERT_TRUE(db);
    auto table = OpenTable(*db, c.table);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->RowCount(), c.rows) << c.file;
    for (std::size_t row = 0; row < table->RowCount(); ++row)
      for (std::size_t col = 0; col < table->Columns().size(); ++col)
        EXPECT_TRUE(table->GetValue(row, col).ok()) << c.file;
  }
}

TEST(JetDatabase, PasswordIsRequiredWhenSet) {
  struct Case {
    const char* file;
    const char* password;
  };
  for (const Case& c : {Case{"mdbreader_V2003_with-password.mdb", "password"},
                        Case{"mdbreader_V2000_with-password.mdb", "password"},
                        Case{"ucanaccess_password.mdb", "ucanaccess"}}) {
    for (const char* wrong : {"", "Password", "passwor"}) {
      OpenOptions options;
      options.password = wrong;
      auto refused = Database::Open(DataPath(c.file), options);
      ASSERT_FALSE(refused.ok()) << c.file << " with '" << wrong << "'";
      EXPECT_EQ(refused.status().message(), "Not a valid password.");
    }
    OpenOptions options;
    options.password = c.password;
    auto db = OpenSample(c.file, options);
    ASSERT_TRUE(db);
    std::size_t values = 0;
    EXPECT_TRUE(jettest::ReadEverything(*db, &values).ok());
  }
  // A database without a password opens whatever is given.
  OpenOptions any;
  any.password = "x";
  EXPECT_TRUE(OpenSample("mdbreader_V2003_no-password.mdb", any));
}

TEST(JetDatabase, SavedSelectQueriesBecomeStatements) {
  auto db = OpenSample("ucanaccess_accessLike.mdb");
  ASSERT_TRUE(db);
  ASSERT_FALSE(db->Queries().empty());
  // This query has no kind row; the catalog says it is a select query.
  auto text = db->QueryText("q_like2");
  ASSERT_TRUE(text.ok()) << text.status().ToString();
  EXPECT_NE(text.value().find("LIKE \"d*#\""), std::string::npos) << text.value();
  EXPECT_EQ(text.value().rfind("SELECT ", 0), 0u) << text.value();

  auto nwind = OpenSample("mdbtestdata_nwind.mdb");
  ASSERT_TRUE(nwind);
  std::size_t selects = 0;
  for (const auto& query : nwind->Queries()) {
    auto sql = nwind->QueryText(query.name);
    if (query.IsSelect()) {
      ASSERT_TRUE(sql.ok()) << query.name << ": " << sql.status().ToString();
      EXPECT_NE(sql.value().find(" FROM "), std::string::npos) << sql.value();
      ++selects;
    } else {
      EXPECT_EQ(sql.status().kind(), StatusKind::notSupported) << query.name;
    }
  }
  EXPECT_GT(selects, 10u);
}

TEST(JetDatabase, RebuiltStatementsKeepJoinsOptionsAndOrder) {
  struct Case {
    const char* file;
    const char* query;
    const char* sql;
  };
  const Case cases[] = {
      {"jackcess_queryTestV2003.mdb", "SelectQuery",
       "SELECT DISTINCT Table1.*, Table2.col1, Table2.col2, Table3.col3 FROM ([Table1] LEFT JOIN "
       "[Table3] ON Table1.col1 = Table3.col1) INNER JOIN [Table2] ON (Table3.col1 = "
       "Table2.col1) AND (Table3.col1 = Table2.col2) WHERE (((Table2.col2)=\"foo\" Or "
       "(Table2.col2) In (\"buzz\",\"bazz\"))) ORDER BY Table2.col1"},
      {"mdbtestdata_nwind.mdb", "Products Above Average Price",
       "SELECT DISTINCTROW Products.ProductName, Products.UnitPrice FROM [Products] WHERE "
       "(((Products.UnitPrice)>(SELECT AVG([UnitPrice]) From Products))) ORDER BY "
       "Products.UnitPrice DESC"},
  };
  for (const Case& c : cases) {
    auto db = OpenSample(c.file);
    ASSERT_TRUE(db);
    auto sql = db->QueryText(c.query);
    ASSERT_TRUE(sql.ok()) << sql.status().ToString();
    EXPECT_EQ(sql.value(), c.sql);
  }
}

TEST(JetDatabase, OtherQueryKindsAreNotSupported) {
  auto db = OpenSample("jackcess_queryTestV2003.mdb");
  ASSERT_TRUE(db);
  std::size_t refused = 0;
  for (const auto& query : db->Queries()) {
    auto sql = db->QueryText(query.name);
    if (query.IsSelect()) {
      EXPECT_TRUE(sql.ok()) << query.name << ": " << sql.status().ToString();
    } else {
      EXPECT_EQ(sql.status().kind(), StatusKind::notSupported) << query.name;
      ++refused;
    }
  }
  EXPECT_GE(refused, 8u);
}

TEST(JetDatabase, UnknownAndLinkedTables) {
  auto db = OpenSample("ucanaccess_linked.mdb");
  ASSERT_TRUE(db);
  EXPECT_TRUE(db->UserTableNames().empty());
  std::size_t linked = 0;
  for (const auto& entry : db->Tables()) {
    if (entry.type != static_cast<std::int16_t>(provider::jet::ObjectType::table)) {
      EXPECT_EQ(db->OpenTable(entry.name).status().kind(), StatusKind::notSupported);
      ++linked;
    }
  }
  EXPECT_EQ(linked, 2u);
  auto missing = db->OpenTable("nosuch");
  EXPECT_EQ(missing.status().kind(), StatusKind::notFound);
  EXPECT_EQ(missing.status().message(),
            "The Microsoft Jet database engine cannot find the input table or query 'nosuch'.");
}

}  // namespace
