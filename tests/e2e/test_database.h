// Small question-and-answer databases that the end-to-end tests build from their own content
// with `jetdb build`, so that a test's expectations sit next to the records they count.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/e2e/shot_run.h"

namespace e2etest {

// One record; an empty footnote is stored as Null.
struct Record {
  std::string kholase;
  std::string porsesh;
  std::string pasokh;
  std::string pavaraghi;
};

struct DatabaseContent {
  // Records by table name (kolliyat, ejaz, elm, payambaran, vahy, mohamad, ptarsilo); a table
  // not named here gets one record titled after it.
  std::map<std::string, std::vector<Record>> tables;
  // Tables left out of the database altogether, with their saved queries.
  std::vector<std::string> without;
};

// Builds the database into a fresh file in this process's scratch folder (removed when the
// process exits) and returns its path; throws when jetdb fails.
std::filesystem::path BuildDatabase(const DatabaseContent& content);

// Runs velmora-shot on a copy of the database and expects it to end with status 0.
ShotResult RunShotOn(const std::filesystem::path& database, const std::string& script);

}  // namespace e2etest
