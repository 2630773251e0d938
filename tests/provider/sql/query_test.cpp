// Statements run over an in-memory database: the program's own statements, searches,
// ordering, Null, saved queries, parameters and the errors for unknown names.
#include "provider/sql/query.h"

#include <gtest/gtest.h>

#include "memory_source.h"
#include "platform/codepage.h"

namespace provider::sql {
namespace {

using sqltest::MemoryDatabase;
using sqltest::MemoryTable;

Value T(const char16_t* s) {
  return std::u16string(s);
}
Value I(std::int64_t i) {
  return i;
}
const Value kNull{};

// Rows 0..5 of a topic table: kholase, porsesh, pasokh, pavaraghi, and a number.
class Store : public ::testing::Test {
 protected:
  Store()
      : kolliyat_(
            {{u"kholase", ColumnKind::text},
             {u"porsesh", ColumnKind::text},
             {u"pasokh", ColumnKind::text},
             {u"pavaraghi", ColumnKind::text},
             {u"shomare", ColumnKind::integer}},
            {
                {T(u"ab'c here"), T(u"q0"), T(u"a0"), kNull, I(30)},
                {T(u"abc"), T(u"q1"), T(u"a1"), kNull, I(10)},
                {T(u"x_y 100%"), T(u"q2"), T(u"a2"), kNull, I(20)},
                {kNull, T(u"q3"), kNull, kNull, kNull},
                {T(u"\u0639\u0644\u064A"), T(u"\u0643\u062A\u0627\u0628"), T(u"a4"), kNull, I(10)},
                {T(u"XYZ"), T(u"q5"), T(u"a5"), kNull, I(-5)},
            }) {
    db_.AddTable(u"kolliyat", &kolliyat_);
    db_.AddQuery(u"Qkolliyat", u"SELECT kholase, shomare AS n FROM kolliyat WHERE shomare > 0");
    db_.AddQuery(u"Qsorted", u"SELECT * FROM Qkolliyat ORDER BY n DESC");
    db_.AddQuery(u"loop1", u"SELECT * FROM loop2");
    db_.AddQuery(u"loop2", u"SELECT * FROM loop1");
    db_.AddQuery(u"broken", u"SELECT * FROM kolliyat WHERE");
  }

  std::vector<std::uint32_t> Select(const std::u16string& sql,
                                    std::span<const Value> parameters = {}) {
    Result<QueryResult> r = Execute(sql, db_, parameters);
    EXPECT_TRUE(r.ok()) << r.status().ToString();
    return r.ok() ? r.value().rows : std::vector<std::uint32_t>{};
  }

  std::string Error(const std::u16string& sql) {
    Result<QueryResult> r = Execute(sql, db_);
    EXPECT_FALSE(r.ok());
    return r.status().message();
  }

