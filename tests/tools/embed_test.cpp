// A form compiled and embedded by the build functions is found through the resource calls.
#include <gtest/gtest.h>

#include <string>

#include "platform/resource.h"
#include "tests/tools/tools_test_files.h"
#include "tools/formc/binary.h"

namespace {

std::string ResourceBytes(platform::LPCSTR name, platform::LPCSTR type) {
  platform::HRSRC found = platform::FindResourceA(nullptr, name, type);
  if (!found) return "";
  const void* data = platform::LockResource(platform::LoadResource(nullptr, found));
  return std::string(static_cast<const char*>(data), platform::SizeofResource(nullptr, found));
}

TEST(EmbeddedResources, CompiledFormIsFoundByName) {
  std::string stream = ResourceBytes("TTEST", platform::RT_RCDATA);
  ASSERT_FALSE(stream.empty());
  formc::ObjectRecord root = formc::DecodeStream(stream);
  EXPECT_EQ(root.className, "Ttest");
  EXPECT_EQ(root.name, "test");
  EXPECT_EQ(ResourceBytes("ttest", platform::RT_RCDATA), stream) << "names match in any case";
}

TEST(EmbeddedResources, FilesAreEmbeddedByteForByte) {
  std::string glyph =
      toolstest::ReadFile(toolstest::DataDir() / "every_tag" / "SpeedButton1.Glyph.Data.bin");
  EXPECT_EQ(ResourceBytes("GLYPH", platform::RT_BITMAP), glyph);
  EXPECT_EQ(ResourceBytes("#7", platform::RT_RCDATA), std::string("\0\"\\?\x80\xff", 6));
  platform::HRSRC empty = platform::FindResourceA(nullptr, "notes", "custom");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(platform::SizeofResource(nullptr, empty), 0u);
  EXPECT_NE(platform::GetModuleHandleA("toolstest"), nullptr);
  EXPECT_EQ(platform::FindResourceA(nullptr, "TTEST", platform::RT_BITMAP), nullptr);
}

}  // namespace
