// What a reader types reaches the file: a memo and a titles grid over a copy of the sample
// database, driven by keys as the main window's controls are, and the file read afterwards on a
// connection of its own. Typing starts the edit, moving on posts it, Escape drops it; Down on the
// last row appends and Ctrl+Delete deletes after its question. Text the user did not touch keeps
// its stored characters.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/form.h"
#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/datasource.h"
#include "data/field.h"
#include "dbcontrols/custom_db_grid.h"
#include "dbcontrols/db_memo.h"
#include "framework/application.h"
#include "framework/message_dialog.h"
#include "platform/codepage.h"
#include "platform/headless/headless_backend.h"
#include "platform/locale.h"
#include "provider/command.h"
#include "provider/connection.h"
#include "provider/recordset.h"
#include "tests/data/sample_database.h"
#include "tests/fixtures/program_connection_string.h"

using namespace platform;

namespace dbcontrolstest {
namespace {

// The kolliyat rows as the file holds them now, read on a connection of their own: id, then the
// column asked for as UTF-16.
std::vector<std::pair<std::int64_t, std::u16string>> StoredRows(const std::filesystem::path& file,
                                                                const std::u16string& column) {
  auto connection = std::make_shared<provider::Connection>();
  std::string text = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file.string();
  EXPECT_EQ(connection->Open(Utf8ToWide(text), u"", u"", provider::adConnectUnspecified),
            provider::S_OK);
  provider::Recordset rs;
  EXPECT_EQ(rs.Open(u"kolliyat", connection, provider::adOpenStatic, provider::adLockReadOnly,
                    provider::adCmdTable),
            provider::S_OK);
  std::vector<std::pair<std::int64_t, std::u16string>> rows;
  provider::Fields* fields = nullptr;
  rs.get_Fields(&fields);
  provider::Field* id = nullptr;
  provider::Field* value = nullptr;
  fields->get_Item(u"id", &id);
  fields->get_Item(column, &value);
  bool eof = false;
  for (rs.get_EOF(&eof); !eof; rs.MoveNext(), rs.get_EOF(&eof)) {
    provider::Variant number;
    provider::Variant text;
    id->get_Value(&number);
    value->get_Value(&text);
    const auto* wide = std::get_if<std::u16string>(&text.value());
    rows.emplace_back(std::get<std::int64_t>(number.value()), wide ? *wide : u"<null>");
  }
  return rows;
}

std::u16string StoredValue(const std::filesystem::path& file, std::int64_t id,
                           const std::u16string& column) {
  for (const auto& [number, value] : StoredRows(file, column)) {
    if (number == id) return value;
  }
  return u"<no such row>";
}

class WriteThroughTest : public ::testing::Test {
 protected:
  WriteThroughTest() {
    savedLocale_ = GetThreadLocale();
    SetThreadLocale(kPersianLocale);
    auto screen = std::make_unique<HeadlessBackend>(1000, 700);
    screen_ = screen.get();
    SetBackend(std::move(screen));
    StartApplicationObjects();
    form_.reset(NewForm<TForm>(nullptr));
    form_->SetBorderStyle(TFormBorderStyle::bsNone);
    form_->SetBounds(0, 0, 900, 600);
    form_->SetBiDiMode(TBiDiMode::bdRightToLeft);
    auto* connection = new TADOConnection(form_.get());
    connection->SetConnectionString(kProgramConnectionString);
    connection->SetLoginPrompt(false);
    connection->SetMode(TConnectMode::cmShareDenyNone);
    query_ = new TADOQuery(form_.get());
    query_->SetName("Qkolliyat");
    query_->SetConnection(connection);
    query_->SetCursorType(TCursorType::ctStatic);
    query_->SQL()->Add("SELECT * FROM kolliyat");
    auto* source = new TDataSource(form_.get());
    source->SetDataSet(query_);
    answer_ = new TDBMemo(form_.get());
    answer_->SetParent(form_.get());
    answer_->SetBounds(300, 10, 513, 200);
    answer_->SetDataField("pasokh");
    answer_->SetDataSource(source);
    grid_ = new TDBGrid(form_.get());
    grid_->SetParent(form_.get());
    grid_->SetBounds(10, 10, 250, 211);
    form_->Show();
    query_->SetActive(true);
    grid_->SetDataSource(source);
    Pump();
  }
  ~WriteThroughTest() override {
    form_.reset();
    Pump();
    StopApplicationObjects();
    SetThreadLocale(savedLocale_);
  }

  void Pump() {
    MSG msg;
    for (int guard = 0; guard < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  void Press(int key, std::vector<int> modifiers = {}) {
    for (int m : modifiers) screen_->KeyDown(m);
    screen_->Tap(key);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) screen_->KeyUp(*it);
    Pump();
  }
  void Type(const std::string& utf8) {
    screen_->TypeText(utf8);
    Pump();
  }
  // Gives the memo the focus, its caret before the first character.
  void FocusAnswer() {
    answer_->TakeFocus();
    Pump();
  }
  std::int64_t CurrentId() { return query_->FieldNamed("id")->IntegerValue(); }
  std::u16string Stored(std::int64_t id, const std::u16string& column) {
    return StoredValue(copy_.File(), id, column);
  }

  // Answers the next message dialog with a key once it shows.
  void AnswerNextDialog(int key) {
    pendingKey_ = key;
    screenRef_ = screen_;
    SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR id, DWORD) {
      if (!dynamic_cast<TMessageForm*>(FindControl(GetActiveWindow()))) return;
      KillTimer(nullptr, id);
      screenRef_->Tap(pendingKey_);
    });
  }
  static inline int pendingKey_ = 0;
  static inline HeadlessBackend* screenRef_ = nullptr;

