// Start-up of the reader: from process start to the first frame of the main window (velmora-shot
// with an empty script ends at the first idle moment after the window has been painted), beside
// the part of it that is the fourteen datasets opening over the sample database.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/ado_table.h"
#include "data/datasource.h"
#include "platform/codepage.h"
#include "tests/fixtures/program_connection_string.h"

extern char** environ;

namespace {

// The process starts in the folder holding the sample database, as the run command starts it.
void BM_ProcessStartToFirstFrame(benchmark::State& state) {
  const std::string folder = std::filesystem::path(SAMPLE_DATABASE).parent_path();
  std::string program = VELMORA_SHOT;
  char* argv[] = {program.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv, environ) != 0) {
      state.SkipWithError("cannot start velmora-shot");
      break;
    }
    int status = 0;
    waitpid(child, &status, 0);
    auto elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("velmora-shot failed");
      break;
    }
    state.SetIterationTime(elapsed.count());
  }
  posix_spawn_file_actions_destroy(&actions);
}

struct Group {
  const char* master;
  const char* table;
};

constexpr std::array<Group, 7> kGroups = {{
    {"Qkolliyat", "kolliyat"},
    {"Qejaz", "ejaz"},
    {"Qelm", "elm"},
    {"Qpayambaran", "payambaran"},
    {"Qvahy", "vahy"},
    {"Qmohamad", "mohamad"},
    {"Qptarsilo", "ptarsilo"},
}};

// What the window's after-load steps do with the database: connect, then open each master
// table and its query, in stored order, through the same components.
void BM_OpenFourteenDataSets(benchmark::State& state) {
  std::filesystem::current_path(std::filesystem::path(SAMPLE_DATABASE).parent_path());
  for (auto _ : state) {
    TComponent owner(nullptr);
    auto* connection = new TADOConnection(&owner);
    connection->SetConnectionString(kProgramConnectionString);
    connection->SetLoginPrompt(false);
    connection->SetConnected(true);
    for (const Group& group : kGroups) {
      auto* master = new TADOTable(&owner);
      master->SetConnection(connection);
      master->SetCursorType(TCursorType::ctStatic);
      master->SetTableName(platform::AnsiToWide(group.master));
      auto* source = new TDataSource(&owner);
      source->SetDataSet(master);
      auto* query = new TADOQuery(&owner);
      query->SetConnection(connection);
      query->SetCursorType(TCursorType::ctStatic);
      query->SetDataSource(source);
      query->SQL()->Add("SELECT *");
      query->SQL()->Add(std::string("FROM ") + group.table + ";");
      master->SetActive(true);
      query->SetActive(true);
    }
  }
}

}  // namespace

BENCHMARK(BM_ProcessStartToFirstFrame)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenFourteenDataSets)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
