// TFontDialog: the font request, the task-modal run and copying the choice back.
#include "framework/font_dialog.h"

#include <strings.h>

#include <array>
#include <cstring>

#include "core/classes.h"
#include "core/identtables.h"
#include "framework/application.h"
#include "framework/modal.h"
#include "platform/button.h"
#include "platform/combobox.h"
#include "platform/dialog.h"

using namespace platform;

namespace {

constexpr std::array<DWORD, 16> kOptionFlags = {
    CF_ANSIONLY,
    CF_TTONLY,
    CF_EFFECTS,
    CF_FIXEDPITCHONLY,
    CF_FORCEFONTEXIST,
    CF_NOFACESEL,
    CF_NOOEMFONTS,
    CF_NOSIMULATIONS,
    CF_NOSIZESEL,
    CF_NOSTYLESEL,
    CF_NOVECTORFONTS,
    CF_SHOWHELP,
    CF_WYSIWYG | CF_BOTH | CF_SCALABLEONLY,
    CF_LIMITSIZE,
    CF_SCALABLEONLY,
    CF_APPLY,
};

constexpr DWORD kDeviceFlags[] = {CF_SCREENFONTS, CF_PRINTERFONTS, CF_BOTH};

}  // namespace

DWORD FontDialogOptionsToFlags(TFontDialogOptions options) {
  DWORD flags = 0;
  for (std::size_t i = 0; i < kOptionFlags.size(); ++i) {
    if (options.Contains(static_cast<TFontDialogOption>(i))) flags |= kOptionFlags[i];
  }
  return flags;
}

TFontDialog::TFontDialog(TComponent* owner)
    : TCommonDialog(owner), font_(std::make_unique<TFont>()) {}

TFontDialog::~TFontDialog() = default;

void TFontDialog::SetFont(TFont* value) {
  if (value) font_->Assign(*value);
}

bool TFontDialog::Execute() {
  LOGFONTA logFont{};
  GetObjectA(font_->Handle(), sizeof logFont, &logFont);
  CHOOSEFONTA request{};
  request.lStructSize = 60;
  request.hwndOwner = Application ? Application->Handle() : nullptr;
  // There is no printer on this system: every device lists the screen's faces.
  request.hDC = nullptr;
  request.lpLogFont = &logFont;
  request.Flags = kDeviceFlags[static_cast<int>(device_)] | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK |
                  FontDialogOptionsToFlags(options_);
  if (OnApply) request.Flags |= CF_APPLY;
  if (!Template().empty()) {
    request.Flags |= CF_ENABLETEMPLATE;
    request.lpTemplateName = Template().c_str();
  }
  request.rgbColors = static_cast<COLORREF>(font_->Color());
  request.lpfnHook = &DialogHook;
  request.nSizeMin = minFontSize_;
  request.nSizeMax = maxFontSize_;
  if (maxFontSize_ < minFontSize_) request.Flags &= ~CF_LIMITSIZE;
  AnsiString originalFace = logFont.lfFaceName;
  fontColorModified_ = false;
  fontCharsetModified_ = false;

  BOOL chosen;
  {
    TaskModalScope scope(nullptr);
    BeginCreating();
    chosen = ChooseFontA(&request);
  }
  if (!chosen) return false;
  if (strcasecmp(originalFace.c_str(), logFont.lfFaceName) != 0) fontCharsetModified_ = true;
  UpdateFromLogFont(logFont, request.rgbColors);
  return true;
}

void TFontDialog::UpdateFromLogFont(const LOGFONTA& logFont, COLORREF colour) {
  font_->SetName(AnsiString(logFont.lfFaceName, strnlen(logFont.lfFaceName, LF_FACESIZE)));
  font_->SetHeight(logFont.lfHeight);
  if (fontCharsetModified_) font_->SetCharset(logFont.lfCharSet);
  TFontStyles style;
  if (logFont.lfWeight > FW_NORMAL) style.Include(TFontStyle::fsBold);
  if (logFont.lfItalic) style.Include(TFontStyle::fsItalic);
  if (logFont.lfUnderline) style.Include(TFontStyle::fsUnderline);
  if (logFont.lfStrikeOut) style.Include(TFontStyle::fsStrikeOut);
  font_->SetStyle(style);
  if (fontColorModified_) font_->SetColor(static_cast<TColor>(colour));
}

void TFontDialog::Apply() {
  LOGFONTA logFont{};
  SendMessageA(Handle(), WM_CHOOSEFONT_GETLOGFONT, 0, reinterpret_cast<LPARAM>(&logFont));
  COLORREF colour = static_cast<COLORREF>(font_->Color());
  LRESULT index = SendDlgItemMessageA(Handle(), kColorCombo, CB_GETCURSEL, 0, 0);
  if (index != CB_ERR) {
    colour = static_cast<COLORREF>(
        SendDlgItemMessageA(Handle(), kColorCombo, CB_GETITEMDATA, WPARAM(index), 0));
  }
  UpdateFromLogFont(logFont, colour);
  if (OnApply) OnApply(this, Handle());
}

void TFontDialog::WndProc(TMessage& message) {
  if (message.Msg == WM_COMMAND) {
    WORD id = LOWORD(DWORD(message.WParam));
    WORD code = HIWORD(DWORD(message.WParam));
    if (code == CBN_SELENDOK && id == kColorCombo) fontColorModified_ = true;
    if (code == CBN_SELENDOK && id == kScriptCombo) fontCharsetModified_ = true;
    if (code == BN_CLICKED && id == kApplyButton) {
      Apply();
      message.Result = 1;
      return;
    }
  }
  TCommonDialog::WndProc(message);
}

namespace {

[[maybe_unused]] const auto kTFontDialog =
    RegisterClass<TFontDialog, TCommonDialog>("TFontDialog")
        .Property("Font", &TFontDialog::Font, &TFontDialog::SetFont)
        .Enum("Device", &TFontDialog::Device, &TFontDialog::SetDevice,
              {"fdScreen", "fdPrinter", "fdBoth"})
        .Property("MinFontSize", &TFontDialog::MinFontSize, &TFontDialog::SetMinFontSize)
        .Property("MaxFontSize", &TFontDialog::MaxFontSize, &TFontDialog::SetMaxFontSize)
        .Set("Options", &TFontDialog::Options, &TFontDialog::SetOptions,
             {"fdAnsiOnly", "fdTrueTypeOnly", "fdEffects", "fdFixedPitchOnly", "fdForceFontExist",
              "fdNoFaceSel", "fdNoOEMFonts", "fdNoSimulations", "fdNoSizeSel", "fdNoStyleSel",
              "fdNoVectorFonts", "fdShowHelp", "fdWysiwyg", "fdLimitSize", "fdScalableOnly",
              "fdApplyButton"})
        .Event("OnApply", &TFontDialog::OnApply);

}  // namespace
