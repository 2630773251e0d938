// Pages read into a buffer are the mapped pages, and a file cut short after it was opened makes
// reading its lost pages an error rather than a fault of the process.
#include "provider/jet/page_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "tests/provider/jet/jet_test_support.h"
#include "tests/provider/jet/written_table.h"

namespace provider::jet {
namespace {

constexpr std::size_t kPageSize = 4096;

bool SameBytes(ByteView a, ByteView b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size()) == 0;
}

TEST(JetPageFile, PagesReadIntoABufferAreTheMappedPages) {
  auto file = PageFile::Open(jettest::DataPath("jackcess_delTestV2003.mdb"));
  ASSERT_TRUE(file.ok()) << file.status().ToString();
  file.value()->SetPageSize(kPageSize);
  std::vector<std::uint8_t> buffer;
  for (std::uint32_t number = 0; number < file.value()->PageCount(); ++number) {
    auto mapped = file.value()->Page(number, "test");
    auto read = file.value()->ReadPage(number, buffer, "test");
    ASSERT_TRUE(mapped.ok() && read.ok()) << number;
    EXPECT_TRUE(SameBytes(mapped.value(), read.value())) << number;
  }
  auto beyond = file.value()->ReadPage(file.value()->PageCount(), buffer, "test");
  EXPECT_EQ(beyond.status().kind(), StatusKind::corruption);
}

TEST(JetPageFile, APageLostToATruncationIsAnError) {
  jettest::TempFile temp;
  std::filesystem::copy_file(jettest::DataPath("jackcess_delTestV2003.mdb"), temp.Path());
  auto file = PageFile::Open(temp.Path());
  ASSERT_TRUE(file.ok());
  file.value()->SetPageSize(kPageSize);
  const std::uint32_t pages = file.value()->PageCount();
  ASSERT_GT(pages, 2u);
  ASSERT_EQ(truncate(temp.Path().c_str(), kPageSize), 0);
  std::vector<std::uint8_t> buffer;
  EXPECT_TRUE(file.value()->ReadPage(0, buffer, "test").ok());
  auto lost = file.value()->ReadPage(pages - 1, buffer, "test");
  EXPECT_EQ(lost.status().kind(), StatusKind::io);
}

}  // namespace
}  // namespace provider::jet
