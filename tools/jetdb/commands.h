// The subcommands of jetdb: one table, so that adding a command is one entry.
#pragma once

#include <string>
#include <vector>

namespace jetdb {

// A subcommand gets its own arguments (after its name) and returns the exit status. Errors are
// one line on standard error.
using CommandFunction = int (*)(const std::vector<std::string>& args);

struct Command {
  const char* name;
  const char* usage;  // arguments, shown after "jetdb <name> "
  CommandFunction run;
};

const std::vector<Command>& Commands();

// Prints "prefix: message" as one line on standard error, with the outside text in it (paths,
// names) made printable, and returns `status`.
int Report(const char* prefix, const std::string& message, int status);

int RunTables(const std::vector<std::string>& args);
int RunExport(const std::vector<std::string>& args);
int RunBuild(const std::vector<std::string>& args);
int RunSynth(const std::vector<std::string>& args);
int RunQuery(const std::vector<std::string>& args);
int RunEdit(const std::vector<std::string>& args);
int RunIndexes(const std::vector<std::string>& args);

}  // namespace jetdb
