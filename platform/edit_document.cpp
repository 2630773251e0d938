// The edit control's text, its paragraphs and their shaped layouts.
#include "platform/edit_document.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "platform/dc.h"
#include "platform/drawtext.h"
#include "platform/pens_brushes.h"
#include "platform/text.h"

namespace platform {
namespace {

enum class CharClass { kSpace, kPunctuation, kWord };

// Classes of code page 1256 bytes: letters, digits, ZWNJ, joiners and marks belong to words.
CharClass ClassOf(unsigned char c) {
  if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0xA0) return CharClass::kSpace;
  if (c < 0x20) return CharClass::kSpace;
  if (c < 0x80) {
    return std::isalnum(c) || c == '_' ? CharClass::kWord : CharClass::kPunctuation;
  }
  switch (c) {
    case 0x85:  // ellipsis
    case 0x8B:  // single angle quotes
    case 0x9B:
    case 0x91:  // quotes, bullet and dashes
    case 0x92:
    case 0x93:
    case 0x94:
    case 0x95:
    case 0x96:
    case 0x97:
    case 0xA1:  // Arabic comma
    case 0xAB:  // guillemets
    case 0xBB:
    case 0xBA:  // Arabic semicolon
    case 0xBF:  // Arabic question mark
    case 0xA6:
    case 0xA7:
    case 0xA9:
    case 0xAE:
    case 0xB0:
    case 0xB1:
    case 0xB7:
    case 0xD7:
    case 0xF7:
      return CharClass::kPunctuation;
    default:
      return CharClass::kWord;
  }
}

bool IsBreak(const std::string& text, int pos) {
  return pos >= 0 && pos + 1 < int(text.size()) && text[std::size_t(pos)] == '\r' &&
         text[std::size_t(pos) + 1] == '\n';
}

}  // namespace

EditDocument::EditDocument() : dc_(CreateCompatibleDC(nullptr)) {
  Metrics();
  paragraphs_ = Split(0, {});
}

EditDocument::~EditDocument() {
  paragraphs_.clear();
  DeleteDC(dc_);
}

void EditDocument::Metrics() {
  HGDIOBJ old = SelectObject(dc_, format_.font ? format_.font : GetStockObject(SYSTEM_FONT));
  TEXTMETRICA tm{};
  GetTextMetricsA(dc_, &tm);
  SelectObject(dc_, old);
  lineHeight_ = std::max<int>(1, tm.tmHeight);
  aveCharWidth_ = std::max<int>(1, tm.tmAveCharWidth);
}

void EditDocument::SetFormat(const Format& format) {
  bool reshape = format.font != format_.font || format.wrapWidth != format_.wrapWidth ||
                 format.rightToLeft != format_.rightToLeft ||
                 format.alignment != format_.alignment || format.singleLine != format_.singleLine ||
                 format.passwordChar != format_.passwordChar;
  format_ = format;
  if (!reshape) return;
  Metrics();
  ForgetShapes();
}

void EditDocument::ForgetShapes() {
  for (Paragraph& p : paragraphs_) {
    p.layout.reset();
    p.lines = Estimate(p);
  }
  exactLines_ = 1;
}

int EditDocument::Estimate(const Paragraph& p) {
  if (format_.wrapWidth <= 0 || p.length == 0) return 1;
  long width = long(p.length) * aveCharWidth_;
  return int(std::max(1L, (width + format_.wrapWidth - 1) / format_.wrapWidth));
}

std::vector<EditDocument::Paragraph> EditDocument::Split(int base, std::string_view text) const {
  std::vector<Paragraph> out;
  int start = 0;
  int n = int(text.size());
  for (int i = 0; i + 1 < n; ++i) {
    if (text[std::size_t(i)] == '\r' && text[std::size_t(i) + 1] == '\n') {
      out.push_back(Paragraph{base + start, i - start, 1, 0, nullptr});
      start = i + 2;
      ++i;
    }
  }
  out.push_back(Paragraph{base + start, n - start, 1, 0, nullptr});
  return out;
}

void EditDocument::SetText(std::string_view text) {
  text_.assign(text);
  paragraphs_ = Split(0, text_);
  for (Paragraph& p : paragraphs_) p.lines = Estimate(p);
  exactLines_ = 1;
}

