// Find in the answer and the answer's font, as a reader uses them: successive Find Next presses
// over one shared position, the two messages, and a font chosen per group.
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

// Category 1's answers: abcabc, then bc on a second line (after CR LF), then ABC.
const std::filesystem::path& FindDatabase() {
  static const std::filesystem::path path = e2etest::BuildDatabase(
      {{{"kolliyat",
         {{"one", "q", "abcabc", ""}, {"two", "q", "x\nbc", ""}, {"three", "q", "ABC", ""}}}},
       {}});
  return path;
}

e2etest::ShotResult RunOnFindDatabase(const std::string& script) {
  return e2etest::RunShotOn(FindDatabase(), script);
}

// Opens category 1's find dialog and types the text to find.
std::string OpenFind(const std::string& text) {
  return "click SpeedButton6\ntarget Find\ntype " + text + "\n";
}

const char* const kFindNext = "target Find\nbutton Find Next\n";

// The text of the open message dialog, or "" when none is open.
std::string MessageShown(const Json& state) {
  const Json& forms = state.Get("forms");
  for (std::size_t i = 0; i < forms.Size(); ++i) {
    const Json& message = Component(forms.At(i), "Message");
    if (!message.IsNull() && forms.At(i).Get("caption").AsString() == "Error") {
      return message.Get("caption").AsString();
    }
  }
  return "";
}

struct Press {
  int findPos;
  int selStart;
  int selLength;
  const char* message;  // "" when a match is selected
};

TEST(FindInText, FourPressesOverAbcabcSelectBothMatchesThenReportThenStartAgain) {
  const Press presses[] = {
      {2, 1, 2, ""},
      {5, 4, 2, ""},
      {0, 4, 2, "There are no further occurences of \"bc\" in Memo1."},
      {2, 1, 2, ""},
  };
  std::string script = OpenFind("bc");
  for (int i = 0; i < 4; ++i) {
    script += std::string(kFindNext) + "state " + std::to_string(i) + ".json\n";
    if (*presses[i].message) script += "key Return\n";
  }
  e2etest::ShotResult run = RunOnFindDatabase(script);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE("press " + std::to_string(i + 1));
    Json state = ReadState(run, std::to_string(i) + ".json");
    const Json& memo = Component(state, "Memopakolliyat");
    EXPECT_EQ(state.Get("findPos").AsInt(), presses[i].findPos);
    EXPECT_EQ(memo.Get("selStart").AsInt(), presses[i].selStart);
    EXPECT_EQ(memo.Get("selLength").AsInt(), presses[i].selLength);
    EXPECT_EQ(MessageShown(state), presses[i].message);
    if (!*presses[i].message) EXPECT_EQ(state.Get("focus").AsString(), "Memopakolliyat");
  }
}

struct Search {
  const char* setUp;  // script lines before the dialog opens
  const char* text;
  int findPos;
  int selStart;
  const char* message;
  const char* why;
};

TEST(FindInText, FirstPresses) {
  const Search searches[] = {
      {"", "zz", 0, 0, "Could not find \"zz\" in Memo1.", "absent text"},
      {"", "BC", 0, 0, "Could not find \"BC\" in Memo1.", "letter case counts"},
      {"click SpeedButton2\n", "bc", 4, 3, "", "CR LF counts as two characters"},
  };
  for (const Search& search : searches) {
    SCOPED_TRACE(search.why);
    e2etest::ShotResult run = RunOnFindDatabase(std::string(search.setUp) + OpenFind(search.text) +
                                                kFindNext + "state pressed.json\nkey Return\n");
    Json pressed = ReadState(run, "pressed.json");
    EXPECT_EQ(pressed.Get("findPos").AsInt(), search.findPos);
    EXPECT_EQ(Component(pressed, "Memopakolliyat").Get("selStart").AsInt(), search.selStart);
    EXPECT_EQ(MessageShown(pressed), search.message);
  }
}

TEST(FindInText, AfterAMatchTheNextRecordIsSearchedFromTheOldPositionOnward) {
  // The match at 2 in abcabc; in x CR LF bc the search starts at 2 + 2 = 4, where bc begins.
  e2etest::ShotResult run = RunOnFindDatabase(OpenFind("bc") + kFindNext +
                                              "target main\nclick SpeedButton2\n" + kFindNext);
  EXPECT_EQ(run.state.Get("findPos").AsInt(), 4);
  EXPECT_EQ(Component(run.state, "Memopakolliyat").Get("selStart").AsInt(), 3);
}

