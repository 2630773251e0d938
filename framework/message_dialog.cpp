// The message dialog: measuring, laying out and running TMessageForm.
#include "framework/message_dialog.h"

#include <algorithm>
#include <array>

#include "controls/button.h"
#include "controls/image.h"
#include "controls/label.h"
#include "core/exceptions.h"
#include "framework/application.h"
#include "framework/modal.h"
#include "graphics/bitmap.h"
#include "graphics/colors.h"
#include "platform/clipboard.h"
#include "platform/drawtext.h"
#include "platform/icons.h"
#include "platform/muldiv.h"
#include "platform/text.h"

using namespace platform;

namespace {

constexpr const char* kDividerLine = "---------------------------\r\n";
constexpr int kIconSize = 32;

struct ButtonKind {
  const char* name;
  const char* caption;
  TModalResult result;
};

constexpr std::array<ButtonKind, 11> kButtons = {{
    {"Yes", "&Yes", mrYes},
    {"No", "&No", mrNo},
    {"OK", "OK", mrOk},
    {"Cancel", "Cancel", mrCancel},
    {"Abort", "&Abort", mrAbort},
    {"Retry", "&Retry", mrRetry},
    {"Ignore", "&Ignore", mrIgnore},
    {"All", "&All", mrAll},
    {"NoToAll", "N&o to All", mrNoToAll},
    {"YesToAll", "Yes to &All", mrYesToAll},
    {"Help", "&Help", mrNone},  // shows help rather than closing
}};

struct TypeLook {
  const char* caption;  // null: the application's title
  LPCSTR icon;
};

const TypeLook& LookOf(TMsgDlgType type) {
  static const TypeLook looks[] = {
      {"Warning", IDI_EXCLAMATION}, {"Error", IDI_HAND}, {"Information", IDI_ASTERISK},
      {"Confirm", IDI_QUESTION},    {nullptr, nullptr},
  };
  return looks[static_cast<int>(type)];
}

// The system's message font: Tahoma at 8 points, as the system's own dialogs use.
void SetMessageFont(TFont& font) {
  font.SetName("Tahoma");
  font.SetHeight(-11);
  font.SetCharset(platform::DEFAULT_CHARSET);
}

// A device context with the message font selected, for measuring.
class Measure {
 public:
  Measure() {
    bitmap_.SetSize(1, 1);
    SetMessageFont(bitmap_.Canvas().Font());
  }
  HDC Dc() { return bitmap_.Canvas().Handle(); }

 private:
  TBitmap bitmap_;
};

// The average character of the font: the width of "A" to "Z" and "a" to "z" over 52, and the
// line height.
SIZE AverageCharSize(HDC dc) {
  char letters[52];
  for (int i = 0; i < 26; ++i) {
    letters[i] = static_cast<char>('A' + i);
    letters[26 + i] = static_cast<char>('a' + i);
  }
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, letters, 52, &size);
  return {size.cx / 52, size.cy};
}

// The caption widths, measured once per process (0: not yet).
int ButtonCaptionWidth(HDC dc, TMsgDlgBtn button, UINT readingFlags) {
  static std::array<int, kButtons.size()> widths{};
  int& width = widths[static_cast<std::size_t>(button)];
  if (width == 0) {
    const char* caption = kButtons[static_cast<std::size_t>(button)].caption;
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, caption, -1, &r, DT_CALCRECT | DT_LEFT | DT_SINGLELINE | readingFlags);
    width = r.right - r.left + 8;
  }
  return width;
}

// An image of the system icon on the dialog's face colour.
void ShowIcon(TImage& image, LPCSTR icon) {
  TBitmap bitmap;
  bitmap.SetSize(kIconSize, kIconSize);
  bitmap.Canvas().Brush().SetColor(clBtnFace);
  bitmap.Canvas().FillRect({0, 0, kIconSize, kIconSize});
  DrawIcon(bitmap.Canvas().Handle(), 0, 0, LoadIconA(nullptr, icon));
  image.Picture()->SetGraphic(&bitmap);
}

}  // namespace

TMessageForm::TMessageForm(TComponent* owner) : TForm(owner) {
  SetMessageFont(*Font());
  SetKeyPreview(true);
}

AnsiString TMessageForm::ClipboardText() const {
  AnsiString buttons;
  AnsiString message;
  for (int i = 0; i < ComponentCount(); ++i) {
    TComponent* component = Components(i);
    if (auto* button = dynamic_cast<TButton*>(component)) {
      buttons += button->Caption() + "   ";
    } else if (component->Name() == "Message") {
      message = static_cast<TControl*>(component)->Caption();
    }
  }
  buttons.erase(std::remove(buttons.begin(), buttons.end(), '&'), buttons.end());
  return AnsiString(kDividerLine) + Caption() + "\r\n" + kDividerLine + message + "\r\n" +
         kDividerLine + buttons + "\r\n" + kDividerLine;
}

void TMessageForm::KeyDown(std::uint16_t& key, TShiftState shift) {
  if (shift == TShiftState{TShiftStateFlag::ssCtrl} && key == 'C') {
    MessageBeep(0);
    if (!OpenClipboard(Handle())) throw Exception("Cannot open clipboard");
    EmptyClipboard();
    SetClipboardTextA(ClipboardText());
    CloseClipboard();
    return;
  }
  TForm::KeyDown(key, shift);
}

