// Bracket quoting of the table and procedure names a command sends, one line per case.
#include "data/table_name_quote.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"

namespace {

struct QuoteCase {
  const char16_t* name;
  const char16_t* sent;
};

const QuoteCase kCases[] = {
    {u"kolliyat", u"kolliyat"},
    {u"Qkolliyat", u"Qkolliyat"},
    {u"my table", u"[my table]"},
    {u"dbo.my table", u"dbo.[my table]"},
    {u"srv.dbo.my table", u"srv.dbo.[my table]"},
    {u"my proc;1", u"[my proc];1"},
    {u"dbo.my proc;1", u"dbo.[my proc];1"},
    {u"[my table]", u"[my table]"},
    {u"[dbo].[my table]", u"[dbo].[my table]"},
    {u"no.space", u"no.space"},
    {u"\u062c\u062f\u0648\u0644 \u0627\u0648\u0644",
     u"[\u062c\u062f\u0648\u0644 \u0627\u0648\u0644]"},
};

TEST(BracketQuotedName, EachCaseSendsItsName) {
  for (const QuoteCase& c : kCases) {
    SCOPED_TRACE(platform::WideToUtf8(c.name));
    EXPECT_EQ(BracketQuotedName(c.name), c.sent);
  }
}

}  // namespace
