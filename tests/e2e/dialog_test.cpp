// The find and font dialogs of the reader as a person uses them through velmora-shot: the find
// dialog with the keyboard alone while the main window stays usable, the not-found report, and
// the font dialog returning a face and size to the answer pane.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/shot_run.h"
#include "tests/e2e/test_database.h"

namespace {

using e2etest::Component;
using e2etest::ReadState;
using e2etest::RunShot;
using e2etest::ShotOptions;
using e2etest::Window;
using shot::Json;

const std::filesystem::path& DialogDatabase() {
  static const std::filesystem::path path =
      e2etest::BuildDatabase({{{"kolliyat", {{"عنوان یکم", "پرسش یکم", "abcabc", ""}}}}, {}});
  return path;
}

e2etest::ShotResult RunOnDialogDatabase(const std::string& script) {
  ShotOptions options;
  options.databaseFile = DialogDatabase();
  e2etest::ShotResult run = RunShot(script, options);
  EXPECT_EQ(run.status, 0) << run.errors;
  return run;
}

std::vector<std::string> Strings(const Json& array) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < array.Size(); ++i) out.push_back(array.At(i).AsString());
  return out;
}

bool Shown(const Json& state, const std::string& caption) {
  const Json& window = Window(state, caption);
  return !window.IsNull() && window.Get("visible").AsBool();
}

TEST(FindDialogInUse, KeyboardAloneTypesTicksReportsAndCloses) {
  e2etest::ShotResult run = RunOnDialogDatabase(
      "click SpeedButton6\n"
      "state opened.json\n"
      "target Find\n"
      "type zz\n"
      "key Tab\n"
      "key space\n"
      "key shift+Tab\n"
      "key Return\n"
      "state reported.json\n"
      "key Return\n"
      "state back.json\n"
      "key Escape\n"
      "state closed.json\n");

  Json opened = ReadState(run, "opened.json");
  EXPECT_TRUE(Component(opened, "FindDialog1").Get("open").AsBool());
  EXPECT_TRUE(Window(opened, "Find").Get("active").AsBool());
  EXPECT_TRUE(Window(opened, "Velmora").Get("enabled").AsBool()) << "modeless";

  // Nothing found: the error report is modal over the dialog and the main window.
  Json reported = ReadState(run, "reported.json");
  EXPECT_EQ(Component(reported, "FindDialog1").Get("findText").AsString(), "zz");
  EXPECT_EQ(Strings(Component(reported, "FindDialog1").Get("options")),
            (std::vector<std::string>{"frDown", "frWholeWord"}));
  EXPECT_TRUE(Window(reported, "Error").Get("active").AsBool());
  EXPECT_FALSE(Window(reported, "Find").Get("enabled").AsBool());
  EXPECT_FALSE(Window(reported, "Velmora").Get("enabled").AsBool());

  // Enter closes the report and the dialog has the keyboard again.
  Json back = ReadState(run, "back.json");
  EXPECT_FALSE(Shown(back, "Error"));
  EXPECT_TRUE(Window(back, "Find").Get("active").AsBool());

  Json closed = ReadState(run, "closed.json");
  EXPECT_FALSE(Component(closed, "FindDialog1").Get("open").AsBool());
  EXPECT_FALSE(Shown(closed, "Find"));
  EXPECT_TRUE(Window(closed, "Velmora").Get("active").AsBool());
}

TEST(FindDialogInUse, MatchesWhileTheMainWindowStaysUsable) {
  e2etest::ShotResult run = RunOnDialogDatabase(
      "click SpeedButton6\n"
      "target Find\n"
      "type bc\n"
      "key Return\n"
      "state found.json\n"
      "target main\n"
      "click Label3\n"
      "state switched.json\n"
      "click Label1\n"
      "target Find\n"
      "button Find Next\n"
      "state again.json\n"
      "button Cancel\n"
      "state closed.json\n");

  // Found: the answer pane selects the match and takes the focus; the dialog stays open.
  Json found = ReadState(run, "found.json");
  EXPECT_EQ(Component(found, "Memopakolliyat").Get("selStart").AsInt(), 1);
  EXPECT_EQ(Component(found, "Memopakolliyat").Get("selLength").AsInt(), 2);
  EXPECT_TRUE(Window(found, "Velmora").Get("active").AsBool());
  EXPECT_TRUE(Component(found, "FindDialog1").Get("open").AsBool());

  Json switched = ReadState(run, "switched.json");
  EXPECT_TRUE(Component(switched, "Memopamoghadamat").Get("visible").AsBool());
  EXPECT_FALSE(Component(switched, "Memopakolliyat").Get("visible").AsBool());
  EXPECT_TRUE(Component(switched, "FindDialog1").Get("open").AsBool());
  EXPECT_TRUE(Shown(switched, "Find")) << "still open above the main window";

  // The second press goes on after the first match.
  Json again = ReadState(run, "again.json");
  EXPECT_EQ(Component(again, "Memopakolliyat").Get("selStart").AsInt(), 4);
  EXPECT_EQ(Component(again, "Memopakolliyat").Get("selLength").AsInt(), 2);

  Json closed = ReadState(run, "closed.json");
  EXPECT_FALSE(Component(closed, "FindDialog1").Get("open").AsBool());
  EXPECT_FALSE(Shown(closed, "Find"));
}

TEST(FontDialogInUse, ReturnsTheChosenFaceAndSizeToTheAnswerPane) {
  e2etest::ShotResult run = RunOnDialogDatabase(
      "click SpeedButton7\n"
      "target Font\n"
      "state opened.json\n"
      "key alt+f\n"
      "type Tahoma\n"
      "key alt+s\n"
      "type 14\n"
      "button OK\n"
      "state chosen.json\n");

  Json opened = ReadState(run, "opened.json");
  EXPECT_TRUE(Window(opened, "Font").Get("active").AsBool());
  EXPECT_FALSE(Window(opened, "Velmora").Get("enabled").AsBool()) << "modal";

  Json chosen = ReadState(run, "chosen.json");
  const Json& dialogFont = Component(chosen, "FontDialog1").Get("font");
  EXPECT_EQ(dialogFont.Get("name").AsString(), "Tahoma");
  EXPECT_EQ(dialogFont.Get("size").AsInt(), 14);
  const Json& memoFont = Component(chosen, "Memopakolliyat").Get("font");
  EXPECT_EQ(memoFont.Get("name").AsString(), "Tahoma");
  EXPECT_EQ(memoFont.Get("size").AsInt(), 14);
  EXPECT_EQ(memoFont.Get("charset").AsInt(), 178) << "the pane keeps its Arabic script";
  EXPECT_EQ(Component(chosen, "Memopamoghadamat").Get("font").Get("size").AsInt(), 10)
      << "another category's pane keeps its font";
  EXPECT_TRUE(Window(chosen, "Velmora").Get("enabled").AsBool());
  EXPECT_FALSE(Shown(chosen, "Font"));
}

}  // namespace
