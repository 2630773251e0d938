// Memos: the multi-line edit with its line list, scroll bars, wrapping and key choices.
#pragma once

#include <memory>

#include "controls/edit.h"
#include "core/strings.h"

class TCustomMemo;

// The lines of a memo: its text split at CR LF (a final line break ends the last line rather
// than starting an empty one). Reading and writing go straight to the memo's text.
class TMemoStrings : public TStrings {
 public:
  explicit TMemoStrings(TCustomMemo& memo) : memo_(memo) {}

  int Count() const override;
  AnsiString Get(int index) const override;
  void Put(int index, const AnsiString& s) override;
  void Insert(int index, const AnsiString& s) override;
  void Delete(int index) override;
  void Clear() override;
  // The whole text at once, every line break made CR LF: blank lines are kept, which adding
  // the lines one by one would lose (an empty last line is no line of the memo's text).
  void SetText(const AnsiString& text) override;

 private:
  std::vector<AnsiString> Split() const;
  void Join(const std::vector<AnsiString>& lines);
  void Check(int index, int limit) const;

  TCustomMemo& memo_;
};

// A memo's text is its window text. With WordWrap (the default) lines wrap at the right edge
// and never scroll sideways; the alignment's left and right are exchanged under right-to-left
// alignment. The dialog manager hands it Tab only with WantTabs and Enter only with
// WantReturns; without WantReturns a typed carriage return is dropped.
class TCustomMemo : public TCustomEdit {
 public:
  explicit TCustomMemo(TComponent* owner);
  ~TCustomMemo() override;

  TStrings* Lines() const { return lines_.get(); }
  void SetLines(TStrings* value);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool value) { wantReturns_ = value; }
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool value) { wantTabs_ = value; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

 private:
  std::unique_ptr<TMemoStrings> lines_;
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
  bool wordWrap_ = true;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
  TAlignment alignment_ = TAlignment::taLeftJustify;
};

class TMemo : public TCustomMemo {
 public:
  using TCustomMemo::TCustomMemo;
};
