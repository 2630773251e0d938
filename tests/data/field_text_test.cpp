// The text helpers fields rely on: edit masks, date pictures and locale case.
#include <gtest/gtest.h>

#include "core/ansi_case.h"
#include "data/datetime_field.h"
#include "data/edit_mask.h"

namespace {

TEST(EditMaskTest, ValuesLaidOutByTheirMask) {
  struct Case {
    const char* mask;
    const char* value;
    const char* expected;
  } cases[] = {
      {"000-0000;0;_", "5551234", "555-1234"},   // literals inserted
      {"000-0000;1;_", "555-1234", "555-1234"},  // literals already in the value
      {"000-0000", "555-1234", "555-1234"},      // saving literals is the default
      {"000-0000;0;_", "55", "55_-____"},        // unfilled positions show the blank
      {"000-0000;0", "55", "55 -    "},          // a space without a blank character
      {">ccccc;0;_", "plain title", "PLAIN"},   {">L<lllll;0;_", "tEHRAN", "Tehran"},
      {"\\(000\\);0;_", "123", "(123)"},        {"!990;0;_", "12", "12_"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatMaskText(c.mask, c.value), c.expected) << c.mask << " " << c.value;
  }
}

TEST(FormatDateTimeTest, DayNumbersAsCalendarDatesAndTimes) {
  struct Case {
    const char* picture;
    double day;
    const char* expected;
  } cases[] = {
      {"yyyy-mm-dd", 0, "1899-12-30"},
      {"yyyy-mm-dd", 2, "1900-01-01"},
      {"yyyy-mm-dd", 46000, "2025-12-09"},
      {"yyyy-mm-dd hh:nn:ss", 46000.75, "2025-12-09 18:00:00"},
      {"yyyy-mm-dd hh:nn:ss", -1.25, "1899-12-29 06:00:00"},  // before the epoch
      {"d/m/yy", 36526, "1/1/00"},
      {"hh:nn:ss", 0.999999999, "00:00:00"},  // rounds up into the next day
      {"'day' d", 3, "day 2"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatDateTime(c.picture, c.day), c.expected) << c.picture << " " << c.day;
  }
}

TEST(AnsiCaseTest, LettersCompareByWhatTheyAre) {
  EXPECT_TRUE(AnsiSameText("KHOLASE", "kholase"));
  EXPECT_TRUE(AnsiSameText("\x8Cuvre", "\x9CUVRE"));  // Œ and œ in code page 1256
  EXPECT_FALSE(AnsiSameText("kholase", "kholase_1"));
  EXPECT_TRUE(AnsiSameText("\xC7\xC8", "\xC7\xC8"));  // Arabic-script letters have no case
  EXPECT_FALSE(AnsiSameText("\xC7", "\xC8"));
  EXPECT_LT(AnsiCompareText("a", "B"), 0);
  EXPECT_GT(AnsiCompareText("b", "A"), 0);
  EXPECT_EQ(AnsiUpperCase("memo \x9C"), "MEMO \x8C");
  EXPECT_EQ(AnsiUpperCase("\xE0"), "\xE0") << "à has no capital in the code page";
}

}  // namespace
