// The whole program through velmora-shot: the window as it opens, the hover colours, the hot
// spots of the window chrome, the flat speed buttons and a missing database.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/shot_run.h"

namespace {

using e2etest::Component;
using e2etest::RunShot;
using e2etest::ShotOptions;
using e2etest::Window;
using shot::Json;

// The window is 865 x 682 and centred on the default 1280 x 1024 screen.
constexpr int kLeft = 207;
constexpr int kTop = 171;

constexpr std::int64_t kGreen = 0x008000;
constexpr std::int64_t kMaroon = 0x000080;

std::vector<std::int64_t> Bounds(const Json& entry) {
  std::vector<std::int64_t> bounds;
  for (std::size_t i = 0; i < entry.Get("bounds").Size(); ++i) {
    bounds.push_back(entry.Get("bounds").At(i).AsInt());
  }
  return bounds;
}

// The pixel at a screen point of a PNG the driver wrote, as 0xRRGGBB.
std::uint32_t PixelAt(const std::filesystem::path& png, int x, int y) {
  cairo_surface_t* surface = cairo_image_surface_create_from_png(png.c_str());
  std::uint32_t rgb = 0xFFFFFFFF;
  if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    rgb = reinterpret_cast<const std::uint32_t*>(data + y * stride)[x] & 0xFFFFFF;
  }
  cairo_surface_destroy(surface);
  return rgb;
}

TEST(MainWindow, OpensBorderlessAndCentredWithTheFirstCategoryShown) {
  e2etest::ShotResult run = RunShot("");
  ASSERT_EQ(run.status, 0) << run.errors;
  const Json& state = run.state;
  EXPECT_EQ(state.Get("title").AsString(), "Orvanta");
  EXPECT_TRUE(state.Get("exit").IsNull());
  const Json& window = Window(state, "Velmora");
  ASSERT_FALSE(window.IsNull());
  // No caption bar or frame: the window is exactly its stored client area.
  EXPECT_EQ(Bounds(window), (std::vector<std::int64_t>{kLeft, kTop, 865, 682}));
  EXPECT_TRUE(window.Get("visible").AsBool());
  EXPECT_EQ(window.Get("state").AsString(), "normal");
  EXPECT_EQ(state.Get("messages").Size(), 0u);
  // The first control in tab order has the focus, entered from the keyboard: all selected.
  EXPECT_EQ(state.Get("focus").AsString(), "Edit1");
  EXPECT_EQ(Component(state, "Edit1").Get("selStart").AsInt(), 0);
  EXPECT_EQ(Component(state, "Edit1").Get("selLength").AsInt(), 9);
  EXPECT_EQ(Component(state, "Image2").Get("left").AsInt(), 658);
  EXPECT_EQ(Component(state, "Image2").Get("top").AsInt(), 107);
  EXPECT_FALSE(Component(state, "Label8").Get("visible").AsBool());
  EXPECT_EQ(Component(state, "Label9").Get("caption").AsString(), "");
  EXPECT_FALSE(Component(state, "Panel1").Get("visible").AsBool());
  EXPECT_FALSE(Component(state, "SpeedButton9").Get("showing").AsBool()) << "inside Panel1";
  for (const char* name :
       {"ADOTable1", "Qkolliyat", "ADOTable4", "Qmostahab", "ADOTable7", "qpnamaz"}) {
    const Json& dataSet = Component(state, name);
    EXPECT_TRUE(dataSet.Get("active").AsBool()) << name;
    EXPECT_GT(dataSet.Get("recordCount").AsInt(), 0) << name;
  }
  EXPECT_EQ(Component(state, "Qkolliyat").Get("sql").AsString(), "SELECT *\r\nFROM kolliyat;\r\n");
  EXPECT_EQ(Component(state, "Dqkolliyat").Get("dataSet").AsString(), "Qkolliyat");
}

TEST(MainWindow, IsPlacedAtZeroOnAScreenSmallerThanItself) {
  ShotOptions options;
  options.screen = "800x600";
  e2etest::ShotResult run = RunShot("", options);
  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(Bounds(Window(run.state, "Velmora")), (std::vector<std::int64_t>{0, 0, 865, 682}));
}

