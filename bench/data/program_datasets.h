// The fourteen datasets the program opens at start, wired as its main window wires them: a
// master table over each saved row source and a query over each topic table following it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/classes.h"
#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/ado_table.h"
#include "data/datasource.h"

namespace benchdata {

// The database the benchmarks read and the text the summary search looks for (UTF-8), set from
// --mdb= and --pattern= by TakeOptions.
std::string& Database();
std::string& Pattern();
void TakeOptions(int argc, char** argv);

class ProgramDatasets {
 public:
  // Components of the connection to the file at `path`, all closed.
  explicit ProgramDatasets(const std::string& path);
  ~ProgramDatasets();
  ProgramDatasets(const ProgramDatasets&) = delete;
  ProgramDatasets& operator=(const ProgramDatasets&) = delete;

  // Connects and opens the datasets in the program's order, each master before its query.
  void Open();
  // Closes every dataset and the connection.
  void Close();
  // The summary search of category `group` (0 to 5) for `typed` (UTF-8), as the search box's
  // handler runs it; returns the record count.
  std::int32_t Search(std::size_t group, const std::string& typed);

  TADOConnection& Connection() { return *connection_; }
  // The query of group `group` (0 for the first category, 6 for the advanced search).
  TADOQuery& Query(std::size_t group) { return *queries_[group]; }

 private:
  std::unique_ptr<TComponent> owner_;
  TADOConnection* connection_;
  std::vector<TADOTable*> masters_;
  std::vector<TADOQuery*> queries_;
};

}  // namespace benchdata
