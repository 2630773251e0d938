// The data-aware memo and label over a category of the sample database, as the main window
// binds them: following the cursor, closing and reopening, the blob placeholder, right-to-left
// alignment by field type, and a missing field.
#include <gtest/gtest.h>

#include <memory>

#include "controls/form.h"
#include "core/exceptions.h"
#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/datasource.h"
#include "data/field.h"
#include "dbcontrols/db_memo.h"
#include "dbcontrols/db_text.h"
#include "platform/codepage.h"
#include "platform/edit.h"
#include "platform/headless/headless_backend.h"
#include "tests/data/sample_database.h"
#include "tests/fixtures/program_connection_string.h"

using namespace platform;

namespace dbcontrolstest {
namespace {

AnsiString Ansi(std::string_view utf8) { return Utf8ToAnsi(utf8); }

class DataControlsTest : public ::testing::Test {
 protected:
  DataControlsTest() : here_(datatest::SampleDatabaseFolder()) {
    auto screen = std::make_unique<HeadlessBackend>(1000, 700);
    screen_ = screen.get();
    SetBackend(std::move(screen));
    form_.reset(NewForm<TForm>(nullptr));
    form_->SetBorderStyle(TFormBorderStyle::bsNone);
    form_->SetBounds(0, 0, 900, 600);
    form_->SetBiDiMode(TBiDiMode::bdRightToLeft);
    auto* connection = new TADOConnection(form_.get());
    connection->SetConnectionString(kProgramConnectionString);
    connection->SetLoginPrompt(false);
    query_ = new TADOQuery(form_.get());
    query_->SetConnection(connection);
    query_->SQL()->Add("SELECT * FROM kolliyat");
    source_ = new TDataSource(form_.get());
    source_->SetDataSet(query_);
    question_ = MakeMemo("porsesh", 0);
    answer_ = MakeMemo("pasokh", 100);
    title_ = new TDBText(form_.get());
    title_->SetName("Label9");
    title_->SetParent(form_.get());
    title_->SetBounds(10, 400, 217, 17);
    title_->SetDataField("kholase");
    title_->SetDataSource(source_);
    form_->Show();
    query_->SetActive(true);
    Pump();
  }
  ~DataControlsTest() override { form_.reset(); }

  TDBMemo* MakeMemo(const char* field, int top) {
    auto* memo = new TDBMemo(form_.get());
    memo->SetParent(form_.get());
    memo->SetBounds(10, top + 10, 513, 90);
    memo->SetDataField(field);
    memo->SetDataSource(source_);
    return memo;
  }

  void Pump() {
    MSG msg;
    for (int guard = 0; guard < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

  datatest::CurrentDirectory here_;
  HeadlessBackend* screen_ = nullptr;
  std::unique_ptr<TForm> form_;
  TADOQuery* query_ = nullptr;
  TDataSource* source_ = nullptr;
  TDBMemo* question_ = nullptr;
  TDBMemo* answer_ = nullptr;
  TDBText* title_ = nullptr;
};

TEST_F(DataControlsTest, MemosAndLabelFollowTheCursorTogether) {
  EXPECT_EQ(title_->Caption(), Ansi("معاد به چه معناست و چرا درباره‌ی آن پرسیده می‌شود؟"));
  EXPECT_EQ(question_->Text().rfind(Ansi("واژه‌ی معاد"), 0), 0u);
  EXPECT_TRUE(answer_->TextLoaded());

  query_->MoveToNext();
  EXPECT_EQ(title_->Caption(), Ansi("آیا باور به معاد با عقل سازگار است؟"));
  EXPECT_EQ(question_->Text(), Ansi("برخی می‌گویند زندگی پس از مرگ تنها موضوعی ایمانی است.\r\n"
                                    "آیا می‌توان با استدلال عقلی هم درباره‌ی آن سخن گفت؟"));
  EXPECT_EQ(answer_->Text().rfind(Ansi("در سنت‌های فکری"), 0), 0u);
}

TEST_F(DataControlsTest, AnAnswerKeepsItsEmptyLinesBetweenParagraphs) {
  AnsiString answer = query_->FieldNamed("pasokh")->StringValue();
  ASSERT_NE(answer.find("\r\n\r\n"), AnsiString::npos) << "the first answer has paragraphs";
  EXPECT_EQ(answer_->Text(), answer);
}

TEST_F(DataControlsTest, ClosingEmptiesThemAndReopeningShowsTheFirstRecord) {
  query_->MoveToLast();
  query_->SetActive(false);
  EXPECT_EQ(title_->Caption(), "");
  EXPECT_EQ(question_->Text(), "");
  EXPECT_EQ(answer_->Text(), "");
  EXPECT_EQ(answer_->Field(), nullptr);

  query_->SetActive(true);
  EXPECT_EQ(title_->Caption(), Ansi("معاد به چه معناست و چرا درباره‌ی آن پرسیده می‌شود؟"));
  EXPECT_NE(answer_->Field(), nullptr);
}

TEST_F(DataControlsTest, WithoutAutoDisplayABlobShowsItsLabelUntilAskedFor) {
  answer_->SetAutoDisplay(false);
  query_->MoveToNext();
  EXPECT_EQ(answer_->Text(), "(pasokh)");
  EXPECT_FALSE(answer_->TextLoaded());
  EXPECT_TRUE(GetWindowLongPtrA(answer_->Handle(), GWL_STYLE) & ES_READONLY);

  SendMessageA(answer_->Handle(), WM_LBUTTONDBLCLK, 0, 0);
  EXPECT_TRUE(answer_->TextLoaded());
  EXPECT_EQ(answer_->Text().rfind(Ansi("در سنت‌های فکری"), 0), 0u);
}

TEST_F(DataControlsTest, RightToLeftAlignmentDependsOnTheFieldAndTheMode) {
  EXPECT_TRUE(question_->UseRightToLeftAlignment()) << "a memo field may be right-aligned";
  EXPECT_TRUE(GetWindowLongPtrA(question_->Handle(), GWL_STYLE) & ES_RIGHT);

  TDBMemo* number = MakeMemo("id", 200);
  Pump();
  EXPECT_FALSE(number->UseRightToLeftAlignment()) << "numbers keep their alignment";
  EXPECT_FALSE(GetWindowLongPtrA(number->Handle(), GWL_STYLE) & ES_RIGHT);

  question_->SetBiDiMode(TBiDiMode::bdRightToLeftNoAlign);
  EXPECT_FALSE(question_->UseRightToLeftAlignment());
}

TEST_F(DataControlsTest, AFieldTheDatasetDoesNotHaveIsNamedInTheError) {
  try {
    answer_->SetDataField("javab");
    FAIL() << "a missing field must be reported";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Field 'javab' not found");
  }
}

}  // namespace
}  // namespace dbcontrolstest
