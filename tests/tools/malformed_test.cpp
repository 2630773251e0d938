// Malformed streams and descriptions: one clear error with its place, never a crash.
#include <gtest/gtest.h>

#include <string>

#include "tests/tools/tools_test_files.h"
#include "tools/formc/binary.h"
#include "tools/formc/text.h"

namespace {

std::string Bytes(std::initializer_list<int> bytes) {
  std::string out;
  for (int b : bytes) out += static_cast<char>(b);
  return out;
}

std::string DumpError(const std::string& stream) {
  try {
    formc::DecodeStream(stream);
  } catch (const formc::StreamError& e) {
    return e.what();
  }
  return "no error";
}

const std::string kHead("TPF0\x05Tmain\x04main", 15);  // 15 bytes: properties start here

TEST(MalformedStream, ErrorsNameTheOffset) {
  struct Case {
    std::string stream;
    const char* error;
  };
  const Case cases[] = {
      {"", "offset 0: not a component stream (the signature is not \"TPF0\")"},
      {"TPF1" + kHead.substr(4) + Bytes({0, 0}),
       "offset 0: not a component stream (the signature is not \"TPF0\")"},
      {kHead + Bytes({1, 'X', 0x55, 0, 0}), "offset 17: unknown value tag 0x55"},
      {kHead + Bytes({1, 'X', 0x86, 0, 0}), "offset 17: unknown value tag 0x86"},
      {kHead + Bytes({1, 'X', 12, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 0, 0}),
       "offset 18: long string length 4294967295 exceeds the 3 bytes left"},
      {kHead + Bytes({1, 'X', 18, 2, 0, 0, 0, 'a', 0, 0}),
       "offset 18: wide string length 2 exceeds the 3 bytes left"},
      {kHead + Bytes({1, 'X', 10, 0, 0, 0, 0x80, 0, 0}),
       "offset 18: binary length 2147483648 exceeds the 2 bytes left"},
      {kHead + Bytes({1, 'X', 20, 9, 0, 0, 0, 0, 0}),
       "offset 18: UTF-8 string length 9 exceeds the 2 bytes left"},
      {kHead + Bytes({1, 'X', 6, 200, 'a', 0, 0}), "offset 19: stream ends inside a short string"},
      {kHead + Bytes({1, 'X', 14, 6, 1, 'a', 0, 0, 0}),
       "offset 18: a collection item must open with the list tag 0x01, not 0x06"},
      {kHead + Bytes({0, 0, 0}), "offset 17: unexpected bytes after the root object"},
      {kHead + Bytes({0}), "offset 16: stream ends inside the child list"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    EXPECT_EQ(DumpError(c.stream), c.error);
  }
}

TEST(MalformedStream, EveryTruncationOfAValidStreamIsAnError) {
  std::string valid = formc::EncodeStream(formc::ParseText(
      toolstest::ReadFile(toolstest::DataDir() / "every_tag.txt"), toolstest::DataDir()));
  ASSERT_NO_THROW(formc::DecodeStream(valid));
  for (std::size_t size = 0; size < valid.size(); ++size) {
    try {
      formc::DecodeStream(valid.substr(0, size));
      ADD_FAILURE() << "a stream cut to " << size << " bytes was accepted";
    } catch (const formc::StreamError& e) {
      EXPECT_LE(e.offset(), size) << e.what();
    }
  }
}

TEST(MalformedStream, NestingIsBounded) {
  std::string lists = kHead + Bytes({1, 'X'}) + std::string(100000, '\x01');
  EXPECT_NE(DumpError(lists).find("nesting deeper than 64 levels"), std::string::npos);
  std::string children = kHead + Bytes({0});
  for (int i = 0; i < 100000; ++i) children += Bytes({1, 'T', 0, 0});
  EXPECT_NE(DumpError(children).find("nesting deeper than 64 levels"), std::string::npos);
}

std::string CompileError(const std::string& body) {
  try {
    formc::EncodeStream(formc::ParseText("object main: Tmain\n" + body, "."));
  } catch (const formc::SourceError& e) {
    return e.what();
  }
  return "no error";
}

TEST(MalformedDescription, ErrorsNameLineAndColumn) {
  struct Case {
    const char* body;
    const char* error;
  };
  const Case cases[] = {
      {"  X = \"open\nend\n", "2:7: unterminated string"},
      {"  X = \"a\\q\"\nend\n", "2:9: unknown escape"},
      {"  X = \"ی\"\nend\n",
       "2:7: U+06CC has no exact form in code page 1256; use utf8\"...\" or wide\"...\""},
      {"  X = wide\"\\x41\"\nend\n", "2:7: a wide string cannot hold the raw byte 0x41"},
      {"  X = int8 300\nend\n", "2:12: the integer does not fit its tag"},
      {"  X = 99999999999999999999\nend\n", "2:7: not a number"},
      {"  X = currency 1.23456\nend\n",
       "2:16: a currency amount has at most four decimals and fits 64 bits"},
      {"  X = (1 null)\nend\n", "2:10: null would end the list; it cannot be an item"},
      {"  X = [a, \"\"]\nend\n", "2:13: a set element cannot be empty"},
      {"  X = {abc}\nend\n", "2:7: a binary value needs an even number of hex digits"},
      {"  X = @missing.bin\nend\n", "2:7: cannot read ./missing.bin: No such file or directory"},
      {"  X = @.\nend\n", "2:7: cannot read ./.: it is a directory"},
      {"  X = @/dev/zero\nend\n",
       "2:7: cannot read /dev/zero: it is not below the description's folder"},
      {"  X = @../x.bin\nend\n",
       "2:7: cannot read ./../x.bin: it is not below the description's folder"},
      {"  X = ext {00}\nend\n", "2:11: a raw float payload here is 10 bytes"},
      {"  object A: TA\n  end\n  Y = 1\nend\n", "4:3: properties come before the child objects"},
      {"  X = 1\n", "3:1: expected 'end'"},
      {"  X 1\nend\n", "2:5: expected '='"},
      {"  X = \nend\n", "3:1: expected a value"},
      {"  object A: \"\"\n  end\nend\n",
       "2:13: this class name needs a prefix byte: write 'prefix 0xF0 object ...'"},
      {"  prefix 0xF2 object A: TA\n  end\nend\n",
       "2:25: a prefix byte with the child position bit needs 'at', and only it"},
      {"end\nobject again: T\nend\n", "3:1: only one root object is allowed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    EXPECT_EQ(CompileError(c.body), c.error);
  }
  EXPECT_EQ(CompileError("  X = " + std::string(100000, '(')),
            "2:70: nesting deeper than 64 levels");
  std::string manyValues = "  X = (";
  for (int i = 0; i < 600'000; ++i) manyValues += "1 ";
  EXPECT_EQ(CompileError(manyValues + ")\nend\n"), "2:1000004: more than 500000 values");
  std::string longName(256, 'n');
  EXPECT_EQ(CompileError("  " + longName + " = 1\nend\n"),
            "2:3: a property name is longer than 255 bytes");
}

}  // namespace
