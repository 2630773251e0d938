// The ADO query over the sample database as the program drives it: the re-query of the summary
// search with its statements, what a link sees, the SQL list and the errors of opening.
#include "data/ado_query.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/exceptions.h"
#include "data/ado_table.h"
#include "tests/data/ado_sample_fixture.h"

namespace datatest {
namespace {

const char kSummaryPrefix[] = "SELECT * FROM kolliyat where kholase like ";

// The statement the summary search builds from typed text: the pattern '%text%', quoted.
AnsiString SummarySearch(const AnsiString& typed) {
  return kSummaryPrefix + QuotedStr("%" + typed + "%");
}

using SummarySearchTest = SampleQueryTest;

TEST_F(SummarySearchTest, APersianWordFindsTheTitlesThatHoldIt) {
  EXPECT_EQ(Requery(SummarySearch(Ansi("معاد"))), 9);
  EXPECT_EQ(Titles(), TitlesOf("kolliyat", {1, 2, 3, 4, 5, 7, 11, 14, 18}));
}

TEST_F(SummarySearchTest, AWordStoredWithArabicLettersIsFoundFromPersianTyping) {
  // Record 3 keeps its title with the Arabic yeh; the search folds it.
  EXPECT_EQ(Requery(SummarySearch(Ansi("چیست"))), 2);
  EXPECT_EQ(Titles(), TitlesOf("kolliyat", {3, 5}));
}

TEST_F(SummarySearchTest, ATypedSingleQuoteIsDoubledAndTheStatementStaysValid) {
  const AnsiString statement = SummarySearch("ma'ad");
  EXPECT_EQ(statement, AnsiString(kSummaryPrefix) + "'%ma''ad%'");
  EXPECT_EQ(Requery(statement), 1);
  EXPECT_EQ(Titles(), TitlesOf("kolliyat", {8}));
  // The quotes balance, so nothing in the literal was taken for a parameter.
  EXPECT_EQ(query_->Parameters()->Count(), 0);
}

TEST_F(SummarySearchTest, ATypedPercentSignMatchesEverything) {
  EXPECT_EQ(Requery(SummarySearch("%")), 18);
}

TEST_F(SummarySearchTest, AnEmptyResultIsAnOpenEmptyQuery) {
  EXPECT_EQ(Requery(SummarySearch("no such title")), 0);
  EXPECT_TRUE(query_->Active());
  EXPECT_TRUE(query_->IsEmptyWindow());
  EXPECT_TRUE(query_->AtBOF());
  EXPECT_TRUE(query_->AtEOF());
  EXPECT_EQ(query_->CurrentRecordNumber(), -1);
  // The fields exist and show nothing.
  TField* kholase = query_->FieldNamed("kholase");
  EXPECT_TRUE(kholase->IsNullValue());
  EXPECT_EQ(kholase->StringValue(), "");
  EXPECT_EQ(query_->FieldNamed("pasokh")->StringValue(), "");
}

TEST_F(SummarySearchTest, CancellingTheSearchShowsTheWholeTableAgain) {
  Requery(SummarySearch(Ansi("انسان")));
  EXPECT_EQ(Requery("SELECT * FROM kolliyat "), 18);
  EXPECT_EQ(query_->FieldNamed("kholase")->StringValue(), TitlesOf("kolliyat", {1})[0]);
}

TEST_F(SummarySearchTest, TheLinkSeesTheCloseAndTheOpenAndNothingInBetween) {
  Requery("SELECT * FROM kolliyat ");
  link_.ClearLog();
  query_->SetActive(false);
  query_->SQL()->Clear();
  query_->SQL()->Add(SummarySearch(Ansi("مرگ")));
  EXPECT_EQ(link_.Log(), (std::vector<std::string>{"State(0) inactive"}));
  link_.ClearLog();
  query_->SetActive(true);
  EXPECT_EQ(link_.Log(), (std::vector<std::string>{"State(0) rec 0/1 first 0"}));
  link_.ClearLog();
  // With one buffer the window slides on every move.
  query_->MoveToNext();
  EXPECT_EQ(link_.Notices(), (std::vector<std::string>{"BrowseCheck", "Scroll"}));
  EXPECT_EQ(link_.Log().back(), "Scroll(-1) rec 0/1 first 0");
}

TEST_F(SummarySearchTest, EveryQueryOfTheProgramOpensOnItsTable) {
  const std::pair<const char*, int> queries[] = {
      {"SELECT * FROM ejaz where kholase like '%%'", 17},
      {"SELECT * FROM elm ", 16},
      {"SELECT * FROM payambaran where kholase like '%%'", 16},
      {"SELECT * FROM vahy ", 16},
      {"SELECT * FROM mohamad where kholase like '%%'", 16},
      {"SELECT * FROM ptarsilo where porsesh like '%''%'", 1},
      {"SELECT * FROM ptarsilo where pasokh like '%''%'", 2},
  };
  for (const auto& [statement, count] : queries) {
    EXPECT_EQ(Requery(statement), count) << statement;
  }
}

using QuerySQLTest = SampleQueryTest;

TEST_F(QuerySQLTest, TheCommandTextIsEveryLineFollowedByCRLF) {
  query_->SQL()->Add("SELECT *");
  query_->SQL()->Add("FROM kolliyat;");
  EXPECT_EQ(query_->CommandText(), u"SELECT *\r\nFROM kolliyat;\r\n");
  query_->SQL()->Clear();
  EXPECT_EQ(query_->CommandText(), u"");
}

TEST_F(QuerySQLTest, ChangingTheSQLOfAnOpenQueryClosesIt) {
  Requery("SELECT * FROM kolliyat");
  query_->SQL()->Add("where kholase like '%a%'");
  EXPECT_FALSE(query_->Active());
  EXPECT_EQ(query_->Fields().Count(), 0);
}

TEST_F(QuerySQLTest, PersianTextReachesTheProviderThroughTheSystemCodePage) {
  query_->SQL()->Add(SummarySearch(Ansi("قیامت")));
  // Code page 1256 has one yeh: the Persian yeh typed arrives as the Arabic one, which the
  // search folds back.
  EXPECT_EQ(query_->CommandText(),
            platform::Utf8ToWide(std::string(kSummaryPrefix) + "'%قيامت%'") + u"\r\n");
  EXPECT_EQ(Requery("SELECT * FROM payambaran where kholase like " +
                    QuotedStr("%" + Ansi("قیامت") + "%")),
            12);
}

using QueryOpenErrorTest = SampleQueryTest;

TEST_F(QueryOpenErrorTest, AnEmptySQLIsAMissingPropertyNamedWithTheQuery) {
  query_->SQL()->Clear();
  try {
    query_->SetActive(true);
    FAIL() << "opened without SQL";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Qkolliyat: Missing SQL property");
  }
  EXPECT_FALSE(query_->Active());
}

TEST_F(QueryOpenErrorTest, AnEmptyTableNameIsAMissingPropertyToo) {
  TADOTable table(&root_);
  table.SetName("ADOTable1");
  table.SetConnection(connection_);
  try {
    table.SetActive(true);
    FAIL() << "opened without a table name";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "ADOTable1: Missing TableName property");
  }
}

TEST_F(QueryOpenErrorTest, WithoutAConnectionTheQuerySaysSo) {
  TADOQuery lone(&root_);
  lone.SetName("Lone");
  lone.SQL()->Add("SELECT * FROM kolliyat");
  try {
    lone.SetActive(true);
    FAIL() << "opened without a connection";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Lone: Missing Connection or ConnectionString");
  }
}

TEST_F(QueryOpenErrorTest, AStatementTheProviderRefusesLeavesTheQueryClosed) {
  EXPECT_THROW(Requery("SELECT * FROM nosuchtable"), EOleException);
  EXPECT_FALSE(query_->Active());
  EXPECT_EQ(query_->Recordset(), nullptr);
  // The connection stays open for the next statement.
  EXPECT_TRUE(connection_->Connected());
  EXPECT_EQ(Requery("SELECT * FROM elm"), 16);
}

TEST_F(QueryOpenErrorTest, CountsNeedAnOpenQuery) {
  try {
    query_->TotalRecordCount();
    FAIL() << "counted a closed query";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Qkolliyat: Cannot perform this operation on a closed dataset");
  }
}

TEST_F(QueryOpenErrorTest, EditingIsRefusedOverAConnectionThatOnlyReads) {
  connection_->SetConnected(false);
  connection_->SetMode(TConnectMode::cmRead);
  Requery("SELECT * FROM kolliyat");
  EXPECT_FALSE(query_->CanModifyData());
  try {
    query_->BeginEdit();
    FAIL() << "edited a read-only recordset";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Qkolliyat: Cannot modify a read-only dataset");
  }
  EXPECT_EQ(query_->State(), DataSetState::Browsing);
}

// The sample database cut to half its size, alone in a folder that is the current directory.
class DamagedDatabaseTest : public SampleQueryTest {
 protected:
  static const std::filesystem::path& CutSampleInto(const std::filesystem::path& folder) {
    const std::filesystem::path whole = SampleDatabaseFolder() / "tarsilo.mdb";
    std::ifstream in(whole, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    bytes.resize(bytes.size() / 2);
    std::ofstream(folder / "tarsilo.mdb", std::ios::binary) << bytes;
    return folder;
  }

  EmptyFolder folder_;
  CurrentDirectory inFolder_{CutSampleInto(folder_.Path())};
};

// A table with pages past the cut is never shown as a shorter one: opening it fails with the
// engine's account of where. Tables that lie wholly before the cut read in full.
TEST_F(DamagedDatabaseTest, ATableCutShortFailsNamingWhereAndTheOthersReadWhole) {
  try {
    Requery("SELECT * FROM payambaran");
    FAIL() << "a table cut short opened";
  } catch (const EOleException& e) {
    EXPECT_NE(std::string(e.what()).find("beyond the end of the file"), std::string::npos)
        << e.what();
    EXPECT_NE(std::string(e.what()).find("table 'payambaran'"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(query_->Active());
  EXPECT_EQ(Requery("SELECT * FROM kolliyat"),
            static_cast<std::int32_t>(SampleContent("kolliyat").size()));
}

}  // namespace
}  // namespace datatest
