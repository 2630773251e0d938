// The Persian display mapping: 0xED shaped as Farsi yeh under the Persian locale only, with
// stored bytes and positions untouched.
#include "platform/display_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "paint_fixture.h"
#include "platform/codepage.h"
#include "platform/drawtext.h"
#include "platform/fonts.h"
#include "platform/locale.h"
#include "platform/pens_brushes.h"
#include "platform/text_layout.h"

namespace platform {
namespace {

constexpr LCID kEnglish = 0x0409;
constexpr LCID kArabic = 0x0401;

struct LocaleScope {
  explicit LocaleScope(LCID locale) : old(GetThreadLocale()) { SetThreadLocale(locale); }
  ~LocaleScope() { SetThreadLocale(old); }
  LCID old;
};

TEST(DisplayText, YehIsShownAsFarsiYehUnderThePersianLocaleOnly) {
  struct Case {
    LCID locale;
    const char* stored;  // UTF-8 of the text before it became code page 1256
    const char* shown;
  } cases[] = {
      {kPersianLocale, "علی", "علی"},
      {kPersianLocale, "علي", "علی"},  // Arabic yeh is stored as the same byte
      {kPersianLocale, "یک یی", "یک یی"},
      {kPersianLocale, "کتاب كتاب", "کتاب كتاب"},  // both kafs exist in the code page
      {kPersianLocale, "ئ ى", "ئ ى"},              // hamza seat and alef maksura stay
      {kPersianLocale, "abc 123", "abc 123"},
      {kPersianLocale, "", ""},
      {kEnglish, "علی", "علي"},
      {kArabic, "علی", "علي"},
  };
  for (const Case& c : cases) {
    LocaleScope scope(c.locale);
    std::string ansi = Utf8ToAnsi(c.stored);
    std::string shown = AnsiToDisplayUtf8(ansi);
    EXPECT_EQ(shown, c.shown) << c.stored << " under " << c.locale;
    EXPECT_EQ(shown.size(), AnsiToUtf8(ansi).size()) << "offsets agree for " << c.stored;
  }
}

HFONT Tahoma(LONG height) {
  LOGFONTA lf{};
  lf.lfHeight = height;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = ARABIC_CHARSET;
  std::strcpy(lf.lfFaceName, "Tahoma");
  return CreateFontIndirectA(&lf);
}

// Ink of one isolated yeh, drawn at 40 pixels: the dots of Arabic yeh lie below the body.
int InkBelow(LCID locale, int* inkRows) {
  LocaleScope scope(locale);
  platformtest::Canvas canvas(80, 80);
  HFONT font = Tahoma(-40);
  HGDIOBJ old = SelectObject(canvas.dc, font);
  SetBkMode(canvas.dc, TRANSPARENT);
  RECT r{0, 0, 80, 80};
  const char yeh[] = "\xED";
  DrawTextA(canvas.dc, yeh, 1, &r, DT_SINGLELINE | DT_NOPREFIX | DT_RTLREADING);
  SelectObject(canvas.dc, old);
  DeleteObject(font);
  RECT ink = canvas.Ink();
  *inkRows = ink.bottom - ink.top;
  return ink.bottom;
}

TEST(DisplayText, TheDrawnYehHasNoDotsUnderThePersianLocale) {
  int persianRows = 0, arabicRows = 0;
  int persianBottom = InkBelow(kPersianLocale, &persianRows);
  int arabicBottom = InkBelow(kEnglish, &arabicRows);
  EXPECT_GT(arabicBottom, persianBottom) << "the dots below reach lower";
  EXPECT_GT(arabicRows, persianRows);
}

TEST(DisplayText, CaretPositionsStillCountTheStoredBytes) {
  LocaleScope scope(kPersianLocale);
  platformtest::Canvas canvas(300, 40);
  HFONT font = Tahoma(-15);
  HGDIOBJ old = SelectObject(canvas.dc, font);
  std::string text = Utf8ToAnsi("علی یکی بود");
  TextLayout layout(canvas.dc, text, -1, true, DT_LEFT);
  for (int i = 0; i <= int(text.size()); ++i) {
    EXPECT_EQ(layout.IndexAt(layout.CaretPoint(i)), i) << "index " << i;
  }
  EXPECT_EQ(layout.LineStart(0), 0);
  SelectObject(canvas.dc, old);
  DeleteObject(font);
}

}  // namespace
}  // namespace platform