void EditDocument::Replace(int from, int to, std::string_view text) {
  from = Clamp(from);
  to = Clamp(to);
  if (from > to) std::swap(from, to);
  int first = ParagraphOf(from);
  int last = ParagraphOf(to);
  int firstLine = paragraphs_[std::size_t(first)].firstLine;
  int regionStart = paragraphs_[std::size_t(first)].start;
  int regionEnd = ParagraphEnd(last);
  text_.replace(std::size_t(from), std::size_t(to - from), text);
  int delta = int(text.size()) - (to - from);
  std::vector<Paragraph> fresh = Split(
      regionStart, std::string_view(text_).substr(std::size_t(regionStart),
                                                  std::size_t(regionEnd + delta - regionStart)));
  for (Paragraph& p : fresh) p.lines = Estimate(p);
  fresh.front().firstLine = firstLine;
  for (std::size_t i = std::size_t(last) + 1; i < paragraphs_.size(); ++i) {
    paragraphs_[i].start += delta;
  }
  auto at = paragraphs_.erase(paragraphs_.begin() + first, paragraphs_.begin() + last + 1);
  paragraphs_.insert(at, std::make_move_iterator(fresh.begin()),
                     std::make_move_iterator(fresh.end()));
  exactLines_ = std::min(exactLines_, first + 1);
}

int EditDocument::Clamp(int pos) const {
  pos = std::clamp(pos, 0, Length());
  if (pos > 0 && IsBreak(text_, pos - 1)) return pos - 1;
  return pos;
}

int EditDocument::Next(int pos) const {
  pos = Clamp(pos);
  if (IsBreak(text_, pos)) return pos + 2;
  return std::min(pos + 1, Length());
}

int EditDocument::Previous(int pos) const {
  pos = Clamp(pos);
  if (pos >= 2 && IsBreak(text_, pos - 2)) return pos - 2;
  return std::max(pos - 1, 0);
}

int EditDocument::WordAnchor(int pos) const {
  return pos < Length() && text_[std::size_t(pos)] != '\r' && text_[std::size_t(pos)] != '\n'
             ? pos
             : pos - 1;
}

int EditDocument::WordStart(int pos) const {
  pos = Clamp(pos);
  int at = WordAnchor(pos);
  if (at < 0) return 0;
  CharClass c = ClassOf(static_cast<unsigned char>(text_[std::size_t(at)]));
  while (at > 0 && ClassOf(static_cast<unsigned char>(text_[std::size_t(at) - 1])) == c &&
         text_[std::size_t(at) - 1] != '\n') {
    --at;
  }
  return at;
}

int EditDocument::WordEnd(int pos) const {
  pos = Clamp(pos);
  int at = WordAnchor(pos);
  if (at < 0) return 0;
  CharClass c = ClassOf(static_cast<unsigned char>(text_[std::size_t(at)]));
  while (at < Length() && ClassOf(static_cast<unsigned char>(text_[std::size_t(at)])) == c &&
         text_[std::size_t(at)] != '\r') {
    ++at;
  }
  return std::max(at, pos);
}

int EditDocument::NextWord(int pos) const {
  pos = Clamp(pos);
  if (pos >= Length()) return pos;
  if (text_[std::size_t(pos)] == '\r') return Next(pos);
  CharClass c = ClassOf(static_cast<unsigned char>(text_[std::size_t(pos)]));
  if (c != CharClass::kSpace) {
    while (pos < Length() && text_[std::size_t(pos)] != '\r' &&
           ClassOf(static_cast<unsigned char>(text_[std::size_t(pos)])) == c) {
      ++pos;
    }
  }
  while (pos < Length() && text_[std::size_t(pos)] != '\r' &&
         ClassOf(static_cast<unsigned char>(text_[std::size_t(pos)])) == CharClass::kSpace) {
    ++pos;
  }
  return Clamp(pos);
}

int EditDocument::PreviousWord(int pos) const {
  pos = Clamp(pos);
  if (pos == 0) return 0;
  int start = pos;
  while (pos > 0 && text_[std::size_t(pos) - 1] != '\n' &&
         ClassOf(static_cast<unsigned char>(text_[std::size_t(pos) - 1])) == CharClass::kSpace) {
    --pos;
  }
  if (pos > 0 && text_[std::size_t(pos) - 1] == '\n') {
    return pos == start ? Previous(pos) : pos;
  }
  if (pos == 0) return 0;
  CharClass c = ClassOf(static_cast<unsigned char>(text_[std::size_t(pos) - 1]));
  while (pos > 0 && text_[std::size_t(pos) - 1] != '\n' &&
         ClassOf(static_cast<unsigned char>(text_[std::size_t(pos) - 1])) == c) {
    --pos;
  }
  return pos;
}

