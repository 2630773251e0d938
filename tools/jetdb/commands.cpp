// The table of jetdb subcommands.
#include "tools/jetdb/commands.h"

#include <cstdio>

#include "tools/message_text.h"

namespace jetdb {

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"tables", "[--password P] FILE", RunTables},
      {"export",
       "[--password P] [-H] [-d DELIM] [-R ROWDELIM] [-Q] [-q QUOTE] [-X ESCAPE] [-e] "
       "[-D FORMAT] [-T FORMAT] [-0 NULL] [-b strip|raw|octal|hex] [-B] FILE TABLE",
       RunExport},
      {"build", "[--without TABLE]... CONTENT_DIR OUT.mdb", RunBuild},
      {"synth", "N OUT.mdb", RunSynth},
      {"query", "[--password P] FILE \"SQL\"", RunQuery},
      {"indexes", "[--password P] [--entries] FILE [TABLE]", RunIndexes},
      {"edit",
       "FILE < SCRIPT (tab-separated lines: begin, commit, rollback, "
       "update TABLE KEY=V COLUMN=V..., insert TABLE COLUMN=V..., delete TABLE KEY=V, "
       "create TABLE COLUMN:TYPE[:SIZE]...)",
       RunEdit},
  };
  return commands;
}

int Report(const char* prefix, const std::string& message, int status) {
  std::fprintf(stderr, "%s: %s\n", prefix, tools::Printable(message).c_str());
  return status;
}

}  // namespace jetdb
