// The summary search and the advanced search as a reader uses them: typing into the search box
// narrows the category on show, the cancel button restores it, and the advanced-search panel
// searches the seventh table's questions or answers.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/shot_run.h"
#include "tests/e2e/test_database.h"

namespace {

using e2etest::Component;
using e2etest::ReadState;
using e2etest::RunShot;
using e2etest::ShotOptions;
using shot::Json;

// Titles chosen for the search cases: one stored with Farsi yeh, one with Arabic yeh, a quote,
// a percent sign, an underscore and a Latin word in mixed case.
const std::vector<e2etest::Record> kTitles = {
    {"زندگی پس از مرگ", "پرسش یکم", "پاسخ یکم", "منبع ۱"},
    {"زندگي در برزخ", "پرسش دوم", "پاسخ دوم", ""},
    {"ma'ad in a word", "پرسش سوم", "پاسخ سوم", "منبع ۳"},
    {"100% sure", "پرسش چهارم", "پاسخ چهارم", "منبع ۴"},
    {"under_score", "پرسش پنجم", "پاسخ پنجم", "منبع ۵"},
    {"Eschatology", "پرسش ششم", "پاسخ ششم", "منبع ۶"},
};

// The advanced search's table: a word in one question, another in two answers.
const std::vector<e2etest::Record> kAdvanced = {
    {"عنوان یکم", "درباره‌ی شفاعت", "پاسخی کوتاه", ""},
    {"عنوان دوم", "پرسشی دیگر", "پاسخ درباره‌ی شفاعت", ""},
    {"عنوان سوم", "پرسش سوم", "باز هم شفاعت", ""},
};

const std::filesystem::path& SearchDatabase() {
  static const std::filesystem::path path = e2etest::BuildDatabase(
      {{{"kolliyat", kTitles}, {"ptarsilo", kAdvanced}}, {}});
  return path;
}

e2etest::ShotResult RunOnSearchDatabase(const std::string& script) {
  return e2etest::RunShotOn(SearchDatabase(), script);
}

std::string Text(const Json& state, const char* name, const char* key) {
  return Component(state, name).Get(key).AsString();
}

// Text as the program holds it: single-byte code page 1256 text, where Farsi yeh (U+06CC) is
// the code page's yeh, read back as U+064A.
std::string Held(std::string text) {
  for (std::size_t at; (at = text.find("ی")) != std::string::npos;) text.replace(at, 2, "ي");
  return text;
}

// Selects the whole search box and types over it, as a reader replaces a search.
std::string Retype(const std::string& text) {
  return "click Edit1\nkey End\nkey shift+Home\ntype " + text + "\n";
}

struct SummaryCase {
  const char* typed;
  const char* pattern;  // the statement's quoted text
  const char* count;    // Label9
  const char* why;
};

TEST(SummarySearch, EachTypedTextNarrowsTheTitlesAndShowsTheCount) {
  const SummaryCase cases[] = {
      {"زندگی", "'%زندگی%'", "2", "Farsi yeh typed finds titles stored with either yeh"},
      {"زندگي", "'%زندگي%'", "2", "Arabic yeh typed finds them too"},
      {"'", "'%''%'", "1", "a quote is doubled and the statement stays valid"},
      {"%", "'%%%'", "6", "percent is a wildcard"},
      {"_", "'%_%'", "6", "underscore is a wildcard"},
      {"ESCHAT", "'%ESCHAT%'", "1", "letter case is ignored"},
      {"ناپیدا", "'%ناپیدا%'", "0", "nothing found: the count is 0"},
  };
  std::string script;
  int n = 0;
  for (const SummaryCase& c : cases) script += Retype(c.typed) + "state " + std::to_string(n++) + ".json\n";
  e2etest::ShotResult run = RunOnSearchDatabase(script);
  n = 0;
  for (const SummaryCase& c : cases) {
    SCOPED_TRACE(c.why);
    Json state = ReadState(run, std::to_string(n++) + ".json");
    EXPECT_EQ(Text(state, "Qkolliyat", "sql"),
              Held(std::string("SELECT * FROM kolliyat where kholase like ") + c.pattern + "\r\n"));
    EXPECT_EQ(Text(state, "Label9", "caption"), c.count);
    EXPECT_TRUE(Component(state, "Label8").Get("visible").AsBool());
    EXPECT_EQ(std::to_string(Component(state, "Qkolliyat").Get("recordCount").AsInt()), c.count);
  }
  EXPECT_EQ(run.state.Get("messages").Size(), 0u);
}

TEST(SummarySearch, TheFirstCharacterReplacesThePromptAndSearchesForItself) {
  e2etest::ShotResult run = RunOnSearchDatabase("type E\n");
  EXPECT_EQ(Text(run.state, "Edit1", "text"), "E");
  EXPECT_EQ(Text(run.state, "Qkolliyat", "sql"),
            "SELECT * FROM kolliyat where kholase like '%E%'\r\n");
  // "100% sure", "under_score" and "Eschatology" hold an e.
  EXPECT_EQ(Text(run.state, "Label9", "caption"), "3");
  // The first match is current and the category's controls show it.
  EXPECT_EQ(Text(run.state, "DBTextkolliyat", "caption"), "100% sure");
  EXPECT_EQ(Text(run.state, "Memopokolliyat", "text"), "پرسش چهارم");
}

TEST(SummarySearch, DeletingTheTextShowsTheCaptionAndChangesNothingElse) {
  e2etest::ShotResult run =
      RunOnSearchDatabase("type زندگی\nclick SpeedButton2\nkey End\nkey shift+Home\nkey BackSpace\n");
  EXPECT_EQ(Text(run.state, "Edit1", "text"), "");
  EXPECT_TRUE(Component(run.state, "Label8").Get("visible").AsBool());
  EXPECT_EQ(Text(run.state, "Label9", "caption"), "2");
  EXPECT_EQ(Text(run.state, "Qkolliyat", "sql"),
            Held("SELECT * FROM kolliyat where kholase like '%زندگی%'\r\n"));
  EXPECT_EQ(Component(run.state, "Qkolliyat").Get("recNo").AsInt(), 2) << "the position stays";
}

TEST(SummarySearch, CancelRestoresEveryRowAndLeavesTheText) {
  e2etest::ShotResult run = RunOnSearchDatabase("type زندگی\nclick SpeedButton5\n");
  EXPECT_EQ(Text(run.state, "Qkolliyat", "sql"), "SELECT * FROM kolliyat \r\n");
  EXPECT_EQ(Component(run.state, "Qkolliyat").Get("recordCount").AsInt(), 6);
  EXPECT_EQ(Text(run.state, "Label9", "caption"), "");
  EXPECT_FALSE(Component(run.state, "Label8").Get("visible").AsBool());
  EXPECT_EQ(Text(run.state, "Edit1", "text"), Held("زندگی"));
}

TEST(SummarySearch, SearchesTheCategoryOnShowAndAnEmptyResultShowsNothing) {
  e2etest::ShotResult run = RunOnSearchDatabase("click Label7\n" + Retype("ناپیدا"));
  EXPECT_EQ(Text(run.state, "Qmotefar", "sql"),
            Held("SELECT * FROM mohamad where kholase like '%ناپیدا%'\r\n"));
  EXPECT_EQ(Text(run.state, "Qkolliyat", "sql"), "SELECT *\r\nFROM kolliyat;\r\n");
  EXPECT_TRUE(Component(run.state, "Qmotefar").Get("active").AsBool());
  EXPECT_EQ(Text(run.state, "Label9", "caption"), "0");
  for (const char* name : {"Memopomotefar", "Memopamotefar", "Memomamotefar"}) {
    EXPECT_EQ(Text(run.state, name, "text"), "") << name;
  }
  EXPECT_EQ(Text(run.state, "DBTextmotefar", "caption"), "");
}

TEST(SummarySearch, APatternTheEngineRejectsIsReportedAndLeavesTheQueryClosed) {
  e2etest::ShotResult run = RunOnSearchDatabase("type زندگی\nclick Edit1\nkey End\ntype [\nstate failed.json\nkey Return\n");
  Json failed = ReadState(run, "failed.json");
  ASSERT_EQ(failed.Get("messages").Size(), 1u);
  EXPECT_EQ(failed.Get("messages").At(0).Get("caption").AsString(), "Orvanta");
  EXPECT_FALSE(Component(failed, "Qkolliyat").Get("active").AsBool());
  EXPECT_EQ(Text(failed, "Label9", "caption"), "2") << "the rest of the handler is skipped";
  EXPECT_EQ(Text(failed, "Memopakolliyat", "text"), "");
  EXPECT_EQ(Text(failed, "DBTextkolliyat", "caption"), "");
}

TEST(AdvancedSearch, OpeningThePanelShowsEveryRowOfTheSeventhTableAndFocusesItsBox) {
  e2etest::ShotResult run = RunOnSearchDatabase("click SpeedButton8\n");
  const Json& state = run.state;
  EXPECT_TRUE(Component(state, "Panel1").Get("visible").AsBool());
  EXPECT_EQ(state.Get("focus").AsString(), "ebarat");
  EXPECT_EQ(Component(state, "ebarat").Get("selLength").AsInt(), 5) << "the prompt is selected";
  for (const char* name : {"Memopapnamaz", "Memopopnamaz", "Memomapnamaz", "DBTextpnamaz"}) {
    EXPECT_TRUE(Component(state, name).Get("visible").AsBool()) << name;
  }
  for (const char* name : {"Memopakolliyat", "DBTextkolliyat", "Memopovajeb"}) {
    EXPECT_FALSE(Component(state, name).Get("visible").AsBool()) << name;
  }
  EXPECT_EQ(Component(state, "qpnamaz").Get("recordCount").AsInt(), 3);
  EXPECT_EQ(Text(state, "Memopopnamaz", "text"), Held("درباره‌ی شفاعت"));
  EXPECT_EQ(Component(state, "Image2").Get("top").AsInt(), 107) << "the highlight stays";
}

TEST(AdvancedSearch, SearchesTheQuestionOrTheAnswerAndRerunsOnASecondPress) {
  e2etest::ShotResult run = RunOnSearchDatabase(
      "click SpeedButton8\ntype شفاعت\nclick SpeedButton9\nstate question.json\n"
      "click RadioButton2\nclick SpeedButton9\nclick SpeedButton2\nstate answer.json\n"
      "click SpeedButton9\nstate again.json\nclick SpeedButton10\n");
  Json question = ReadState(run, "question.json");
  EXPECT_EQ(Text(question, "qpnamaz", "sql"),
            "SELECT * FROM ptarsilo where porsesh like '%شفاعت%'\r\n");
  EXPECT_EQ(Component(question, "qpnamaz").Get("recordCount").AsInt(), 1);
  Json answer = ReadState(run, "answer.json");
  EXPECT_EQ(Text(answer, "qpnamaz", "sql"),
            "SELECT * FROM ptarsilo where pasokh like '%شفاعت%'\r\n");
  EXPECT_EQ(Component(answer, "qpnamaz").Get("recordCount").AsInt(), 2);
  EXPECT_EQ(Component(answer, "qpnamaz").Get("recNo").AsInt(), 2) << "the next button moves it";
  EXPECT_EQ(Text(answer, "Memopapnamaz", "text"), "باز هم شفاعت");
  EXPECT_FALSE(Component(answer, "Label8").Get("visible").AsBool()) << "no count is shown";
  Json again = ReadState(run, "again.json");
  EXPECT_EQ(Component(again, "qpnamaz").Get("recNo").AsInt(), 1) << "back on the first row";
  // Cancel: the panel closes, category 1 is on show and the result is kept.
  EXPECT_FALSE(Component(run.state, "Panel1").Get("visible").AsBool());
  EXPECT_TRUE(Component(run.state, "Memopakolliyat").Get("visible").AsBool());
  EXPECT_FALSE(Component(run.state, "Memopapnamaz").Get("visible").AsBool());
  EXPECT_EQ(Text(run.state, "qpnamaz", "sql"),
            "SELECT * FROM ptarsilo where pasokh like '%شفاعت%'\r\n");
}

TEST(AdvancedSearch, AnEmptyBoxRunsNothing) {
  e2etest::ShotResult run = RunOnSearchDatabase("click SpeedButton8\nkey BackSpace\nclick SpeedButton9\n");
  EXPECT_EQ(Text(run.state, "ebarat", "text"), "");
  EXPECT_EQ(Text(run.state, "qpnamaz", "sql"), "SELECT *\r\nFROM ptarsilo;\r\n");
}

TEST(AdvancedSearch, TypingInTheSearchBoxBehindThePanelOnlyShowsTheCaption) {
  // Shift+Tab leaves the panel's box for the search box, the one control before it in tab
  // order that is showing.
  e2etest::ShotResult run = RunOnSearchDatabase("click SpeedButton8\nkey shift+Tab\ntype x\n");
  EXPECT_EQ(run.state.Get("focus").AsString(), "Edit1");
  EXPECT_TRUE(Component(run.state, "Label8").Get("visible").AsBool());
  EXPECT_EQ(Text(run.state, "Qkolliyat", "sql"), "SELECT *\r\nFROM kolliyat;\r\n");
  EXPECT_EQ(Text(run.state, "Label9", "caption"), "");
}

}  // namespace
