// Picture formatting of numbers, one line per case.
#include "core/format_float.h"

#include <gtest/gtest.h>

namespace {

struct PictureCase {
  const char* picture;
  double value;
  const char* expected;
};

TEST(FormatFloatTest, PicturesAsFieldFormatsUseThem) {
  const PictureCase cases[] = {
      {"0", 1234, "1234"},
      {"#,##0", 1234567, "1,234,567"},
      {"#,##0", 999, "999"},
      {"#,##0", 0, "0"},
      {"#,##0", -1234, "-1,234"},
      {"000", 7, "007"},
      {"#", 0, ""},
      {"0.00", 2.5, "2.50"},
      {"0.00", 1.005, "1.01"},  // rounded as written, not as stored
      {"0.##", 1.5, "1.5"},
      {"0.##", 1, "1"},
      {"0", 2.5, "3"},  // half away from zero
      {"0", -2.5, "-3"},
      {"#,##0.00", 1234.5, "1,234.50"},
      {"0.0", 99.96, "100.0"},  // the carry reaches a new digit
      {"0", 0.4, "0"},
      {"0.00", -0.001, "0.00"},  // no sign on a value that rounds to zero
      {"0 'items'", 3, "3 items"},
      {"\"#\"0", 5, "#5"},
      {"0;(0)", -12, "(12)"},
      {"0;(0)", 12, "12"},
      {"0;(0);'none'", 0, "none"},
      {"0;;'none'", -4, "-4"},               // an empty negative section falls back to the first
      {"(000) 000", 1234567, "(1234) 567"},  // digits beyond the placeholders are kept
      {"", 0.1, "0.1"},
      {"", 1e20, "1e+20"},
  };
  for (const PictureCase& c : cases) {
    EXPECT_EQ(FormatFloat(c.picture, c.value), c.expected) << c.picture << " " << c.value;
  }
}

TEST(FormatFloatTest, GeneralFormKeepsFifteenDigits) {
  EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
  EXPECT_EQ(FloatToStr(123456789012345678.0), "1.23456789012346e+17");
  EXPECT_EQ(FloatToStr(-0.0), "0");
  EXPECT_EQ(FloatToStr(2.0 / 3, 4), "0.6667");
}

}  // namespace
