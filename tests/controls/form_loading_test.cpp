// Forms built from their stored descriptions: parents and owners, what controls inherit,
// tab order, client size, text-height scaling and the creation handler.
#include "controls/form_host.h"
#include "core/classes.h"
#include "core/exceptions.h"
#include "platform/codepage.h"
#include "platform/dc.h"
#include "platform/drawtext.h"
#include "platform/locale.h"
#include "platform/muldiv.h"
#include "platform/text.h"
#include "tests/controls/controls_fixture.h"

using namespace platform;

namespace controlstest {
namespace {

using FormLoading = ControlsTest;

TEST_F(FormLoading, ComponentsAreOwnedByTheFormAndParentedAsStored) {
  std::unique_ptr<TControlsForm> form(NewForm<TControlsForm>(nullptr));

  EXPECT_EQ(form->Name(), "ControlsForm");
  EXPECT_EQ(form->Caption(), Utf8ToAnsi("فرم آزمایشی"));
  ASSERT_EQ(form->ComponentCount(), 7);
  for (int i = 0; i < form->ComponentCount(); ++i) {
    EXPECT_EQ(form->Components(i)->Owner(), form.get());
  }
  EXPECT_EQ(form->Hot->Parent(), form.get());
  EXPECT_EQ(form->Inner->Parent(), form->Panel1);
  EXPECT_EQ(form->Box->Parent(), form->Panel1);
  // The form's controls in stored order, windowed and windowless alike.
  ASSERT_EQ(form->ControlCount(), 5);
  EXPECT_EQ(form->Controls(0), form->Back);
  EXPECT_EQ(form->Controls(2), form->Panel1);
  EXPECT_EQ(form->Controls(4), form->Late);
  EXPECT_EQ(form->Hot->BoundsRect().right, 60);
  EXPECT_EQ(form->Hot->Cursor(), crHandPoint);

  // Moving a control keeps one parent; a container cannot go inside itself.
  form->Hot->SetParent(form->Panel2);
  EXPECT_EQ(form->Panel2->ControlCount(), 1);
  EXPECT_EQ(form->ControlCount(), 4);
  EXPECT_THROW(form->Panel1->SetParent(form->Box), EInvalidOperation);
  EXPECT_THROW(form->Panel1->SetParent(form->Panel1), EInvalidOperation);
  EXPECT_EQ(form->Panel1->Parent(), form.get());
}

TEST_F(FormLoading, ControlsTakeFontColourAndModeFromTheirParentUnlessTheyHaveTheirOwn) {
  std::unique_ptr<TControlsForm> form(NewForm<TControlsForm>(nullptr));

  // The form's own values, as stored.
  EXPECT_EQ(form->Color(), 0xD4F0D3);
  EXPECT_EQ(form->Font()->Name(), "Tahoma");
  EXPECT_EQ(form->BiDiMode(), TBiDiMode::bdRightToLeft);
  // Panel2 stores none of them: it follows the form, except the colour a panel sets itself.
  EXPECT_TRUE(form->Panel2->ParentFont());
  EXPECT_EQ(form->Panel2->Font()->Height(), -12);
  EXPECT_EQ(form->Panel2->Font()->Charset(), ::ARABIC_CHARSET);
  EXPECT_EQ(form->Panel2->BiDiMode(), TBiDiMode::bdRightToLeft);
  EXPECT_EQ(form->Panel2->Color(), clBtnFace);
  // Panel1 has its own font, which the group box inside it inherits.
  EXPECT_FALSE(form->Panel1->ParentFont());
  EXPECT_EQ(form->Box->Font()->Height(), -15);
  EXPECT_EQ(form->Box->Font()->Color(), clMaroon);

  // Later changes flow down as long as the child keeps the Parent flags.
  form->Panel1->Font()->SetHeight(-20);
  EXPECT_EQ(form->Box->Font()->Height(), -20);
  EXPECT_EQ(form->Panel2->Font()->Height(), -12);
  form->Box->SetParentColor(true);
  form->Panel1->SetColor(clOlive);
  EXPECT_EQ(form->Box->Color(), clOlive);
  form->Box->SetColor(clRed);
  EXPECT_FALSE(form->Box->ParentColor());
  form->Panel1->SetColor(clNavy);
  EXPECT_EQ(form->Box->Color(), clRed);
}

TEST_F(FormLoading, RightToLeftFlagsFollowTheModeWhileTheLocaleIsRightToLeft) {
  std::unique_ptr<TControlsForm> form(NewForm<TControlsForm>(nullptr));
  ASSERT_TRUE(SysLocale().middleEast) << "the thread locale is Persian";
  TPanel* panel = form->Panel2;

  struct Case {
    TBiDiMode mode;
    UINT in;
    UINT out;
  };
  const Case cases[] = {
      {TBiDiMode::bdRightToLeft, DT_LEFT, DT_RIGHT | DT_RTLREADING},
      {TBiDiMode::bdRightToLeft, DT_RIGHT, DT_LEFT | DT_RTLREADING},
      {TBiDiMode::bdRightToLeft, DT_CENTER, DT_CENTER | DT_RTLREADING},
      {TBiDiMode::bdRightToLeftNoAlign, DT_LEFT, DT_LEFT | DT_RTLREADING},
      {TBiDiMode::bdRightToLeftReadingOnly, DT_RIGHT, DT_RIGHT | DT_RTLREADING},
      {TBiDiMode::bdLeftToRight, DT_LEFT, DT_LEFT},
      {TBiDiMode::bdLeftToRight, DT_RIGHT, DT_RIGHT},
  };
  for (const Case& c : cases) {
    panel->SetBiDiMode(c.mode);
    EXPECT_EQ(panel->DrawTextBiDiModeFlags(c.in), c.out) << static_cast<int>(c.mode);
  }
  EXPECT_FALSE(panel->ParentBiDiMode());
  panel->SetParentBiDiMode(true);
  EXPECT_EQ(panel->BiDiMode(), TBiDiMode::bdRightToLeft);
  EXPECT_TRUE(panel->UseRightToLeftScrollBar());
  EXPECT_EQ(panel->MirroredAlignment(TAlignment::taLeftJustify), TAlignment::taRightJustify);

  // The form's window reads right to left.
  LONG exStyle = GetWindowLongA(form->Handle(), GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_RTLREADING);
  EXPECT_TRUE(exStyle & WS_EX_LEFTSCROLLBAR);
}

TEST_F(FormLoading, StoredTabOrderDecidesTheFocusOrderAtEveryDepth) {
  std::unique_ptr<TControlsForm> form(NewForm<TControlsForm>(nullptr));

  EXPECT_EQ(form->Panel2->TabOrder(), 0);
  EXPECT_EQ(form->Panel1->TabOrder(), 1);
  std::vector<TWinControl*> order;
  form->GetTabOrderList(order);
  EXPECT_EQ(order, (std::vector<TWinControl*>{form->Panel2, form->Panel1, form->Box}));

  form->Panel1->SetTabOrder(0);
  EXPECT_EQ(form->Panel2->TabOrder(), 1);
  form->Panel1->SetTabOrder(99);  // past the end: the last place
  EXPECT_EQ(form->Panel1->TabOrder(), 1);
}

TEST_F(FormLoading, StoredClientSizeIsTheSizeOfTheBorderlessWindow) {
  std::unique_ptr<TControlsForm> form(NewForm<TControlsForm>(nullptr));

  EXPECT_EQ(form->ClientWidth(), 300);
  EXPECT_EQ(form->ClientHeight(), 200);
  EXPECT_EQ(form->Width(), 300);
  EXPECT_EQ(form->Height(), 200);
  EXPECT_FALSE(form->OldCreateOrder());
  EXPECT_EQ(form->PixelsPerInch(), 96);
  EXPECT_FALSE(form->Visible());
}

TEST_F(FormLoading, PixelsPerInchAcceptsZeroOrMoreThan35) {
  std::unique_ptr<TForm> form(NewForm<TForm>(nullptr));
  struct Case {
    int value;
    int kept;
  };
  const Case cases[] = {{120, 120}, {35, 120}, {-1, 120}, {36, 36}, {0, 0}, {96, 96}};
  for (const Case& c : cases) {
    form->SetPixelsPerInch(c.value);
    EXPECT_EQ(form->PixelsPerInch(), c.kept) << c.value;
  }
}

TEST_F(FormLoading, PositionsScaleByTheMeasuredOverTheStoredTextHeight) {
  HDC dc = CreateCompatibleDC(nullptr);
  TFont font;
  font.SetName("Tahoma");
  font.SetHeight(-12);
  font.SetCharset(::ARABIC_CHARSET);
  SelectObject(dc, font.Handle());
  SIZE zero{};
  GetTextExtentPoint32A(dc, "0", 1, &zero);
  DeleteDC(dc);
  const int m = zero.cy;
  ASSERT_NE(m, 7) << "the stored height must differ from the real one";

  std::unique_ptr<TScaledForm> form(NewForm<TScaledForm>(nullptr));

  EXPECT_EQ(form->Hot->Left(), MulDiv(10, m, 7));
  EXPECT_EQ(form->Hot->Top(), MulDiv(5, m, 7));
  EXPECT_EQ(form->Hot->Width(), MulDiv(30, m, 7) - MulDiv(10, m, 7));
  EXPECT_EQ(form->Hot->Height(), MulDiv(20, m, 7) - MulDiv(5, m, 7));
  EXPECT_EQ(form->ClientWidth(), MulDiv(150, m, 7));
  EXPECT_EQ(form->ClientHeight(), MulDiv(100, m, 7));
  // A control with its own font has it scaled; one taking the form's keeps the form's.
  EXPECT_EQ(form->Panel1->Font()->Size(), MulDiv(8, m, 7));
  EXPECT_EQ(form->Font()->Height(), -12);
}

class THighDpiForm : public TForm {
 public:
  using TForm::TForm;
  TPanel* Panel1 = nullptr;
};
[[maybe_unused]] const auto kTHighDpiForm =
    RegisterClass<THighDpiForm, TForm>("THighDpiForm").Field("Panel1", &THighDpiForm::Panel1);

TEST_F(FormLoading, FontStoredAtAnotherResolutionIsRescaledAndAStoredVisibleFormShows) {
  ASSERT_EQ(ScreenLogPixels(), 96);
  std::unique_ptr<THighDpiForm> form(NewForm<THighDpiForm>(nullptr));

  EXPECT_EQ(form->Font()->Height(), -12);
  EXPECT_EQ(form->PixelsPerInch(), 96);
  EXPECT_EQ(form->Panel1->Font()->Height(), -12) << "taken from the form";
  EXPECT_EQ(form->Panel1->Left(), 30) << "the text height matched: nothing moves";
  EXPECT_EQ(form->Panel1->Width(), 50);
  EXPECT_EQ(form->ClientWidth(), 150);
  EXPECT_TRUE(form->Visible());
  EXPECT_TRUE(IsWindowVisible(form->Handle())) << "shown after it was made";
}

TEST_F(FormLoading, CreationHandlerRunsOnceAfterEveryAfterLoadStep) {
  std::unique_ptr<TControlsForm> form(NewForm<TControlsForm>(nullptr));

  EXPECT_EQ(Log(), std::vector<AnsiString>{"create"});
  for (int i = 0; i < form->ComponentCount(); ++i) {
    EXPECT_FALSE(form->Components(i)->ComponentState().Contains(TComponentStateFlag::csLoading));
  }
}

TEST_F(FormLoading, FailingCreationHandlerIsReportedAndTheFormIsStillMade) {
  RecordingReports reports;
  auto* raw = new TControlsForm(nullptr);
  raw->failOnCreate = true;
  std::unique_ptr<TControlsForm> form(raw);
  ASSERT_NO_THROW(form->AfterConstruction());

  EXPECT_EQ(reports.Messages, std::vector<AnsiString>{"No categories"});
  EXPECT_NE(form->Panel1, nullptr);
}

class TUndescribedForm : public TForm {
 public:
  using TForm::TForm;
};
[[maybe_unused]] const auto kTUndescribedForm =
    RegisterClass<TUndescribedForm, TForm>("TUndescribedForm");

TEST_F(FormLoading, FormWithoutDescriptionFailsAndAPlainFormNeedsNone) {
  try {
    NewForm<TUndescribedForm>(nullptr);
    FAIL() << "no resource TUNDESCRIBEDFORM";
  } catch (const EResNotFound& e) {
    EXPECT_STREQ(e.what(), "Resource TUndescribedForm not found");
  }

  std::unique_ptr<TForm> plain(NewForm<TForm>(nullptr));
  EXPECT_EQ(plain->Width(), 320);
  EXPECT_EQ(plain->Height(), 240);
  EXPECT_EQ(plain->BorderStyle(), TFormBorderStyle::bsSizeable);
  EXPECT_EQ(plain->Color(), clBtnFace);
  EXPECT_FALSE(plain->Visible());
}

TEST_F(FormLoading, SecondInstanceOfAFormGetsANumberedName) {
  std::unique_ptr<TControlsForm> first(NewForm<TControlsForm>(nullptr));
  std::unique_ptr<TControlsForm> second(NewForm<TControlsForm>(nullptr));

  EXPECT_EQ(first->Name(), "ControlsForm");
  EXPECT_EQ(second->Name(), "ControlsForm_1");
}

}  // namespace
}  // namespace controlstest
