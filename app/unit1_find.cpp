// The main window's find in text, over the answer of the category on show with one position
// shared by the six find dialogs, and the font of the answer on show.
#include "app/unit1.h"
#include "dbcontrols/db_memo.h"
#include "framework/find_dialog.h"
#include "framework/font_dialog.h"
#include "framework/message_dialog.h"
#include "graphics/font.h"

void Tmain::SpeedButton6Click(TObject*) {
  int g = GroupOnShow({1, 4, 2, 5, 3, 6});
  if (TFindDialog* dialog = GroupNumbered(g).find) dialog->Execute();
}

void Tmain::FindDialog1Find(TObject*) {
  FindInAnswer(FindDialog1, Memopakolliyat);
}
void Tmain::FindDialog2Find(TObject*) {
  FindInAnswer(FindDialog2, Memopamostahab);
}
void Tmain::FindDialog3Find(TObject*) {
  FindInAnswer(FindDialog3, Memopamoghadamat);
}
void Tmain::FindDialog4Find(TObject*) {
  FindInAnswer(FindDialog4, Memopanamaz);
}
void Tmain::FindDialog5Find(TObject*) {
  FindInAnswer(FindDialog5, Memopavajeb);
}
void Tmain::FindDialog6Find(TObject*) {
  FindInAnswer(FindDialog6, Memopamotefar);
}

void Tmain::FindInAnswer(TFindDialog* dialog, TDBMemo* memo) {
  if (!dialog || !memo) return;
  TFindOptions options = dialog->Options();
  if (FindPos == 0) {
    options.Exclude(TFindOption::frFindNext);
    dialog->SetOptions(options);
  }
  const AnsiString text = dialog->FindText();
  const auto length = static_cast<std::int32_t>(text.size());
  const AnsiString answer = memo->Text();  // line breaks as CR LF, as the edit window holds them
  // After a match the search starts just past it; the text before is not looked at.
  std::int32_t start = 1;
  std::string_view searched = answer;
  if (options.Contains(TFindOption::frFindNext)) {
    start = length + FindPos;
    searched = static_cast<std::size_t>(start) <= answer.size()
                   ? searched.substr(static_cast<std::size_t>(start - 1))
                   : std::string_view();
  }
  // Exact bytes: no case folding, no whole words, always forwards. An empty text is no match.
  std::size_t at = text.empty() ? std::string_view::npos : searched.find(text);
  FindPos = at == std::string_view::npos ? 0 : static_cast<std::int32_t>(at) + 1;
  if (FindPos > 0) {
    FindPos = FindPos + start - 1;
    memo->SetSelStart(FindPos - 1);
    memo->SetSelLength(length);
    memo->TakeFocus();
    return;
  }
  AnsiString message = options.Contains(TFindOption::frFindNext)
                           ? "There are no further occurences of \""
                           : "Could not find \"";
  message += text + "\" in Memo1.";
  RunMessageDialog(message, TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK}, 0);
}

void Tmain::SpeedButton7Click(TObject*) {
  for (int g = 1; g <= 7; ++g) {
    Group group = GroupNumbered(g);
    if (!group.answer || !group.answer->Visible() || !group.font) continue;
    if (!group.font->Execute()) continue;
    // Name, size, colour and style only: the memo keeps its Arabic character set.
    TFont* chosen = group.font->Font();
    TFont* target = group.answer->Font();
    target->SetName(chosen->Name());
    target->SetSize(chosen->Size());
    target->SetColor(chosen->Color());
    target->SetStyle(chosen->Style());
    return;
  }
}