  LCID savedLocale_ = 0;
  datatest::CopyOfSampleDatabase copy_;
  datatest::CurrentDirectory here_{copy_.Folder()};
  HeadlessBackend* screen_ = nullptr;
  std::unique_ptr<TForm> form_;
  TADOQuery* query_ = nullptr;
  TDBMemo* answer_ = nullptr;
  TDBGrid* grid_ = nullptr;
};

TEST_F(WriteThroughTest, TypingInAMemoEditsAndMovingOnPostsIt) {
  const std::int64_t id = CurrentId();
  const std::u16string before = Stored(id, u"pasokh");
  ASSERT_NE(before.find(u'\u06CC'), std::u16string::npos) << "the sample answer has Farsi yeh";
  // The answer has empty lines between its paragraphs; the memo shows them all.
  ASSERT_NE(before.find(u"\r\n\r\n"), std::u16string::npos);
  EXPECT_EQ(answer_->Text(), query_->FieldNamed("pasokh")->StringValue());
  FocusAnswer();
  Type("دینی ");
  EXPECT_EQ(query_->State(), DataSetState::Editing);
  EXPECT_EQ(Stored(id, u"pasokh"), before) << "nothing is written before the post";
  query_->MoveToNext();
  EXPECT_EQ(query_->State(), DataSetState::Browsing);
  // Every yeh the user did not touch is the Farsi yeh it was; the typed one is too, as shown.
  const std::u16string after = Stored(id, u"pasokh");
  EXPECT_EQ(after, u"\u062F\u06CC\u0646\u06CC " + before);
}

TEST_F(WriteThroughTest, EscapeInAMemoDropsTheTypedText) {
  const std::int64_t id = CurrentId();
  const std::u16string before = Stored(id, u"pasokh");
  FocusAnswer();
  Type("xyz");
  ASSERT_EQ(query_->State(), DataSetState::Editing);
  Press(VK_ESCAPE);
  EXPECT_EQ(Utf8ToWide(AnsiToUtf8(answer_->Text())).find(u"xyz"), std::u16string::npos);
  query_->MoveToNext();
  EXPECT_EQ(query_->State(), DataSetState::Browsing);
  EXPECT_EQ(Stored(id, u"pasokh"), before);
}

TEST_F(WriteThroughTest, ACellTypedInTheGridIsPostedWhenTheRowChanges) {
  const std::int64_t id = CurrentId();
  const std::u16string before = Stored(id, u"kholase");
  grid_->TakeFocus();
  Pump();
  Press(VK_TAB);  // from the id column to the title
  Press(VK_F1 + 1);
  ASSERT_TRUE(grid_->EditorShown());
  Press(VK_END);
  Type("!");
  ASSERT_EQ(query_->State(), DataSetState::Editing);
  Press(VK_DOWN);
  EXPECT_EQ(query_->State(), DataSetState::Browsing);
  EXPECT_EQ(Stored(id, u"kholase"), before + u"!");
}

TEST_F(WriteThroughTest, DownOnTheLastRowAppendsARecordToTheFile) {
  const std::size_t rows = StoredRows(copy_.File(), u"kholase").size();
  grid_->TakeFocus();
  Pump();
  query_->MoveToLast();
  Pump();
  Press(VK_DOWN);
  ASSERT_EQ(query_->State(), DataSetState::Inserting);
  Press(VK_TAB);
  Type("پرسش نو");
  Press(VK_UP);  // leaving the new row stores it
  EXPECT_EQ(query_->State(), DataSetState::Browsing);
  const auto after = StoredRows(copy_.File(), u"kholase");
  ASSERT_EQ(after.size(), rows + 1);
  bool found = false;
  for (const auto& row : after)
    found = found || row.second == u"\u067E\u0631\u0633\u0634 \u0646\u0648";
  EXPECT_TRUE(found) << "the typed title is in the file";
  EXPECT_EQ(query_->TotalRecordCount(), static_cast<std::int32_t>(rows + 1));
}

TEST_F(WriteThroughTest, CtrlDeleteRemovesTheRecordOnlyAfterOK) {
  const std::size_t rows = StoredRows(copy_.File(), u"kholase").size();
  const std::int64_t id = CurrentId();
  grid_->TakeFocus();
  Pump();
  AnswerNextDialog(VK_ESCAPE);
  Press(VK_DELETE, {VK_CONTROL});
  EXPECT_EQ(StoredRows(copy_.File(), u"kholase").size(), rows) << "Cancel keeps it";
  MSG stale;
  while (PeekMessageA(&stale, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
  }
  AnswerNextDialog(VK_RETURN);
  Press(VK_DELETE, {VK_CONTROL});
  EXPECT_EQ(StoredRows(copy_.File(), u"kholase").size(), rows - 1);
  EXPECT_EQ(Stored(id, u"kholase"), u"<no such row>");
  EXPECT_NE(CurrentId(), id) << "the grid stands on the next record";
  EXPECT_EQ(query_->TotalRecordCount(), static_cast<std::int32_t>(rows - 1));
}

}  // namespace
}  // namespace dbcontrolstest
