// The main window's searches: the summary search of the category on show, its cancel, and the
// advanced search panel over the seventh table.
#include <array>

#include "app/unit1.h"
#include "controls/edit.h"
#include "controls/label.h"
#include "controls/panel.h"
#include "controls/radio_button.h"
#include "core/strings.h"
#include "core/sysutils.h"
#include "data/ado_query.h"
#include "dbcontrols/db_memo.h"
#include "dbcontrols/db_text.h"

namespace {

// The summary search and its cancel look for the category on show in this order.
constexpr std::initializer_list<int> kCategoryOrder = {1, 4, 2, 5, 3, 6};

// Per category 1 to 6: the summary search's prefix and the cancel statement.
constexpr std::array<const char*, 6> kSummaryPrefixes = {
    "SELECT * FROM kolliyat where kholase like ",
    "SELECT * FROM ejaz where kholase like ",
    "SELECT * FROM elm where kholase like ",
    "SELECT * FROM payambaran where kholase like ",
    "SELECT * FROM vahy where kholase like ",
    "SELECT * FROM mohamad where kholase like ",
};
constexpr std::array<const char*, 6> kCancelStatements = {
    "SELECT * FROM kolliyat ", "SELECT * FROM ejaz ",  "SELECT * FROM elm ",
    "SELECT * FROM payambaran ", "SELECT * FROM vahy ", "SELECT * FROM mohamad ",
};

// The user's text between percent signs, quoted; percent and underscore stay wildcards.
AnsiString Pattern(const AnsiString& text) {
  return QuotedStr("%" + text + "%");
}

}  // namespace

void Tmain::ReplaceStatement(TADOQuery* query, const AnsiString& statement) {
  query->SQL()->Clear();
  query->CloseDataSet();
  query->SQL()->Add(statement);
  query->OpenDataSet();
}

void Tmain::Edit1Change(TObject*) {
  if (Label8) Label8->SetVisible(true);
  int g = GroupOnShow(kCategoryOrder);
  TADOQuery* query = GroupNumbered(g).query;
  if (!query || !Edit1 || Edit1->Text().empty()) return;
  ReplaceStatement(query, kSummaryPrefixes[static_cast<std::size_t>(g - 1)] + Pattern(Edit1->Text()));
  if (Label9) Label9->SetCaption(Format("%d", query->TotalRecordCount()));
}

void Tmain::SpeedButton5Click(TObject*) {
  if (Label8) Label8->SetVisible(false);
  int g = GroupOnShow(kCategoryOrder);
  TADOQuery* query = GroupNumbered(g).query;
  if (!query) return;
  ReplaceStatement(query, kCancelStatements[static_cast<std::size_t>(g - 1)]);
  if (Label9) Label9->SetCaption("");
}

void Tmain::SpeedButton8Click(TObject*) {
  if (Panel1) Panel1->SetVisible(true);
  if (ebarat) FocusControl(ebarat);
  ShowAdvancedSearchControls();
  for (int g = 1; g <= 6; ++g) SetCategoryVisible(g, false);
}

void Tmain::SpeedButton9Click(TObject*) {
  const char* prefix = nullptr;
  if (RadioButton1 && RadioButton1->Checked()) {
    prefix = "SELECT * FROM ptarsilo where porsesh like ";
  } else if (RadioButton2 && RadioButton2->Checked()) {
    prefix = "SELECT * FROM ptarsilo where pasokh like ";
  }
  if (!prefix || !ebarat || ebarat->Text().empty() || !qpnamaz) return;
  ReplaceStatement(qpnamaz, prefix + Pattern(ebarat->Text()));
  ShowAdvancedSearchControls();
  for (int g = 1; g <= 6; ++g) {
    if (TDBText* summary = GroupNumbered(g).summary) summary->SetVisible(false);
  }
}

void Tmain::SpeedButton10Click(TObject*) {
  if (Panel1) Panel1->SetVisible(false);
  SwitchCategory(1, true);
}

void Tmain::ShowAdvancedSearchControls() {
  for (TControl* control : std::array<TControl*, 4>{Memopapnamaz, Memopopnamaz, Memomapnamaz,
                                                    DBTextpnamaz}) {
    if (control) control->SetVisible(true);
  }
}
