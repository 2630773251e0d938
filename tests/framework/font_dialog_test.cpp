// The font dialog component: the request it makes from Font, what comes back into Font on OK,
// Cancel and Apply, and the modified flags of colour and character set.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/identtables.h"
#include "platform/combobox.h"
#include "platform/commdlg.h"
#include "platform/dialog.h"
#include "tests/framework/framework_fixture.h"

using namespace platform;

namespace frameworktest {
namespace {

using F = TFontDialogOption;

class FontDialogComponent : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    Application->MakeForm(form_);
    form_->Show();
    Application->ProcessMessages();
    dialog_ = form_->FontDialog1;
  }

  // Executes the dialog; `whileOpen` runs with its window once it shows.
  bool Run(std::function<void(HWND)> whileOpen) {
    WhenOpen(std::move(whileOpen));
    return dialog_->Execute();
  }

  void Key(int key, int modifier = 0) {
    if (modifier) screen_->KeyDown(modifier);
    screen_->Tap(key);
    if (modifier) screen_->KeyUp(modifier);
  }
  // Selects all of a combo box's edit through its mnemonic and types over it.
  void TypeInto(char mnemonic, const std::string& text) {
    Key(mnemonic, VK_MENU);
    screen_->TypeText(text);
  }

  TDialogForm* form_ = nullptr;
  TFontDialog* dialog_ = nullptr;
};

TEST_F(FontDialogComponent, StoredFontAndDefaultsAreRead) {
  const TFont& font = *dialog_->Font();
  EXPECT_EQ(font.Name(), "MS Sans Serif");
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.Color(), clWindowText);
  EXPECT_EQ(font.Charset(), ::DEFAULT_CHARSET);
  EXPECT_EQ(dialog_->Options(), TFontDialogOptions{F::fdEffects});
  EXPECT_EQ(dialog_->Device(), TFontDialogDevice::fdScreen);
  EXPECT_EQ(dialog_->MinFontSize(), 0);
  EXPECT_EQ(dialog_->MaxFontSize(), 0);
}

TEST_F(FontDialogComponent, OptionsAddTheirSystemFlags) {
  struct Case {
    TFontDialogOption option;
    DWORD flag;
  } cases[] = {
      {F::fdAnsiOnly, 0x400},        {F::fdTrueTypeOnly, 0x40000},   {F::fdEffects, 0x100},
      {F::fdFixedPitchOnly, 0x4000}, {F::fdForceFontExist, 0x10000}, {F::fdNoFaceSel, 0x80000},
      {F::fdNoOEMFonts, 0x800},      {F::fdNoSimulations, 0x1000},   {F::fdNoSizeSel, 0x200000},
      {F::fdNoStyleSel, 0x100000},   {F::fdNoVectorFonts, 0x800},    {F::fdShowHelp, 0x4},
      {F::fdWysiwyg, 0x28003},       {F::fdLimitSize, 0x2000},       {F::fdScalableOnly, 0x20000},
      {F::fdApplyButton, 0x200},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FontDialogOptionsToFlags({c.option}), c.flag) << static_cast<int>(c.option);
  }
}

