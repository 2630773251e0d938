// The formc program as a build runs it: exit status, error lines, extraction and dependencies.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdio>
#include <string>

#include "tests/tools/tools_test_files.h"

namespace {

using toolstest::DataDir;
using toolstest::ReadFile;

struct Outcome {
  int status;
  std::string output;  // standard output and error together
};

Outcome Formc(const std::string& args) {
  std::string command = std::string(FORMC_PROGRAM) + " " + args + " 2>&1";
  Outcome run{0, ""};
  FILE* pipe = popen(command.c_str(), "r");
  char buf[4096];
  while (std::size_t n = std::fread(buf, 1, sizeof buf, pipe)) run.output.append(buf, n);
  run.status = pclose(pipe);
  return run;
}

class FormcProgram : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = toolstest::ScratchDir("cli"); }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::filesystem::path dir_;
};

TEST_F(FormcProgram, CompileAndDumpWithExtractionRoundTrip) {
  std::string source = (DataDir() / "every_tag.txt").string();
  ASSERT_EQ(Formc("compile " + source + " " + Path("a.bin") + " --depfile " + Path("a.d")).status,
            0);
  ASSERT_EQ(
      Formc("dump " + Path("a.bin") + " --extract " + Path("every_tag") + " -o " + Path("a.txt"))
          .status,
      0);
  EXPECT_EQ(ReadFile(Path("a.txt")), ReadFile(source));
  ASSERT_EQ(Formc("compile " + Path("a.txt") + " " + Path("b.bin")).status, 0);
  EXPECT_EQ(ReadFile(Path("b.bin")), ReadFile(Path("a.bin")));

  std::string deps = ReadFile(Path("a.d"));
  EXPECT_EQ(deps.rfind(Path("a.bin") + ": ", 0), 0u) << deps;
  EXPECT_NE(deps.find("every_tag/SpeedButton1.Glyph.Data.bin"), std::string::npos) << deps;
  EXPECT_NE(deps.find("every_tag/main.Blob.bin"), std::string::npos) << deps;
}

TEST_F(FormcProgram, DumpPrintsTheDescription) {
  toolstest::WriteFile(Path("s.bin"),
                        std::string("TPF0\x05Tmain\x04main\x04Left\x03\x86\x00\x00\x00", 25));
  Outcome run = Formc("dump " + Path("s.bin"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, "object main: Tmain\n  Left = 134\nend\n");
}

TEST_F(FormcProgram, FailuresAreOneLineAndNonZero) {
  toolstest::WriteFile(Path("bad.bin"), std::string("TPF0\x05Tmain\x04main\x01X\x55\x00\x00", 20));
  Outcome dump = Formc("dump " + Path("bad.bin"));
  EXPECT_NE(dump.status, 0);
  EXPECT_EQ(dump.output, "formc: offset 17: unknown value tag 0x55\n");

  toolstest::WriteFile(Path("bad.txt"), "object main: Tmain\n  X = int8 300\nend\n");
  Outcome compile = Formc("compile " + Path("bad.txt") + " " + Path("out.bin"));
  EXPECT_NE(compile.status, 0);
  EXPECT_EQ(compile.output,
            "formc: " + Path("bad.txt") + ":2:12: the integer does not fit its tag\n");
  EXPECT_FALSE(std::filesystem::exists(Path("out.bin")));

  EXPECT_NE(Formc("frobnicate").status, 0);
  EXPECT_NE(Formc("dump " + Path("missing.bin")).status, 0);
}

// Only regular files of bounded size are read, and a name that holds a line break still gives
// one line of message.
TEST_F(FormcProgram, InputsThatAreNotSmallRegularFilesAreRefusedBeforeReading) {
  toolstest::WriteFile(Path("large.bin"), "TPF0");
  std::filesystem::resize_file(Path("large.bin"), std::uintmax_t{17} << 20);
  toolstest::WriteFile(Path("text.bin"), "object main: Tmain\nend\n");
  struct Case {
    std::string args;
    std::string output;
  };
  const Case cases[] = {
      {"dump " + dir_.string(), "formc: cannot read " + dir_.string() + ": it is a directory\n"},
      {"compile " + dir_.string() + " " + Path("out.bin"),
       "formc: cannot read " + dir_.string() + ": it is a directory\n"},
      {"dump /dev/zero", "formc: cannot read /dev/zero: it is not a regular file\n"},
      {"dump " + Path("large.bin"),
       "formc: cannot read " + Path("large.bin") + ": it is larger than 16 MB\n"},
      {"dump " + Path("text.bin"),
       "formc: offset 0: not a component stream (the signature is not \"TPF0\")\n"},
      {"dump '" + Path("new\nline.bin") + "'",
       "formc: cannot read " + Path("new\\x0Aline.bin") + ": No such file or directory\n"},
  };
  for (const Case& c : cases) {
    Outcome run = Formc(c.args);
    EXPECT_NE(run.status, 0) << c.args;
    EXPECT_EQ(run.output, c.output);
  }
  EXPECT_FALSE(std::filesystem::exists(Path("out.bin")));
}

// A dump is printed as the stream is read: a stream of millions of small values costs about its
// own size in memory, not a tree of them.
TEST_F(FormcProgram, DumpMemoryIsBoundedByTheStreamNotItsValueCount) {
  std::string stream("TPF0\x05Tmain\x04main\x01X\x01", 18);
  for (int i = 0; i < 2'000'000; ++i) stream += std::string("\x02\x07", 2);
  stream += std::string("\x00\x00\x00", 3);
  toolstest::WriteFile(Path("many.bin"), stream);
  Outcome run = Formc("dump " + Path("many.bin") + " -o " + Path("many.txt"));
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(std::filesystem::file_size(Path("many.txt")), 2'000'000u * 6 + 35);
  rusage children{};
  getrusage(RUSAGE_CHILDREN, &children);
  EXPECT_LT(children.ru_maxrss, 256 * 1024) << "kilobytes at the peak";
}

}  // namespace
