// The main window's handlers: window chrome, category hover and switch, record navigation, and
// the main window's class record.
#include "app/unit1.h"

#include <array>

#include "controls/edit.h"
#include "controls/groupbox.h"
#include "controls/image.h"
#include "controls/label.h"
#include "controls/panel.h"
#include "controls/radio_button.h"
#include "controls/shape.h"
#include "controls/speed_button.h"
#include "core/classes.h"
#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/ado_table.h"
#include "data/datasource.h"
#include "dbcontrols/custom_db_grid.h"
#include "dbcontrols/db_memo.h"
#include "dbcontrols/db_text.h"
#include "framework/application.h"
#include "framework/find_dialog.h"
#include "framework/font_dialog.h"
#include "platform/shell.h"

namespace {

// The highlight's Top beside each category's label (Left is always the same).
constexpr std::array<int, 6> kHighlightTops = {107, 142, 176, 210, 243, 277};
constexpr int kHighlightLeft = 658;

void Hover(TLabel* label, TColor colour) {
  if (label) label->Font()->SetColor(colour);
}

void SetShown(TControl* control, bool visible) {
  if (control) control->SetVisible(visible);
}

}  // namespace

void Tmain::FormCreate(TObject*) {
  SwitchCategory(1, true);
}

void Tmain::Shape2MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  Close();
}
void Tmain::Shape2MouseMove(TObject*, TShiftState, int, int) {}

void Tmain::Shape3MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  SetWindowState(TWindowState::wsMinimized);
}
void Tmain::Shape3MouseMove(TObject*, TShiftState, int, int) {}

void Tmain::Shape1MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  // The result is not looked at: an address that cannot be opened is not reported.
  platform::ShellExecuteA(Application->Handle(), "open", kMakerAddress, nullptr, nullptr,
                          platform::SW_SHOWNORMAL);
}

void Tmain::Label1MouseMove(TObject*, TShiftState, int, int) {
  Hover(Label1, clGreen);
}
void Tmain::Label3MouseMove(TObject*, TShiftState, int, int) {
  Hover(Label3, clGreen);
}
void Tmain::Label4MouseMove(TObject*, TShiftState, int, int) {
  Hover(Label4, clGreen);
}
void Tmain::Label5MouseMove(TObject*, TShiftState, int, int) {
  Hover(Label5, clGreen);
}
void Tmain::Label6MouseMove(TObject*, TShiftState, int, int) {
  Hover(Label6, clGreen);
}
void Tmain::Label7MouseMove(TObject*, TShiftState, int, int) {
  Hover(Label7, clGreen);
}
void Tmain::Label1MouseLeave(TObject*) {
  Hover(Label1, clMaroon);
}
void Tmain::Label3MouseLeave(TObject*) {
  Hover(Label3, clMaroon);
}
void Tmain::Label4MouseLeave(TObject*) {
  Hover(Label4, clMaroon);
}
void Tmain::Label5MouseLeave(TObject*) {
  Hover(Label5, clMaroon);
}
void Tmain::Label6MouseLeave(TObject*) {
  Hover(Label6, clMaroon);
}
void Tmain::Label7MouseLeave(TObject*) {
  Hover(Label7, clMaroon);
}

void Tmain::Label1Click(TObject*) {
  SwitchCategory(1, true);
}
void Tmain::Label3Click(TObject*) {
  SwitchCategory(2, false);
}
void Tmain::Label6Click(TObject*) {
  SwitchCategory(3, false);
}
void Tmain::Label4Click(TObject*) {
  SwitchCategory(4, false);
}
void Tmain::Label5Click(TObject*) {
  SwitchCategory(5, false);
}
void Tmain::Label7Click(TObject*) {
  SwitchCategory(6, false);
}

namespace {
// The navigation buttons look for the group on show in this order.
constexpr std::initializer_list<int> kNavigationOrder = {1, 4, 2, 5, 3, 6, 7};
}  // namespace

void Tmain::SpeedButton3Click(TObject*) {
  if (TADOQuery* query = GroupNumbered(GroupOnShow(kNavigationOrder)).query) query->MoveToFirst();
}
void Tmain::SpeedButton1Click(TObject*) {
  if (TADOQuery* query = GroupNumbered(GroupOnShow(kNavigationOrder)).query) query->MoveToPrior();
}
void Tmain::SpeedButton2Click(TObject*) {
  if (TADOQuery* query = GroupNumbered(GroupOnShow(kNavigationOrder)).query) query->MoveToNext();
}
void Tmain::SpeedButton4Click(TObject*) {
  if (TADOQuery* query = GroupNumbered(GroupOnShow(kNavigationOrder)).query) query->MoveToLast();
}

