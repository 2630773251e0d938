// Round trips between the description and the stream, over a description that uses every tag.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "tests/tools/tools_test_files.h"
#include "tools/formc/binary.h"
#include "tools/formc/text.h"

namespace {

using toolstest::DataDir;
using toolstest::ReadFile;

std::string CompileEveryTag() {
  return formc::EncodeStream(formc::ParseText(ReadFile(DataDir() / "every_tag.txt"), DataDir()));
}

const formc::Value& Property(const formc::ObjectRecord& record, const std::string& name) {
  for (const formc::PropertyEntry& entry : record.entries)
    if (entry.name == name) return entry.value;
  throw std::out_of_range(name);
}

TEST(FormRoundTrip, EveryTagIsUsed) {
  formc::ObjectRecord root = formc::DecodeStream(CompileEveryTag());
  std::set<int> seen;
  std::function<void(const formc::Value&)> value;
  std::function<void(const formc::ObjectRecord&)> object = [&](const formc::ObjectRecord& r) {
    for (const formc::PropertyEntry& e : r.entries) value(e.value);
    for (const formc::ObjectRecord& child : r.children) object(child);
  };
  value = [&](const formc::Value& v) {
    seen.insert(static_cast<int>(v.tag));
    for (const formc::Value& item : v.items) value(item);
    for (const formc::CollectionItem& item : v.collection)
      for (const formc::PropertyEntry& e : item.entries) value(e.value);
  };
  object(root);
  for (int tag = 0; tag <= 20; ++tag) EXPECT_TRUE(seen.count(tag)) << "tag " << tag;
}

TEST(FormRoundTrip, DescriptionToBytesToDescriptionIsExact) {
  std::filesystem::path dir = toolstest::ScratchDir("roundtrip");
  formc::PrintOptions options;
  options.extractDir = dir / "every_tag";
  options.textDir = dir;
  std::string text = formc::PrintText(formc::DecodeStream(CompileEveryTag()), options);
  EXPECT_EQ(text, ReadFile(DataDir() / "every_tag.txt"));
  for (const char* file : {"SpeedButton1.Glyph.Data.bin", "main.Blob.bin"})
    EXPECT_EQ(ReadFile(dir / "every_tag" / file), ReadFile(DataDir() / "every_tag" / file)) << file;
  std::filesystem::remove_all(dir);
}

TEST(FormRoundTrip, BytesToDescriptionToBytesIsExact) {
  std::string bytes = CompileEveryTag();
  std::string inlineText = formc::PrintText(formc::DecodeStream(bytes));
  EXPECT_EQ(inlineText.find('@'), std::string::npos) << "binary values are inline by default";
  EXPECT_EQ(formc::EncodeStream(formc::ParseText(inlineText, "/nonexistent")), bytes);
}

TEST(FormRoundTrip, PersianTextsKeepTheirTagAndEncoding) {
  formc::ObjectRecord root = formc::DecodeStream(CompileEveryTag());
  const formc::Value& caption = Property(root, "Caption");
  EXPECT_EQ(caption.tag, ValueTag::tagUtf8String);
  EXPECT_EQ(caption.bytes, ".: کليات :.");
  const formc::Value& hint = Property(root, "Hint");
  EXPECT_EQ(hint.tag, ValueTag::tagWideString);
  EXPECT_EQ(hint.wide, u"جستجوي پيشرفته");
  const formc::Value& shortCaption = Property(root, "ShortCaption");
  EXPECT_EQ(shortCaption.tag, ValueTag::tagShortString);
  EXPECT_EQ(shortCaption.bytes, "\x2E\x3A\x20\x98\xE1\xED\xC7\xCA\x20\x3A\x2E");
  EXPECT_EQ(Property(root, "ConnectionString").tag, ValueTag::tagLongString);
}

TEST(FormRoundTrip, BinaryFromAFileIsReadRelativeToTheDescription) {
  std::vector<std::filesystem::path> referenced;
  formc::ObjectRecord root =
      formc::ParseText(ReadFile(DataDir() / "every_tag.txt"), DataDir(), &referenced);
  ASSERT_EQ(referenced.size(), 2u);
  const formc::ObjectRecord& button = root.children.at(2).children.at(0).children.at(0);
  EXPECT_EQ(Property(button, "Glyph.Data").bytes,
            ReadFile(DataDir() / "every_tag" / "SpeedButton1.Glyph.Data.bin"));
}

// Texts whose default form differs from the stored one must print their tag, and texts that
// hold escapes must print them so that the bytes come back.
TEST(FormRoundTrip, UnusualValuesSurviveBothWays) {
  const char* sources[] = {
      "X = int16 5",
      "X = int32 -100",
      "X = int64 -2147483648",
      "X = 1e+4000",
      "X = ext -inf",
      "X = single nan",
      "X = date -0.0",
      "X = ext {0000000000000000ff7f}",
      "X = currency -922337203685477.5808",
      "X = long\"\"",
      "X = \"\\u{0}\\\"\\\\\\u{200C}\"",
      "X = utf8\"\\xFF\\xC3A😀\"",
      "X = wide\"\\u{D800}a😀\"",
      "X = ident\"with space\"",
      "X = ident\"end\"",
      "X = [\"odd one\", b]",
      "\"end\" = Form2.DataSource1",
  };
  for (const char* source : sources) {
    SCOPED_TRACE(source);
    std::string text = std::string("object main: Tmain\n  ") + source + "\nend\n";
    std::string bytes = formc::EncodeStream(formc::ParseText(text, "."));
    EXPECT_EQ(formc::PrintText(formc::DecodeStream(bytes)), text);
  }
}

}  // namespace
