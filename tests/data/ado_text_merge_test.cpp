// Edited text back to stored text: what the user did not touch keeps its stored characters,
// what they typed takes the record's yeh.
#include "data/ado_text_merge.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "platform/locale.h"

namespace {

std::string Utf8(const std::u16string& wide) {
  return platform::WideToUtf8(wide);
}

// The stored text and the user's edit of its code-page form, all written as UTF-8 (the edit is
// what the memo holds: the code page form, with ی shown for the code page's one yeh).
struct Case {
  const char* name;
  const char* before;  // as stored
  const char* edited;  // the memo's text, converted to the code page for the call
  const char* after;   // what is stored
};

const Case kCases[] = {
    // Nothing changed: the stored text comes back as it is, Farsi yeh, Persian digits and all.
    {"unchanged", "کتاب ی ۱۲", "کتاب ي 12", "کتاب ی ۱۲"},
    {"empty to empty", "", "", ""},
    // A word added at the end: the Farsi yeh before it stays, the typed yeh follows the record.
    {"append", "یکی", "یکی و دیگری", "یکی و دیگری"},
    {"prepend", "یکی", "ما یکی", "ما یکی"},
    // Persian digits the user did not touch stay Persian; typed digits are the code page's.
    {"digits kept", "سال ۱۴۰۲ و ماه", "سال 1402 و ماه 5", "سال ۱۴۰۲ و ماه 5"},
    // Two edits far apart: the text between them is untouched and keeps its stored characters.
    {"two edits", "آ ی ۱ ی ب", "x آ ي 1 ي ب y", "x آ ی ۱ ی ب y"},
    // A record written with Arabic yeh only keeps it, also in what is typed.
    {"arabic yeh record", "علي", "علي بن علي", "علي بن علي"},
    // Both yehs in one record: each stored one stays; typed ones take the Farsi yeh.
    {"mixed yehs", "علي ی", "علي ی ي", "علي ی ی"},
    // Deleting text keeps the rest exactly.
    {"delete middle", "یک دو سه", "یک سه", "یک سه"},
    {"delete all", "یک", "", ""},
    // A replaced character: only that one changes.
    {"replace one", "۱۲۳", "193", "۱9۳"},
    // A mark the code page cannot hold (hamza above) goes with its letter and stays with it.
    {"mark kept", "خانهٔ ما", "خانه ما را", "خانهٔ ما را"},
    // Text outside the code page entirely (a Latin letter with an accent it lacks is best-fit
    // or '?'): kept when untouched.
    {"outside code page", "ŵ ی", "? ي!", "ŵ ی!"},
    // Line breaks: a memo shows CR LF; text stored with bare LF keeps LF, also in what is typed.
    {"bare line feeds kept", "یک\nدو", "یک\r\nدو\r\nسه", "یک\nدو\nسه"},
    {"crlf kept", "یک\r\nدو", "یک\r\nدو\r\nسه", "یک\r\nدو\r\nسه"},
};

class TextMergeTest : public testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    saved_ = platform::GetThreadLocale();
    platform::SetThreadLocale(platform::kPersianLocale);
  }
  void TearDown() override { platform::SetThreadLocale(saved_); }

 private:
  platform::LCID saved_ = 0;
};

TEST_P(TextMergeTest, KeepsUntouchedStoredCharacters) {
  const Case& c = GetParam();
  const std::u16string before = platform::Utf8ToWide(c.before);
  const std::string edited = platform::Utf8ToAnsi(c.edited);
  EXPECT_EQ(Utf8(MergeEditedText(before, edited)), c.after);
}

INSTANTIATE_TEST_SUITE_P(Edits, TextMergeTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) {
                           std::string name = info.param.name;
                           for (char& ch : name) {
                             if (ch == ' ') ch = '_';
                           }
                           return name;
                         });

TEST(TextMergeYehTest, NewTextTakesTheYehTheScreenShowed) {
  // A record without any yeh: under the Persian display the typed yeh was shown as Farsi yeh
  // and is stored so; under another locale it was shown, and is stored, as Arabic yeh.
  const platform::LCID saved = platform::GetThreadLocale();
  const std::string typed = platform::Utf8ToAnsi("دين");
  platform::SetThreadLocale(platform::kPersianLocale);
  EXPECT_EQ(Utf8(MergeEditedText(u"", typed)), "دین");
  platform::SetThreadLocale(0x0409);
  EXPECT_EQ(Utf8(MergeEditedText(u"", typed)), "دين");
  platform::SetThreadLocale(saved);
}

TEST(TextMergeLengthTest, LongTextsWithSmallAndLargeEdits) {
  // A 10 KB answer of Farsi-yeh text: a small edit in the middle keeps every other yeh; an edit
  // too large for the search still keeps the common beginning and end.
  std::u16string before;
  for (int i = 0; i < 2000; ++i) before += u"\u06CC\u06A9 \u06F1 ";
  std::string edited = platform::WideToAnsi(before);
  edited.insert(5000, "abc");
  std::u16string expected = before;
  expected.insert(5000, u"abc");
  EXPECT_EQ(MergeEditedText(before, edited), expected);

  std::string rewritten = platform::WideToAnsi(before);
  for (std::size_t i = 100; i < rewritten.size() - 100; ++i) rewritten[i] = 'x';
  const std::u16string merged = MergeEditedText(before, rewritten);
  ASSERT_EQ(merged.size(), rewritten.size());
  EXPECT_EQ(merged.substr(0, 100), before.substr(0, 100));
  EXPECT_EQ(merged.substr(merged.size() - 100), before.substr(before.size() - 100));
}

}  // namespace