  MemoryTable kolliyat_;
  MemoryDatabase db_;
};

using Rows = std::vector<std::uint32_t>;

struct RowsCase {
  const char16_t* sql;
  Rows rows;
};

class Statements : public Store, public ::testing::WithParamInterface<RowsCase> {};

TEST_P(Statements, SelectTheRows) {
  EXPECT_EQ(Select(GetParam().sql), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Program, Statements,
    ::testing::Values(
        RowsCase{u"SELECT *\r\nFROM kolliyat;\r\n", {0, 1, 2, 3, 4, 5}},
        RowsCase{u"SELECT * FROM kolliyat ", {0, 1, 2, 3, 4, 5}},
        RowsCase{u"SELECT * FROM kolliyat where kholase like '%ab''c%'", {0}},
        RowsCase{u"SELECT * FROM kolliyat where kholase like '%ab%'", {0, 1}},
        RowsCase{u"SELECT * FROM kolliyat where kholase like '%abc%'", {1}},
        RowsCase{u"SELECT * FROM kolliyat where kholase like '%b%'", {0, 1}},
        // a typed percent or underscore is a wildcard, not a literal
        RowsCase{u"SELECT * FROM kolliyat where kholase like '%%%'", {0, 1, 2, 4, 5}},
        RowsCase{u"SELECT * FROM kolliyat where kholase like '%_%'", {0, 1, 2, 4, 5}},
        RowsCase{u"SELECT * FROM kolliyat where kholase like '%x_y%'", {2}},
        RowsCase{u"SELECT * FROM kolliyat where kholase like '%a_c%'", {1}},
        RowsCase{u"SELECT * FROM kolliyat where kholase like '%[_]%'", {2}},
        RowsCase{u"SELECT * FROM kolliyat where kholase like '%xyz%'", {5}},
        RowsCase{u"SELECT * FROM kolliyat where kholase like '%nothing%'", {}},
        // Farsi yeh finds Arabic yeh, Arabic kaf finds keheh, and back
        RowsCase{u"SELECT * FROM kolliyat where kholase like '%\u0639\u0644\u06CC%'", {4}},
        RowsCase{u"SELECT * FROM kolliyat where porsesh like '%\u06A9\u062A\u0627\u0628%'", {4}},
        RowsCase{u"SELECT * FROM kolliyat where pasokh like '%a%'", {0, 1, 2, 4, 5}}));

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Conditions, Statements,
    ::testing::Values(
        // Null is never LIKE anything, NOT LIKE either
        RowsCase{u"SELECT * FROM kolliyat WHERE kholase LIKE '%'", {0, 1, 2, 4, 5}},
        RowsCase{u"SELECT * FROM kolliyat WHERE kholase NOT LIKE '%b%'", {2, 4, 5}},
        RowsCase{u"SELECT * FROM kolliyat WHERE kholase LIKE Null", {}},
        RowsCase{u"SELECT * FROM kolliyat WHERE NOT kholase LIKE Null", {}},
        RowsCase{u"SELECT * FROM kolliyat WHERE kholase IS NULL", {3}},
        RowsCase{u"SELECT * FROM kolliyat WHERE kholase IS NOT NULL", {0, 1, 2, 4, 5}},
        RowsCase{u"SELECT * FROM kolliyat WHERE shomare = Null", {}},
        RowsCase{u"SELECT * FROM kolliyat WHERE shomare <> Null", {}},
        RowsCase{u"SELECT * FROM kolliyat WHERE shomare = 10", {1, 4}},
        RowsCase{u"SELECT * FROM kolliyat WHERE shomare <> 10", {0, 2, 5}},
        RowsCase{u"SELECT * FROM kolliyat WHERE shomare != 10", {0, 2, 5}},
        RowsCase{u"SELECT * FROM kolliyat WHERE shomare >= 20", {0, 2}},
        RowsCase{u"SELECT * FROM kolliyat WHERE shomare < 10.5", {1, 4, 5}},
        RowsCase{u"SELECT * FROM kolliyat WHERE shomare <= -5", {5}},
        RowsCase{u"SELECT * FROM kolliyat WHERE shomare > 0 AND kholase LIKE 'a%'", {0, 1}},
        RowsCase{u"SELECT * FROM kolliyat WHERE shomare < 0 OR kholase = 'ABC'", {1, 5}},
        RowsCase{u"SELECT * FROM kolliyat WHERE NOT (shomare = 10 OR shomare = 20)", {0, 5}},
        RowsCase{u"SELECT * FROM kolliyat WHERE shomare = 10 OR shomare = Null OR kholase = 'XYZ'", {1, 4, 5}},
        RowsCase{u"SELECT * FROM kolliyat WHERE NOT (shomare > 0 AND kholase IS NULL AND shomare = 1)", {0, 1, 2, 4, 5}},
        RowsCase{u"SELECT * FROM kolliyat WHERE shomare > 0 AND kholase LIKE 'a%' OR shomare < 0 AND True", {0, 1, 5}},
        // text comparison ignores case and letter forms, like LIKE
        RowsCase{u"SELECT * FROM kolliyat WHERE kholase = 'xyz'", {5}},
        RowsCase{u"SELECT * FROM kolliyat WHERE kholase = '\u0639\u0644\u06CC'", {4}},
        RowsCase{u"SELECT * FROM kolliyat WHERE kholase < 'b'", {0, 1}},
        RowsCase{u"SELECT * FROM kolliyat WHERE shomare LIKE '1%'", {1, 4}},
        RowsCase{u"SELECT * FROM kolliyat WHERE shomare", {0, 1, 2, 4, 5}},
        RowsCase{u"SELECT * FROM kolliyat WHERE True", {0, 1, 2, 3, 4, 5}},
        RowsCase{u"SELECT * FROM kolliyat WHERE kolliyat.shomare = 30", {0}},
        RowsCase{u"SELECT * FROM kolliyat AS k WHERE k.shomare = 30", {0}},
        RowsCase{u"SELECT * FROM kolliyat k WHERE [k].[shomare] = 30", {0}},
        RowsCase{u"select * from KOLLIYAT where KHOLASE like 'ABC'", {1}}));
// clang-format on

INSTANTIATE_TEST_SUITE_P(
    Order, Statements,
    ::testing::Values(
        // Null first ascending, ties in table order
        RowsCase{u"SELECT * FROM kolliyat ORDER BY shomare", {3, 5, 1, 4, 2, 0}},
        RowsCase{u"SELECT * FROM kolliyat ORDER BY shomare DESC", {0, 2, 1, 4, 5, 3}},
        RowsCase{u"SELECT * FROM kolliyat ORDER BY shomare, kholase DESC", {3, 5, 4, 1, 2, 0}},
        // text folded: 'XYZ' sorts as 'xyz', Persian after Latin
        RowsCase{u"SELECT * FROM kolliyat ORDER BY kholase", {3, 0, 1, 2, 5, 4}},
        RowsCase{u"SELECT * FROM kolliyat WHERE shomare > 0 ORDER BY pasokh DESC;", {4, 2, 1, 0}},
        RowsCase{u"SELECT kholase FROM kolliyat ORDER BY porsesh", {0, 1, 2, 3, 5, 4}}));

INSTANTIATE_TEST_SUITE_P(
    SavedQueries, Statements,
    ::testing::Values(RowsCase{u"SELECT * FROM Qkolliyat", {0, 1, 2, 4}},
                      RowsCase{u"SELECT * FROM qkolliyat WHERE n = 10", {1, 4}},
                      RowsCase{u"SELECT kholase FROM Qkolliyat WHERE kholase LIKE 'a%'", {0, 1}},
                      RowsCase{u"SELECT * FROM Qsorted", {0, 2, 1, 4}},
                      RowsCase{u"SELECT * FROM Qsorted WHERE n < 30 ORDER BY kholase", {1, 2, 4}}));

// A chain of one operator is as long as the text makes it; only nesting has a bound.
TEST_F(Store, LongChainsRunAndDeepNestingIsTooComplex) {
  std::u16string ors = u"SELECT * FROM kolliyat WHERE shomare = 20";
  std::u16string ands = u"SELECT * FROM kolliyat WHERE shomare > 0";
  for (int i = 0; i < 20000; ++i) {
    ors += u" OR shomare = 20";
    ands += u" AND kholase IS NOT NULL";
  }
  EXPECT_EQ(Select(ors), (Rows{2}));
  EXPECT_EQ(Select(ands), (Rows{0, 1, 2, 4}));
  std::u16string nested = u"SELECT * FROM kolliyat WHERE ";
  for (int i = 0; i < 10000; ++i) nested += u"(shomare = 1 OR ";
  EXPECT_EQ(Error(nested + u"True"), "Query is too complex.");
}

TEST_F(Store, SavedQueryWithDesignerWildcards) {
  db_.AddQuery(u"Qstar", u"SELECT * FROM kolliyat WHERE kholase LIKE '*b*'", true);
  EXPECT_EQ(Select(u"SELECT * FROM Qstar"), (Rows{0, 1}));
  // The statement over it keeps the ANSI wildcards.
  EXPECT_EQ(Select(u"SELECT * FROM Qstar WHERE kholase LIKE 'a_c'"), Rows{1});
}

TEST_F(Store, OrderByPersianAlphabetNotCodePoints) {
  // peh (U+067E) comes before teh (U+062A) in the alphabet though after it in Unicode, and
  // gaf (U+06AF) after keheh (U+06A9).
  MemoryTable words(
      {{u"w", ColumnKind::text}},
      {{T(u"\u062A")}, {T(u"\u067E")}, {T(u"\u06AF")}, {T(u"\u0643")}, {T(u"\u0628")}});
  db_.AddTable(u"words", &words);
  EXPECT_EQ(Select(u"SELECT * FROM words ORDER BY w"), (Rows{4, 1, 0, 3, 2}));
}

TEST_F(Store, OutputColumnsNameTheTableColumnsTheyRead) {
  Result<QueryResult> r = Execute(u"SELECT pasokh, kholase AS k FROM Qkolliyat", db_);
  EXPECT_FALSE(r.ok());  // Qkolliyat has no pasokh: Jet asks for a parameter
  EXPECT_EQ(r.status().message(), "No value given for one or more required parameters.");

  r = Execute(u"SELECT n AS shomare2, kholase FROM Qkolliyat WHERE n = 30", db_);
  ASSERT_TRUE(r.ok()) << r.status().ToString();
  const QueryResult& q = r.value();
  EXPECT_EQ(q.source, &kolliyat_);
  ASSERT_EQ(q.columns.size(), 2u);
  EXPECT_EQ(q.columns[0].name, u"shomare2");
  EXPECT_EQ(q.columns[0].column, 4u);
  EXPECT_EQ(q.columns[0].kind, ColumnKind::integer);
  EXPECT_EQ(q.columns[1].name, u"kholase");
  EXPECT_EQ(q.columns[1].column, 0u);
  EXPECT_EQ(q.rows, Rows{0});

  r = Execute(u"SELECT *, kolliyat.pasokh FROM kolliyat", db_);
  ASSERT_TRUE(r.ok());
  ASSERT_EQ(r.value().columns.size(), 6u);
  EXPECT_EQ(r.value().columns[5].column, 2u);
}

TEST_F(Store, SearchDecodesOnlyTheSearchedColumn) {
  kolliyat_.ResetReads();
  Select(u"SELECT * FROM kolliyat where kholase like '%ab%'");
  EXPECT_EQ(kolliyat_.Reads(0), 6);
  for (std::uint32_t c = 1; c < 5; ++c) EXPECT_EQ(kolliyat_.Reads(c), 0) << "column " << c;
}

TEST_F(Store, PreparedOnceRunsAgainstCurrentRows) {
  MemoryTable t({{u"a", ColumnKind::text}}, {{T(u"x")}, {T(u"y")}});
  db_.AddTable(u"t", &t);
  Result<PreparedQuery> q = PreparedQuery::Prepare(u"SELECT * FROM t WHERE a LIKE 'x'", db_);
  ASSERT_TRUE(q.ok());
  ASSERT_EQ(q.value().Columns().size(), 1u);
  EXPECT_EQ(q.value().Execute().value().rows, Rows{0});
  EXPECT_EQ(q.value().Execute().value().rows, Rows{0});
}

TEST_F(Store, TableCommandOpensTablesAndSavedQueriesByName) {
  Result<PreparedQuery> t = PreparedQuery::PrepareTable(u"kolliyat", db_);
  ASSERT_TRUE(t.ok());
  EXPECT_EQ(t.value().Columns().size(), 5u);
  EXPECT_EQ(t.value().Execute().value().rows.size(), 6u);
  Result<PreparedQuery> q = PreparedQuery::PrepareTable(u"[Qkolliyat]", db_);
  ASSERT_TRUE(q.ok());
  EXPECT_EQ(q.value().Execute().value().rows, (Rows{0, 1, 2, 4}));
  EXPECT_EQ(PreparedQuery::PrepareTable(u"nope", db_).status().message(),
            "The Microsoft Jet database engine cannot find the input table or query 'nope'.  "
            "Make sure it exists and that its name is spelled correctly.");
}

TEST_F(Store, ParametersTakeTheirValuesInOrder) {
  const Value both[] = {I(10), T(u"%\u0639%")};
  EXPECT_EQ(Select(u"SELECT * FROM kolliyat WHERE shomare = ? AND kholase LIKE ?", both), Rows{4});
  const Value one[] = {I(10)};
  Result<QueryResult> r =
      Execute(u"SELECT * FROM kolliyat WHERE shomare = ? AND kholase LIKE ?", db_, one);
  EXPECT_EQ(r.status().message(), "No value given for one or more required parameters.");
}

// What the data layer sends: the user's text in code page 1256, converted to UTF-16. A Farsi
// yeh typed on a Persian keyboard arrives as Arabic yeh and still finds both spellings.
TEST_F(Store, SearchTypedThroughTheCodePageFindsEitherYeh) {
  MemoryTable t({{u"kholase", ColumnKind::text}},
                {{T(u"\u0639\u0644\u06CC")}, {T(u"\u0639\u0644\u064A")}, {T(u"\u0639\u0644")}});
  db_.AddTable(u"vahy", &t);
  std::string typed = platform::WideToAnsi(u"\u0639\u0644\u06CC");
  ASSERT_EQ(typed, "\xDA\xE1\xED");
  std::string statement = "SELECT * FROM vahy where kholase like '%" + typed + "%'";
  EXPECT_EQ(Select(platform::AnsiToWide(statement)), (Rows{0, 1}));
}

struct ErrorCase {
  const char16_t* sql;
  const char* message;
};

class Failing : public Store, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(Failing, WithJetsDescription) {
  EXPECT_EQ(Error(GetParam().sql), GetParam().message);
}

constexpr const char* kNoValue = "No value given for one or more required parameters.";
constexpr const char* kMismatch = "Data type mismatch in criteria expression.";

INSTANTIATE_TEST_SUITE_P(
    Names, Failing,
    ::testing::Values(
        ErrorCase{u"SELECT * FROM x",
                  "The Microsoft Jet database engine cannot find the input table or query 'x'.  "
                  "Make sure it exists and that its name is spelled correctly."},
        ErrorCase{u"SELECT * FROM [my table]",
                  "The Microsoft Jet database engine cannot find the input table or query "
                  "'my table'.  Make sure it exists and that its name is spelled correctly."},
        ErrorCase{u"SELECT nope FROM kolliyat", kNoValue},
        ErrorCase{u"SELECT * FROM kolliyat WHERE nope LIKE '%a%'", kNoValue},
        ErrorCase{u"SELECT * FROM kolliyat WHERE other.kholase LIKE '%a%'", kNoValue},
        ErrorCase{u"SELECT * FROM kolliyat AS k WHERE kolliyat.kholase = 'a'", kNoValue},
        ErrorCase{u"SELECT * FROM kolliyat ORDER BY nope", kNoValue},
        ErrorCase{u"SELECT * FROM kolliyat WHERE shomare = ?", kNoValue},
        ErrorCase{u"SELECT other.* FROM kolliyat",
                  "The SELECT statement includes a reserved word or an argument name that is "
                  "misspelled or missing, or the punctuation is incorrect."},
        ErrorCase{u"SELECT * FROM loop1", "Circular reference caused by 'loop1'."},
        ErrorCase{u"SELECT * FROM broken", "Syntax error in WHERE clause."}));

INSTANTIATE_TEST_SUITE_P(
    Types, Failing,
    ::testing::Values(ErrorCase{u"SELECT * FROM kolliyat WHERE kholase = 1", kMismatch},
                      ErrorCase{u"SELECT * FROM kolliyat WHERE shomare = 'a'", kMismatch},
                      ErrorCase{u"SELECT * FROM kolliyat WHERE kholase LIKE 1", kMismatch},
                      ErrorCase{u"SELECT * FROM kolliyat WHERE kholase", kMismatch},
                      ErrorCase{u"SELECT * FROM kolliyat WHERE True LIKE '%'", kMismatch},
                      ErrorCase{u"SELECT * FROM kolliyat WHERE shomare = #2001-01-01# OR "
                                u"kholase = #2001-01-01#",
                                kMismatch},
                      ErrorCase{u"SELECT * FROM kolliyat where kholase like '%[ab%'",
                                "Invalid pattern string"}));

TEST_F(Store, NumbersAreSearchedInTheirDecimalSpelling) {
  MemoryTable prices({{u"price", ColumnKind::currency}, {u"ratio", ColumnKind::real}},
                     {{Currency{125000}, 0.25},
                      {Currency{-5000}, 1e-7},
                      {Currency{30000}, 2.0},
                      {Currency{123}, kNull}});
  db_.AddTable(u"prices", &prices);
  EXPECT_EQ(Select(u"SELECT * FROM prices WHERE price LIKE '12.5'"), Rows{0});
  EXPECT_EQ(Select(u"SELECT * FROM prices WHERE price LIKE '-0.5'"), Rows{1});
  EXPECT_EQ(Select(u"SELECT * FROM prices WHERE price LIKE '3'"), Rows{2});
  EXPECT_EQ(Select(u"SELECT * FROM prices WHERE price LIKE '0.0123'"), Rows{3});
  EXPECT_EQ(Select(u"SELECT * FROM prices WHERE ratio LIKE '0.25'"), Rows{0});
  EXPECT_EQ(Select(u"SELECT * FROM prices WHERE ratio LIKE '%e-07'"), Rows{1});
  EXPECT_EQ(Select(u"SELECT * FROM prices WHERE price > 2.5 ORDER BY price DESC"), (Rows{0, 2}));
}

// A pattern held in a column is compiled for each row; a malformed one fails the statement.
TEST_F(Store, PatternFromAColumn) {
  MemoryTable t({{u"text", ColumnKind::text}, {u"pattern", ColumnKind::text}},
                {{T(u"abc"), T(u"a%")}, {T(u"abc"), T(u"b%")}, {T(u"abc"), kNull}});
  db_.AddTable(u"p", &t);
  EXPECT_EQ(Select(u"SELECT * FROM p WHERE text LIKE pattern"), Rows{0});
  MemoryTable bad({{u"text", ColumnKind::text}, {u"pattern", ColumnKind::text}},
                  {{T(u"abc"), T(u"[a")}});
  db_.AddTable(u"bad", &bad);
  EXPECT_EQ(Error(u"SELECT * FROM bad WHERE text LIKE pattern"), "Invalid pattern string");
}

}  // namespace
}  // namespace provider::sql
