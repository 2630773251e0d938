// jetdb tables FILE: the user tables of a database, one name a line.
#include <cstdio>

#include "provider/jet/database.h"
#include "tools/jetdb/commands.h"

namespace jetdb {

int RunTables(const std::vector<std::string>& args) {
  provider::jet::OpenOptions options;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--password" && i + 1 < args.size()) {
      options.password = args[++i];
    } else if (!args[i].empty() && args[i][0] == '-') {
      return Report("jetdb tables", "unknown option '" + args[i] + "'", 2);
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 1) {
    return Report("jetdb tables", "expected one FILE", 2);
  }
  auto db = provider::jet::Database::Open(files[0], options);
  if (!db.ok()) return Report("jetdb", db.status().ToString(), 1);
  for (const std::string& name : db.value()->UserTableNames()) std::printf("%s\n", name.c_str());
  return 0;
}

}  // namespace jetdb
