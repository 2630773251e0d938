// What the data tests share to reach the sample database the way the program does: its stored
// connection string, resolved from the current directory.
#pragma once

#include <filesystem>

#include "core/sysutils.h"
#include "tests/fixtures/program_connection_string.h"
#include "tests/fixtures/scratch_folder.h"

namespace datatest {

// A folder of this process's own holding a copy of the sample tarsilo.mdb the build made, since
// the provider writes what the data layer posts: tests read and write the copy, never the build's
// file. Made at the first call, removed when the process ends. Tests that edit should still take
// a copy of their own (CopyOfSampleDatabase), so that the others read the sample as built.
inline std::filesystem::path SampleDatabaseFolder();

// An empty folder of its own, removed with the object: a directory without the database.
using EmptyFolder = fixtures::ScratchFolder;

// A folder holding a fresh copy of the sample database, removed with the object.
class CopyOfSampleDatabase {
 public:
  CopyOfSampleDatabase() {
    std::filesystem::copy_file(std::filesystem::path(VELMORA_SAMPLE_DATABASE_DIR) / "tarsilo.mdb",
                               folder_.Path() / "tarsilo.mdb");
  }
  const std::filesystem::path& Folder() const { return folder_.Path(); }
  std::filesystem::path File() const { return folder_.Path() / "tarsilo.mdb"; }

 private:
  EmptyFolder folder_;
};

inline std::filesystem::path SampleDatabaseFolder() {
  static const CopyOfSampleDatabase copy;
  return copy.Folder();
}

// Makes `folder` the current directory for the life of the object.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::filesystem::path& folder)
      : saved_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~CurrentDirectory() { std::filesystem::current_path(saved_); }
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;

 private:
  std::filesystem::path saved_;
};

}  // namespace datatest
