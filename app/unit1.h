// The main window Tmain: one published field per component of its stored description, in the
// declaration order, and the handlers the description binds by name.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "controls/control_types.h"
#include "controls/form.h"

class TImage;
class TLabel;
class TSpeedButton;
class TShape;
class TPanel;
class TGroupBox;
class TADOConnection;
class TADOTable;
class TADOQuery;
class TDataSource;
class TControl;
class TDBGrid;
class TDBMemo;
class TDBText;
class TEdit;
class TRadioButton;
class TFindDialog;
class TFontDialog;

// The maker's web address, opened by the logo and the address at the bottom of the window.
inline constexpr const char* kMakerAddress = "www.nashr-orvanta.ir";

// The fields are set by the stream reader as it creates the components (the form owns them);
// a field whose component is not in the description stays null, and the handlers pass over it.
class Tmain : public TForm {
 public:
  using TForm::TForm;

  TLabel* Label2 = nullptr;
  TImage* Image1 = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label5 = nullptr;
  TLabel* Label6 = nullptr;
  TLabel* Label7 = nullptr;
  TADOConnection* ADOConnection1 = nullptr;
  TADOTable* ADOTable1 = nullptr;
  TDataSource* DataSource1 = nullptr;
  TADOQuery* Qkolliyat = nullptr;
  TDataSource* Dqkolliyat = nullptr;
  TDBGrid* DBkolliyat = nullptr;
  TDBText* DBTextkolliyat = nullptr;
  TDBMemo* Memopokolliyat = nullptr;
  TDBMemo* Memopakolliyat = nullptr;
  TDBMemo* Memomankolliyat = nullptr;
  TEdit* Edit1 = nullptr;
  TLabel* Label8 = nullptr;
  TLabel* Label9 = nullptr;
  TSpeedButton* SpeedButton5 = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;
  TSpeedButton* SpeedButton2 = nullptr;
  TSpeedButton* SpeedButton3 = nullptr;
  TSpeedButton* SpeedButton4 = nullptr;
  TSpeedButton* SpeedButton6 = nullptr;
  TFindDialog* FindDialog1 = nullptr;
  TFontDialog* FontDialog1 = nullptr;
  TSpeedButton* SpeedButton7 = nullptr;
  TDBMemo* Memopomoghadamat = nullptr;
  TADOTable* ADOTable2 = nullptr;
  TDataSource* DataSource2 = nullptr;
  TADOQuery* Qmoghadamat = nullptr;
  TDataSource* Dmoghadamat = nullptr;
  TDBText* DBTextmoghadamat = nullptr;
  TDBMemo* Memopamoghadamat = nullptr;
  TDBMemo* Memomamoghadamat = nullptr;
  TDBGrid* DBmoghadamat = nullptr;
  TADOTable* ADOTable3 = nullptr;
  TDataSource* DataSource3 = nullptr;
  TADOQuery* Qvajeb = nullptr;
  TDataSource* Dvajeb = nullptr;
  TDBText* DBTextvajeb = nullptr;
  TDBMemo* Memopovajeb = nullptr;
  TDBMemo* Memopavajeb = nullptr;
  TDBMemo* Memomavajeb = nullptr;
  TDBGrid* DBvajeb = nullptr;
  TADOTable* ADOTable4 = nullptr;
  TDataSource* DataSource4 = nullptr;
  TADOQuery* Qmostahab = nullptr;
  TDataSource* Dmostahab = nullptr;
  TDBText* DBTextmostahab = nullptr;
  TDBMemo* Memopomostahab = nullptr;
  TDBMemo* Memopamostahab = nullptr;
  TDBMemo* Memomamostahab = nullptr;
  TDBGrid* DBmostahab = nullptr;
  TADOTable* ADOTable5 = nullptr;
  TDataSource* DataSource5 = nullptr;
  TADOQuery* Qnamaz = nullptr;
  TDataSource* Dnamaz = nullptr;
  TDBText* DBTextnamaz = nullptr;
  TDBMemo* Memoponamaz = nullptr;
  TDBMemo* Memopanamaz = nullptr;
  TDBMemo* Memomanamaz = nullptr;
  TDBGrid* DBnamaz = nullptr;
  TADOTable* ADOTable6 = nullptr;
  TDataSource* DataSource6 = nullptr;
  TADOQuery* Qmotefar = nullptr;
  TDataSource* Dmotefar = nullptr;
  TDBText* DBTextmotefar = nullptr;
  TDBMemo* Memopomotefar = nullptr;
  TDBMemo* Memopamotefar = nullptr;
  TDBMemo* Memomamotefar = nullptr;
  TDBGrid* DBmotefar = nullptr;
  TFontDialog* FontDialog2 = nullptr;
  TFontDialog* FontDialog3 = nullptr;
  TFontDialog* FontDialog4 = nullptr;
  TFontDialog* FontDialog5 = nullptr;
  TFontDialog* FontDialog6 = nullptr;
  TImage* Image2 = nullptr;
  TFindDialog* FindDialog2 = nullptr;
  TFindDialog* FindDialog3 = nullptr;
  TFindDialog* FindDialog4 = nullptr;
  TFindDialog* FindDialog5 = nullptr;
  TFindDialog* FindDialog6 = nullptr;
  TPanel* Panel1 = nullptr;
  TImage* Image3 = nullptr;
  TSpeedButton* SpeedButton8 = nullptr;
  TDBGrid* DBpnamaz = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TRadioButton* RadioButton1 = nullptr;
  TRadioButton* RadioButton2 = nullptr;
  TSpeedButton* SpeedButton9 = nullptr;
  TSpeedButton* SpeedButton10 = nullptr;
  TADOTable* ADOTable7 = nullptr;
  TDataSource* DataSource7 = nullptr;
  TADOQuery* qpnamaz = nullptr;
  TDataSource* Dqpnamaz = nullptr;
  TDBText* DBTextpnamaz = nullptr;
  TDBMemo* Memopopnamaz = nullptr;
  TDBMemo* Memopapnamaz = nullptr;
  TDBMemo* Memomapnamaz = nullptr;
  TEdit* ebarat = nullptr;
  TFontDialog* FontDialog7 = nullptr;
  TShape* Shape1 = nullptr;
  TShape* Shape2 = nullptr;
  TShape* Shape3 = nullptr;
  TShape* Shape4 = nullptr;

