// Showing a category and moving through its records as a reader does: the six category labels,
// what survives a switch, and the four navigation buttons at both ends and on an empty result.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "tests/e2e/shot_run.h"
#include "tests/e2e/test_database.h"

namespace {

using e2etest::Component;
using e2etest::ReadState;
using e2etest::RunShot;
using e2etest::ShotOptions;
using shot::Json;

struct Category {
  const char* label;
  int highlightTop;
  // Summary label, question, answer and footnote memos, titles grid.
  std::array<const char*, 5> controls;
  const char* query;
};

const Category kCategories[] = {
    {"Label1", 107, {"DBTextkolliyat", "Memopokolliyat", "Memopakolliyat", "Memomankolliyat", "DBkolliyat"}, "Qkolliyat"},
    {"Label3", 142, {"DBTextmoghadamat", "Memopomoghadamat", "Memopamoghadamat", "Memomamoghadamat", "DBmoghadamat"}, "Qmoghadamat"},
    {"Label6", 176, {"DBTextvajeb", "Memopovajeb", "Memopavajeb", "Memomavajeb", "DBvajeb"}, "Qvajeb"},
    {"Label4", 210, {"DBTextmostahab", "Memopomostahab", "Memopamostahab", "Memomamostahab", "DBmostahab"}, "Qmostahab"},
    {"Label5", 243, {"DBTextnamaz", "Memoponamaz", "Memopanamaz", "Memomanamaz", "DBnamaz"}, "Qnamaz"},
    {"Label7", 277, {"DBTextmotefar", "Memopomotefar", "Memopamotefar", "Memomamotefar", "DBmotefar"}, "Qmotefar"},
};

constexpr std::array<const char*, 4> kAdvancedControls = {"DBTextpnamaz", "Memopopnamaz",
                                                          "Memopapnamaz", "Memomapnamaz"};

bool Visible(const Json& state, const char* name) {
  return Component(state, name).Get("visible").AsBool();
}

// Exactly category k's controls are visible, the highlight sits beside its label, the panel
// and the advanced search's controls are hidden.
void ExpectCategoryOnShow(const Json& state, std::size_t k) {
  for (std::size_t g = 0; g < std::size(kCategories); ++g) {
    for (const char* name : kCategories[g].controls) {
      EXPECT_EQ(Visible(state, name), g == k) << name;
    }
  }
  for (const char* name : kAdvancedControls) EXPECT_FALSE(Visible(state, name)) << name;
  EXPECT_FALSE(Visible(state, "Panel1"));
  EXPECT_EQ(Component(state, "Image2").Get("left").AsInt(), 658);
  EXPECT_EQ(Component(state, "Image2").Get("top").AsInt(), kCategories[k].highlightTop);
}

TEST(CategorySwitch, EachLabelShowsItsCategoryAndMovesTheHighlight) {
  std::string script;
  for (const Category& category : kCategories) {
    script += std::string("click ") + category.label + "\nstate " + category.label + ".json\n";
  }
  e2etest::ShotResult run = RunShot(script);
  ASSERT_EQ(run.status, 0) << run.errors;
  for (std::size_t k = 0; k < std::size(kCategories); ++k) {
    SCOPED_TRACE(kCategories[k].label);
    Json state = ReadState(run, std::string(kCategories[k].label) + ".json");
    ExpectCategoryOnShow(state, k);
    // The category's first record, from the sample database.
    EXPECT_FALSE(Component(state, kCategories[k].controls[0]).Get("caption").AsString().empty());
    EXPECT_FALSE(Component(state, kCategories[k].controls[2]).Get("text").AsString().empty());
    EXPECT_EQ(Component(state, kCategories[k].query).Get("recNo").AsInt(), 1);
  }
}

TEST(CategorySwitch, AtStartTheFirstCategoryShowsItsFirstRecord) {
  e2etest::ShotResult run = RunShot("");
  ASSERT_EQ(run.status, 0) << run.errors;
  ExpectCategoryOnShow(run.state, 0);
  const Json& fields = Component(run.state, "Qkolliyat").Get("values");
  EXPECT_EQ(Component(run.state, "DBTextkolliyat").Get("caption").AsString(),
            fields.Get("kholase").AsString());
  EXPECT_EQ(Component(run.state, "Memopokolliyat").Get("text").AsString(),
            fields.Get("porsesh").AsString());
  EXPECT_EQ(Component(run.state, "Memopakolliyat").Get("text").AsString(),
            fields.Get("pasokh").AsString());
  EXPECT_EQ(Component(run.state, "Memomankolliyat").Get("text").AsString(),
            fields.Get("pavaraghi").AsString());
  EXPECT_EQ(run.state.Get("findPos").AsInt(), 0);
}

TEST(CategorySwitch, TheFilterThePositionAndTheCountSurviveASwitch) {
  // A search for "معاد" in category 1, the third match made current, then category 2 and back.
  e2etest::ShotResult run = RunShot(
      "type معاد\nclick SpeedButton2\nclick SpeedButton2\nstate searched.json\n"
      "click Label3\nstate away.json\nclick Label1\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  Json searched = ReadState(run, "searched.json");
  Json away = ReadState(run, "away.json");
  std::string count = Component(searched, "Label9").Get("caption").AsString();
  EXPECT_NE(count, "");
  EXPECT_FALSE(Visible(away, "Label8"));
  EXPECT_TRUE(Visible(away, "Label9"));
  EXPECT_EQ(Component(away, "Label9").Get("caption").AsString(), count);
  ExpectCategoryOnShow(run.state, 0);
  EXPECT_EQ(Component(run.state, "Qkolliyat").Get("sql").AsString(),
            Component(searched, "Qkolliyat").Get("sql").AsString());
  EXPECT_EQ(Component(run.state, "Qkolliyat").Get("recNo").AsInt(), 3);
  EXPECT_EQ(Component(run.state, "Memopakolliyat").Get("text").AsString(),
            Component(searched, "Memopakolliyat").Get("text").AsString());
  EXPECT_EQ(Component(run.state, "Edit1").Get("text").AsString(),
            Component(searched, "Edit1").Get("text").AsString());
}

TEST(CategorySwitch, TheLabelOnShowOnlyHidesTheCountCaption) {
  e2etest::ShotResult run = RunShot("type معاد\nstate before.json\nclick Label1\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  Json before = ReadState(run, "before.json");
  EXPECT_TRUE(Visible(before, "Label8"));
  EXPECT_FALSE(Visible(run.state, "Label8"));
  ExpectCategoryOnShow(run.state, 0);
  EXPECT_EQ(Component(run.state, "Label9").Get("caption").AsString(),
            Component(before, "Label9").Get("caption").AsString());
}

TEST(CategorySwitch, ALabelClosesTheAdvancedSearchPanel) {
  e2etest::ShotResult run = RunShot("click SpeedButton8\nstate panel.json\nclick Label4\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  Json panel = ReadState(run, "panel.json");
  EXPECT_TRUE(Visible(panel, "Panel1"));
  EXPECT_TRUE(Visible(panel, "Memopapnamaz"));
  ExpectCategoryOnShow(run.state, 3);
}

struct Press {
  const char* button;
  const char* what;
  int recNo;  // 0: the last record
};

TEST(Navigation, TheFourButtonsMoveWithinTheCategoryAndStopAtItsEnds) {
  const Press presses[] = {
      {"SpeedButton1", "previous on the first record changes nothing", 1},
      {"SpeedButton2", "next", 2},
      {"SpeedButton2", "next again", 3},
      {"SpeedButton1", "previous", 2},
      {"SpeedButton4", "last", 0},
      {"SpeedButton2", "next on the last record changes nothing", 0},
      {"SpeedButton3", "first", 1},
  };
  std::string script = "click Label6\n";
  int n = 0;
  for (const Press& press : presses) {
    script += std::string("click ") + press.button + "\nstate " + std::to_string(n++) + ".json\n";
  }
  e2etest::ShotResult run = RunShot(script);
  ASSERT_EQ(run.status, 0) << run.errors;
  n = 0;
  for (const Press& press : presses) {
    SCOPED_TRACE(press.what);
    Json state = ReadState(run, std::to_string(n++) + ".json");
    const Json& query = Component(state, "Qvajeb");
    std::int64_t expected = press.recNo ? press.recNo : query.Get("recordCount").AsInt();
    EXPECT_EQ(query.Get("recNo").AsInt(), expected);
    EXPECT_EQ(Component(state, "Memopovajeb").Get("text").AsString(),
              query.Get("values").Get("porsesh").AsString());
    EXPECT_EQ(Component(state, "Qkolliyat").Get("recNo").AsInt(), 1) << "other groups stay";
    EXPECT_EQ(state.Get("messages").Size(), 0u);
    EXPECT_FALSE(Visible(state, "Label8"));
  }
}

TEST(Navigation, AClickOnATitleMakesItsRecordCurrentAndTheMemosFollow) {
  // Rows are 20 pixels and a 1-pixel line apart, the title row first: a click on the fourth
  // title, 94 pixels into the grid at 456.
  e2etest::ShotResult run = RunShot("state before.json\nclick left 740 550\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  Json before = ReadState(run, "before.json");
  const Json& grid = Component(run.state, "DBkolliyat");
  EXPECT_EQ(Component(before, "DBkolliyat").Get("row").AsInt(), 1);
  EXPECT_EQ(grid.Get("row").AsInt(), 4);
  EXPECT_EQ(Component(run.state, "Qkolliyat").Get("recNo").AsInt(), 4);
  EXPECT_EQ(Component(run.state, "DBTextkolliyat").Get("caption").AsString(),
            grid.Get("cells").At(4).At(0).AsString());
  EXPECT_EQ(Component(run.state, "Memopakolliyat").Get("text").AsString(),
            Component(run.state, "Qkolliyat").Get("values").Get("pasokh").AsString());
}

TEST(Navigation, TheGridFollowsTheButtons) {
  e2etest::ShotResult run = RunShot("click SpeedButton4\nstate last.json\nclick SpeedButton3\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  Json last = ReadState(run, "last.json");
  const Json& grid = Component(last, "DBkolliyat");
  std::int64_t rows = grid.Get("rowCount").AsInt();
  EXPECT_EQ(grid.Get("row").AsInt(), rows - 1) << "the last record on the last row";
  EXPECT_EQ(grid.Get("cells").At(static_cast<std::size_t>(rows - 1)).At(0).AsString(),
            Component(last, "DBTextkolliyat").Get("caption").AsString());
  EXPECT_EQ(Component(run.state, "DBkolliyat").Get("row").AsInt(), 1);
  EXPECT_EQ(Component(run.state, "DBkolliyat").Get("topRow").AsInt(), 1);
}

TEST(Navigation, WithTheAdvancedSearchOnShowTheButtonsMoveThroughItsResults) {
  e2etest::ShotResult run = RunShot("click SpeedButton8\nclick SpeedButton2\nclick SpeedButton2\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(Component(run.state, "qpnamaz").Get("recNo").AsInt(), 3);
  EXPECT_EQ(Component(run.state, "Qkolliyat").Get("recNo").AsInt(), 1);
  EXPECT_EQ(Component(run.state, "Memopapnamaz").Get("text").AsString(),
            Component(run.state, "qpnamaz").Get("values").Get("pasokh").AsString());
}

TEST(Navigation, OnAnEmptyCategoryTheButtonsChangeNothing) {
  ShotOptions options;
  options.databaseFile = e2etest::BuildDatabase({{{"elm", {}}}, {}});
  e2etest::ShotResult run = RunShot(
      "click Label6\nclick SpeedButton2\nclick SpeedButton4\nclick SpeedButton1\n"
      "click SpeedButton3\n",
      options);
  ASSERT_EQ(run.status, 0) << run.errors;
  const Json& query = Component(run.state, "Qvajeb");
  EXPECT_TRUE(query.Get("active").AsBool());
  EXPECT_EQ(query.Get("recordCount").AsInt(), 0);
  EXPECT_TRUE(query.Get("eof").AsBool());
  EXPECT_EQ(run.state.Get("messages").Size(), 0u);
  for (const char* name : kCategories[2].controls) {
    EXPECT_TRUE(Visible(run.state, name)) << name;
    const Json& entry = Component(run.state, name);
    if (entry.Get("class").AsString() == "TDBGrid") {
      // The title row and one empty row.
      EXPECT_EQ(entry.Get("rowCount").AsInt(), 2);
      EXPECT_EQ(entry.Get("cells").Size(), 1u);
      continue;
    }
    EXPECT_EQ(entry.Get(entry.Get("class").AsString() == "TDBText" ? "caption" : "text").AsString(),
              "")
        << name;
  }
}

}  // namespace