TEST(FindInText, ADialogLeftOpenOverAnotherCategoryFailsToFocusItsHiddenMemo) {
  e2etest::ShotResult run = RunOnFindDatabase(OpenFind("bc") + "target main\nclick Label3\n" +
                                              kFindNext + "state failed.json\nkey Return\n");
  Json failed = ReadState(run, "failed.json");
  ASSERT_EQ(failed.Get("messages").Size(), 1u);
  EXPECT_EQ(failed.Get("messages").At(0).Get("text").AsString(),
            "Cannot focus a disabled or invisible window.");
  EXPECT_EQ(failed.Get("findPos").AsInt(), 2) << "the match position is kept";
  EXPECT_EQ(Component(failed, "Memopakolliyat").Get("selStart").AsInt(), 1);
}

TEST(FindInText, WithTheAdvancedSearchOnShowTheButtonDoesNothing) {
  e2etest::ShotResult run = RunOnFindDatabase("click SpeedButton8\nclick SpeedButton6\n");
  EXPECT_TRUE(e2etest::Window(run.state, "Find").IsNull());
}

const Json& FontOf(const Json& state, const char* memo) {
  return Component(state, memo).Get("font");
}

TEST(AnswerFont, ABold14PointChoiceChangesOnlyTheAnswerOnShowAndStays) {
  e2etest::ShotResult run = RunShot(
      "click Label6\nclick SpeedButton7\ntarget Font\nkey Tab\ntype Bold\nkey Tab\ntype 14\n"
      "button OK\ntarget main\nstate chosen.json\nclick Label1\nstate other.json\nclick Label6\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  Json chosen = ReadState(run, "chosen.json");
  const Json& font = FontOf(chosen, "Memopavajeb");
  EXPECT_EQ(font.Get("size").AsInt(), 14);
  ASSERT_EQ(font.Get("style").Size(), 1u);
  EXPECT_EQ(font.Get("style").At(0).AsString(), "fsBold");
  EXPECT_EQ(font.Get("charset").AsInt(), 178) << "the memo keeps its Arabic character set";
  EXPECT_EQ(FontOf(chosen, "Memopovajeb").Get("size").AsInt(), 10) << "the question keeps its";
  Json other = ReadState(run, "other.json");
  EXPECT_EQ(FontOf(other, "Memopakolliyat").Get("name").AsString(), "Tahoma");
  EXPECT_EQ(FontOf(other, "Memopakolliyat").Get("height").AsInt(), -13);
  EXPECT_EQ(FontOf(run.state, "Memopavajeb").Get("size").AsInt(), 14);
  EXPECT_EQ(FontOf(run.state, "Memopavajeb").Get("style").Size(), 1u);
}

TEST(AnswerFont, TheDialogFirstOpensOnItsOwnFontAndCancelChangesNothing) {
  e2etest::ShotResult run = RunShot(
      "click SpeedButton7\ntarget Font\nbutton Cancel\ntarget main\nstate cancelled.json\n"
      "click SpeedButton7\ntarget Font\nbutton OK\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  Json cancelled = ReadState(run, "cancelled.json");
  EXPECT_EQ(FontOf(cancelled, "Memopakolliyat").Get("name").AsString(), "Tahoma");
  EXPECT_EQ(FontOf(cancelled, "Memopakolliyat").Get("color").AsInt(), 0x000080);
  // Confirmed unchanged, the dialog's stored font arrives, not the memo's Tahoma.
  const Json& font = FontOf(run.state, "Memopakolliyat");
  EXPECT_EQ(font.Get("name").AsString(), "MS Sans Serif");
  EXPECT_EQ(font.Get("size").AsInt(), 8);
  EXPECT_EQ(font.Get("charset").AsInt(), 178);
}

TEST(AnswerFont, WithTheAdvancedSearchOnShowTheSeventhDialogActsOnItsAnswer) {
  e2etest::ShotResult run =
      RunShot("click SpeedButton8\nclick SpeedButton7\ntarget Font\nbutton OK\ntarget main\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(FontOf(run.state, "Memopapnamaz").Get("name").AsString(), "MS Sans Serif");
  EXPECT_EQ(FontOf(run.state, "Memopakolliyat").Get("name").AsString(), "Tahoma");
}

}  // namespace
