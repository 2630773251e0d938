// Shaped text for editors: wrapping, caret positions, hit testing and selection drawing of
// single-byte text, with positions as byte indexes of that text.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi_handles.h"
#include "platform/windef.h"

typedef struct _PangoLayout PangoLayout;

namespace platform {

namespace gdi {
struct RealisedFont;
}

// Lays out `text` once, in the font selected into `dc` when it is made, and answers
// geometric questions in layout coordinates: line n's box runs from y = n × LineHeight() for
// LineHeight() pixels, and x = 0 is the left edge of a layout `wrapWidth` wide (lines are
// aligned within it by `alignment`: DT_LEFT, DT_CENTER or DT_RIGHT). A wrap width of -1 lays
// every paragraph on one line, aligned at x = 0. Where Persian and Latin meet, one x has two
// valid indexes; the index stays the caller's truth and the caret is placed by it.
class TextLayout {
 public:
  TextLayout(HDC dc, std::string_view text, int wrapWidth, bool rightToLeft, UINT alignment);
  ~TextLayout();
  TextLayout(const TextLayout&) = delete;
  TextLayout& operator=(const TextLayout&) = delete;

  int LineCount() const;
  int LineHeight() const { return lineHeight_; }
  // The first byte of a line, and the line holding a byte (the last line for the end).
  int LineStart(int line) const;
  int LineOf(int index) const;
  int LineWidth(int line) const;
  // The widest line: the text's width.
  int Width() const;

  // Where the caret before byte `index` stands: the top of its line box.
  POINT CaretPoint(int index) const;
  // At a boundary of runs of both directions an index has a second place, where the text of
  // the other direction continues (elsewhere this equals CaretPoint).
  POINT SecondCaretPoint(int index) const;
  // Where the caret stands after the last character of a line, on that line: a caret at a
  // soft line break shows here when it belongs to the end of the line rather than the start
  // of the next.
  POINT LineEndPoint(int line) const;
  // The byte nearest to a point (the caret index a click there gives).
  int IndexAt(POINT point) const;
  // Whether the caret may stand before byte `index`: not inside a cluster of characters drawn
  // as one (a letter and the ZWNJ after it, a letter and its marks).
  bool IsCaretPosition(int index) const;
  // The next caret index one step right (+1) or left (-1) on screen, across bidi runs.
  int MoveVisually(int index, int direction) const;
  // As above; *beyond is set when the step would leave the text at its visual edge (the
  // logical end on that side is then returned: 0 or the text's length).
  int MoveVisually(int index, int direction, bool* beyond) const;

  // Draws the text with its top-left at (x, y) in `dc`'s logical coordinates (unmirrored, as
  // text is), in the text colour; bytes [selStart, selEnd) on a `selBack` background in
  // `selText`.
  void Draw(HDC dc, int x, int y, int selStart, int selEnd, COLORREF selText,
            COLORREF selBack) const;

 private:
  int ToUtf8(int index) const;
  int FromUtf8(int offset) const;
  // The x of a line's drawing origin within the layout.
  int LineOffset(int line) const;

  std::shared_ptr<gdi::RealisedFont> font_;
  std::string text_;
  std::vector<int> utf8Offsets_;  // per byte of text_, plus the end
  PangoLayout* layout_ = nullptr;
  int lineHeight_ = 0;
  int ascent_ = 0;
};

}  // namespace platform