int EditDocument::ParagraphOf(int pos) const {
  pos = Clamp(pos);
  auto after = std::upper_bound(paragraphs_.begin(), paragraphs_.end(), pos,
                                [](int value, const Paragraph& p) { return value < p.start; });
  return std::max(0, int(after - paragraphs_.begin()) - 1);
}

int EditDocument::ParagraphStart(int paragraph) const {
  return paragraphs_[std::size_t(std::clamp(paragraph, 0, ParagraphCount() - 1))].start;
}

int EditDocument::ParagraphEnd(int paragraph) const {
  const Paragraph& p = paragraphs_[std::size_t(std::clamp(paragraph, 0, ParagraphCount() - 1))];
  return p.start + p.length;
}

int EditDocument::LineHeight() {
  return lineHeight_;
}

int EditDocument::AverageCharWidth() {
  return aveCharWidth_;
}

TextLayout& EditDocument::Shape(int paragraph) {
  Paragraph& p = paragraphs_[std::size_t(paragraph)];
  if (p.layout) return *p.layout;
  std::string shown;
  if (format_.passwordChar) {
    shown.assign(std::size_t(p.length), format_.passwordChar);
  } else {
    shown = text_.substr(std::size_t(p.start), std::size_t(p.length));
    if (format_.singleLine)
      std::replace_if(
          shown.begin(), shown.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  }
  HGDIOBJ old = SelectObject(dc_, format_.font ? format_.font : GetStockObject(SYSTEM_FONT));
  p.layout = std::make_unique<TextLayout>(dc_, shown, format_.wrapWidth, format_.rightToLeft,
                                          format_.alignment);
  SelectObject(dc_, old);
  int lines = p.layout->LineCount();
  if (lines != p.lines && exactLines_ > paragraph + 1) exactLines_ = paragraph + 1;
  p.lines = lines;
  return *p.layout;
}

int EditDocument::FirstLine(int paragraph) {
  while (exactLines_ <= paragraph) {
    int q = exactLines_ - 1;
    Shape(q);
    paragraphs_[std::size_t(q) + 1].firstLine =
        paragraphs_[std::size_t(q)].firstLine + paragraphs_[std::size_t(q)].lines;
    ++exactLines_;
  }
  return paragraphs_[std::size_t(paragraph)].firstLine;
}

int EditDocument::ParagraphOfLine(int line) {
  for (;;) {
    int last = exactLines_ - 1;
    Shape(last);
    const Paragraph& p = paragraphs_[std::size_t(last)];
    if (p.firstLine + p.lines > line || last == ParagraphCount() - 1) break;
    FirstLine(last + 1);
  }
  auto begin = paragraphs_.begin();
  auto after = std::upper_bound(begin, begin + exactLines_, line,
                                [](int value, const Paragraph& p) { return value < p.firstLine; });
  return std::max(0, int(after - begin) - 1);
}

int EditDocument::LineCount() {
  int last = ParagraphCount() - 1;
  int first = FirstLine(last);
  return first + Shape(last).LineCount();
}

int EditDocument::EstimatedLineCount() {
  int last = exactLines_ - 1;
  int total = FirstLine(last) + paragraphs_[std::size_t(last)].lines;
  for (std::size_t i = std::size_t(last) + 1; i < paragraphs_.size(); ++i) {
    total += paragraphs_[i].lines;
  }
  return total;
}

int EditDocument::LineOf(int pos, bool atLineEnd) {
  int paragraph = ParagraphOf(pos);
  int local = Clamp(pos) - ParagraphStart(paragraph);
  TextLayout& layout = Shape(paragraph);
  int line = layout.LineOf(local);
  if (atLineEnd && line > 0 && layout.LineStart(line) == local) --line;
  return FirstLine(paragraph) + line;
}

int EditDocument::LineStart(int line) {
  if (line < 0) return -1;
  int paragraph = ParagraphOfLine(line);
  int local = line - FirstLine(paragraph);
  TextLayout& layout = Shape(paragraph);
  if (local >= layout.LineCount()) return -1;
  return ParagraphStart(paragraph) + layout.LineStart(local);
}

int EditDocument::LineEnd(int line) {
  if (line < 0) return -1;
  int paragraph = ParagraphOfLine(line);
  int local = line - FirstLine(paragraph);
  TextLayout& layout = Shape(paragraph);
  if (local >= layout.LineCount()) return -1;
  if (local + 1 < layout.LineCount())
    return ParagraphStart(paragraph) + layout.LineStart(local + 1);
  return ParagraphEnd(paragraph);
}

std::pair<int, int> EditDocument::ShapedSpan() {
  int left = 0;
  int right = 0;
  for (int paragraph = 0; paragraph < ParagraphCount(); ++paragraph) {
    if (!paragraphs_[std::size_t(paragraph)].layout) continue;
    int base = Base(paragraph);
    left = std::min(left, base);
    right = std::max(right, base + paragraphs_[std::size_t(paragraph)].layout->Width());
  }
  return {left, right};
}

std::pair<int, int> EditDocument::ParagraphSpan(int pos) {
  int paragraph = ParagraphOf(pos);
  int left = Base(paragraph);
  return {left, left + Shape(paragraph).Width()};
}

int EditDocument::Base(int paragraph) {
  if (format_.wrapWidth >= 0) return 0;
  int room = format_.viewWidth - Shape(paragraph).Width();
  switch (format_.alignment) {
    case DT_RIGHT:
      return room;
    case DT_CENTER:
      return room / 2;
    default:
      return 0;
  }
}

POINT EditDocument::CaretPoint(int pos, bool atLineEnd) {
  int paragraph = ParagraphOf(pos);
  int local = Clamp(pos) - ParagraphStart(paragraph);
  TextLayout& layout = Shape(paragraph);
  POINT at = layout.CaretPoint(local);
  int line = layout.LineOf(local);
  if (atLineEnd && line > 0 && layout.LineStart(line) == local) at = layout.LineEndPoint(line - 1);
  return {Base(paragraph) + at.x, FirstLine(paragraph) * lineHeight_ + at.y};
}

int EditDocument::PositionAt(POINT point, bool* atLineEnd) {
  int line = point.y < 0 ? 0 : int(point.y) / lineHeight_;
  int paragraph = ParagraphOfLine(line);
  TextLayout& layout = Shape(paragraph);
  int local = std::clamp(line - FirstLine(paragraph), 0, layout.LineCount() - 1);
  int x = point.x - Base(paragraph);
  int index = layout.IndexAt({x, local * lineHeight_ + lineHeight_ / 2});
  bool end = local + 1 < layout.LineCount() && index == layout.LineStart(local + 1);
  if (!end && std::abs(layout.CaretPoint(index).x - x) > 1) {
    // Where runs of both directions meet, the index hit may show its caret at the run's other
    // side; the caret belongs where the click was, so take the position whose caret is there.
    int from = layout.LineStart(local);
    int to = local + 1 < layout.LineCount() ? layout.LineStart(local + 1) - 1
                                            : ParagraphEnd(paragraph) - ParagraphStart(paragraph);
    int best = std::abs(layout.CaretPoint(index).x - x);
    for (int i = from; i <= to; ++i) {
      int distance = std::abs(layout.CaretPoint(i).x - x);
      if (distance < best && layout.IsCaretPosition(i)) {
        best = distance;
        index = i;
      }
    }
  }
  if (atLineEnd) *atLineEnd = end;
  return ParagraphStart(paragraph) + index;
}

int EditDocument::MoveVisually(int pos, int direction) {
  int paragraph = ParagraphOf(pos);
  int start = ParagraphStart(paragraph);
  int length = ParagraphEnd(paragraph) - start;
  bool beyond = false;
  int moved = Shape(paragraph).MoveVisually(Clamp(pos) - start, direction, &beyond);
  if (!beyond) return start + moved;
  // Off the paragraph's end in reading order goes on to the next one; off its start, back.
  bool forward = length > 0 ? moved == length : (direction > 0) != format_.rightToLeft;
  if (forward) return paragraph + 1 < ParagraphCount() ? ParagraphStart(paragraph + 1) : Clamp(pos);
  return paragraph > 0 ? ParagraphEnd(paragraph - 1) : Clamp(pos);
}

void EditDocument::Draw(HDC dc, int x, int y, int firstLine, int lastLine, int selStart, int selEnd,
                        COLORREF selText, COLORREF selBack) {
  if (selStart > selEnd) std::swap(selStart, selEnd);
  for (int paragraph = ParagraphOfLine(std::max(firstLine, 0)); paragraph < ParagraphCount();
       ++paragraph) {
    int top = FirstLine(paragraph);
    if (top > lastLine) break;
    TextLayout& layout = Shape(paragraph);
    int start = ParagraphStart(paragraph);
    int length = ParagraphEnd(paragraph) - start;
    int from = std::clamp(selStart - start, 0, length);
    int to = std::clamp(selEnd - start, 0, length);
    if (from >= to) from = to = 0;
    layout.Draw(dc, x + Base(paragraph), y + (top - firstLine) * lineHeight_, from, to, selText,
                selBack);
  }
}

}  // namespace platform
