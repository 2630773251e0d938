// The program's re-query sequence through the data components against the same statement run
// directly on the provider's objects, over a synthetic database of 100000 records a table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench/data/program_datasets.h"
#include "core/sysutils.h"
#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/field.h"
#include "data/olecheck.h"
#include "platform/codepage.h"
#include "provider/command.h"
#include "provider/connection.h"
#include "provider/factory.h"
#include "provider/recordset.h"

namespace {

using benchdata::Database;
using benchdata::Pattern;

// The statement the summary search builds: the fixed prefix and the quoted '%text%'.
AnsiString SearchStatement() {
  return "SELECT * FROM kolliyat where kholase like " +
         QuotedStr("%" + platform::Utf8ToAnsi(Pattern()) + "%");
}

WideString ConnectionString() {
  return platform::Utf8ToWide("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + Database());
}

// Close, clear the SQL, add the one statement, open, read the record count; then read the
// title of the first record, as the label bound to the query would.
void BM_RequeryThroughComponents(benchmark::State& state) {
  TADOConnection connection(nullptr);
  connection.SetConnectionString(ConnectionString());
  connection.SetLoginPrompt(false);
  TADOQuery query(nullptr);
  query.SetConnection(&connection);
  query.SetCursorType(TCursorType::ctStatic);
  const AnsiString statement = SearchStatement();
  std::int32_t count = 0;
  for (auto _ : state) {
    query.SetActive(false);
    query.SQL()->Clear();
    query.SQL()->Add(statement);
    query.SetActive(true);
    count = query.TotalRecordCount();
    benchmark::DoNotOptimize(query.FieldNamed("kholase")->StringValue());
  }
  state.counters["rows"] = count;
}

void Check(provider::HRESULT result) {
  if (provider::FAILED(result)) {
    std::fprintf(stderr, "requery_bench: provider call failed (%08x)\n",
                 static_cast<unsigned>(result));
    std::exit(1);
  }
}

// The same statement on the provider's Connection, Command and Recordset, with the first
// title read and converted to the system code page.
void BM_StatementOnProvider(benchmark::State& state) {
  auto connection = CreateADOObjectAs<provider::Connection>(provider::CLSID_Connection);
  Check(connection->Open(ConnectionString(), u"", u"", -1));
  const WideString statement = platform::AnsiToWide(SearchStatement());
  std::int32_t count = 0;
  for (auto _ : state) {
    auto command = CreateADOObjectAs<provider::Command>(provider::CLSID_Command);
    Check(command->put_CommandType(provider::adCmdText));
    Check(command->put_CommandText(statement));
    Check(command->putref_ActiveConnection(connection));
    auto recordset = CreateADOObjectAs<provider::Recordset>(provider::CLSID_Recordset);
    Check(recordset->put_CursorLocation(provider::adUseClient));
    Check(recordset->Open(command, provider::adOpenStatic, provider::adLockOptimistic,
                          provider::adCmdText));
    Check(recordset->get_RecordCount(&count));
    provider::Fields* fields = nullptr;
    Check(recordset->get_Fields(&fields));
    provider::Field* title = nullptr;
    Check(fields->get_Item(u"kholase", &title));
    provider::Variant value;
    Check(title->get_Value(&value));
    if (const auto* text = std::get_if<std::u16string>(&value.value()))
      benchmark::DoNotOptimize(platform::WideToAnsi(*text));
  }
  state.counters["rows"] = count;
}

BENCHMARK(BM_RequeryThroughComponents)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatementOnProvider)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchdata::TakeOptions(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
