// Start-up of the data layer over a synthetic database of 100000 records a table: opening the
// program's fourteen datasets, and the memory they hold once open and after searches.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "bench/data/program_datasets.h"

namespace {

using benchdata::Database;
using benchdata::Pattern;

void BM_OpenProgramDatasets(benchmark::State& state) {
  benchdata::ProgramDatasets datasets(Database());
  for (auto _ : state) {
    datasets.Open();
    state.PauseTiming();
    datasets.Close();
    state.ResumeTiming();
  }
}

BENCHMARK(BM_OpenProgramDatasets)->Unit(benchmark::kMillisecond);

// The kibibytes of one "Name:  123 kB" line of /proc/self/status.
long StatusKiB(const std::string& name) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.compare(0, name.size() + 1, name + ":") == 0) return std::stol(line.substr(name.size() + 1));
  }
  return -1;
}

void PrintMemory(const char* when) {
  const struct mallinfo2 heap = mallinfo2();
  std::printf(
      "memory %s: heap %.1f MB in use, resident %.1f MB (peak %.1f MB), of which %.1f MB "
      "mapped file and %.1f MB anonymous\n",
      when, static_cast<double>(heap.uordblks + heap.hblkhd) / 1048576.0,
      StatusKiB("VmRSS") / 1024.0, StatusKiB("VmHWM") / 1024.0, StatusKiB("RssFile") / 1024.0,
      StatusKiB("RssAnon") / 1024.0);
}

// Heap in use and resident sizes with the fourteen datasets open, in a process that has done
// nothing else yet (run before the timings, which leave freed memory behind); then once more
// after a summary search in each of the six categories, whose folded titles are kept.
void ReportMemory() {
  benchdata::ProgramDatasets datasets(Database());
  datasets.Open();
  PrintMemory("with the fourteen datasets open");
  for (std::size_t group = 0; group < 6; ++group) datasets.Search(group, Pattern());
  PrintMemory("after a summary search in each category");
  datasets.Close();
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchdata::TakeOptions(argc, argv);
  ReportMemory();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
