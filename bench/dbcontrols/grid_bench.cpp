// The titles grid scrolled one row over a 100000-record category, and the answer memo showing a
// 50000-character answer, each against the provider reading the same values alone.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "bench/data/program_datasets.h"
#include "controls/form.h"
#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/datasource.h"
#include "data/olecheck.h"
#include "dbcontrols/custom_db_grid.h"
#include "dbcontrols/db_memo.h"
#include "platform/codepage.h"
#include "platform/headless/headless_backend.h"
#include "provider/command.h"
#include "provider/connection.h"
#include "provider/factory.h"
#include "provider/jet/new_database.h"
#include "provider/recordset.h"

namespace {

using namespace platform;

constexpr int kLongAnswer = 50'000;

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Check(provider::HRESULT result) {
  if (provider::FAILED(result)) {
    std::fprintf(stderr, "grid_bench: provider call failed (%08x)\n", static_cast<unsigned>(result));
    std::exit(1);
  }
}

WideString ConnectionTo(const std::string& path) {
  return Utf8ToWide("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path);
}

// A small file of two records whose answers are 50000 Persian characters each, in paragraphs of
// about 400 characters as the collection's answers are written.
const std::string& LongAnswerDatabase() {
  static const std::string path = [] {
    std::string file = (std::filesystem::temp_directory_path() /
                        ("velmora-long-answer-" + std::to_string(getpid()) + ".mdb"))
                           .string();
    auto database = provider::jet::NewDatabase::Create(provider::DateTime{46000.5});
    auto table = database.value()->CreateTable(provider::jet::TableSpec{
        u"kolliyat",
        {provider::jet::ColumnSpec{u"id", provider::jet::ColumnType::longInteger, 0, true},
         provider::jet::ColumnSpec{u"kholase", provider::jet::ColumnType::text, 255, false},
         provider::jet::ColumnSpec{u"pasokh", provider::jet::ColumnType::memo, 0, false}}});
    for (char16_t first : {u'\u0645', u'\u0646'}) {
      std::u16string answer;
      std::u16string word = std::u16string{first} + u"\u0639\u0627\u062f ";
      while (answer.size() < kLongAnswer) {
        for (int i = 0; i < 80 && answer.size() < kLongAnswer; ++i) answer += word;
        answer += u"\r\n";
      }
      answer.resize(kLongAnswer);
      if (!table.value()->InsertRow({provider::Value{}, std::u16string(u"title"), answer}).ok()) {
        std::fprintf(stderr, "grid_bench: cannot write %s\n", file.c_str());
        std::exit(1);
      }
    }
    if (!database.value()->Save(file).ok()) std::exit(1);
    return file;
  }();
  return path;
}

// A right-to-left window with one category's titles grid, and the answer memo when asked for,
// as the reader lays them out, over a query of the file at `path`.
class Window {
 public:
  Window(const std::string& path, bool withMemo) {
    form_.reset(NewForm<TForm>(nullptr));
    form_->SetBorderStyle(TFormBorderStyle::bsNone);
    form_->SetBounds(0, 0, 865, 682);
    form_->SetBiDiMode(TBiDiMode::bdRightToLeft);
    connection_ = new TADOConnection(form_.get());
    connection_->SetConnectionString(ConnectionTo(path));
    connection_->SetLoginPrompt(false);
    query_ = new TADOQuery(form_.get());
    query_->SetConnection(connection_);
    query_->SetCursorType(TCursorType::ctStatic);
    query_->SQL()->Add("SELECT * FROM kolliyat");
    auto* source = new TDataSource(form_.get());
    source->SetDataSet(query_);
    grid_ = new TDBGrid(form_.get());
    grid_->SetParent(form_.get());
    grid_->SetBounds(656, 456, 169, 211);
    grid_->SetBorderStyle(TBorderStyle::bsNone);
    grid_->Font()->SetName("Tahoma");
    grid_->Font()->SetHeight(-13);
    TColumn* column = grid_->Columns()->Add();
    column->SetFieldName("kholase");
    grid_->SetDataSource(source);
    if (withMemo) {
      memo_ = new TDBMemo(form_.get());
      memo_->SetParent(form_.get());
      memo_->SetBounds(32, 272, 521, 201);
      memo_->SetScrollBars(TScrollStyle::ssVertical);
      memo_->SetDataField("pasokh");
      memo_->SetDataSource(source);
    }
    form_->Show();
    query_->SetActive(true);
    Pump();
  }

  TADOQuery& Query() { return *query_; }
  TDBMemo& Memo() { return *memo_; }

 private:
  std::unique_ptr<TForm> form_;
  TADOConnection* connection_ = nullptr;
  TADOQuery* query_ = nullptr;
  TDBGrid* grid_ = nullptr;
  TDBMemo* memo_ = nullptr;
};

void StartScreen() {
  static bool started = [] {
    SetBackend(std::make_unique<HeadlessBackend>(1280, 1024));
    return true;
  }();
  benchmark::DoNotOptimize(started);
}

// One row down (up again at the end): the dataset's move, its notices to the grid, the grid's
// pixel scroll and the repaint of what it uncovered, presented on the screen.
void BM_GridScrollOneRow(benchmark::State& state) {
  StartScreen();
  Window window(benchdata::Database(), false);
  TADOQuery& query = window.Query();
  int step = 1;
  for (auto _ : state) {
    if (query.MoveByDistance(step) == 0) {
      step = -step;
      query.MoveByDistance(step);
    }
    Pump();
  }
  state.counters["records"] = query.TotalRecordCount();
}

// The provider alone on the same statement: each step moves to the next record (the first after
// the last) and reads one column's value, converted to the system code page as a field shows it.
void ProviderSteps(benchmark::State& state, const std::string& path, const char16_t* column) {
  auto connection = CreateADOObjectAs<provider::Connection>(provider::CLSID_Connection);
  Check(connection->Open(ConnectionTo(path), u"", u"", -1));
  auto recordset = CreateADOObjectAs<provider::Recordset>(provider::CLSID_Recordset);
  Check(recordset->put_CursorLocation(provider::adUseClient));
  Check(recordset->Open(u"SELECT * FROM kolliyat", connection, provider::adOpenStatic,
                        provider::adLockOptimistic, provider::adCmdText));
  provider::Fields* fields = nullptr;
  Check(recordset->get_Fields(&fields));
  provider::Field* field = nullptr;
  Check(fields->get_Item(column, &field));
  for (auto _ : state) {
    Check(recordset->MoveNext());
    bool eof = false;
    Check(recordset->get_EOF(&eof));
    if (eof) Check(recordset->MoveFirst());
    provider::Variant value;
    Check(field->get_Value(&value));
    if (const auto* text = std::get_if<std::u16string>(&value.value())) {
      benchmark::DoNotOptimize(WideToAnsi(*text));
    }
  }
}

void BM_ProviderMoveOneRecord(benchmark::State& state) {
  ProviderSteps(state, benchdata::Database(), u"kholase");
}

// The answer memo showing the other of two records, each answer 50000 characters long: the
// move, the memo loading and laying out the text, and the repaint.
void BM_MemoShowLongAnswer(benchmark::State& state) {
  StartScreen();
  Window window(LongAnswerDatabase(), true);
  TADOQuery& query = window.Query();
  for (auto _ : state) {
    if (query.MoveByDistance(1) == 0) query.MoveToFirst();
    Pump();
  }
  state.counters["chars"] = static_cast<double>(window.Memo().Text().size());
}

void BM_ProviderReadLongAnswer(benchmark::State& state) {
  ProviderSteps(state, LongAnswerDatabase(), u"pasokh");
}

BENCHMARK(BM_GridScrollOneRow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProviderMoveOneRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoShowLongAnswer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProviderReadLongAnswer)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchdata::TakeOptions(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove(LongAnswerDatabase());
  return 0;
}
