// TFontDialog: the system's modal choose-font dialog as a component, copying the choice into
// its Font.
#pragma once

#include <memory>

#include "core/sets.h"
#include "framework/common_dialog.h"
#include "graphics/font.h"
#include "platform/commdlg.h"

enum class TFontDialogDevice { fdScreen, fdPrinter, fdBoth };
enum class TFontDialogOption {
  fdAnsiOnly,
  fdTrueTypeOnly,
  fdEffects,
  fdFixedPitchOnly,
  fdForceFontExist,
  fdNoFaceSel,
  fdNoOEMFonts,
  fdNoSimulations,
  fdNoSizeSel,
  fdNoStyleSel,
  fdNoVectorFonts,
  fdShowHelp,
  fdWysiwyg,
  fdLimitSize,
  fdScalableOnly,
  fdApplyButton
};
using TFontDialogOptions = SetOf<TFontDialogOption>;
using TFDApplyEvent = TEvent<void(TObject* Sender, platform::HWND Wnd)>;

// The request flags of a set of options (fdNoOEMFonts and fdNoVectorFonts share theirs).
platform::DWORD FontDialogOptionsToFlags(TFontDialogOptions options);

// Execute runs the dialog modally (every other window of the program disabled) on Font and
// returns true when the user chose OK, after copying the choice into Font: face, height (a
// size in points arrives as a negative pixel height), bold, italic, underline and strike-out
// always; the character set only when the user picked a script or a face other than the one
// Font had; the colour only when the user picked one. Cancel leaves Font untouched and
// returns false. With OnApply set the dialog has an Apply button, which copies the dialog's
// current choice into Font in the same way and calls OnApply with the dialog's window; the
// dialog stays open, also when OnApply raises (the exception is reported).
class TFontDialog : public TCommonDialog {
 public:
  explicit TFontDialog(TComponent* owner);
  ~TFontDialog() override;

  bool Execute();

  // The dialog's own font; setting copies the given one into it.
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* value);
  TFontDialogDevice Device() const { return device_; }
  void SetDevice(TFontDialogDevice value) { device_ = value; }
  int MinFontSize() const { return minFontSize_; }
  void SetMinFontSize(int value) { minFontSize_ = value; }
  int MaxFontSize() const { return maxFontSize_; }
  void SetMaxFontSize(int value) { maxFontSize_ = value; }
  TFontDialogOptions Options() const { return options_; }
  void SetOptions(TFontDialogOptions value) { options_ = value; }

  TFDApplyEvent OnApply;

 protected:
  // Notes a colour or script confirmed in its list, and handles the Apply button.
  void WndProc(TMessage& message) override;

 private:
  // Copies a logical font into Font as Execute describes; colour is the dialog's colour.
  void UpdateFromLogFont(const platform::LOGFONTA& logFont, platform::COLORREF colour);
  void Apply();

  std::unique_ptr<TFont> font_;
  TFontDialogDevice device_ = TFontDialogDevice::fdScreen;
  int minFontSize_ = 0;
  int maxFontSize_ = 0;
  TFontDialogOptions options_ = {TFontDialogOption::fdEffects};
  bool fontColorModified_ = false;
  bool fontCharsetModified_ = false;
};
