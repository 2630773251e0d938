// The message dialog: its buttons and their keys, its look, its layout and the copied text.
#include "framework/message_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "controls/button.h"
#include "controls/image.h"
#include "controls/label.h"
#include "platform/clipboard.h"
#include "tests/framework/framework_fixture.h"

using namespace platform;

namespace frameworktest {
namespace {

using B = TMsgDlgBtn;

class MessageDialog : public FrameworkTest {
 protected:
  // Runs the dialog; `whileOpen` runs with its window once it shows.
  TModalResult Run(const AnsiString& text, TMsgDlgType type, TMsgDlgButtons buttons,
                   std::function<void(HWND)> whileOpen) {
    WhenOpen(std::move(whileOpen));
    return RunMessageDialog(text, type, buttons, 0);
  }
};

TEST_F(MessageDialog, KeysPressTheDefaultCancelAndFocusedButtons) {
  struct Case {
    TMsgDlgButtons buttons;
    std::vector<int> keys;
    TModalResult expected;
  } cases[] = {
      {{B::mbOK}, {VK_RETURN}, mrOk},
      {{B::mbOK}, {VK_ESCAPE}, mrOk},
      {{B::mbOK, B::mbCancel}, {VK_RETURN}, mrOk},
      {{B::mbOK, B::mbCancel}, {VK_ESCAPE}, mrCancel},
      {{B::mbOK, B::mbCancel}, {VK_TAB, VK_RETURN}, mrCancel},
      {{B::mbYes, B::mbNo}, {VK_RETURN}, mrYes},
      {{B::mbYes, B::mbNo}, {VK_ESCAPE}, mrNo},
      {{B::mbYes, B::mbNo, B::mbCancel}, {VK_ESCAPE}, mrCancel},
      {{B::mbAbort, B::mbRetry, B::mbIgnore}, {VK_RETURN}, mrAbort},
      {{B::mbAbort, B::mbRetry, B::mbIgnore}, {VK_TAB, VK_TAB, VK_SPACE}, mrIgnore},
      {{B::mbYes, B::mbNo, B::mbAll, B::mbNoToAll, B::mbYesToAll},
       {VK_TAB, VK_TAB, VK_TAB, VK_RETURN},
       mrNoToAll},
  };
  for (const Case& c : cases) {
    for (int key : c.keys) screen_->Tap(key);
    EXPECT_EQ(RunMessageDialog("Text", TMsgDlgType::mtConfirmation, c.buttons, 0), c.expected)
        << "first key " << c.keys[0] << ", " << c.keys.size() << " keys";
  }
}

TEST_F(MessageDialog, DefaultAndCancelButtonsFollowTheButtonsAskedFor) {
  struct Case {
    TMsgDlgButtons buttons;
    const char* defaultButton;
    const char* cancelButton;  // "" for none
  } cases[] = {
      {{B::mbOK}, "OK", "OK"},
      {{B::mbOK, B::mbCancel}, "OK", "Cancel"},
      {{B::mbYes, B::mbNo}, "Yes", "No"},
      {{B::mbYes, B::mbNo, B::mbCancel}, "Yes", "Cancel"},
      {{B::mbAbort, B::mbRetry, B::mbIgnore}, "Retry", ""},
      {{B::mbYes, B::mbOK, B::mbNo}, "OK", "No"},
  };
  for (const Case& c : cases) {
    auto form = CreateMessageDialog("Text", TMsgDlgType::mtWarning, c.buttons);
    std::vector<AnsiString> defaults, cancels;
    for (int i = 0; i < form->ComponentCount(); ++i) {
      if (auto* button = dynamic_cast<TButton*>(form->Components(i))) {
        if (button->Default()) defaults.push_back(button->Name());
        if (button->Cancel()) cancels.push_back(button->Name());
      }
    }
    EXPECT_EQ(defaults, std::vector<AnsiString>{c.defaultButton}) << c.defaultButton;
    EXPECT_EQ(cancels,
              *c.cancelButton ? std::vector<AnsiString>{c.cancelButton} : std::vector<AnsiString>{})
        << c.defaultButton;
  }
}

TEST_F(MessageDialog, ButtonsAreNamedCaptionedAndOrderedLeftToRight) {
  TMsgDlgButtons all;
  for (int b = 0; b <= static_cast<int>(B::mbHelp); ++b) all.Include(static_cast<B>(b));
  auto form = CreateMessageDialog("Text", TMsgDlgType::mtInformation, all);
  struct Expected {
    const char* name;
    const char* caption;
    TModalResult result;
  } expected[] = {
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
      {"Help", "&Help", mrNone},
  };
  int previousRight = -1;
  for (const Expected& e : expected) {
    auto* button = dynamic_cast<TButton*>(form->FindComponent(e.name));
    ASSERT_NE(button, nullptr) << e.name;
    EXPECT_EQ(button->Caption(), e.caption);
    EXPECT_EQ(button->ModalResult(), e.result) << e.name;
    EXPECT_GT(button->Left(), previousRight) << e.name;
    previousRight = button->Left() + button->Width() - 1;
  }
}

TEST_F(MessageDialog, CaptionAndIconFollowTheType) {
  Application->ChangeTitle("Velmora");
  struct Case {
    TMsgDlgType type;
    const char* caption;
    bool icon;
  } cases[] = {
      {TMsgDlgType::mtWarning, "Warning", true},
      {TMsgDlgType::mtError, "Error", true},
      {TMsgDlgType::mtInformation, "Information", true},
      {TMsgDlgType::mtConfirmation, "Confirm", true},
      {TMsgDlgType::mtCustom, "Velmora", false},
  };
  for (const Case& c : cases) {
    auto form = CreateMessageDialog("Text", c.type, {B::mbOK});
    EXPECT_EQ(form->Caption(), c.caption);
    auto* image = dynamic_cast<TImage*>(form->FindComponent("Image"));
    EXPECT_EQ(image != nullptr, c.icon) << c.caption;
    if (image) {
      EXPECT_EQ(image->Width(), 32);
      EXPECT_EQ(image->Height(), 32);
    }
  }
}

TEST_F(MessageDialog, LayoutPutsTheMessageAfterTheIconAndCentresTheButtons) {
  auto form = CreateMessageDialog("Could not find \"x\" in Memo1.", TMsgDlgType::mtError,
                                  {B::mbOK, B::mbCancel});
  auto* image = dynamic_cast<TControl*>(form->FindComponent("Image"));
  auto* label = dynamic_cast<TLabel*>(form->FindComponent("Message"));
  auto* ok = dynamic_cast<TControl*>(form->FindComponent("OK"));
  auto* cancel = dynamic_cast<TControl*>(form->FindComponent("Cancel"));
  ASSERT_TRUE(image && label && ok && cancel);
  EXPECT_TRUE(label->WordWrap());
  EXPECT_GT(image->Left(), 0);
  EXPECT_EQ(label->Top(), image->Top());
  EXPECT_GT(label->Left(), image->Left() + image->Width());
  EXPECT_LE(label->Left() + label->Width(), form->ClientWidth() - image->Left());
  EXPECT_EQ(ok->Top(), cancel->Top());
  EXPECT_GT(ok->Top(), image->Top() + image->Height());
  EXPECT_EQ(ok->Top() + ok->Height() + image->Top(), form->ClientHeight()) << "bottom margin";
  int leftGap = ok->Left();
  int rightGap = form->ClientWidth() - (cancel->Left() + cancel->Width());
  EXPECT_LE(std::abs(leftGap - rightGap), 1);
}

TEST_F(MessageDialog, LongMessageWrapsWithinHalfTheScreen) {
  AnsiString text;
  for (int i = 0; i < 60; ++i) text += "word ";
  auto form = CreateMessageDialog(text, TMsgDlgType::mtInformation, {B::mbOK});
  auto* label = dynamic_cast<TLabel*>(form->FindComponent("Message"));
  ASSERT_NE(label, nullptr);
  EXPECT_LE(label->Width(), GetSystemMetrics(SM_CXSCREEN) / 2);
  EXPECT_GT(label->Height(), 3 * 13) << "several lines";
}

TEST_F(MessageDialog, RightToLeftPutsTheIconAtTheRightAndTheMessageBeforeIt) {
  auto leftToRight = CreateMessageDialog("Text", TMsgDlgType::mtError, {B::mbOK});
  int margin = dynamic_cast<TControl*>(leftToRight->FindComponent("Image"))->Left();
  Application->SetBiDiMode(TBiDiMode::bdRightToLeft);
  auto form = CreateMessageDialog("Text", TMsgDlgType::mtError, {B::mbOK});
  auto* image = dynamic_cast<TControl*>(form->FindComponent("Image"));
  auto* label = dynamic_cast<TControl*>(form->FindComponent("Message"));
  ASSERT_TRUE(image && label);
  EXPECT_EQ(form->BiDiMode(), TBiDiMode::bdRightToLeft);
  EXPECT_EQ(form->ClientWidth() - (image->Left() + image->Width()), margin);
  EXPECT_LT(label->Left() + label->Width(), image->Left());
}

TEST_F(MessageDialog, CtrlCCopiesTheDialogAsText) {
  TModalResult result = Run("Could not find \"abc\" in Memo1.", TMsgDlgType::mtError,
                            {B::mbOK, B::mbCancel}, [this](HWND) {
                              Chord(VK_CONTROL, 'C');
                              screen_->Tap(VK_ESCAPE);
                            });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(GetClipboardTextA(),
            "---------------------------\r\n"
            "Error\r\n"
            "---------------------------\r\n"
            "Could not find \"abc\" in Memo1.\r\n"
            "---------------------------\r\n"
            "OK   Cancel   \r\n"
            "---------------------------\r\n");
  EXPECT_EQ(screen_->Beeps(), 1);
}

TEST_F(MessageDialog, CopyFailsClearlyWhenTheClipboardIsHeld) {
  HWND holder =
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(OpenClipboard(holder));
  Run("Text", TMsgDlgType::mtWarning, {B::mbOK}, [this](HWND) {
    Chord(VK_CONTROL, 'C');
    screen_->Tap(VK_RETURN);
  });
  CloseClipboard();
  DestroyWindow(holder);
  auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Cannot open clipboard.");
}

TEST_F(MessageDialog, OtherWindowsAreDisabledWhileItRunsAndEnabledAfter) {
  auto* other = new TForm(Application);
  other->Show();
  HWND otherWindow = other->Handle();
  bool enabledWhileOpen = true;
  AnsiString caption;
  Run("Text", TMsgDlgType::mtInformation, {B::mbOK}, [&](HWND dialog) {
    enabledWhileOpen = IsWindowEnabled(otherWindow);
    caption = GetWindowString(dialog);
    screen_->Tap(VK_RETURN);
  });
  EXPECT_FALSE(enabledWhileOpen);
  EXPECT_EQ(caption, "Information");
  EXPECT_TRUE(IsWindowEnabled(otherWindow));
}

TEST_F(MessageDialog, ClosingTheWindowAnswersCancel) {
  TModalResult result = Run("Text", TMsgDlgType::mtConfirmation, {B::mbYes, B::mbNo},
                            [this](HWND dialog) { screen_->RequestClose(dialog); });
  EXPECT_EQ(result, mrCancel);
}

}  // namespace
}  // namespace frameworktest
