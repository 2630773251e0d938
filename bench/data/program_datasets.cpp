// The program's fourteen datasets over one database file.
#include "bench/data/program_datasets.h"

#include "core/sysutils.h"
#include "platform/codepage.h"

namespace benchdata {
namespace {

const char* const kTables[] = {"kolliyat", "ejaz", "elm", "payambaran", "vahy", "mohamad",
                               "ptarsilo"};

}  // namespace

std::string& Database() {
  static std::string path = BENCH_DATABASE;
  return path;
}

std::string& Pattern() {
  static std::string pattern = "مع";
  return pattern;
}

void TakeOptions(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--mdb=", 0) == 0) Database() = arg.substr(6);
    if (arg.rfind("--pattern=", 0) == 0) Pattern() = arg.substr(10);
  }
}

ProgramDatasets::ProgramDatasets(const std::string& path)
    : owner_(std::make_unique<TComponent>(nullptr)) {
  connection_ = new TADOConnection(owner_.get());
  connection_->SetConnectionString(
      platform::Utf8ToWide("Provider=Microsoft.Jet.OLEDB.4.0;Mode=Share Deny None;Data Source=" +
                           path));
  connection_->SetLoginPrompt(false);
  for (const char* table : kTables) {
    auto* master = new TADOTable(owner_.get());
    master->SetConnection(connection_);
    master->SetCursorType(TCursorType::ctStatic);
    master->SetTableName(platform::Utf8ToWide(std::string("Q") + table));
    auto* masterSource = new TDataSource(owner_.get());
    masterSource->SetDataSet(master);
    auto* query = new TADOQuery(owner_.get());
    query->SetConnection(connection_);
    query->SetCursorType(TCursorType::ctStatic);
    query->SQL()->Add("SELECT *");
    query->SQL()->Add(std::string("FROM ") + table + ";");
    query->SetDataSource(masterSource);
    masters_.push_back(master);
    queries_.push_back(query);
  }
}

ProgramDatasets::~ProgramDatasets() = default;

void ProgramDatasets::Open() {
  connection_->SetConnected(true);
  for (std::size_t i = 0; i < masters_.size(); ++i) {
    masters_[i]->SetActive(true);
    queries_[i]->SetActive(true);
  }
}

std::int32_t ProgramDatasets::Search(std::size_t group, const std::string& typed) {
  TADOQuery& query = *queries_[group];
  query.SQL()->Clear();
  query.SetActive(false);
  query.SQL()->Add(AnsiString("SELECT * FROM ") + kTables[group] + " where kholase like " +
                   QuotedStr("%" + platform::Utf8ToAnsi(typed) + "%"));
  query.SetActive(true);
  return query.TotalRecordCount();
}

void ProgramDatasets::Close() {
  for (std::size_t i = masters_.size(); i-- > 0;) {
    queries_[i]->SetActive(false);
    masters_[i]->SetActive(false);
  }
  connection_->SetConnected(false);
}

}  // namespace benchdata