TEST_F(FontDialogComponent, OpensOnItsFontAtOneThirdOfTheHeightWithTheRestDisabled) {
  std::string face, caption;
  bool mainEnabled = true;
  RECT r{};
  bool ok = Run([&](HWND window) {
    caption = GetWindowString(window);
    face = GetWindowString(GetDlgItem(window, kFaceCombo));
    mainEnabled = IsWindowEnabled(form_->Handle());
    GetWindowRect(window, &r);
    Key(VK_ESCAPE);
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(caption, "Font");
  EXPECT_EQ(face, "MS Sans Serif") << "the dialog's own font, not a control's";
  EXPECT_FALSE(mainEnabled);
  EXPECT_TRUE(IsWindowEnabled(form_->Handle()));
  EXPECT_EQ(r.left, (1024 - (r.right - r.left)) / 2);
  EXPECT_EQ(r.top, (768 - (r.bottom - r.top)) / 3);
}

TEST_F(FontDialogComponent, CancelLeavesTheFontUntouched) {
  bool ok = Run([&](HWND) {
    TypeInto('F', "Tahoma");
    TypeInto('S', "20");
    Key(VK_ESCAPE);
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(dialog_->Font()->Name(), "MS Sans Serif");
  EXPECT_EQ(dialog_->Font()->Height(), -11);
  EXPECT_EQ(dialog_->Font()->Charset(), ::DEFAULT_CHARSET);
}

TEST_F(FontDialogComponent, OkCopiesFaceSizeAndStyleBack) {
  bool ok = Run([&](HWND) {
    TypeInto('F', "Tahoma");
    TypeInto('Y', "Bold Italic");
    TypeInto('S', "14");
    Key('U', VK_MENU);
    Key(VK_RETURN);
  });
  ASSERT_TRUE(ok);
  const TFont& font = *dialog_->Font();
  EXPECT_EQ(font.Name(), "Tahoma");
  EXPECT_EQ(font.Height(), -19) << "14 points on a 96 dpi screen";
  EXPECT_EQ(font.Size(), 14);
  EXPECT_EQ(font.Style(),
            (TFontStyles{TFontStyle::fsBold, TFontStyle::fsItalic, TFontStyle::fsUnderline}));
}

TEST_F(FontDialogComponent, CharacterSetFollowsANewFaceOrAChosenScriptOnly) {
  struct Case {
    const char* face;      // typed into the face box; null: left alone
    bool pickScript;       // a script confirmed in the script list
    std::int32_t charset;  // in Font afterwards
  } cases[] = {
      {nullptr, false, ::DEFAULT_CHARSET},       // same face, script untouched: kept
      {"Titr", false, ::ARABIC_CHARSET},         // a Persian face brings its script
      {"Titr", false, ::ARABIC_CHARSET},         // the same face again: nothing changes
      {"MS Sans Serif", false, ::ANSI_CHARSET},  // back to a western face
  };
  for (const Case& c : cases) {
    Run([&](HWND) {
      if (c.face) TypeInto('F', c.face);
      Key(VK_RETURN);
    });
    EXPECT_EQ(dialog_->Font()->Charset(), c.charset) << (c.face ? c.face : "(unchanged)");
  }
  // The script list confirmed by the user counts even with the face unchanged.
  dialog_->Font()->SetName("Tahoma");
  dialog_->Font()->SetCharset(::DEFAULT_CHARSET);
  Run([&](HWND) {
    Key('R', VK_MENU);
    Key(VK_DOWN);
    Key(VK_RETURN);
  });
  int chosen = dialog_->Font()->Charset();
  EXPECT_NE(chosen, ::DEFAULT_CHARSET);
}

TEST_F(FontDialogComponent, ColourIsCopiedOnlyWhenChosen) {
  Run([&](HWND) {
    TypeInto('S', "12");
    Key(VK_RETURN);
  });
  EXPECT_EQ(dialog_->Font()->Color(), clWindowText) << "a system colour survives untouched";

  Run([&](HWND) {
    Key('C', VK_MENU);
    Key(VK_HOME);
    for (int i = 0; i < 9; ++i) Key(VK_DOWN);
    Key(VK_RETURN);
  });
  EXPECT_EQ(dialog_->Font()->Color(), static_cast<TColor>(RGB(255, 0, 0))) << "Red";

  Run([&](HWND) { Key(VK_RETURN); });
  EXPECT_EQ(dialog_->Font()->Color(), static_cast<TColor>(RGB(255, 0, 0)))
      << "the modified flag is reset at each execution";
}

TEST_F(FontDialogComponent, ApplyCopiesTheShownFontAndCallsOnApplyWithTheDialog) {
  struct Listener : TObject {
    std::vector<std::string> heights;
    HWND window = nullptr;
    TFontDialog* dialog = nullptr;
    // The second press fails.
    void Applied(TObject*, HWND wnd) {
      window = wnd;
      heights.push_back(std::to_string(dialog->Font()->Height()));
      if (heights.size() == 2) throw Exception("Not now");
    }
  } listener;
  listener.dialog = dialog_;
  dialog_->OnApply = TFDApplyEvent(&listener, &Listener::Applied);
  HWND shown = nullptr;
  bool applyVisible = false;
  bool ok = Run([&](HWND window) {
    shown = window;
    applyVisible = IsWindowVisible(GetDlgItem(window, kApplyButton));
    TypeInto('S', "18");
    Key('A', VK_MENU);
    TypeInto('S', "24");
    Key('A', VK_MENU);
    Key(VK_RETURN);  // closes the error report
    Key(VK_ESCAPE);
  });
  EXPECT_FALSE(ok);
  EXPECT_TRUE(applyVisible);
  EXPECT_EQ(listener.window, shown);
  EXPECT_EQ(listener.heights, (std::vector<std::string>{"-24", "-32"}));
  EXPECT_EQ(dialog_->Font()->Height(), -32) << "applied before the cancel";
  auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Not now.");
}

TEST_F(FontDialogComponent, AssigningAFontCopiesIt) {
  TFont other;
  other.SetName("Tahoma");
  other.SetHeight(-13);
  other.SetColor(clMaroon);
  dialog_->SetFont(&other);
  other.SetName("Titr");
  EXPECT_EQ(dialog_->Font()->Name(), "Tahoma");
  EXPECT_EQ(dialog_->Font()->Height(), -13);
  EXPECT_EQ(dialog_->Font()->Color(), clMaroon);
}

}  // namespace
}  // namespace frameworktest
