// formc: compiles a readable description into a binary component stream, and dumps one back.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/formc/binary.h"
#include "tools/formc/source_file.h"
#include "tools/formc/text.h"
#include "tools/message_text.h"

namespace fs = std::filesystem;

namespace {

constexpr char kUsage[] =
    "usage: formc compile IN OUT [--depfile FILE]\n"
    "       formc dump IN [-o OUT] [--extract DIR]\n";

int Fail(const std::string& message) {
  std::cerr << "formc: " << tools::Printable(message) << "\n";
  return 1;
}

// Writes beside the target and renames, so that a failed run never leaves a half-written file.
bool WriteWhole(const fs::path& path, const std::string& bytes) {
  fs::path temporary = path;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) return false;
  }
  std::error_code ec;
  fs::rename(temporary, path, ec);
  return !ec;
}

std::string DepfilePath(const fs::path& path) {
  std::string out;
  for (char c : fs::absolute(path).lexically_normal().string()) {
    if (c == ' ' || c == '#' || c == '\\') out += '\\';
    if (c == '$') out += '$';
    out += c;
  }
  return out;
}

int Compile(const std::vector<std::string>& args) {
  if (args.size() != 2 && !(args.size() == 4 && args[2] == "--depfile")) return Fail(kUsage);
  fs::path in = args[0], out = args[1];
  std::vector<fs::path> referenced;
  std::string stream;
  try {
    std::string text;
    formc::SourceFile file(in);
    file.Read(static_cast<std::size_t>(file.Size()), &text);
    stream = formc::EncodeStream(formc::ParseText(text, in.parent_path(), &referenced));
  } catch (const formc::FileError& e) {
    return Fail(e.what());
  } catch (const formc::SourceError& e) {
    return Fail(in.string() + ":" + e.what());
  } catch (const std::invalid_argument& e) {
    return Fail(in.string() + ": " + e.what());
  }
  if (!WriteWhole(out, stream)) return Fail("cannot write " + out.string());
  if (args.size() == 4) {
    std::string deps = DepfilePath(out) + ": " + DepfilePath(in);
    for (const fs::path& file : referenced) deps += " " + DepfilePath(file);
    if (!WriteWhole(args[3], deps + "\n")) return Fail("cannot write " + args[3]);
  }
  return 0;
}

int Dump(const std::vector<std::string>& args) {
  if (args.empty()) return Fail(kUsage);
  formc::PrintOptions options;
  std::optional<fs::path> out;
  for (std::size_t i = 1; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return Fail(kUsage);
    if (args[i] == "--extract") {
      options.extractDir = args[i + 1];
    } else if (args[i] == "-o") {
      out = args[i + 1];
      options.textDir = out->parent_path().empty() ? fs::path(".") : out->parent_path();
    } else {
      return Fail(kUsage);
    }
  }
  std::string stream;
  try {
    // The signature is checked before the rest is read, so a file that is no stream costs
    // four bytes of reading whatever its size.
    formc::SourceFile file(args[0]);
    file.Read(4, &stream);
    formc::CheckSignature(stream);
    file.Read(static_cast<std::size_t>(file.Size()), &stream);
    if (!out) {
      if (!formc::PrintStream(stream, options, std::cout)) return Fail("cannot write the output");
      return 0;
    }
    // Written beside the target and renamed, so that a failed run leaves no half-written file.
    fs::path temporary = *out;
    temporary += ".tmp";
    bool written = false;
    {
      std::ofstream text(temporary, std::ios::binary | std::ios::trunc);
      written = text && formc::PrintStream(stream, options, text);
    }
    std::error_code ec;
    if (written) fs::rename(temporary, *out, ec);
    if (!written || ec) {
      fs::remove(temporary, ec);
      return Fail("cannot write " + out->string());
    }
  } catch (const formc::FileError& e) {
    return Fail(e.what());
  } catch (const formc::StreamError& e) {
    return Fail(e.what());
  } catch (const std::runtime_error& e) {
    return Fail(e.what());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Fail(kUsage);
  std::string command = args.front();
  args.erase(args.begin());
  if (command == "compile") return Compile(args);
  if (command == "dump") return Dump(args);
  return Fail(kUsage);
}
