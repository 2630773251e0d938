// Connection strings as the content store writes them, and the ways a string can be malformed.
#include "provider/connection_string.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/codepage.h"
#include "tests/fixtures/program_connection_string.h"

namespace provider {
namespace {

// The program's stored string, byte for byte (it is plain ASCII).
const std::string kStoredString = platform::WideToUtf8(kProgramConnectionString);

TEST(ConnectionStringTest, StoredStringParsesIntoItsNineteenPairsInOrder) {
  auto parsed = ConnectionString::Parse(kStoredString);
  ASSERT_TRUE(parsed.ok()) << parsed.status().ToString();
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Provider", "Microsoft.Jet.OLEDB.4.0"},
      {"User ID", "Admin"},
      {"Data Source", "tarsilo.mdb"},
      {"Mode", "Share Deny None"},
      {"Extended Properties", ""},
      {"Persist Security Info", "False"},
      {"Jet OLEDB:System database", ""},
      {"Jet OLEDB:Registry Path", ""},
      {"Jet OLEDB:Database Password", ""},
      {"Jet OLEDB:Engine Type", "5"},
      {"Jet OLEDB:Database Locking Mode", "1"},
      {"Jet OLEDB:Global Partial Bulk Ops", "2"},
      {"Jet OLEDB:Global Bulk Transactions", "1"},
      {"Jet OLEDB:New Database Password", ""},
      {"Jet OLEDB:Create System Database", "False"},
      {"Jet OLEDB:Encrypt Database", "False"},
      {"Jet OLEDB:Don't Copy Locale on Compact", "False"},
      {"Jet OLEDB:Compact Without Replica Repair", "False"},
      {"Jet OLEDB:SFP", "False"},
  };
  EXPECT_EQ(parsed.value().Entries(), expected);
}

TEST(ConnectionStringTest, StoredStringResolvesToJetSettings) {
  auto parsed = ConnectionString::Parse(kStoredString);
  ASSERT_TRUE(parsed.ok());
  auto settings = ResolveJetSettings(parsed.value(), "", adModeUnknown);
  ASSERT_TRUE(settings.ok()) << settings.status().ToString();
  EXPECT_EQ(settings.value().path, (std::filesystem::current_path() / "tarsilo.mdb").string());
  EXPECT_EQ(settings.value().mode, adModeShareDenyNone);
  EXPECT_EQ(settings.value().password, "");
}

TEST(ConnectionStringTest, ValuesAndKeys) {
  struct Case {
    const char* text;
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {"data source=a.mdb", "Data Source", "a.mdb"},
      {"  Data Source  =  a b.mdb  ;", "DATA SOURCE", "a b.mdb"},
      {"Data Source=\"x;y.mdb\"", "Data Source", "x;y.mdb"},
      {"Data Source='it''s.mdb'", "Data Source", "it's.mdb"},
      {"Jet OLEDB:Database Password=\"pa\"\"ss\"", "Jet OLEDB:Database Password", "pa\"ss"},
      {"Jet OLEDB:Database Password=\"\"", "Jet OLEDB:Database Password", ""},
      {"a==b=c", "a=b", "c"},
      {";;Mode=1;;", "Mode", "1"},
      {"Mode=1;Mode=16", "Mode", "16"},
  };
  for (const Case& c : cases) {
    auto parsed = ConnectionString::Parse(c.text);
    ASSERT_TRUE(parsed.ok()) << c.text;
    const std::string* value = parsed.value().Find(c.key);
    ASSERT_NE(value, nullptr) << c.text;
    EXPECT_EQ(*value, c.value) << c.text;
  }
}

TEST(ConnectionStringTest, MalformedStringsAreRefused) {
  for (const char* text : {"Provider", "Data Source=\"open", "Data Source=\"a\"b", "=x",
                           "Provider=Microsoft.Jet.OLEDB.4.0;junk"}) {
    auto parsed = ConnectionString::Parse(text);
    ASSERT_FALSE(parsed.ok()) << text;
    EXPECT_EQ(parsed.status().message(), kMalformedConnectionString) << text;
  }
}

TEST(ConnectionStringTest, Modes) {
  struct Case {
    const char* text;
    bool ok;
    ConnectModeEnum mode;
  };
  const Case cases[] = {
      {"Share Deny None", true, adModeShareDenyNone},
      {"share deny none", true, adModeShareDenyNone},
      {"Read|Share Deny Write", true, static_cast<ConnectModeEnum>(9)},
      {"ReadWrite | Share Exclusive", true, static_cast<ConnectModeEnum>(15)},
      {"16", true, adModeShareDenyNone},
      {"Share Nothing", false, adModeUnknown},
      {"", false, adModeUnknown},
      {"-3", false, adModeUnknown},
  };
  for (const Case& c : cases) {
    ConnectModeEnum mode = adModeUnknown;
    EXPECT_EQ(ParseMode(c.text, &mode), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(mode, c.mode) << c.text;
    }
  }
}

TEST(ConnectionStringTest, ProviderAndModeProperties) {
  auto parsed = ConnectionString::Parse("Provider=SQLOLEDB;Data Source=/db/x.mdb;Mode=Read");
  ASSERT_TRUE(parsed.ok());
  auto other = ResolveJetSettings(parsed.value(), "", adModeUnknown);
  ASSERT_FALSE(other.ok());
  EXPECT_EQ(other.status().message(),
            "Provider cannot be found. It may not be properly installed.");

  // The property wins over the key, for the provider and the mode alike.
  auto jet = ResolveJetSettings(parsed.value(), "microsoft.jet.oledb.4.0", adModeShareExclusive);
  ASSERT_TRUE(jet.ok());
  EXPECT_EQ(jet.value().path, "/db/x.mdb");
  EXPECT_EQ(jet.value().mode, adModeShareExclusive);

  auto noProvider = ConnectionString::Parse("Data Source=x.mdb");
  ASSERT_TRUE(noProvider.ok());
  EXPECT_FALSE(ResolveJetSettings(noProvider.value(), "", adModeUnknown).ok());

  auto badMode = ConnectionString::Parse("Provider=Microsoft.Jet.OLEDB.4.0;Mode=Sometimes");
  ASSERT_TRUE(badMode.ok());
  EXPECT_FALSE(ResolveJetSettings(badMode.value(), "", adModeUnknown).ok());
}

}  // namespace
}  // namespace provider
