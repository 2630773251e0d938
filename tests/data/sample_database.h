// What the data tests share to reach the sample database the way the program does: its stored
// connection string, resolved from the current directory.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "core/sysutils.h"

namespace datatest {

// The program's connection string, as its main window stores it.
inline const WideString kProgramConnectionString =
    u"Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=tarsilo.mdb;Mode=Share Deny "
    u"None;Extended Properties=\"\";Persist Security Info=False;Jet OLEDB:System "
    u"database=\"\";Jet OLEDB:Registry Path=\"\";Jet OLEDB:Database Password=\"\";Jet "
    u"OLEDB:Engine Type=5;Jet OLEDB:Database Locking Mode=1;Jet OLEDB:Global Partial Bulk "
    u"Ops=2;Jet OLEDB:Global Bulk Transactions=1;Jet OLEDB:New Database Password=\"\";Jet "
    u"OLEDB:Create System Database=False;Jet OLEDB:Encrypt Database=False;Jet OLEDB:Don't Copy "
    u"Locale on Compact=False;Jet OLEDB:Compact Without Replica Repair=False;Jet OLEDB:SFP=False";

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
