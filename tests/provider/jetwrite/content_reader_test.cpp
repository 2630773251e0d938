// Reading content files: fields, their joining and trimming, Null sections, and errors that
// name their line.
#include "tools/jetdb/content_reader.h"

#include <gtest/gtest.h>

namespace {

using jetdb::ContentRecord;
using jetdb::ParseContent;

TEST(ContentReaderTest, ReadsRecordsInOrderWithTheirFields) {
  const std::string text =
      "\xEF\xBB\xBF# a comment\n"
      "# another\n"
      "\n"
      "@kholase\n"
      "عنوان یک\n"
      "@porsesh\n"
      "\n"
      "پرسش\r\n"
      "ادامه\n"
      "\n"
      "@pasokh\n"
      "بند اول\n"
      "# not a comment here\n"
      "\n"
      "بند دوم\n"
      "@pavaraghi\n"
      "\n"
      "@end\n"
      "\n"
      "@kholase\n"
      "Title two\n"
      "@end";
  auto records = ParseContent(text, "sample.txt");
  ASSERT_TRUE(records.ok()) << records.status().ToString();
  ASSERT_EQ(records.value().size(), 2u);
  const ContentRecord& first = records.value()[0];
  EXPECT_EQ(first.kholase, u"عنوان یک");
  EXPECT_EQ(first.porsesh, u"پرسش\r\nادامه");
  EXPECT_EQ(first.pasokh, u"بند اول\r\n# not a comment here\r\n\r\nبند دوم");
  EXPECT_EQ(first.pavaraghi, std::nullopt);
  const ContentRecord& second = records.value()[1];
  EXPECT_EQ(second.kholase, u"Title two");
  EXPECT_EQ(second.porsesh, std::nullopt);
  EXPECT_EQ(second.pasokh, std::nullopt);
}

TEST(ContentReaderTest, ReportsBadInputWithItsLine) {
  const struct {
    std::string text;
    std::string message;
  } cases[] = {
      {"@kholase\nx\n@title\n@end\n", "f.txt:3: unknown marker '@title'"},
      {"# c\nstray text\n", "f.txt:2: text outside a record"},
      {"@kholase\nx\n@end\n# late comment\n", "f.txt:4: text outside a record"},
      {"@kholase\nx\n@kholase\ny\n@end\n", "f.txt:3: the field @kholase is given twice"},
      {"@kholase\nx\n@pasokh\ny\n", "f.txt:4: the last record is not closed by @end"},
      {"@end\n", "f.txt:1: @end outside a record"},
      {"@kholase\nline one\nline two\n@end\n", "f.txt:4: the summary (@kholase) must be one line"},
      {"@kholase\n" + std::string(256, 'a') + "\n@end\n",
       "f.txt:3: the summary (@kholase) is longer than 255 characters"},
      {"@kholase\nbad \xFF byte\n@end\n", "f.txt:2: the text is not valid UTF-8"},
  };
  for (const auto& c : cases) {
    auto records = ParseContent(c.text, "f.txt");
    ASSERT_FALSE(records.ok()) << c.message;
    EXPECT_EQ(records.status().message(), c.message);
  }
}

TEST(ContentReaderTest, AcceptsASummaryOfExactly255Characters) {
  std::string title;
  for (int i = 0; i < 255; ++i) title += "ی";
  auto records = ParseContent("@kholase\n" + title + "\n@end\n", "f.txt");
  ASSERT_TRUE(records.ok()) << records.status().ToString();
  EXPECT_EQ(records.value()[0].kholase->size(), 255u);
}

}  // namespace
