// The edit control's document: paragraphs kept apart at CR LF through every replacement, only
// the touched paragraphs shaped again, and long texts shaped only as far as they are asked.
#include "platform/edit_document.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/codepage.h"
#include "platform/fonts.h"
#include "platform/headless/headless_backend.h"

namespace platform {
namespace {

class EditDocumentTest : public ::testing::Test {
 protected:
  EditDocumentTest() {
    LOGFONTA lf{};
    lf.lfHeight = -13;
    std::strcpy(lf.lfFaceName, "Tahoma");
    font_ = CreateFontIndirectA(&lf);
    EditDocument::Format f;
    f.font = font_;
    f.wrapWidth = 300;
    f.viewWidth = 300;
    f.rightToLeft = true;
    doc_.SetFormat(f);
  }
  ~EditDocumentTest() override { DeleteObject(font_); }

  std::string Paragraphs(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
      if (i > 0) text += "\r\n";
      text += Utf8ToAnsi("بند شماره ") + std::to_string(i);
    }
    return text;
  }

  HFONT font_;
  EditDocument doc_;
};

TEST_F(EditDocumentTest, ReplacementsKeepParagraphsAtTheLineBreaks) {
  struct Case {
    const char* text;
    int from, to;
    const char* insert;
    const char* result;
    int paragraphs;
  } cases[] = {
      {"abc", 1, 1, "X", "aXbc", 1},
      {"ab\r\ncd", 2, 2, "\r\n", "ab\r\n\r\ncd", 3},
      {"ab\r\ncd\r\nef", 1, 9, "X", "aXf", 1},    // across two breaks
      {"a\r\n\nb", 3, 3, "\r", "a\r\n\r\nb", 3},  // a CR meets a lone LF: a new break
      {"a\r\nb", 1, 3, "", "ab", 1},              // a break removed whole
      {"a\r\nb", 2, 2, "Z", "aZ\r\nb", 2},        // never between CR and LF
      {"a\rb\nc", 1, 1, "x", "ax\rb\nc", 1},      // lone CR and LF are not breaks
      {"a\rb\nc", 2, 3, "", "a\r\nc", 2},         // until they meet
      {"", 0, 0, "x\r\ny\r\n", "x\r\ny\r\n", 3},
  };
  for (const Case& c : cases) {
    doc_.SetText(c.text);
    doc_.Replace(c.from, c.to, c.insert);
    EXPECT_EQ(doc_.Text(), c.result) << c.text << " " << c.from;
    EXPECT_EQ(doc_.ParagraphCount(), c.paragraphs) << c.text << " " << c.from;
    for (int p = 1; p < doc_.ParagraphCount(); ++p) {
      EXPECT_EQ(doc_.ParagraphStart(p), doc_.ParagraphEnd(p - 1) + 2) << c.text;
    }
    EXPECT_EQ(doc_.ParagraphEnd(doc_.ParagraphCount() - 1), doc_.Length()) << c.text;
  }
}

TEST_F(EditDocumentTest, AKeystrokeShapesOnlyItsParagraphAgain) {
  doc_.SetText(Paragraphs(30));
  int lines = doc_.LineCount();
  for (int p = 0; p < 30; ++p) ASSERT_TRUE(doc_.Shaped(p));
  int at = doc_.ParagraphStart(10) + 3;
  doc_.Replace(at, at, "x");
  for (int p = 0; p < 30; ++p) EXPECT_EQ(doc_.Shaped(p), p != 10) << p;
  EXPECT_EQ(doc_.LineCount(), lines);
  EXPECT_EQ(doc_.LineOf(doc_.ParagraphStart(20)), doc_.LineOf(doc_.ParagraphStart(19)) + 1);
}

TEST_F(EditDocumentTest, ALongTextIsShapedOnlyAsFarAsItIsAsked) {
  doc_.SetText(Paragraphs(5000));
  EXPECT_EQ(doc_.LineStart(3), doc_.ParagraphStart(3));
  EXPECT_TRUE(doc_.Shaped(3));
  EXPECT_FALSE(doc_.Shaped(100));
  EXPECT_EQ(doc_.EstimatedLineCount(), 5000) << "short paragraphs are estimated at a line each";
  // Asking about a far line shapes everything above it and gives exact answers.
  EXPECT_EQ(doc_.LineStart(4000), doc_.ParagraphStart(4000));
  EXPECT_EQ(doc_.LineOf(doc_.Length()), 4999);
  EXPECT_EQ(doc_.LineCount(), 5000);
}

TEST_F(EditDocumentTest, WordsHoldZwnjAndStopAtSpacesPunctuationAndBreaks) {
  doc_.SetText(Utf8ToAnsi("می‌خواهم، بخوانم\r\nدوم"));
  struct Case {
    int pos;
    int start, end, next, previous;
  } cases[] = {
      {0, 0, 8, 8, 0},       // inside "می‌خواهم": on to the comma
      {8, 8, 9, 10, 0},      // the Arabic comma is a word of its own
      {12, 10, 16, 16, 10},  // the line's end is a stop before the next line
      {18, 18, 21, 21, 16},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(doc_.WordStart(c.pos), c.start) << c.pos;
    EXPECT_EQ(doc_.WordEnd(c.pos), c.end) << c.pos;
    EXPECT_EQ(doc_.NextWord(c.pos), c.next) << c.pos;
    EXPECT_EQ(doc_.PreviousWord(c.pos), c.previous) << c.pos;
  }
}

}  // namespace
}  // namespace platform
