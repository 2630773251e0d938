// Reading the files formc is given: regular files only, of bounded size, every read checked.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace formc {

// The largest file formc reads. Component streams and the pictures in them are far smaller; the
// bound keeps a mistaken path (a disk image, a device) from costing the machine's memory.
inline constexpr std::uintmax_t kMaxSourceFileSize = std::uintmax_t{16} << 20;

// A file that cannot be read: "cannot read PATH: REASON".
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An open regular file of at most kMaxSourceFileSize bytes, read in order. Directories, devices,
// pipes and larger files are refused when it is opened, before anything is read.
class SourceFile {
 public:
  explicit SourceFile(const std::filesystem::path& path);

  // The size the file had when it was opened.
  std::uintmax_t Size() const { return size_; }
  // Appends the next `count` bytes to *out, or the rest of the file when fewer are left.
  void Read(std::size_t count, std::string* out);

 private:
  [[noreturn]] void Fail(const std::string& reason) const;

  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  std::filesystem::path path_;
  std::unique_ptr<std::FILE, Closer> file_;
  std::uintmax_t size_ = 0;
};

}  // namespace formc
