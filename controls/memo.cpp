// Memos over the multi-line system edit control, and their line list.
#include "controls/memo.h"

#include "core/classes.h"
#include "core/exceptions.h"
#include "platform/edit.h"

using namespace platform;

std::vector<AnsiString> TMemoStrings::Split() const {
  AnsiString text = memo_.Text();
  std::vector<AnsiString> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t brk = text.find("\r\n", start);
    if (brk == AnsiString::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, brk - start));
    start = brk + 2;
  }
  return lines;
}

void TMemoStrings::Join(const std::vector<AnsiString>& lines) {
  AnsiString text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  memo_.SetText(text);
}

void TMemoStrings::Check(int index, int limit) const {
  if (index < 0 || index >= limit) {
    throw EListError(Format("List index out of bounds (%d)", index));
  }
}

int TMemoStrings::Count() const {
  return static_cast<int>(Split().size());
}

AnsiString TMemoStrings::Get(int index) const {
  std::vector<AnsiString> lines = Split();
  Check(index, static_cast<int>(lines.size()));
  return lines[static_cast<std::size_t>(index)];
}

void TMemoStrings::Put(int index, const AnsiString& s) {
  std::vector<AnsiString> lines = Split();
  Check(index, static_cast<int>(lines.size()));
  lines[static_cast<std::size_t>(index)] = s;
  Join(lines);
}

void TMemoStrings::Insert(int index, const AnsiString& s) {
  std::vector<AnsiString> lines = Split();
  Check(index, static_cast<int>(lines.size()) + 1);
  lines.insert(lines.begin() + index, s);
  Join(lines);
}

void TMemoStrings::Delete(int index) {
  std::vector<AnsiString> lines = Split();
  Check(index, static_cast<int>(lines.size()));
  lines.erase(lines.begin() + index);
  Join(lines);
}

void TMemoStrings::Clear() {
  memo_.SetText("");
}

void TMemoStrings::SetText(const AnsiString& text) {
  AnsiString adjusted;
  adjusted.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      adjusted += "\r\n";
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      adjusted += text[i];
    }
  }
  memo_.SetText(adjusted);
}

TCustomMemo::TCustomMemo(TComponent* owner)
    : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(*this)) {
  SetBounds(Left(), Top(), 185, 89);
  SetAutoSize(false);
}

TCustomMemo::~TCustomMemo() {
  // The window goes while the line list can still be asked for its text.
  DestroyHandle();
}

void TCustomMemo::SetLines(TStrings* value) {
  if (value && value != lines_.get()) lines_->Assign(*value);
}

void TCustomMemo::SetScrollBars(TScrollStyle value) {
  if (scrollBars_ == value) return;
  scrollBars_ = value;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool value) {
  if (wordWrap_ == value) return;
  wordWrap_ = value;
  RecreateWnd();
}

void TCustomMemo::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  RecreateWnd();
}

void TCustomMemo::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.Style |= ES_MULTILINE;
  switch (MirroredAlignment(alignment_)) {
    case TAlignment::taRightJustify:
      params.Style |= ES_RIGHT;
      break;
    case TAlignment::taCenter:
      params.Style |= ES_CENTER;
      break;
    default:
      break;
  }
  // The window's own right alignment flag would undo the exchange above.
  params.ExStyle &= ~WS_EX_RIGHT;
  if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth) {
    params.Style |= WS_VSCROLL;
  }
  if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth) {
    params.Style |= WS_HSCROLL;
  }
  if (wordWrap_) params.Style &= ~ES_AUTOHSCROLL;
}

void TCustomMemo::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_GETDLGCODE:
      TCustomEdit::WndProc(message);
      if (!wantTabs_) message.Result &= ~DLGC_WANTTAB;
      if (!wantReturns_) message.Result &= ~DLGC_WANTALLKEYS;
      return;
    case WM_CHAR:
      if (message.WParam == '\r' && !wantReturns_) return;
      break;
    default:
      break;
  }
  TCustomEdit::WndProc(message);
}

namespace {

[[maybe_unused]] const auto kTCustomMemo =
    RegisterClass<TCustomMemo, TCustomEdit>("TCustomMemo")
        .Property("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines)
        .Enum("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars,
              kScrollStyleNames)
        .Property("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap)
        .Property("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns)
        .Property("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs)
        .Enum("Alignment", &TCustomMemo::Alignment, &TCustomMemo::SetAlignment, kAlignmentNames);

[[maybe_unused]] const auto kTMemo = RegisterClass<TMemo, TCustomMemo>("TMemo");

}  // namespace
