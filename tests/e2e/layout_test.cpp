// The main window's stored layout as the running program has it, and the content store's
// failures: every group control in its place with its font, tab order and binding, a missing
// database, and a database missing one table.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/shot_run.h"
#include "tests/e2e/test_database.h"

namespace {

using e2etest::Component;
using e2etest::RunShot;
using e2etest::ShotOptions;
using shot::Json;

constexpr std::int64_t kMaroon = 0x000080;
constexpr std::int64_t kNavy = 0x800000;
constexpr std::int64_t kOlive = 0x008080;
constexpr std::int64_t kRed = 0x0000FF;

struct Placed {
  const char* name;
  const char* parent;
  int left, top, width, height;
  int fontHeight;
  std::int64_t fontColor;
  int tabOrder;  // -1: not a windowed control
};

// One line per control of the seven groups, as the window description stores them.
const Placed kGroupControls[] = {
    {"DBTextkolliyat", "", 288, 120, 217, 17, -12, kMaroon, -1},
    {"Memopokolliyat", "", 40, 152, 513, 97, -13, kNavy, 2},
    {"Memopakolliyat", "", 32, 272, 521, 201, -13, kMaroon, 3},
    {"Memomankolliyat", "", 40, 496, 513, 97, -12, kOlive, 4},
    {"DBkolliyat", "", 656, 456, 169, 211, -13, kRed, 1},
    {"DBTextmoghadamat", "", 288, 120, 217, 17, -12, kMaroon, -1},
    {"Memopomoghadamat", "", 40, 152, 513, 97, -13, kNavy, 5},
    {"Memopamoghadamat", "", 32, 272, 521, 201, -13, kMaroon, 6},
    {"Memomamoghadamat", "", 40, 496, 513, 97, -12, kOlive, 7},
    {"DBmoghadamat", "", 656, 456, 169, 211, -13, kRed, 8},
    {"DBTextvajeb", "", 288, 120, 217, 17, -12, kMaroon, -1},
    {"Memopovajeb", "", 40, 152, 513, 97, -13, kNavy, 9},
    {"Memopavajeb", "", 32, 272, 521, 201, -13, kMaroon, 10},
    {"Memomavajeb", "", 40, 496, 513, 97, -12, kOlive, 11},
    {"DBvajeb", "", 656, 456, 169, 211, -13, kRed, 12},
    {"DBTextmostahab", "", 288, 120, 217, 17, -12, kMaroon, -1},
    {"Memopomostahab", "", 40, 152, 513, 97, -13, kNavy, 13},
    {"Memopamostahab", "", 32, 272, 521, 201, -13, kMaroon, 14},
    {"Memomamostahab", "", 40, 496, 513, 97, -12, kOlive, 15},
    {"DBmostahab", "", 656, 456, 169, 211, -13, kRed, 16},
    {"DBTextnamaz", "", 288, 120, 217, 17, -12, kMaroon, -1},
    {"Memoponamaz", "", 40, 152, 513, 97, -13, kNavy, 17},
    {"Memopanamaz", "", 32, 272, 521, 201, -13, kMaroon, 18},
    {"Memomanamaz", "", 40, 496, 513, 97, -12, kOlive, 19},
    {"DBnamaz", "", 656, 456, 169, 211, -13, kRed, 20},
    {"DBTextmotefar", "", 288, 120, 217, 17, -12, kMaroon, -1},
    {"Memopomotefar", "", 40, 152, 513, 97, -13, kNavy, 21},
    {"Memopamotefar", "", 32, 272, 521, 201, -13, kMaroon, 22},
    {"Memomamotefar", "", 40, 496, 513, 97, -12, kOlive, 23},
    {"DBmotefar", "", 656, 456, 169, 211, -13, kRed, 24},
    {"DBTextpnamaz", "", 288, 120, 217, 17, -12, kMaroon, -1},
    {"Memopopnamaz", "", 40, 152, 513, 97, -13, kNavy, 26},
    {"Memopapnamaz", "", 32, 272, 521, 201, -13, kMaroon, 27},
    {"Memomapnamaz", "", 40, 496, 513, 97, -12, kOlive, 28},
    {"DBpnamaz", "Panel1", 41, 192, 189, 160, -13, kRed, 1},
    {"Panel1", "", 610, 315, 255, 368, -12, 0, 25},
};

TEST(MainWindowLayout, EveryGroupControlIsInItsPlaceWithItsFontAndTabOrder) {
  e2etest::ShotResult run = RunShot("");
  ASSERT_EQ(run.status, 0) << run.errors;
  for (const Placed& placed : kGroupControls) {
    SCOPED_TRACE(placed.name);
    const Json& entry = Component(run.state, placed.name);
    ASSERT_FALSE(entry.IsNull());
    std::string parent = entry.Get("parent").AsString();
    EXPECT_EQ(parent, *placed.parent ? placed.parent : "main");
    const Json& bounds = entry.Get("bounds");
    EXPECT_EQ(bounds.At(0).AsInt(), placed.left);
    EXPECT_EQ(bounds.At(1).AsInt(), placed.top);
    EXPECT_EQ(bounds.At(2).AsInt(), placed.width);
    EXPECT_EQ(bounds.At(3).AsInt(), placed.height);
    EXPECT_EQ(entry.Get("font").Get("height").AsInt(), placed.fontHeight);
    if (placed.fontColor) EXPECT_EQ(entry.Get("font").Get("color").AsInt(), placed.fontColor);
    EXPECT_EQ(entry.Get("font").Get("charset").AsInt(), 178);
    if (placed.tabOrder >= 0) EXPECT_EQ(entry.Get("tabOrder").AsInt(), placed.tabOrder);
  }
}

TEST(MainWindowLayout, TheCountSitsToTheLeftOfItsCaption) {
  e2etest::ShotResult run = RunShot("type ا\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  const Json& number = Component(run.state, "Label9").Get("bounds");
  const Json& caption = Component(run.state, "Label8").Get("bounds");
  EXPECT_LE(number.At(0).AsInt() + number.At(2).AsInt(), caption.At(0).AsInt());
}

bool Empty(const Json& state, const char* name) {
  const Json& entry = Component(state, name);
  return entry.Get(entry.Get("class").AsString() == "TDBText" ? "caption" : "text")
      .AsString()
      .empty();
}

TEST(ContentStore, WithoutTheDatabaseEveryGroupIsEmptyAfterTheReports) {
  ShotOptions options;
  options.database = false;
  std::string script;
  for (int i = 0; i < 15; ++i) script += "key Return\n";
  e2etest::ShotResult run = RunShot(script + "click Label7\n", options);
  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.state.Get("messages").Size(), 15u);
  for (const char* name : {"DBTextmotefar", "Memopomotefar", "Memopamotefar", "Memomamotefar"}) {
    EXPECT_TRUE(Empty(run.state, name)) << name;
  }
  EXPECT_EQ(Component(run.state, "DBmotefar").Get("cells").Size(), 1u) << "the title row only";
  EXPECT_TRUE(Component(run.state, "Memopamotefar").Get("visible").AsBool());
}

TEST(ContentStore, ADatabaseWithoutOneTableEmptiesOnlyThatGroup) {
  ShotOptions options;
  options.databaseFile = e2etest::BuildDatabase({{}, {"elm"}});
  e2etest::ShotResult run = RunShot("key Return\nkey Return\nclick Label6\nstate third.json\n"
                                    "click Label5\n",
                                    options);
  ASSERT_EQ(run.status, 0) << run.errors;
  const Json& messages = run.state.Get("messages");
  ASSERT_EQ(messages.Size(), 2u) << "the third master table and the third query";
  EXPECT_NE(messages.At(0).Get("text").AsString().find("Qelm"), std::string::npos);
  EXPECT_NE(messages.At(1).Get("text").AsString().find("elm"), std::string::npos);
  Json third = e2etest::ReadState(run, "third.json");
  EXPECT_FALSE(Component(third, "ADOTable3").Get("active").AsBool());
  EXPECT_FALSE(Component(third, "Qvajeb").Get("active").AsBool());
  for (const char* name : {"DBTextvajeb", "Memopovajeb", "Memopavajeb", "Memomavajeb"}) {
    EXPECT_TRUE(Empty(third, name)) << name;
  }
  EXPECT_TRUE(Component(run.state, "Qnamaz").Get("active").AsBool());
  EXPECT_EQ(Component(run.state, "Memopanamaz").Get("text").AsString(), "answer");
  EXPECT_EQ(Component(run.state, "DBTextnamaz").Get("caption").AsString(), "vahy");
}

}  // namespace
