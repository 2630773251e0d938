// Edits, memos, radio buttons and focus on a form built from its description: change events,
// selection on entry, selection by SelStart and SelLength, exclusive radio buttons and the
// focus rules.
#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "platform/codepage.h"
#include "platform/button.h"
#include "platform/edit.h"
#include "tests/controls/edit_controls_fixture.h"

using namespace platform;

namespace controlstest {
namespace {

TEST_F(EditControlsTest, LoadingTheStoredTextRaisesNoChangeAndTheFirstControlHasTheFocus) {
  EXPECT_EQ(form_->changes, 0);
  EXPECT_EQ(form_->Edit1->Text(), Utf8ToAnsi("نماز"));
  EXPECT_EQ(form_->ActiveControl(), form_->Edit1);
  EXPECT_TRUE(form_->Edit1->Focused());
  EXPECT_EQ(form_->Edit1->SelStart(), 0);
  EXPECT_EQ(form_->Edit1->SelLength(), 4) << "entered by the form, not a click: all selected";
  EXPECT_TRUE(form_->RadioButton1->Checked());
  EXPECT_FALSE(form_->RadioButton2->Checked());
  EXPECT_EQ(form_->Memo1->Lines()->Count(), 2);
}

TEST_F(EditControlsTest, EveryKeystrokeAndDeletionRaisesOneChange) {
  TEdit& edit = *form_->Edit1;
  edit.SetText("");
  EXPECT_EQ(form_->changes, 1) << "setting the text is a change";
  form_->changes = 0;
  Type("س");
  EXPECT_EQ(form_->changes, 1);
  Type("ل");
  EXPECT_EQ(form_->changes, 2);
  edit.SelectAll();
  Key(VK_DELETE);
  EXPECT_EQ(form_->changes, 3);
  EXPECT_EQ(edit.Text(), "");
  Key(VK_BACK);
  EXPECT_EQ(form_->changes, 3) << "nothing to delete, nothing changed";
}

TEST_F(EditControlsTest, TabbingSelectsTheWholeTextAndAClickDoesNot) {
  TEdit& box = *form_->ebarat;
  box.SetText("search words");
  Key(VK_TAB);
  EXPECT_EQ(form_->ActiveControl(), &box);
  EXPECT_EQ(box.SelStart(), 0);
  EXPECT_EQ(box.SelLength(), 12);
  Key(VK_TAB, true);
  EXPECT_EQ(form_->ActiveControl(), form_->Edit1);
  ClickOn(box, 20, 8);
  EXPECT_EQ(form_->ActiveControl(), &box);
  EXPECT_EQ(box.SelLength(), 0) << "a click places the caret";
  // The memo is multi-line: entering it never selects.
  form_->Memo1->TakeFocus();
  EXPECT_EQ(form_->Memo1->SelLength(), 0);
}

TEST_F(EditControlsTest, SelStartThenSelLengthSelectsARangeAndScrollsItIntoView) {
  TMemo& memo = *form_->Memo1;
  std::string text;
  for (int i = 0; i < 30; ++i) text += "line " + std::to_string(i) + "\r\n";
  memo.SetText(text);
  int start = int(text.find("line 25"));
  memo.SetSelStart(start);
  EXPECT_EQ(memo.SelLength(), 0);
  memo.SetSelLength(4);
  EXPECT_EQ(memo.SelStart(), start);
  EXPECT_EQ(memo.SelText(), "line");
  EXPECT_GT(SendMessageA(memo.Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 20);
  // Line breaks count as two characters: from 4 for 2 in "ab\r\ncd" is "cd".
  memo.SetText("ab\r\ncd");
  memo.SetSelStart(4);
  memo.SetSelLength(2);
  EXPECT_EQ(memo.SelText(), "cd");
}

TEST_F(EditControlsTest, AMemoReportsAssignedTextItselfAndItsLinesFollowTheText) {
  TMemo& memo = *form_->Memo1;
  memo.OnChange = TNotifyEvent(form_.get(), &TSearchForm::Edit1Change);
  form_->changes = 0;
  memo.SetText("a\r\nb");
  EXPECT_EQ(form_->changes, 1) << "one change, not two";
  memo.Lines()->Add("c");
  EXPECT_EQ(memo.Text(), "a\r\nb\r\nc");
  memo.Lines()->Delete(0);
  memo.Lines()->Put(0, "B");
  EXPECT_EQ(memo.Lines()->Get(0), "B");
  EXPECT_EQ(memo.Lines()->Count(), 2);
  EXPECT_THROW(memo.Lines()->Get(5), EListError);
  memo.Lines()->Clear();
  EXPECT_EQ(memo.Text(), "");
}

TEST_F(EditControlsTest, SettingAMemosLinesAsOneTextKeepsBlankLinesAndMakesBreaksCrLf) {
  struct Case {
    const char* given;
    const char* text;
    int lines;
  };
  const Case cases[] = {
      {"a\r\n\r\nb", "a\r\n\r\nb", 3},  // a paragraph break survives
      {"a\n\nb", "a\r\n\r\nb", 3},        // LF alone becomes CR LF
      {"a\r\rb", "a\r\n\r\nb", 3},        // so does CR alone
      {"a\r\n", "a\r\n", 1},              // a final break ends the last line
      {"", "", 0},
  };
  TMemo& memo = *form_->Memo1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.given);
    memo.Lines()->SetText(c.given);
    EXPECT_EQ(memo.Text(), c.text);
    EXPECT_EQ(memo.Lines()->Count(), c.lines);
  }
}

TEST_F(EditControlsTest, AMemoTakesEnterOnlyWithWantReturns) {
  TMemo& memo = *form_->Memo1;
  memo.TakeFocus();
  memo.SetText("ab");
  memo.SetSelStart(2);
  EXPECT_TRUE(memo.Perform(WM_GETDLGCODE) & DLGC_WANTALLKEYS);
  EXPECT_FALSE(memo.Perform(WM_GETDLGCODE) & DLGC_WANTTAB);
  Key(VK_RETURN);
  EXPECT_EQ(memo.Text(), "ab\r\n");
  memo.SetWantReturns(false);
  EXPECT_FALSE(memo.Perform(WM_GETDLGCODE) & DLGC_WANTALLKEYS);
  memo.Perform(WM_CHAR, '\r');
  EXPECT_EQ(memo.Text(), "ab\r\n");
}

TEST_F(EditControlsTest, RadioButtonsInOneContainerAreExclusive) {
  form_->radioClicks = 0;
  form_->RadioButton2->SetChecked(true);
  EXPECT_TRUE(form_->RadioButton2->Checked());
  EXPECT_FALSE(form_->RadioButton1->Checked());
  EXPECT_EQ(form_->radioClicks, 1);
  EXPECT_TRUE(form_->RadioButton2->TabStop());
  EXPECT_FALSE(form_->RadioButton1->TabStop());
  form_->RadioButton2->SetChecked(true);
  EXPECT_EQ(form_->radioClicks, 1) << "checking the checked button does nothing";
  // A click on the other one checks it through the system's notice.
  ClickOn(*form_->RadioButton1, 90, 8);
  EXPECT_TRUE(form_->RadioButton1->Checked());
  EXPECT_FALSE(form_->RadioButton2->Checked());
  EXPECT_EQ(form_->radioClicks, 2);
  EXPECT_EQ(SendMessageA(form_->RadioButton1->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(form_->RadioButton2->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(EditControlsTest, AButtonClickRaisesOnClick) {
  ClickOn(*form_->Button1, 30, 12);
  EXPECT_EQ(form_->buttonClicks, 1);
}

TEST_F(EditControlsTest, FocusingAHiddenOrDisabledControlFails) {
  form_->Memo1->Hide();
  try {
    form_->Memo1->TakeFocus();
    FAIL() << "a hidden memo took the focus";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Cannot focus a disabled or invisible window");
  }
  form_->GroupBox1->SetEnabled(false);
  EXPECT_FALSE(form_->RadioButton1->IsFocusable()) << "inside a disabled container";
  EXPECT_THROW(form_->RadioButton1->TakeFocus(), EInvalidOperation);
  form_->GroupBox1->SetEnabled(true);
  form_->RadioButton1->TakeFocus();
  EXPECT_TRUE(form_->RadioButton1->Focused());
}

TEST_F(EditControlsTest, AnEditWithoutFormOrParentWindowCannotTakeTheFocus) {
  TEdit loose(nullptr);
  loose.SetName("Loose");
  try {
    loose.TakeFocus();
    FAIL() << "an edit with no window to live in took the focus";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Control 'Loose' has no parent window");
  }
}

TEST_F(EditControlsTest, TabAndShiftTabFollowTheTabOrder) {
  std::vector<TWinControl*> seen;
  for (int i = 0; i < 5; ++i) {
    Key(VK_TAB);
    seen.push_back(form_->ActiveControl());
  }
  // Only the checked radio button is a tab stop; the group box has none.
  std::vector<TWinControl*> expected = {form_->ebarat, form_->Memo1, form_->RadioButton1,
                                        form_->Button1, form_->Edit1};
  EXPECT_EQ(seen, expected);
  Key(VK_TAB, true);
  EXPECT_EQ(form_->ActiveControl(), form_->Button1);
}

TEST_F(EditControlsTest, BorderlessEditsKeepTheirHeightAndBoxedOnesFitTheFont) {
  EXPECT_EQ(form_->Edit1->Height(), 18);
  EXPECT_EQ(form_->ebarat->Height(), 14 + 8) << "the font's height and the border allowance";
  EXPECT_TRUE(GetWindowLongA(form_->ebarat->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_FALSE(GetWindowLongA(form_->Edit1->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  const char* dir = std::getenv("VELMORA_PICTURES");
  if (dir) screen_->WritePng(form_->Handle(), std::string(dir) + "/search_form.png");
}

}  // namespace
}  // namespace controlstest