std::unique_ptr<TMessageForm> CreateMessageDialog(const AnsiString& message, TMsgDlgType type,
                                                  TMsgDlgButtons buttons) {
  auto form = std::make_unique<TMessageForm>(Application);
  form->SetBiDiMode(Application ? Application->BiDiMode() : TBiDiMode::bdLeftToRight);
  form->SetBorderStyle(TFormBorderStyle::bsDialog);
  form->SetPosition(TPosition::poScreenCenter);
  UINT reading = form->DrawTextBiDiModeFlagsReadingOnly();

  Measure measure;
  HDC dc = measure.Dc();
  SIZE unit = AverageCharSize(dc);
  int horzMargin = MulDiv(8, unit.cx, 4);
  int vertMargin = MulDiv(8, unit.cy, 8);
  int horzSpacing = MulDiv(10, unit.cx, 4);
  int vertSpacing = MulDiv(10, unit.cy, 8);
  int buttonHeight = MulDiv(14, unit.cy, 8);
  int buttonSpacing = MulDiv(4, unit.cx, 4);
  int buttonWidth = MulDiv(50, unit.cx, 4);
  int buttonCount = 0;
  for (std::size_t b = 0; b < kButtons.size(); ++b) {
    auto button = static_cast<TMsgDlgBtn>(b);
    if (!buttons.Contains(button)) continue;
    ++buttonCount;
    buttonWidth = std::max(buttonWidth, ButtonCaptionWidth(dc, button, reading));
  }

  RECT text{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  DrawTextA(dc, message.c_str(), static_cast<int>(message.size()), &text,
            DT_EXPANDTABS | DT_CALCRECT | DT_WORDBREAK | reading);
  const TypeLook& look = LookOf(type);
  int iconTextWidth = text.right;
  int iconTextHeight = text.bottom;
  if (look.icon) {
    iconTextWidth += kIconSize + horzSpacing;
    iconTextHeight = std::max(iconTextHeight, kIconSize);
  }
  int groupWidth = buttonCount ? buttonWidth * buttonCount + buttonSpacing * (buttonCount - 1) : 0;
  form->SetClientWidth(std::max(iconTextWidth, groupWidth) + horzMargin * 2);
  form->SetClientHeight(iconTextHeight + buttonHeight + vertSpacing + vertMargin * 2);
  form->SetCaption(look.caption  ? AnsiString(look.caption)
                   : Application ? Application->CurrentTitle()
                                 : AnsiString());
  bool rightToLeft = form->UseRightToLeftAlignment();
  int clientWidth = form->ClientWidth();

  if (look.icon) {
    auto* image = new TImage(form.get());
    image->SetName("Image");
    image->SetParent(form.get());
    ShowIcon(*image, look.icon);
    int left = rightToLeft ? clientWidth - horzMargin - kIconSize : horzMargin;
    image->SetBounds(left, vertMargin, kIconSize, kIconSize);
  }
  auto* label = new TLabel(form.get());
  label->SetName("Message");
  label->SetParent(form.get());
  label->SetAutoSize(false);
  label->SetWordWrap(true);
  label->SetCaption(message);
  label->SetBiDiMode(form->BiDiMode());
  int left = iconTextWidth - text.right + horzMargin;
  if (rightToLeft) left = clientWidth - left - text.right;
  label->SetBounds(left, vertMargin, text.right, text.bottom);

  TMsgDlgBtn defaultButton = buttons.Contains(TMsgDlgBtn::mbOK)    ? TMsgDlgBtn::mbOK
                             : buttons.Contains(TMsgDlgBtn::mbYes) ? TMsgDlgBtn::mbYes
                                                                   : TMsgDlgBtn::mbRetry;
  TMsgDlgBtn cancelButton = buttons.Contains(TMsgDlgBtn::mbCancel) ? TMsgDlgBtn::mbCancel
                            : buttons.Contains(TMsgDlgBtn::mbNo)   ? TMsgDlgBtn::mbNo
                                                                   : TMsgDlgBtn::mbOK;
  int x = (clientWidth - groupWidth) / 2;
  for (std::size_t b = 0; b < kButtons.size(); ++b) {
    auto kind = static_cast<TMsgDlgBtn>(b);
    if (!buttons.Contains(kind)) continue;
    auto* button = new TButton(form.get());
    button->SetName(kButtons[b].name);
    button->SetParent(form.get());
    button->SetCaption(kButtons[b].caption);
    button->SetModalResult(kButtons[b].result);
    button->SetDefault(kind == defaultButton);
    button->SetCancel(kind == cancelButton);
    button->SetBounds(x, iconTextHeight + vertMargin + vertSpacing, buttonWidth, buttonHeight);
    x += buttonWidth + buttonSpacing;
  }
  return form;
}

TModalResult RunMessageDialog(const AnsiString& message, TMsgDlgType type, TMsgDlgButtons buttons,
                              int helpContext) {
  std::unique_ptr<TMessageForm> form = CreateMessageDialog(message, type, buttons);
  form->SetHelpContext(helpContext);
  TModalResult result = ShowModal(*form);
  form->BeforeDestruction();
  return result;
}