TEST(MainWindow, ALabelTurnsGreenUnderThePointerAndMaroonAfterItLeaves) {
  // Label4 (resurrection) at 703, 213, 67 x 18, while the first category is selected.
  e2etest::ShotResult run = RunShot("move 736 222\nstate over.json\nmove 400 400\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  Json over = Json::Parse([&] {
    std::ifstream in(run.folder / "over.json");
    return std::string(std::istreambuf_iterator<char>(in), {});
  }());
  EXPECT_EQ(Component(over, "Label4").Get("font").Get("color").AsInt(), kGreen);
  EXPECT_EQ(Component(over, "Label4").Get("font").Get("height").AsInt(), -15);
  EXPECT_EQ(Component(over, "Image2").Get("top").AsInt(), 107) << "the highlight stays";
  EXPECT_EQ(Component(run.state, "Label4").Get("font").Get("color").AsInt(), kMaroon);
  EXPECT_EQ(Component(run.state, "Label1").Get("font").Get("color").AsInt(), kMaroon);
}

TEST(MainWindow, AnyButtonOnTheCloseMarkEndsTheProgramWithStatusZero) {
  for (const char* button : {"left", "right", "middle"}) {
    e2etest::ShotResult run = RunShot(std::string("click ") + button + " 834 23\nmove 1 1\n");
    EXPECT_EQ(run.status, 0) << button << ": " << run.errors;
    EXPECT_EQ(run.state.Get("exit").AsInt(), 0) << button;
    EXPECT_FALSE(run.state.Get("exit").IsNull()) << button << ": the program ended first";
  }
}

TEST(MainWindow, TheMinimiseMarkMinimisesTheWindow) {
  e2etest::ShotResult run = RunShot("click middle 808 24\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(Window(run.state, "Velmora").Get("state").AsString(), "minimized");
}

TEST(MainWindow, TheLogoAndTheAddressOpenTheMakersAddress) {
  e2etest::ShotResult run = RunShot("click left 312 668\nclick right 88 64\nmove 500 300\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  const Json& shell = run.state.Get("shell");
  ASSERT_EQ(shell.Size(), 2u);
  EXPECT_EQ(shell.At(0).AsString(), "www.nashr-orvanta.ir");
  EXPECT_EQ(shell.At(1).AsString(), "www.nashr-orvanta.ir");
  EXPECT_EQ(Window(run.state, "Velmora").Get("state").AsString(), "normal");
}

TEST(MainWindow, AFlatSpeedButtonShowsItsFrameOnlyWhenHotOrPressed) {
  // SpeedButton1 at 346, 611 in the window; its top edge row on the screen.
  const int x = kLeft + 346 + 20;
  const int y = kTop + 611;
  ShotOptions options;
  options.png = true;
  e2etest::ShotResult run = RunShot(
      "png idle.png\n"
      "move 394 625\n"
      "png hot.png\n"
      "down left 394 625\n"
      "png pressed.png\n"
      "move 394 300\n"
      "up left 394 300\n"
      "png released.png\n",
      options);
  ASSERT_EQ(run.status, 0) << run.errors;
  std::uint32_t surface = PixelAt(run.folder / "idle.png", x, y);
  EXPECT_EQ(PixelAt(run.folder / "hot.png", x, y), 0xFFFFFFu) << "raised: highlight on top";
  EXPECT_EQ(PixelAt(run.folder / "pressed.png", x, y), 0x808080u) << "sunken: shadow on top";
  // Released outside: up again, not sunken (the frame is not repainted until the next paint of
  // the button, as a release outside asks for none).
  EXPECT_NE(PixelAt(run.folder / "released.png", x, y), 0x808080u);
  EXPECT_NE(surface, 0xFFFFFFu);
  EXPECT_NE(surface, 0x808080u);
}

TEST(MainWindow, WithoutTheDatabaseEachComponentReportsItsFailureAndTheWindowStillAppears) {
  ShotOptions options;
  options.database = false;
  std::string script;
  for (int i = 0; i < 15; ++i) script += "key Return\n";
  e2etest::ShotResult run = RunShot(script, options);
  ASSERT_EQ(run.status, 0) << run.errors;
  const Json& messages = run.state.Get("messages");
  ASSERT_EQ(messages.Size(), 15u) << "the connection and each of the fourteen datasets";
  for (std::size_t i = 0; i < messages.Size(); ++i) {
    EXPECT_EQ(messages.At(i).Get("caption").AsString(), "Orvanta") << i;
    EXPECT_FALSE(messages.At(i).Get("open").AsBool()) << i;
    EXPECT_NE(messages.At(i).Get("text").AsString().find("tarsilo.mdb"), std::string::npos) << i;
  }
  EXPECT_TRUE(Window(run.state, "Velmora").Get("visible").AsBool());
  EXPECT_FALSE(Component(run.state, "Qkolliyat").Get("active").AsBool());
}

}  // namespace
