// The text of an edit control: paragraphs split at CR LF, each shaped when first needed and
// kept until it changes, and the geometry of lines, carets and hits over the whole text.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/gdi_handles.h"
#include "platform/text_layout.h"

namespace platform {

// Positions are byte offsets in the text, never between the CR and the LF of a break. Lines
// are visual lines counted from the top of the text; line n's box runs from
// y = n × LineHeight(). x is measured from the left edge of the text's width (the wrap width,
// or the view width that unwrapped paragraphs are aligned in).
//
// Only paragraphs that are asked about are shaped. The line numbers of a paragraph are exact
// once every paragraph above it is shaped; paragraphs below the last one asked about count by
// an estimate, so a long text opens at the cost of its first screen.
class EditDocument {
 public:
  struct Format {
    HFONT font = nullptr;  // null: the system font; the caller keeps it alive while set
    int wrapWidth = -1;    // -1: paragraphs are never wrapped
    int viewWidth = 0;     // what unwrapped paragraphs are aligned in
    bool rightToLeft = false;
    UINT alignment = 0;       // DT_LEFT, DT_CENTER or DT_RIGHT
    bool singleLine = false;  // line breaks show as spaces
    char passwordChar = 0;    // every character shows as this, when set
  };

  EditDocument();
  ~EditDocument();
  EditDocument(const EditDocument&) = delete;
  EditDocument& operator=(const EditDocument&) = delete;

  // A change of anything but the view width of wrapped text drops every shaped paragraph.
  void SetFormat(const Format& format);
  const Format& GetFormat() const { return format_; }

  const std::string& Text() const { return text_; }
  int Length() const { return int(text_.size()); }
  void SetText(std::string_view text);
  // Replaces [from, to) (clamped positions) with `text`; only the paragraphs touched are
  // shaped again.
  void Replace(int from, int to, std::string_view text);

  // The nearest position at or before `pos` inside the text.
  int Clamp(int pos) const;
  // One character on, or back; a line break is one step.
  int Next(int pos) const;
  int Previous(int pos) const;
  // Words: runs of letters and digits (ZWNJ and joiners inside them), of punctuation, or of
  // spaces. The word around a position, and the start of the next or previous word.
  int WordStart(int pos) const;
  int WordEnd(int pos) const;
  int NextWord(int pos) const;
  int PreviousWord(int pos) const;

  int ParagraphCount() const { return int(paragraphs_.size()); }
  // Whether a paragraph's layout is kept (it has been shaped since it last changed).
  bool Shaped(int paragraph) const {
    return paragraphs_.at(std::size_t(paragraph)).layout != nullptr;
  }
  int ParagraphOf(int pos) const;
  int ParagraphStart(int paragraph) const;
  int ParagraphEnd(int paragraph) const;  // before its line break

  int LineHeight();
  int AverageCharWidth();
  // Exact: shapes every paragraph.
  int LineCount();
  // Exact above the last paragraph shaped, estimated below it.
  int EstimatedLineCount();
  // The line of a position; at a soft line break `atLineEnd` picks the line it ends.
  int LineOf(int pos, bool atLineEnd = false);
  // The first position of a line and the position after its last character; -1 past the end.
  int LineStart(int line);
  int LineEnd(int line);
  // The leftmost and rightmost edges of the shaped paragraphs, in text coordinates.
  std::pair<int, int> ShapedSpan();
  // The left and right edges of the paragraph holding a position, in text coordinates.
  std::pair<int, int> ParagraphSpan(int pos);

  // The caret's top for a position, and the position a point hits (*atLineEnd tells that it
  // hit beyond the end of a wrapped line).
  POINT CaretPoint(int pos, bool atLineEnd);
  int PositionAt(POINT point, bool* atLineEnd);
  // One step left (-1) or right (+1) on screen; at a paragraph's visual edge the step goes on
  // to the neighbouring paragraph in reading order.
  int MoveVisually(int pos, int direction);

  // Draws lines [firstLine, lastLine] with line `firstLine`'s top at y and x = 0 at x, in the
  // text colour of `dc`; [selStart, selEnd) in the selection colours.
  void Draw(HDC dc, int x, int y, int firstLine, int lastLine, int selStart, int selEnd,
            COLORREF selText, COLORREF selBack);

 private:
  struct Paragraph {
    int start = 0;
    int length = 0;
    int lines = 1;      // exact once shaped, an estimate before
    int firstLine = 0;  // exact for the paragraphs before exactLines_
    std::unique_ptr<TextLayout> layout;
  };

  std::vector<Paragraph> Split(int base, std::string_view text) const;
  // The character a word is looked for around: the one at pos, or before it at a line's end.
  int WordAnchor(int pos) const;
  int Estimate(const Paragraph& p);
  TextLayout& Shape(int paragraph);
  // Makes the first line of `paragraph` exact and returns it.
  int FirstLine(int paragraph);
  // The paragraph holding a line (the last for lines past the end).
  int ParagraphOfLine(int line);
  // Where a paragraph's layout x = 0 lies in text coordinates.
  int Base(int paragraph);
  void ForgetShapes();
  void Metrics();

  Format format_;
  std::string text_;
  std::vector<Paragraph> paragraphs_;
  int exactLines_ = 1;  // paragraphs [0, exactLines_) have exact first lines
  HDC dc_ = nullptr;
  int lineHeight_ = 0;
  int aveCharWidth_ = 0;
};

}  // namespace platform
