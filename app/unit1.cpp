// The main window's handlers: window chrome, category hover and switch, record navigation.
#include "app/unit1.h"

#include <array>

#include "controls/groupbox.h"
#include "controls/image.h"
#include "controls/label.h"
#include "controls/panel.h"
#include "controls/shape.h"
#include "controls/speed_button.h"
#include "core/classes.h"
#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/ado_table.h"
#include "data/datasource.h"
#include "framework/application.h"
#include "platform/shell.h"

namespace {

// One topic category's display controls, in the order the category switch sets them.
struct CategoryControls {
  std::array<const char*, 5> inSwitchOrder;
  int highlightTop;
};

constexpr std::array<CategoryControls, 6> kCategories = {{
    {{"DBTextkolliyat", "Memopokolliyat", "Memopakolliyat", "Memomankolliyat", "DBkolliyat"}, 107},
    {{"DBTextmoghadamat", "Memopomoghadamat", "Memopamoghadamat", "Memomamoghadamat",
      "DBmoghadamat"},
     142},
    // The third category's answer memo comes before its question memo.
    {{"DBTextvajeb", "Memopavajeb", "Memopovajeb", "Memomavajeb", "DBvajeb"}, 176},
    {{"DBTextmostahab", "Memopomostahab", "Memopamostahab", "Memomamostahab", "DBmostahab"}, 210},
    {{"DBTextnamaz", "Memoponamaz", "Memopanamaz", "Memomanamaz", "DBnamaz"}, 243},
    {{"DBTextmotefar", "Memopomotefar", "Memopamotefar", "Memomamotefar", "DBmotefar"}, 277},
}};

constexpr std::array<const char*, 4> kAdvancedSearchControls = {"Memopapnamaz", "Memopopnamaz",
                                                                "Memomapnamaz", "DBTextpnamaz"};

constexpr int kHighlightLeft = 658;

void Hover(TLabel* label, TColor colour) {
  if (label) label->Font()->SetColor(colour);
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

void Tmain::SpeedButton3Click(TObject*) {
  if (TDataSet* query = QueryOnShow()) query->MoveToFirst();
}
void Tmain::SpeedButton1Click(TObject*) {
  if (TDataSet* query = QueryOnShow()) query->MoveToPrior();
}
void Tmain::SpeedButton2Click(TObject*) {
  if (TDataSet* query = QueryOnShow()) query->MoveToNext();
}
void Tmain::SpeedButton4Click(TObject*) {
  if (TDataSet* query = QueryOnShow()) query->MoveToLast();
}

void Tmain::SpeedButton10Click(TObject*) {
  if (Panel1) Panel1->SetVisible(false);
  SwitchCategory(1, true);
}

void Tmain::SetControlVisible(const char* name, bool visible) {
  if (auto* control = dynamic_cast<TControl*>(FindComponent(name))) control->SetVisible(visible);
}

void Tmain::SwitchCategory(int k, bool topFirst) {
  if (Label8) Label8->SetVisible(false);
  if (Image2) {
    int top = kCategories[static_cast<std::size_t>(k - 1)].highlightTop;
    if (topFirst) {
      Image2->SetTop(top);
      Image2->SetLeft(kHighlightLeft);
    } else {
      Image2->SetLeft(kHighlightLeft);
      Image2->SetTop(top);
    }
  }
  for (int g = 1; g <= 6; ++g) {
    for (const char* name : kCategories[static_cast<std::size_t>(g - 1)].inSwitchOrder) {
      SetControlVisible(name, g == k);
    }
  }
  if (Panel1) Panel1->SetVisible(false);
  for (const char* name : kAdvancedSearchControls) SetControlVisible(name, false);
}

TDataSet* Tmain::QueryOnShow() {
  const std::array<std::pair<const char*, TADOQuery*>, 7> order = {{
      {"Memopakolliyat", Qkolliyat},
      {"Memopamostahab", Qmostahab},
      {"Memopamoghadamat", Qmoghadamat},
      {"Memopanamaz", Qnamaz},
      {"Memopavajeb", Qvajeb},
      {"Memopamotefar", Qmotefar},
      {"Memopapnamaz", qpnamaz},
  }};
  for (const auto& [answerMemo, query] : order) {
    auto* memo = dynamic_cast<TControl*>(FindComponent(answerMemo));
    if (memo && memo->Visible()) return query;
  }
  return nullptr;
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
                        .Field("Label8", &Tmain::Label8)
                        .Field("Label9", &Tmain::Label9)
                        .Field("SpeedButton5", &Tmain::SpeedButton5)
                        .Field("SpeedButton1", &Tmain::SpeedButton1)
                        .Field("SpeedButton2", &Tmain::SpeedButton2)
                        .Field("SpeedButton3", &Tmain::SpeedButton3)
                        .Field("SpeedButton4", &Tmain::SpeedButton4)
                        .Field("SpeedButton6", &Tmain::SpeedButton6)
                        .Field("SpeedButton7", &Tmain::SpeedButton7)
                        .Field("ADOTable2", &Tmain::ADOTable2)
                        .Field("DataSource2", &Tmain::DataSource2)
                        .Field("Qmoghadamat", &Tmain::Qmoghadamat)
                        .Field("Dmoghadamat", &Tmain::Dmoghadamat)
                        .Field("ADOTable3", &Tmain::ADOTable3)
                        .Field("DataSource3", &Tmain::DataSource3)
                        .Field("Qvajeb", &Tmain::Qvajeb)
                        .Field("Dvajeb", &Tmain::Dvajeb)
                        .Field("ADOTable4", &Tmain::ADOTable4)
                        .Field("DataSource4", &Tmain::DataSource4)
                        .Field("Qmostahab", &Tmain::Qmostahab)
                        .Field("Dmostahab", &Tmain::Dmostahab)
                        .Field("ADOTable5", &Tmain::ADOTable5)
                        .Field("DataSource5", &Tmain::DataSource5)
                        .Field("Qnamaz", &Tmain::Qnamaz)
                        .Field("Dnamaz", &Tmain::Dnamaz)
                        .Field("ADOTable6", &Tmain::ADOTable6)
                        .Field("DataSource6", &Tmain::DataSource6)
                        .Field("Qmotefar", &Tmain::Qmotefar)
                        .Field("Dmotefar", &Tmain::Dmotefar)
                        .Field("Image2", &Tmain::Image2)
                        .Field("Panel1", &Tmain::Panel1)
                        .Field("Image3", &Tmain::Image3)
                        .Field("SpeedButton8", &Tmain::SpeedButton8)
                        .Field("GroupBox1", &Tmain::GroupBox1)
                        .Field("SpeedButton9", &Tmain::SpeedButton9)
                        .Field("SpeedButton10", &Tmain::SpeedButton10)
                        .Field("ADOTable7", &Tmain::ADOTable7)
                        .Field("DataSource7", &Tmain::DataSource7)
                        .Field("qpnamaz", &Tmain::qpnamaz)
                        .Field("Dqpnamaz", &Tmain::Dqpnamaz)
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
                        .Method("SpeedButton10Click", &Tmain::SpeedButton10Click);

}  // namespace
