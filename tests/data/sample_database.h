// What the data tests share to reach the sample database the way the program does: its stored
// connection string, resolved from the current directory.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "core/sysutils.h"
#include "tests/fixtures/program_connection_string.h"

namespace datatest {

// The folder the build puts the sample tarsilo.mdb in.
inline std::filesystem::path SampleDatabaseFolder() {
  return VELMORA_SAMPLE_DATABASE_DIR;
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

// An empty folder of its own, removed with the object: a directory without the database.
class EmptyFolder {
 public:
  EmptyFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-data-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
    path_ = pattern;
  }
  ~EmptyFolder() { std::filesystem::remove_all(path_); }
  EmptyFolder(const EmptyFolder&) = delete;
  EmptyFolder& operator=(const EmptyFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace datatest
