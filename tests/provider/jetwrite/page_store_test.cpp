// The writer's pages over an existing file: read on first use (decrypted when the file's pages
// are encrypted), changes listed in the file's form, a failed change undone whole.
#include "provider/jet/writer_page_store.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>

#include "provider/jet/rc4.h"
#include "tests/provider/jetwrite/edit_support.h"

namespace {

using provider::jet::ChangedPage;
using provider::jet::kWriterPageSize;
using provider::jet::PageStore;

constexpr std::uint32_t kKey = 0x5A17C0DE;

std::vector<std::uint8_t> Encrypted(std::vector<std::uint8_t> page, std::uint32_t number) {
  const std::uint32_t key = kKey ^ number;
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(key >> 8),
                                 static_cast<std::uint8_t>(key >> 16), static_cast<std::uint8_t>(key >> 24)};
  provider::jet::Rc4Apply(bytes, page);
  return page;
}

// Three plain pages filled with their number, stored encrypted but for the header page.
struct File {
  std::string path;
  int descriptor = -1;
  std::vector<std::vector<std::uint8_t>> plain;
  ~File() { ::close(descriptor); }
};

void Make(File& file, bool encrypted) {
  file.path = jetwritetest::TempDir(encrypted ? "encrypted" : "plain") + "/pages.bin";
  std::ofstream out(file.path, std::ios::binary);
  for (std::uint32_t number = 0; number < 3; ++number) {
    file.plain.emplace_back(kWriterPageSize, static_cast<std::uint8_t>(number + 1));
    const auto stored = encrypted && number > 0 ? Encrypted(file.plain.back(), number) : file.plain.back();
    out.write(reinterpret_cast<const char*>(stored.data()), static_cast<std::streamsize>(stored.size()));
  }
  out.close();
  file.descriptor = ::open(file.path.c_str(), O_RDONLY);
}

TEST(PageStoreTest, EncryptedPagesReadPlainAndChangeInTheFilesForm) {
  for (const bool encrypted : {false, true}) {
    SCOPED_TRACE(encrypted ? "encrypted" : "plain");
    File file;
    Make(file, encrypted);
    auto store = PageStore::OverFile(file.descriptor, 3, encrypted ? kKey : 0);
    const auto page = std::as_const(*store).Page(2);
    EXPECT_TRUE(std::equal(page.begin(), page.end(), file.plain[2].begin()));
    // Pages read and left alone, or written with the bytes they had, are no change.
    std::as_const(*store).Page(0);
    store->Page(1)[7] = 2;
    store->Page(1)[7] = 2;
    store->Page(2)[100] = 0xAB;
    const std::uint32_t added = store->AppendUntracked(0x01);
    auto changes = store->Changes();
    ASSERT_TRUE(changes.ok()) << changes.status().ToString();
    ASSERT_EQ(changes.value().size(), 2u);
    const ChangedPage& changed = changes.value()[0];
    EXPECT_EQ(changed.number, 2u);
    std::vector<std::uint8_t> expected = file.plain[2];
    expected[100] = 0xAB;
    EXPECT_EQ(changed.stored, encrypted ? Encrypted(expected, 2) : expected);
    EXPECT_EQ(changed.original, encrypted ? Encrypted(file.plain[2], 2) : file.plain[2]);
    EXPECT_EQ(changes.value()[1].number, added);
    EXPECT_TRUE(changes.value()[1].original.empty());
  }
}

TEST(PageStoreTest, AnUndoneChangeLeavesNoTrace) {
  File file;
  Make(file, false);
  auto store = PageStore::OverFile(file.descriptor, 3, 0);
  store->Page(1)[0] = 9;  // before the change: kept
  store->BeginChange();
  store->Page(1)[1] = 9;
  store->Page(2)[1] = 9;
  store->AppendUntracked(0x01);
  store->UndoChange();
  EXPECT_EQ(store->PageCount(), 3u);
  auto changes = store->Changes();
  ASSERT_TRUE(changes.ok());
  ASSERT_EQ(changes.value().size(), 1u);
  EXPECT_EQ(changes.value()[0].stored[0], 9);
  EXPECT_EQ(changes.value()[0].stored[1], 2);
}

TEST(PageStoreTest, AnUnreadablePageFailsTheChanges) {
  File file;
  Make(file, false);
  auto store = PageStore::OverFile(file.descriptor, 5, 0);  // two pages the file does not have
  std::as_const(*store).Page(4);
  EXPECT_EQ(store->ReadStatus().kind(), provider::StatusKind::io);
  EXPECT_FALSE(store->Changes().ok());
}

}  // namespace
