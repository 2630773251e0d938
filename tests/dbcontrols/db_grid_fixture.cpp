// The data grid tests' window and its helpers.
#include "tests/dbcontrols/db_grid_fixture.h"

#include "core/classes.h"
#include "core/strings.h"
#include "data/field.h"
#include "platform/codepage.h"
#include "tests/dbcontrols/screen_probe.h"

using namespace platform;

namespace dbcontrolstest {

namespace {

[[maybe_unused]] const auto kTGridForm =
    RegisterClass<TGridForm, TForm>("TGridForm")
        .Field("DBkolliyat", &TGridForm::DBkolliyat)
        .Field("Memopakolliyat", &TGridForm::Memopakolliyat)
        .Field("ADOConnection1", &TGridForm::ADOConnection1)
        .Field("Qkolliyat", &TGridForm::Qkolliyat)
        .Field("Dqkolliyat", &TGridForm::Dqkolliyat);

}  // namespace

AnsiString Ansi(std::string_view utf8) { return Utf8ToAnsi(utf8); }

DBGridTest::DBGridTest() : here_(datatest::SampleDatabaseFolder()) {
  auto screen = std::make_unique<HeadlessBackend>(800, 600);
  screen_ = screen.get();
  SetBackend(std::move(screen));
  form_.reset(NewForm<TGridForm>(nullptr));
  grid_ = form_->DBkolliyat;
  query_ = form_->Qkolliyat;
  form_->Show();
  Pump();
}

DBGridTest::~DBGridTest() {
  form_.reset();
  Pump();
}

void DBGridTest::Pump() { PumpMessages(); }

void DBGridTest::Press(int virtualKey, std::vector<int> modifiers) {
  PressKey(*screen_, virtualKey, modifiers);
}

void DBGridTest::Click(int x, int y) {
  POINT at = grid_->ClientToScreen(POINT{x, y});
  screen_->Click(at.x, at.y);
  Pump();
}

std::uint32_t DBGridTest::PixelAt(int x, int y) const {
  return PresentedPixel(*screen_, *form_, *grid_, x, y);
}

POINT DBGridTest::CellCentre(int col, int row) const {
  RECT rect = grid_->CellPixels(col, row);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

AnsiString DBGridTest::CurrentTitle() const { return query_->FieldNamed("kholase")->TextForDisplay(); }

void DBGridTest::Requery(const char* sql) {
  query_->SetActive(false);
  query_->SQL()->Clear();
  query_->SQL()->Add(sql);
  query_->SetActive(true);
  Pump();
}

}  // namespace dbcontrolstest