  // Creation and window chrome.
  void FormCreate(TObject* Sender);
  void Shape2MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Shape2MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void Shape3MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Shape3MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void Shape1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  // The category labels: hover colours and the category switch.
  void Label1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void Label3MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void Label4MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void Label5MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void Label6MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void Label7MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void Label1MouseLeave(TObject* Sender);
  void Label3MouseLeave(TObject* Sender);
  void Label4MouseLeave(TObject* Sender);
  void Label5MouseLeave(TObject* Sender);
  void Label6MouseLeave(TObject* Sender);
  void Label7MouseLeave(TObject* Sender);
  void Label1Click(TObject* Sender);
  void Label3Click(TObject* Sender);
  void Label6Click(TObject* Sender);
  void Label4Click(TObject* Sender);
  void Label5Click(TObject* Sender);
  void Label7Click(TObject* Sender);

  // Record navigation in the group on show.
  void SpeedButton3Click(TObject* Sender);
  void SpeedButton1Click(TObject* Sender);
  void SpeedButton2Click(TObject* Sender);
  void SpeedButton4Click(TObject* Sender);

  // The summary search in the category on show, and the advanced search panel.
  void Edit1Change(TObject* Sender);
  void SpeedButton5Click(TObject* Sender);
  void SpeedButton8Click(TObject* Sender);
  void SpeedButton9Click(TObject* Sender);
  void SpeedButton10Click(TObject* Sender);

  // Find in the answer of the category on show, one dialog per category sharing FindPos.
  void SpeedButton6Click(TObject* Sender);
  void FindDialog1Find(TObject* Sender);
  void FindDialog2Find(TObject* Sender);
  void FindDialog3Find(TObject* Sender);
  void FindDialog4Find(TObject* Sender);
  void FindDialog5Find(TObject* Sender);
  void FindDialog6Find(TObject* Sender);

  // The answer memo's font of the group on show.
  void SpeedButton7Click(TObject* Sender);

  // The find position, read by the headless driver for its state report.
  std::int32_t FindPosition() const { return FindPos; }

 private:
  // One display group's components: groups 1 to 6 are the topic categories, group 7 the
  // advanced search's results. Any of them may be null when the description lacks it.
  struct Group {
    TDBText* summary;
    TDBMemo* question;
    TDBMemo* answer;
    TDBMemo* footnote;
    TDBGrid* grid;
    TADOQuery* query;
    TFindDialog* find;  // none for group 7
    TFontDialog* font;
  };
  Group GroupNumbered(int g);
  // The first group, of those listed, whose answer memo is visible; 0 when there is none.
  int GroupOnShow(std::initializer_list<int> order);

  // Shows category k (1 to 6); `topFirst` sets the highlight's Top before its Left, as the
  // first category's handlers do.
  void SwitchCategory(int k, bool topFirst);
  // Hides (or shows) the five controls of group g in the order the category switch uses.
  void SetCategoryVisible(int g, bool visible);
  // Shows group 7's answer, question and footnote memos and its summary label, in that order.
  void ShowAdvancedSearchControls();
  // One press of a find dialog's Find Next: searches the memo's text from after the last match
  // (FindPos), selects and focuses a match, or reports that there is none (further).
  void FindInAnswer(TFindDialog* dialog, TDBMemo* memo);
  // The four steps that give a query a new statement: clear, close, add, open.
  static void ReplaceStatement(TADOQuery* query, const AnsiString& statement);

  std::int32_t FindPos = 0;
};
