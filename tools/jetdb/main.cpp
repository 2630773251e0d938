// jetdb: a maintainer's tool for Jet database files; dispatches to its subcommands.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/jetdb/commands.h"

namespace {

void PrintUsage() {
  std::fprintf(stderr, "usage:\n");
  for (const jetdb::Command& command : jetdb::Commands())
    std::fprintf(stderr, "  jetdb %s %s\n", command.name, command.usage);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintUsage();
    return 2;
  }
  const std::string name = argv[1];
  for (const jetdb::Command& command : jetdb::Commands()) {
    if (name == command.name) return command.run(std::vector<std::string>(argv + 2, argv + argc));
  }
  return jetdb::Report("jetdb", "unknown command '" + name + "' (run jetdb alone for the list)", 2);
}
