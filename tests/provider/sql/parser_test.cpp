// Statements the parser accepts, and malformed ones with the exact description each gives.
#include "provider/sql/parser.h"

#include <gtest/gtest.h>

namespace provider::sql {
namespace {

TEST(Parse, StoredTwoLineStatementWithCrLf) {
  Result<Statement> s = Parse(u"SELECT *\r\nFROM kolliyat;\r\n");
  ASSERT_TRUE(s.ok()) << s.status().ToString();
  ASSERT_EQ(s.value().items.size(), 1u);
  EXPECT_EQ(s.value().items[0].kind, SelectItem::Kind::all);
  EXPECT_EQ(s.value().table, u"kolliyat");
  EXPECT_EQ(s.value().where, nullptr);
}

TEST(Parse, BuiltSearchStatementKeepsTheDoubledQuoteAsOne) {
  Result<Statement> s = Parse(u"SELECT * FROM kolliyat where kholase like '%ab''c%'");
  ASSERT_TRUE(s.ok()) << s.status().ToString();
  const Expression& w = *s.value().where;
  EXPECT_EQ(w.kind, Expression::Kind::like);
  EXPECT_EQ(w.left->column.name, u"kholase");
  EXPECT_EQ(std::get<std::u16string>(w.right->value), u"%ab'c%");
  EXPECT_EQ(s.value().whereText, u"kholase like '%ab''c%'");
}

TEST(Parse, ColumnsQualifiersAliasesAndOrder) {
  Result<Statement> s = Parse(
      u"select t.*, [my col] AS x, `other`, t.kholase from [my table] AS t "
      u"where not (a = 1 or b is not null) and c not like \"x\"\"y\" order by a desc, t.b asc;");
  ASSERT_TRUE(s.ok()) << s.status().ToString();
  const Statement& st = s.value();
  ASSERT_EQ(st.items.size(), 4u);
  EXPECT_EQ(st.items[0].kind, SelectItem::Kind::allOfTable);
  EXPECT_EQ(st.items[0].column.qualifier, u"t");
  EXPECT_EQ(st.items[1].column.name, u"my col");
  EXPECT_EQ(st.items[1].alias, u"x");
  EXPECT_EQ(st.items[2].column.name, u"other");
  EXPECT_EQ(st.items[3].column.qualifier, u"t");
  EXPECT_EQ(st.table, u"my table");
  EXPECT_EQ(st.tableAlias, u"t");
  ASSERT_EQ(st.where->kind, Expression::Kind::logicalAnd);
  ASSERT_EQ(st.where->terms.size(), 2u);
  EXPECT_EQ(st.where->terms[0]->kind, Expression::Kind::logicalNot);
  EXPECT_EQ(st.where->terms[0]->left->kind, Expression::Kind::logicalOr);
  EXPECT_TRUE(st.where->terms[1]->negated);
  EXPECT_EQ(std::get<std::u16string>(st.where->terms[1]->right->value), u"x\"y");
  ASSERT_EQ(st.orderBy.size(), 2u);
  EXPECT_TRUE(st.orderBy[0].descending);
  EXPECT_EQ(st.orderBy[1].column.qualifier, u"t");
  EXPECT_FALSE(st.orderBy[1].descending);
}

struct LiteralCase {
  const char16_t* where;
  Value value;
};

class Literal : public ::testing::TestWithParam<LiteralCase> {};

TEST_P(Literal, ReadsAsValue) {
  std::u16string sql = std::u16string(u"SELECT * FROM t WHERE a = ") + GetParam().where;
  Result<Statement> s = Parse(sql);
  ASSERT_TRUE(s.ok()) << s.status().ToString();
  EXPECT_EQ(s.value().where->right->value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Literal,
    ::testing::Values(LiteralCase{u"42", Value{std::int64_t{42}}},
                      LiteralCase{u"-7", Value{std::int64_t{-7}}}, LiteralCase{u"2.5", Value{2.5}},
                      LiteralCase{u".5", Value{0.5}}, LiteralCase{u"1e3", Value{1000.0}},
                      LiteralCase{u"99999999999999999999", Value{1e20}},
                      LiteralCase{u"True", Value{true}}, LiteralCase{u"FALSE", Value{false}},
                      LiteralCase{u"Null", Value{}}, LiteralCase{u"''", Value{std::u16string()}},
                      LiteralCase{u"'it''s'", Value{std::u16string(u"it's")}},
                      LiteralCase{u"#1899-12-30#", Value{DateTime{0}}},
                      LiteralCase{u"#2000-01-01#", Value{DateTime{36526}}},
                      LiteralCase{u"#1/2/2000#", Value{DateTime{36527}}},
                      LiteralCase{u"#2000-01-01 18:00#", Value{DateTime{36526.75}}},
                      LiteralCase{u"#1/1/2000 6:00 PM#", Value{DateTime{36526.75}}},
                      LiteralCase{u"#1899-12-29 06:00#", Value{DateTime{-1.25}}}));

TEST(Parse, SavedQueryShapes) {
  // As saved select queries are often written: DISTINCTROW, qualified names, nested
  // parentheses around operands.
  Result<Statement> s =
      Parse(u"SELECT DISTINCTROW kolliyat.* FROM kolliyat WHERE (((kolliyat.kholase) Like 'a%'));");
  ASSERT_TRUE(s.ok()) << s.status().ToString();
  EXPECT_EQ(s.value().items[0].kind, SelectItem::Kind::allOfTable);
  EXPECT_EQ(s.value().where->kind, Expression::Kind::like);
  EXPECT_EQ(s.value().where->left->column.qualifier, u"kolliyat");
}

TEST(Parse, ParameterMarkersAreNumberedInOrder) {
  Result<Statement> s = Parse(u"SELECT * FROM t WHERE a = ? AND b LIKE ?");
  ASSERT_TRUE(s.ok());
  EXPECT_EQ(s.value().parameterCount, 2u);
  EXPECT_EQ(s.value().where->terms[1]->right->parameter, 1u);
}

struct ErrorCase {
  const char16_t* sql;
  const char* message;
};

class Malformed : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(Malformed, FailsWithJetsDescription) {
  Result<Statement> s = Parse(GetParam().sql);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.status().message(), GetParam().message);
}

constexpr const char* kInvalid =
    "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'.";
constexpr const char* kPunctuation =
    "The SELECT statement includes a reserved word or an argument name that is misspelled or "
    "missing, or the punctuation is incorrect.";

INSTANTIATE_TEST_SUITE_P(
    Statements, Malformed,
    ::testing::Values(
        ErrorCase{u"", kInvalid}, ErrorCase{u"   \r\n", kInvalid},
        ErrorCase{u"SELEC * FROM t", kInvalid}, ErrorCase{u"kolliyat", kInvalid},
        ErrorCase{u"INSERT INTO t VALUES (1)",
                  "Only SELECT statements can be run here; data is changed through the "
                  "recordset."},
        ErrorCase{u"SELECT DISTINCT a FROM t", "DISTINCT and TOP are not supported."},
        ErrorCase{u"SELECT TOP 5 * FROM t", "DISTINCT and TOP are not supported."},
        ErrorCase{u"SELECT", kPunctuation}, ErrorCase{u"SELECT FROM t", kPunctuation},
        ErrorCase{u"SELECT a b FROM t", kPunctuation}, ErrorCase{u"SELECT a, FROM t", kPunctuation},
        ErrorCase{u"SELECT *", "Query input must contain at least one table or query."},
        ErrorCase{u"SELECT * FROM", "Syntax error in FROM clause."},
        ErrorCase{u"SELECT * FROM ;", "Syntax error in FROM clause."},
        ErrorCase{u"SELECT * FROM t u v", "Syntax error in FROM clause."},
        ErrorCase{u"SELECT * FROM (SELECT * FROM t)", "Syntax error in FROM clause."},
        ErrorCase{u"SELECT * FROM [my table", "Invalid bracketing of name '[my table'."},
        ErrorCase{u"SELECT * FROM a, b",
                  "Joins are not supported; a statement reads one table or query."},
        ErrorCase{u"SELECT * FROM t WHERE", "Syntax error in WHERE clause."},
        ErrorCase{u"SELECT * FROM t WHERE ORDER BY a", "Syntax error in WHERE clause."},
        ErrorCase{u"SELECT * FROM kolliyat where kholase like '%ab'c%'",
                  "Syntax error (missing operator) in query expression "
                  "'kholase like '%ab'c%''."},
        ErrorCase{u"SELECT * FROM kolliyat where kholase like '%ab",
                  "Syntax error in string in query expression 'kholase like '%ab'."},
        ErrorCase{u"SELECT * FROM t WHERE a = 1 b",
                  "Syntax error (missing operator) in query expression 'a = 1 b'."},
        ErrorCase{u"SELECT * FROM t WHERE a like",
                  "Syntax error (missing operator) in query expression 'a like'."},
        ErrorCase{u"SELECT * FROM t WHERE a = = 1",
                  "Syntax error (missing operator) in query expression 'a = = 1'."},
        ErrorCase{u"SELECT * FROM t WHERE a IS 1",
                  "Syntax error (missing operator) in query expression 'a IS 1'."},
        ErrorCase{u"SELECT * FROM t WHERE a = @x",
                  "Syntax error (missing operator) in query expression 'a = @x'."},
        ErrorCase{u"SELECT * FROM t WHERE (a = 1",
                  "Missing ), ], or Item in query expression '(a = 1'."},
        ErrorCase{u"SELECT * FROM t WHERE [a = 1",
                  "Missing ), ], or Item in query expression '[a = 1'."},
        ErrorCase{u"SELECT * FROM t WHERE a = 1)", "Extra ) in query expression 'a = 1)'."},
        ErrorCase{u"SELECT * FROM t WHERE a = (b = 1)",
                  "Syntax error in query expression 'a = (b = 1)'."},
        ErrorCase{u"SELECT * FROM t WHERE d = #2001-02-30#",
                  "Syntax error in date in query expression 'd = #2001-02-30#'."},
        ErrorCase{u"SELECT * FROM t WHERE d = #2001-02-03",
                  "Syntax error in date in query expression 'd = #2001-02-03'."},
        ErrorCase{u"SELECT * FROM t ORDER a", "Syntax error in ORDER BY clause."},
        ErrorCase{u"SELECT * FROM t ORDER BY", "Syntax error in ORDER BY clause."},
        ErrorCase{u"SELECT * FROM t ORDER BY a,", "Syntax error in ORDER BY clause."},
        ErrorCase{u"SELECT * FROM t ORDER BY a b", "Syntax error in ORDER BY clause."},
        ErrorCase{u"SELECT * FROM t; x", "Characters found after end of SQL statement."},
        ErrorCase{u"SELECT * FROM t;;", "Characters found after end of SQL statement."}));

TEST(Parse, DeepNestingIsRefusedNotOverflowed) {
  std::u16string sql = u"SELECT * FROM t WHERE " + std::u16string(100000, u'(') + u"a = 1";
  Result<Statement> s = Parse(sql);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.status().message(), "Query is too complex.");
  std::u16string nots = u"SELECT * FROM t WHERE ";
  for (int i = 0; i < 50000; ++i) nots += u"NOT ";
  EXPECT_EQ(Parse(nots + u"a").status().message(), "Query is too complex.");
}

}  // namespace
}  // namespace provider::sql
