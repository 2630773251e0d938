// State entries of the dialog components: a find dialog's text, options and openness, and a
// font dialog's font.
#include <gtest/gtest.h>

#include "app/shot/component_state.h"
#include "framework/find_dialog.h"
#include "framework/font_dialog.h"

namespace {

TEST(DialogState, FindDialogGivesItsTextOptionsAndWhetherItIsOpen) {
  TComponent root(nullptr);
  auto* find = new TFindDialog(&root);
  find->SetName("FindDialog1");
  find->SetFindText("\xE3\xCA\xE4");  // "متن" in code page 1256
  find->SetOptions({TFindOption::frDown, TFindOption::frFindNext, TFindOption::frWholeWord});
  shot::StateRegistry registry;
  shot::AddDialogEntries(registry);
  EXPECT_EQ(registry.Entry(*find).Dump(),
            "{\n"
            "  \"name\": \"FindDialog1\",\n"
            "  \"class\": \"TFindDialog\",\n"
            "  \"findText\": \"\xD9\x85\xD8\xAA\xD9\x86\",\n"
            "  \"options\": [\"frDown\", \"frFindNext\", \"frWholeWord\"],\n"
            "  \"open\": false\n"
            "}\n");
}

TEST(DialogState, FontDialogGivesItsFont) {
  TComponent root(nullptr);
  auto* font = new TFontDialog(&root);
  font->SetName("FontDialog7");
  font->Font()->SetName("Tahoma");
  font->Font()->SetHeight(-19);
  font->Font()->SetStyle({TFontStyle::fsBold});
  shot::StateRegistry registry;
  shot::AddDialogEntries(registry);
  shot::Json entry = registry.Entry(*font);
  EXPECT_EQ(entry.Dump(),
            "{\n"
            "  \"name\": \"FontDialog7\",\n"
            "  \"class\": \"TFontDialog\",\n"
            "  \"font\": {\n"
            "    \"name\": \"Tahoma\",\n"
            "    \"height\": -19,\n"
            "    \"size\": 14,\n"
            "    \"color\": -16777208,\n"
            "    \"charset\": 1,\n"
            "    \"style\": [\"fsBold\"]\n"
            "  }\n"
            "}\n");
}

}  // namespace
