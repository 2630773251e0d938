// The table of jetdb subcommands.
#include "tools/jetdb/commands.h"

namespace jetdb {

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"tables", "[--password P] FILE", RunTables},
      {"export",
       "[--password P] [-H] [-d DELIM] [-R ROWDELIM] [-Q] [-q QUOTE] [-X ESCAPE] [-e] "
       "[-D FORMAT] [-T FORMAT] [-0 NULL] [-b strip|raw|octal|hex] [-B] FILE TABLE",
       RunExport},
      {"build", "CONTENT_DIR OUT.mdb", RunBuild},
      {"synth", "N OUT.mdb", RunSynth},
      {"query", "[--password P] FILE \"SQL\"", RunQuery},
  };
  return commands;
}

}  // namespace jetdb
