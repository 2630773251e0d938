// File helpers for the tools tests: the source tree's test data and scratch folders.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace toolstest {

inline std::filesystem::path DataDir() {
  const char* source = std::getenv("VELMORA_SOURCE_DIR");
  return std::filesystem::path(source ? source : "../..") / "tests" / "tools" / "data";
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A fresh, empty folder under the system's temporary folder.
inline std::filesystem::path ScratchDir(const std::string& name) {
  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              ("velmora-tools-" + name + "-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

}  // namespace toolstest