Tmain::Group Tmain::GroupNumbered(int g) {
  switch (g) {
    case 1:
      return {DBTextkolliyat, Memopokolliyat, Memopakolliyat, Memomankolliyat, DBkolliyat,
              Qkolliyat,      FindDialog1,    FontDialog1};
    case 2:
      return {DBTextmoghadamat, Memopomoghadamat, Memopamoghadamat, Memomamoghadamat,
              DBmoghadamat,     Qmoghadamat,      FindDialog3,      FontDialog2};
    case 3:
      return {DBTextvajeb, Memopovajeb, Memopavajeb, Memomavajeb,
              DBvajeb,     Qvajeb,      FindDialog5, FontDialog3};
    case 4:
      return {DBTextmostahab, Memopomostahab, Memopamostahab, Memomamostahab,
              DBmostahab,     Qmostahab,      FindDialog2,    FontDialog4};
    case 5:
      return {DBTextnamaz, Memoponamaz, Memopanamaz, Memomanamaz,
              DBnamaz,     Qnamaz,      FindDialog4, FontDialog5};
    case 6:
      return {DBTextmotefar, Memopomotefar, Memopamotefar, Memomamotefar,
              DBmotefar,     Qmotefar,      FindDialog6,   FontDialog6};
    case 7:
      return {DBTextpnamaz, Memopopnamaz, Memopapnamaz, Memomapnamaz,
              DBpnamaz,     qpnamaz,      nullptr,      FontDialog7};
    default:
      return {};
  }
}

int Tmain::GroupOnShow(std::initializer_list<int> order) {
  for (int g : order) {
    TDBMemo* answer = GroupNumbered(g).answer;
    if (answer && answer->Visible()) return g;
  }
  return 0;
}

void Tmain::SetCategoryVisible(int g, bool visible) {
  Group group = GroupNumbered(g);
  SetShown(group.summary, visible);
  // The third category sets its answer memo before its question memo.
  if (g == 3) {
    SetShown(group.answer, visible);
    SetShown(group.question, visible);
  } else {
    SetShown(group.question, visible);
    SetShown(group.answer, visible);
  }
  SetShown(group.footnote, visible);
  SetShown(group.grid, visible);
}

void Tmain::SwitchCategory(int k, bool topFirst) {
  SetShown(Label8, false);
  if (Image2) {
    int top = kHighlightTops[static_cast<std::size_t>(k - 1)];
    if (topFirst) {
      Image2->SetTop(top);
      Image2->SetLeft(kHighlightLeft);
    } else {
      Image2->SetLeft(kHighlightLeft);
      Image2->SetTop(top);
    }
  }
  for (int g = 1; g <= 6; ++g) SetCategoryVisible(g, g == k);
  SetShown(Panel1, false);
  SetShown(Memopapnamaz, false);
  SetShown(Memopopnamaz, false);
  SetShown(Memomapnamaz, false);
  SetShown(DBTextpnamaz, false);
}

