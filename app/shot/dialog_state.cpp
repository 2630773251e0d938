// The state entries of the dialog components: a find dialog's text, options and whether it is
// open, and a font dialog's font.
#include "app/shot/component_state.h"
#include "framework/find_dialog.h"
#include "framework/font_dialog.h"

namespace shot {
namespace {

constexpr const char* kFindOptionNames[] = {
    "frDown",       "frFindNext",         "frHideMatchCase", "frHideWholeWord",    "frHideUpDown",
    "frMatchCase",  "frDisableMatchCase", "frDisableUpDown", "frDisableWholeWord", "frReplace",
    "frReplaceAll", "frWholeWord",        "frShowHelp",
};

void FindDialogEntries(TFindDialog& dialog, Json& entry) {
  entry.Set("findText", Utf8(dialog.FindText()));
  Json options = Json::MakeArray();
  for (std::size_t i = 0; i < std::size(kFindOptionNames); ++i) {
    if (dialog.Options().Contains(static_cast<TFindOption>(i))) options.Push(kFindOptionNames[i]);
  }
  entry.Set("options", options);
  entry.Set("open", dialog.FindHandle() != nullptr);
}

}  // namespace

void AddDialogEntries(StateRegistry& registry) {
  registry.Add<TFindDialog>(FindDialogEntries);
  registry.Add<TFontDialog>(
      [](TFontDialog& dialog, Json& entry) { entry.Set("font", FontEntry(*dialog.Font())); });
}

}  // namespace shot
