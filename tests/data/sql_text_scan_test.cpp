// Finding :name parameters in SQL text, one line per case: what reaches the provider and which
// parameters the command gets.
#include "data/sql_text_scan.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct ScanCase {
  const char* input;
  const char* sent;
  std::vector<AnsiString> parameters;
};

const ScanCase kCases[] = {
    // Plain text and colons outside literals.
    {"SELECT * FROM kolliyat", "SELECT * FROM kolliyat", {}},
    {"SELECT * FROM t WHERE a = :a", "SELECT * FROM t WHERE a = ?", {"a"}},
    {"a = :first AND b = :second", "a = ? AND b = ?", {"first", "second"}},
    {"x::y", "x:y", {}},
    {":::a", ":?", {"a"}},
    {"a : b", "a : b", {}},
    {"ends with a colon:", "ends with a colon:", {}},
    // A name ends at each delimiter, or at the end of the text.
    {":a\nb", "?\nb", {"a"}},
    {":a\rb", "?\rb", {"a"}},
    {":a b", "? b", {"a"}},
    {"(:a)", "(?)", {"a"}},
    {":a,b", "?,b", {"a"}},
    {":a;", "?;", {"a"}},
    {":a", "?", {"a"}},
    {":a:b c", "? c", {"a:b"}},
    // Quoted names lose their quotes; a quoted name may hold delimiters.
    {"x = :\"my name\" y", "x = ? y", {"my name"}},
    {"x = :'a,b'", "x = ?", {"a,b"}},
    {"x = :`q`", "x = ?", {"q"}},
    {"x = :\"a\"\"b\"", "x = ?", {"a\"b"}},
    // A repeated name is a parameter each time.
    {":a + :a", "? + ?", {"a", "a"}},
    // Literals of each quote kind keep their colons.
    {"WHERE k LIKE '%:x%'", "WHERE k LIKE '%:x%'", {}},
    {"WHERE k = \":x\"", "WHERE k = \":x\"", {}},
    {"WHERE `a:b` = 1", "WHERE `a:b` = 1", {}},
    {"WHERE k = 'open :x", "WHERE k = 'open :x", {}},
    {"WHERE k = 'a' AND n = :p", "WHERE k = 'a' AND n = ?", {"p"}},
    // A doubled quote toggles twice: the literal stays open, and a later colon in it is text.
    {"LIKE '%ab''c :x%'", "LIKE '%ab''c :x%'", {}},
    {"LIKE 'it''s' AND n = :p", "LIKE 'it''s' AND n = ?", {"p"}},
    // Only the quote that opened a literal closes it: a user's " or ` between single quotes
    // cannot make the rest of the search text into a parameter.
    {"LIKE '%a\" :name%'", "LIKE '%a\" :name%'", {}},
    {"LIKE '%a` :name%'", "LIKE '%a` :name%'", {}},
    {"WHERE k = \"it's :x\" AND n = :p", "WHERE k = \"it's :x\" AND n = ?", {"p"}},
    // Code page 1256 text: letters and a name in Persian (نام).
    {"WHERE \xe4\xc7\xe3 = :\xe4\xc7\xe3", "WHERE \xe4\xc7\xe3 = ?", {"\xe4\xc7\xe3"}},
    {"LIKE '%\xe4\xc7\xe3:x%'", "LIKE '%\xe4\xc7\xe3:x%'", {}},
};

TEST(ScanSQLText, EachCaseSendsItsTextAndFindsItsParameters) {
  for (const ScanCase& c : kCases) {
    SCOPED_TRACE(c.input);
    TScannedSQL scanned = ScanSQLText(c.input);
    EXPECT_EQ(scanned.Text, c.sent);
    EXPECT_EQ(scanned.Parameters, c.parameters);
  }
}

// Code page 1256 is single-byte: it has no lead bytes, so no byte can swallow the colon after
// it, and every high byte goes through as one character.
TEST(ScanSQLText, NoByteOfCodePage1256SwallowsTheColonAfterIt) {
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    SCOPED_TRACE(byte);
    const AnsiString text = AnsiString(1, static_cast<char>(byte)) + ":p";
    TScannedSQL scanned = ScanSQLText(text);
    EXPECT_EQ(scanned.Text, AnsiString(1, static_cast<char>(byte)) + "?");
    EXPECT_EQ(scanned.Parameters, std::vector<AnsiString>{"p"});
  }
}

TEST(ScanSQLText, WideTextFollowsTheSameRulesAndKeepsEveryCharacter) {
  // U+4E2D is in no single-byte code page; the wide scan leaves it untouched.
  TScannedWideSQL scanned = ScanSQLText(u"WHERE k LIKE '%\u4e2d :x%' AND n = :\u4e2d");
  EXPECT_EQ(scanned.Text, u"WHERE k LIKE '%\u4e2d :x%' AND n = ?");
  EXPECT_EQ(scanned.Parameters, std::vector<WideString>{u"\u4e2d"});
}

}  // namespace
