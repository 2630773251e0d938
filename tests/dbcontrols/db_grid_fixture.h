// The data grid tests' window: one category's titles grid and answer memo read from a stored
// description and bound to the sample database, on the headless screen.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "controls/form.h"
#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/datasource.h"
#include "dbcontrols/custom_db_grid.h"
#include "dbcontrols/db_memo.h"
#include "platform/headless/headless_backend.h"
#include "tests/data/sample_database.h"

namespace dbcontrolstest {

class TGridForm : public TForm {
 public:
  using TForm::TForm;

  TDBGrid* DBkolliyat = nullptr;
  TDBMemo* Memopakolliyat = nullptr;
  TADOConnection* ADOConnection1 = nullptr;
  TADOQuery* Qkolliyat = nullptr;
  TDataSource* Dqkolliyat = nullptr;
};

AnsiString Ansi(std::string_view utf8);

class DBGridTest : public ::testing::Test {
 protected:
  DBGridTest();
  ~DBGridTest() override;

  // Dispatches what is queued; what was drawn reaches the screen.
  void Pump();
  // A key pressed and released on the focused window, with modifiers held around it.
  void Press(int virtualKey, std::vector<int> modifiers = {});
  // A left click at a grid client point.
  void Click(int x, int y);
  // The colour (0xRRGGBB) of a grid client point as last presented.
  std::uint32_t PixelAt(int x, int y) const;
  // The centre of a grid cell, in grid client coordinates.
  platform::POINT CellCentre(int col, int row) const;
  // The display text of the dataset's current record's title.
  AnsiString CurrentTitle() const;
  // Replaces the query's statement and reopens it.
  void Requery(const char* sql);

  datatest::CurrentDirectory here_;
  platform::HeadlessBackend* screen_ = nullptr;
  std::unique_ptr<TGridForm> form_;
  TDBGrid* grid_ = nullptr;
  TADOQuery* query_ = nullptr;
};

}  // namespace dbcontrolstest