namespace {

const auto kTmain = RegisterClass<Tmain, TForm>("Tmain")
                        .Field("Label2", &Tmain::Label2)
                        .Field("Image1", &Tmain::Image1)
                        .Field("Label1", &Tmain::Label1)
                        .Field("Label3", &Tmain::Label3)
                        .Field("Label4", &Tmain::Label4)
                        .Field("Label5", &Tmain::Label5)
                        .Field("Label6", &Tmain::Label6)
                        .Field("Label7", &Tmain::Label7)
                        .Field("ADOConnection1", &Tmain::ADOConnection1)
                        .Field("ADOTable1", &Tmain::ADOTable1)
                        .Field("DataSource1", &Tmain::DataSource1)
                        .Field("Qkolliyat", &Tmain::Qkolliyat)
                        .Field("Dqkolliyat", &Tmain::Dqkolliyat)
                        .Field("DBkolliyat", &Tmain::DBkolliyat)
                        .Field("DBTextkolliyat", &Tmain::DBTextkolliyat)
                        .Field("Memopokolliyat", &Tmain::Memopokolliyat)
                        .Field("Memopakolliyat", &Tmain::Memopakolliyat)
                        .Field("Memomankolliyat", &Tmain::Memomankolliyat)
                        .Field("Edit1", &Tmain::Edit1)
                        .Field("Label8", &Tmain::Label8)
                        .Field("Label9", &Tmain::Label9)
                        .Field("SpeedButton5", &Tmain::SpeedButton5)
                        .Field("SpeedButton1", &Tmain::SpeedButton1)
                        .Field("SpeedButton2", &Tmain::SpeedButton2)
                        .Field("SpeedButton3", &Tmain::SpeedButton3)
                        .Field("SpeedButton4", &Tmain::SpeedButton4)
                        .Field("SpeedButton6", &Tmain::SpeedButton6)
                        .Field("FindDialog1", &Tmain::FindDialog1)
                        .Field("FontDialog1", &Tmain::FontDialog1)
                        .Field("SpeedButton7", &Tmain::SpeedButton7)
                        .Field("Memopomoghadamat", &Tmain::Memopomoghadamat)
                        .Field("ADOTable2", &Tmain::ADOTable2)
                        .Field("DataSource2", &Tmain::DataSource2)
                        .Field("Qmoghadamat", &Tmain::Qmoghadamat)
                        .Field("Dmoghadamat", &Tmain::Dmoghadamat)
                        .Field("DBTextmoghadamat", &Tmain::DBTextmoghadamat)
                        .Field("Memopamoghadamat", &Tmain::Memopamoghadamat)
                        .Field("Memomamoghadamat", &Tmain::Memomamoghadamat)
                        .Field("DBmoghadamat", &Tmain::DBmoghadamat)
                        .Field("ADOTable3", &Tmain::ADOTable3)
                        .Field("DataSource3", &Tmain::DataSource3)
                        .Field("Qvajeb", &Tmain::Qvajeb)
                        .Field("Dvajeb", &Tmain::Dvajeb)
                        .Field("DBTextvajeb", &Tmain::DBTextvajeb)
                        .Field("Memopovajeb", &Tmain::Memopovajeb)
                        .Field("Memopavajeb", &Tmain::Memopavajeb)
                        .Field("Memomavajeb", &Tmain::Memomavajeb)
                        .Field("DBvajeb", &Tmain::DBvajeb)
                        .Field("ADOTable4", &Tmain::ADOTable4)
                        .Field("DataSource4", &Tmain::DataSource4)
                        .Field("Qmostahab", &Tmain::Qmostahab)
                        .Field("Dmostahab", &Tmain::Dmostahab)
                        .Field("DBTextmostahab", &Tmain::DBTextmostahab)
                        .Field("Memopomostahab", &Tmain::Memopomostahab)
                        .Field("Memopamostahab", &Tmain::Memopamostahab)
                        .Field("Memomamostahab", &Tmain::Memomamostahab)
                        .Field("DBmostahab", &Tmain::DBmostahab)
                        .Field("ADOTable5", &Tmain::ADOTable5)
                        .Field("DataSource5", &Tmain::DataSource5)
                        .Field("Qnamaz", &Tmain::Qnamaz)
                        .Field("Dnamaz", &Tmain::Dnamaz)
                        .Field("DBTextnamaz", &Tmain::DBTextnamaz)
                        .Field("Memoponamaz", &Tmain::Memoponamaz)
                        .Field("Memopanamaz", &Tmain::Memopanamaz)
                        .Field("Memomanamaz", &Tmain::Memomanamaz)
                        .Field("DBnamaz", &Tmain::DBnamaz)
                        .Field("ADOTable6", &Tmain::ADOTable6)
                        .Field("DataSource6", &Tmain::DataSource6)
                        .Field("Qmotefar", &Tmain::Qmotefar)
                        .Field("Dmotefar", &Tmain::Dmotefar)
                        .Field("DBTextmotefar", &Tmain::DBTextmotefar)
                        .Field("Memopomotefar", &Tmain::Memopomotefar)
                        .Field("Memopamotefar", &Tmain::Memopamotefar)
                        .Field("Memomamotefar", &Tmain::Memomamotefar)
                        .Field("DBmotefar", &Tmain::DBmotefar)
                        .Field("FontDialog2", &Tmain::FontDialog2)
                        .Field("FontDialog3", &Tmain::FontDialog3)
                        .Field("FontDialog4", &Tmain::FontDialog4)
                        .Field("FontDialog5", &Tmain::FontDialog5)
                        .Field("FontDialog6", &Tmain::FontDialog6)
                        .Field("Image2", &Tmain::Image2)
                        .Field("FindDialog2", &Tmain::FindDialog2)
                        .Field("FindDialog3", &Tmain::FindDialog3)
                        .Field("FindDialog4", &Tmain::FindDialog4)
                        .Field("FindDialog5", &Tmain::FindDialog5)
                        .Field("FindDialog6", &Tmain::FindDialog6)
                        .Field("Panel1", &Tmain::Panel1)
                        .Field("Image3", &Tmain::Image3)
                        .Field("SpeedButton8", &Tmain::SpeedButton8)
                        .Field("DBpnamaz", &Tmain::DBpnamaz)
                        .Field("GroupBox1", &Tmain::GroupBox1)
                        .Field("RadioButton1", &Tmain::RadioButton1)
                        .Field("RadioButton2", &Tmain::RadioButton2)
                        .Field("SpeedButton9", &Tmain::SpeedButton9)
                        .Field("SpeedButton10", &Tmain::SpeedButton10)
                        .Field("ADOTable7", &Tmain::ADOTable7)
                        .Field("DataSource7", &Tmain::DataSource7)
                        .Field("qpnamaz", &Tmain::qpnamaz)
                        .Field("Dqpnamaz", &Tmain::Dqpnamaz)
                        .Field("DBTextpnamaz", &Tmain::DBTextpnamaz)
                        .Field("Memopopnamaz", &Tmain::Memopopnamaz)
                        .Field("Memopapnamaz", &Tmain::Memopapnamaz)
                        .Field("Memomapnamaz", &Tmain::Memomapnamaz)
                        .Field("ebarat", &Tmain::ebarat)
                        .Field("FontDialog7", &Tmain::FontDialog7)
                        .Field("Shape1", &Tmain::Shape1)
                        .Field("Shape2", &Tmain::Shape2)
                        .Field("Shape3", &Tmain::Shape3)
                        .Field("Shape4", &Tmain::Shape4)
                        .Method("FormCreate", &Tmain::FormCreate)
                        .Method("Shape2MouseDown", &Tmain::Shape2MouseDown)
                        .Method("Shape2MouseMove", &Tmain::Shape2MouseMove)
                        .Method("Shape3MouseDown", &Tmain::Shape3MouseDown)
                        .Method("Shape3MouseMove", &Tmain::Shape3MouseMove)
                        .Method("Shape1MouseDown", &Tmain::Shape1MouseDown)
                        .Method("Label1MouseMove", &Tmain::Label1MouseMove)
                        .Method("Label3MouseMove", &Tmain::Label3MouseMove)
                        .Method("Label4MouseMove", &Tmain::Label4MouseMove)
                        .Method("Label5MouseMove", &Tmain::Label5MouseMove)
                        .Method("Label6MouseMove", &Tmain::Label6MouseMove)
                        .Method("Label7MouseMove", &Tmain::Label7MouseMove)
                        .Method("Label1MouseLeave", &Tmain::Label1MouseLeave)
                        .Method("Label3MouseLeave", &Tmain::Label3MouseLeave)
                        .Method("Label4MouseLeave", &Tmain::Label4MouseLeave)
                        .Method("Label5MouseLeave", &Tmain::Label5MouseLeave)
                        .Method("Label6MouseLeave", &Tmain::Label6MouseLeave)
                        .Method("Label7MouseLeave", &Tmain::Label7MouseLeave)
                        .Method("Label1Click", &Tmain::Label1Click)
                        .Method("Label3Click", &Tmain::Label3Click)
                        .Method("Label6Click", &Tmain::Label6Click)
                        .Method("Label4Click", &Tmain::Label4Click)
                        .Method("Label5Click", &Tmain::Label5Click)
                        .Method("Label7Click", &Tmain::Label7Click)
                        .Method("SpeedButton3Click", &Tmain::SpeedButton3Click)
                        .Method("SpeedButton1Click", &Tmain::SpeedButton1Click)
                        .Method("SpeedButton2Click", &Tmain::SpeedButton2Click)
                        .Method("SpeedButton4Click", &Tmain::SpeedButton4Click)
                        .Method("Edit1Change", &Tmain::Edit1Change)
                        .Method("SpeedButton5Click", &Tmain::SpeedButton5Click)
                        .Method("SpeedButton8Click", &Tmain::SpeedButton8Click)
                        .Method("SpeedButton9Click", &Tmain::SpeedButton9Click)
                        .Method("SpeedButton10Click", &Tmain::SpeedButton10Click)
                        .Method("SpeedButton6Click", &Tmain::SpeedButton6Click)
                        .Method("FindDialog1Find", &Tmain::FindDialog1Find)
                        .Method("FindDialog2Find", &Tmain::FindDialog2Find)
                        .Method("FindDialog3Find", &Tmain::FindDialog3Find)
                        .Method("FindDialog4Find", &Tmain::FindDialog4Find)
                        .Method("FindDialog5Find", &Tmain::FindDialog5Find)
                        .Method("FindDialog6Find", &Tmain::FindDialog6Find)
                        .Method("SpeedButton7Click", &Tmain::SpeedButton7Click);

}  // namespace
