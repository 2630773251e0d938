// Text boxes: the single-line edit over the system edit control.
#pragma once

#include "controls/wincontrol.h"

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
inline constexpr const char* kEditCharCaseNames[] = {"ecNormal", "ecUpperCase", "ecLowerCase"};

// An edit's text and selection live in its window ("EDIT", subclassed) once it has one, and in
// the control before. Positions are 0-based byte offsets in the window text; a line break is
// CR LF and counts as two.
//
// OnChange runs once for every change of the text: each keystroke, paste or deletion the
// system edit control reports (never while the window is being made, which puts the stored
// text in), and each assignment to Text while there is no window yet, or on a multi-line
// control, whose window does not report assigned text. With AutoSelect, entering a
// single-line edit other than by a click on it selects its whole text.
class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* owner);
  ~TCustomEdit() override;

  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value) { autoSelect_ = value; }
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  // 0: no limit.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char value);
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase value);
  bool OEMConvert() const { return oemConvert_; }
  void SetOEMConvert(bool value);
  bool Modified() const;
  void SetModified(bool value);

  // The selection; reading or setting it makes the window. Setting SelStart collapses the
  // selection there; setting SelLength keeps the start and scrolls the caret into view.
  int SelStart() const;
  void SetSelStart(int value);
  int SelLength() const;
  void SetSelLength(int value);
  AnsiString SelText() const;
  void SetSelText(const AnsiString& value);
  void SelectAll();
  void ClearSelection();
  void Clear();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  bool CanUndo() const;
  void Undo();
  void ClearUndo();

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& message) override;
  void DoEnter() override;
  // The changed notice to the parent (CM_CHANGED), then OnChange.
  virtual void Change();
  bool IsMultiLine() const;
  // Fixes the height to the font's when AutoSize and a single border ask for it.
  void UpdateHeight();

 private:
  platform::LRESULT Send(platform::UINT msg, platform::WPARAM wParam = 0,
                         platform::LPARAM lParam = 0) const;

  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
  bool autoSize_ = true;
  bool autoSelect_ = true;
  bool hideSelection_ = true;
  bool readOnly_ = false;
  int maxLength_ = 0;
  char passwordChar_ = 0;
  TEditCharCase charCase_ = TEditCharCase::ecNormal;
  bool oemConvert_ = false;
  bool modified_ = false;  // kept while there is no window
};

class TEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
};
