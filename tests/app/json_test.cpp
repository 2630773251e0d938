// The state file's JSON: keys in insertion order, texts escaped so any parser reads them back.
#include "app/shot/json.h"

#include <gtest/gtest.h>

namespace {

using shot::Json;
using shot::JsonQuote;

TEST(ShotJson, QuotesEscapeWhatJsonRequires) {
  const struct {
    std::string text;
    const char* quoted;
  } cases[] = {
      {"plain", "\"plain\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"line\r\nnext\ttab", "\"line\\r\\nnext\\ttab\""},
      {std::string("\x01\x1f\x7f", 3), "\"\\u0001\\u001f\\u007f\""},
      {"کليات", "\"کليات\""},
      {"\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},  // an encoded surrogate
      {"\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},                  // an overlong slash
      {"\xD9", "\"\xEF\xBF\xBD\""},                                  // cut short
  };
  for (const auto& c : cases) EXPECT_EQ(JsonQuote(c.text), c.quoted) << c.text;
}

TEST(ShotJson, ObjectsKeepInsertionOrderAndReplaceExistingKeys) {
  Json state = Json::MakeObject();
  state.Set("title", "Orvanta");
  state.Set("exit", nullptr);
  Json& windows = state.Set("windows", Json::MakeArray());
  Json entry = Json::MakeObject();
  entry.Set("caption", "Velmora");
  entry.Set("bounds", Json::MakeArray({0, 171, 865, 682}));
  entry.Set("visible", true);
  windows.Push(entry);
  state.Set("exit", 1);
  EXPECT_EQ(state.Dump(),
            "{\n"
            "  \"title\": \"Orvanta\",\n"
            "  \"exit\": 1,\n"
            "  \"windows\": [\n"
            "    {\n"
            "      \"caption\": \"Velmora\",\n"
            "      \"bounds\": [0, 171, 865, 682],\n"
            "      \"visible\": true\n"
            "    }\n"
            "  ]\n"
            "}\n");
  EXPECT_EQ(state.Find("missing"), nullptr);
  EXPECT_EQ(Json::MakeObject().Dump(), "{}\n");
}

}  // namespace

namespace {

TEST(ShotJson, ParseReadsBackWhatDumpWrites) {
  Json state = Json::MakeObject();
  state.Set("title", "Orvanta \"q\" \\ کليات\r\n");
  state.Set("exit", nullptr);
  state.Set("bounds", Json::MakeArray({0, -171, 865, 682}));
  Json nested = Json::MakeObject();
  nested.Set("visible", true);
  nested.Set("enabled", false);
  state.Set("windows", Json::MakeArray({nested, Json::MakeObject()}));
  Json back = Json::Parse(state.Dump());
  EXPECT_EQ(back.Dump(), state.Dump());
  EXPECT_EQ(back.Get("title").AsString(), "Orvanta \"q\" \\ کليات\r\n");
  EXPECT_TRUE(back.Get("exit").IsNull());
  EXPECT_EQ(back.Get("bounds").At(1).AsInt(), -171);
  EXPECT_TRUE(back.Get("windows").At(0).Get("visible").AsBool());
  EXPECT_TRUE(back.Get("windows").At(5).IsNull()) << "an index past the end reads as null";
  EXPECT_TRUE(back.Get("nothing").Get("deeper").IsNull());
}

TEST(ShotJson, ParseDecodesEscapesAndRefusesMalformedText) {
  EXPECT_EQ(Json::Parse(R"("\u06cc\ud83d\ude00\/\t")").AsString(), "ی😀/\t");
  const char* bad[] = {
      "",        "{",   "[1,]", "{\"a\" 1}", "\"open",   "\"\\ud800\"",
      "\"\\x\"", "1.5", "tru",  "{} x",      "\"a\nb\"",
  };
  for (const char* text : bad) EXPECT_THROW(Json::Parse(text), std::runtime_error) << text;
}

}  // namespace
