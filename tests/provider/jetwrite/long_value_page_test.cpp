// Long-value pages as the writer reuses them: a deleted row's bytes go at once while every live
// row keeps its slot number and bytes, a deleted slot takes the next row, and the room counted
// includes what deleted rows held. On pages of either version's size.
#include <gtest/gtest.h>

#include <vector>

#include "provider/jet/data_page.h"
#include "provider/jet/writer_bytes.h"
#include "provider/jet/writer_data_page.h"

namespace {

using namespace provider::jet;

std::vector<std::uint8_t> Row(std::size_t size, std::uint8_t fill) {
  return std::vector<std::uint8_t>(size, fill);
}

// The bytes of every slot as the reader finds them (empty for a deleted slot), by slot number.
std::vector<std::vector<std::uint8_t>> Slots(const std::vector<std::uint8_t>& page) {
  const Format& format = page.size() == 2048 ? Format::Jet3() : Format::Jet4();
  auto data = DataPage::Read(ByteView(page.data(), page.size()), format, "page");
  EXPECT_TRUE(data.ok());
  std::vector<std::vector<std::uint8_t>> slots;
  for (std::uint16_t slot = 0; slot < data.value().SlotCount(); ++slot) {
    auto read = data.value().Slot(slot, "page");
    EXPECT_TRUE(read.ok()) << read.status().ToString();
    slots.emplace_back();
    if (read.ok() && !read.value().deleted)
      slots.back().assign(read.value().bytes.data(), read.value().bytes.data() + read.value().bytes.size());
  }
  return slots;
}

TEST(LongValuePageTest, DeletedRowsLeaveTheirSpaceAndSlotsToTheNextRows) {
  for (const std::size_t pageSize : {std::size_t{2048}, std::size_t{4096}}) {
    SCOPED_TRACE(pageSize);
    std::vector<std::uint8_t> page(pageSize);
    InitDataPage(page, kLongValueOwner);
    const std::size_t third = (pageSize - 40) / 3;
    for (std::uint8_t fill : {1, 2, 3}) {
      auto slot = AddLongValueRow(page, Row(third, fill));
      ASSERT_TRUE(slot.ok());
      EXPECT_EQ(slot.value(), fill - 1u);
    }
    EXPECT_FALSE(LongValuePageHasRoom(page, third));

    // The middle row goes: the rows after it keep their numbers and bytes, its bytes are gone.
    ASSERT_TRUE(DeleteLongValueRow(page, 1).ok());
    EXPECT_EQ(Slots(page), (std::vector<std::vector<std::uint8_t>>{Row(third, 1), {}, Row(third, 3)}));
    EXPECT_EQ(DataRowFlags(page, 1), kRowDeleted | kRowMoved);
    EXPECT_EQ(DataPageFreeSpace(page), pageSize - PageFormat(page).dataRowTable - 6 - 2 * third);
    EXPECT_TRUE(LongValuePageHasRoom(page, DataPageFreeSpace(page)));
    EXPECT_FALSE(LongValuePageHasRoom(page, DataPageFreeSpace(page) + 1));

    // The next row takes the deleted slot, not a new one.
    auto reused = AddLongValueRow(page, Row(third - 10, 4));
    ASSERT_TRUE(reused.ok());
    EXPECT_EQ(reused.value(), 1u);
    EXPECT_EQ(Slots(page),
              (std::vector<std::vector<std::uint8_t>>{Row(third, 1), Row(third - 10, 4), Row(third, 3)}));

    // Every row deleted: the page is as good as empty, its slots still there.
    for (std::uint32_t slot = 0; slot < 3; ++slot) ASSERT_TRUE(DeleteLongValueRow(page, slot).ok());
    EXPECT_EQ(DataRowCount(page), 3u);
    EXPECT_TRUE(LongValuePageHasRoom(page, pageSize - PageFormat(page).dataRowTable - 6));
    EXPECT_EQ(AddLongValueRow(page, Row(20, 5)).value(), 0u);
    EXPECT_EQ(DeleteLongValueRow(page, 7).kind(), provider::StatusKind::notFound);
  }
}

// A page whose offsets are damaged is never laid out again: no room is found on it and a delete
// only flags the slot.
TEST(LongValuePageTest, DamagedPagesAreLeftAlone) {
  std::vector<std::uint8_t> page(4096);
  InitDataPage(page, kLongValueOwner);
  ASSERT_TRUE(AddLongValueRow(page, Row(100, 1)).ok());
  ASSERT_TRUE(AddLongValueRow(page, Row(100, 2)).ok());
  Store16(page, PageFormat(page).dataRowTable + 2, 8000);  // slot 1 starts past the page
  const std::vector<std::uint8_t> damaged = page;
  EXPECT_FALSE(LongValuePageHasRoom(page, 1));
  EXPECT_FALSE(AddLongValueRow(page, Row(1, 3)).ok());
  EXPECT_EQ(page, damaged);
  ASSERT_TRUE(DeleteLongValueRow(page, 0).ok());
  EXPECT_EQ(DataRowFlags(page, 0), kRowDeleted | kRowMoved);
  EXPECT_FALSE(DataRowBytes(page, 1).ok());
}

}  // namespace
