// Damaged and foreign files: every one fails with a clear status, never a crash or a hang.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <random>

#include "provider/jet/database.h"
#include "provider/jet/new_database.h"
#include "provider/jet/rc4.h"
#include "tests/fixtures/scratch_folder.h"
#include "tests/provider/jet/jet_test_support.h"

namespace {

using jettest::DataPath;
using jettest::ReadBytes;
using provider::StatusKind;
using provider::jet::Database;
using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t Get32(const Bytes& bytes, std::size_t offset) {
  return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
         static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

// A file of our own writer (whose usage maps are inline bitmaps over a page range): four
// tables of a few hundred rows, one after the other, so a cut falls inside some of them.
std::string WrittenDatabase() {
  auto db = provider::jet::NewDatabase::Create(provider::DateTime{46000.5});
  for (const char16_t* name : {u"kolliyat", u"ejaz", u"elm", u"vahy"}) {
    auto table = db.value()->CreateTable(
        {name,
         {provider::jet::ColumnSpec{u"id", provider::jet::ColumnType::longInteger, 0, true},
          provider::jet::ColumnSpec{u"kholase", provider::jet::ColumnType::text, 255, false}}});
    for (int row = 0; row < 300; ++row) {
      const std::u16string title(100, static_cast<char16_t>(u'\u0627' + row % 20));
      EXPECT_TRUE(table.value()->InsertRow({provider::Value{}, provider::Value{title}}).ok());
    }
  }
  const std::string path = (fixtures::ProcessScratchFolder() / "written.mdb").string();
  EXPECT_TRUE(db.value()->Save(path).ok());
  return path;
}

std::string TempFile(const std::string& name, const std::string& contents) {
  const std::string path = (fixtures::ProcessScratchFolder() / name).string();
  std::ofstream(path, std::ios::binary) << contents;
  return path;
}

TEST(JetCorruptFiles, ForeignFilesAreRefusedWithJetsMessages) {
  auto missing = Database::Open("/nonexistent/none.mdb");
  EXPECT_EQ(missing.status().kind(), StatusKind::notFound);
  EXPECT_EQ(missing.status().message(), "Could not find file '/nonexistent/none.mdb'.");

  Bytes accdb = ReadBytes(DataPath("jackcess_adox_jet4.mdb"));
  accdb[0x14] = 2;  // the first ACE version
  const std::string text(200, 'x');
  struct Case {
    std::string name;
    std::string contents;
  };
  for (const Case& c : {Case{"empty.mdb", ""}, Case{"text.mdb", "Standard Jet DB? no.\n" + text},
                        Case{"ace.mdb", std::string(accdb.begin(), accdb.end())},
                        Case{"short.mdb", std::string(accdb.begin(), accdb.begin() + 100)}}) {
    const std::string path = TempFile(c.name, c.contents);
    auto db = Database::Open(path);
    ASSERT_FALSE(db.ok()) << c.name;
    EXPECT_EQ(db.status().message(), "Unrecognized database format '" + path + "'.");
  }
}

// What is not a regular file is refused as it is opened: a directory, a device, and a named pipe
// that no one writes to, which must not be waited on.
TEST(JetCorruptFiles, OnlyRegularFilesAreOpened) {
  const std::string fifo = (fixtures::ProcessScratchFolder() / "pipe.mdb").string();
  std::remove(fifo.c_str());
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path :
       {fixtures::ProcessScratchFolder().string(), std::string("/dev/zero"), fifo}) {
    auto db = Database::Open(path);
    ASSERT_FALSE(db.ok()) << path;
    EXPECT_EQ(db.status().kind(), StatusKind::io);
    EXPECT_EQ(db.status().message(), "Cannot open file '" + path + "': not a regular file.");
  }
  std::remove(fifo.c_str());
}

TEST(JetCorruptFiles, TruncatedFileFailsWhereThePagesAreMissing) {
  const Bytes whole = ReadBytes(DataPath("jackcess_testV2003.mdb"));
  for (std::size_t pages : {3u, 20u, 200u, 700u}) {
    const Bytes cut(whole.begin(), whole.begin() + pages * 4096 + 100);
    auto db = Database::OpenBuffer(cut, "cut.mdb");
    if (!db.ok()) {
      EXPECT_EQ(db.status().kind(), StatusKind::corruption) << pages;
      continue;
    }
    const provider::Status status = jettest::ReadEverything(*db.value(), nullptr);
    ASSERT_FALSE(status.ok()) << pages;
    EXPECT_NE(status.message().find("beyond the end of the file"), std::string::npos)
        << status.ToString();
  }
}

// What a file cut short still gives: the catalog, when its pages survive, and every table whose
// pages all lie before the cut, whole and unchanged. A table with a page past the cut fails to
// open, naming the table; never does it come back with fewer rows.
TEST(JetCorruptFiles, TruncatedFileGivesWholeTablesOrCorruption) {
  const std::string written = WrittenDatabase();
  for (const std::string& name : {written, DataPath("mdbtestdata_nwind.mdb")}) {
    const Bytes whole = ReadBytes(name);
    auto original = Database::OpenBuffer(whole, name);
    ASSERT_TRUE(original.ok());
    for (std::size_t size : {std::size_t{10 * 4096}, whole.size() / 2}) {
      auto cut = Database::OpenBuffer(Bytes(whole.begin(), whole.begin() + size), name);
      if (!cut.ok()) {
        EXPECT_EQ(cut.status().kind(), StatusKind::corruption) << name << " at " << size;
        continue;
      }
      std::size_t failed = 0;
      for (const std::string& table : original.value()->UserTableNames()) {
        auto damaged = cut.value()->OpenTable(table);
        if (!damaged.ok()) {
          ++failed;
          EXPECT_EQ(damaged.status().kind(), StatusKind::corruption) << table;
          EXPECT_NE(damaged.status().where().find("table '" + table + "'"), std::string::npos)
              << damaged.status().ToString();
          continue;
        }
        auto intact = original.value()->OpenTable(table);
        ASSERT_EQ(damaged.value()->RowCount(), intact.value()->RowCount()) << table;
        for (std::size_t row = 0; row < intact.value()->RowCount(); ++row) {
          for (std::size_t c = 0; c < intact.value()->Columns().size(); ++c) {
            auto value = damaged.value()->GetValue(row, c);
            if (value.ok()) {
              EXPECT_EQ(value.value(), intact.value()->GetValue(row, c).value()) << table;
            } else {
              EXPECT_EQ(value.status().kind(), StatusKind::corruption) << table;
            }
          }
        }
      }
      EXPECT_GT(failed, 0u) << name << " cut at " << size << " reads as if whole";
    }
  }
}

TEST(JetCorruptFiles, PointersOutOfRangeAndCyclesAreReported) {
  const Bytes original = ReadBytes(DataPath("jackcess_testV2003.mdb"));
  auto db = Database::OpenBuffer(original, "t.mdb");
  ASSERT_TRUE(db.ok());
  std::uint32_t tdef = 0;
  for (const auto& entry : db.value()->Tables())
    if (entry.name == "Table1") tdef = entry.DefinitionPage();
  ASSERT_NE(tdef, 0u);
  const std::size_t at = std::size_t{tdef} * 4096;

  struct Case {
    const char* what;
    std::size_t offset;
    std::uint32_t value;
    const char* message;
  };
  const Case cases[] = {
      {"usage map on a page past the end", at + 55, 0x00FFFF00, "beyond the end of the file"},
      {"usage map on the header page", at + 55, 0x00000000, "header page"},
      {"definition chained to itself", at + 4, tdef, "cycle"},
      {"definition continued past the end", at + 4, 0x00FFFFFF, "beyond the end of the file"},
  };
  for (const Case& c : cases) {
    Bytes bytes = original;
    Put32(bytes, c.offset, c.value);
    auto damaged = Database::OpenBuffer(bytes, "t.mdb");
    ASSERT_TRUE(damaged.ok()) << c.what;
    auto table = damaged.value()->OpenTable("Table1");
    ASSERT_FALSE(table.ok()) << c.what;
    EXPECT_EQ(table.status().kind(), StatusKind::corruption) << c.what;
    EXPECT_NE(table.status().ToString().find(c.message), std::string::npos)
        << c.what << ": " << table.status().ToString();
    EXPECT_NE(table.status().where().find("table 'Table1'"), std::string::npos);
  }
}

// Points every link of every long-value chain at itself.
TEST(JetCorruptFiles, LongValueChainCycleIsReported) {
  Bytes bytes = ReadBytes(DataPath("jackcess_test2V2003.mdb"));
  const std::size_t pageSize = 4096;
  std::size_t links = 0;
  for (std::size_t page = 1; page < bytes.size() / pageSize; ++page) {
    const std::size_t p = page * pageSize;
    if (bytes[p] != 0x01 || std::memcmp(&bytes[p + 4], "LVAL", 4) != 0) continue;
    const std::size_t slots = bytes[p + 12] | bytes[p + 13] << 8;
    for (std::size_t row = 0; row < slots && row < 255; ++row) {
      const std::uint16_t entry = bytes[p + 14 + 2 * row] | bytes[p + 15 + 2 * row] << 8;
      if (entry & 0xC000) continue;
      const std::size_t start = p + (entry & 0x1FFF);
      const std::uint32_t next = Get32(bytes, start);
      if (next == 0 || (next >> 8) >= bytes.size() / pageSize) continue;
      Put32(bytes, start, static_cast<std::uint32_t>(page << 8 | row));
      ++links;
    }
  }
  ASSERT_GT(links, 0u);
  auto db = Database::OpenBuffer(bytes, "t.mdb");
  ASSERT_TRUE(db.ok()) << db.status().ToString();
  const provider::Status status = jettest::ReadEverything(*db.value(), nullptr);
  ASSERT_FALSE(status.ok());
  EXPECT_NE(status.message().find("cycle"), std::string::npos) << status.ToString();
}

// Points every moved row's forwarding slot at itself, or at a row of the catalog.
TEST(JetCorruptFiles, MovedRowPointersAreChecked) {
  const Bytes original = ReadBytes(DataPath("jackcess_overflowTestV2003.mdb"));
  const std::size_t pageSize = 4096;
  std::uint32_t catalogRow = 0;
  for (std::size_t page = 3; page < original.size() / pageSize && catalogRow == 0; ++page) {
    if (original[page * pageSize] == 0x01 && Get32(original, page * pageSize + 4) == 2)
      catalogRow = static_cast<std::uint32_t>(page << 8);
  }
  ASSERT_NE(catalogRow, 0u);
  for (const bool self : {true, false}) {
    Bytes bytes = original;
    std::size_t forwards = 0;
    for (std::size_t page = 1; page < bytes.size() / pageSize; ++page) {
      const std::size_t p = page * pageSize;
      if (bytes[p] != 0x01 || std::memcmp(&bytes[p + 4], "LVAL", 4) == 0) continue;
      const std::size_t slots = bytes[p + 12] | bytes[p + 13] << 8;
      for (std::size_t row = 0; row < slots && row < 255; ++row) {
        const std::uint16_t entry = bytes[p + 14 + 2 * row] | bytes[p + 15 + 2 * row] << 8;
        if ((entry & 0xC000) != 0x4000) continue;
        Put32(bytes, p + (entry & 0x1FFF),
              self ? static_cast<std::uint32_t>(page << 8 | row) : catalogRow);
        ++forwards;
      }
    }
    ASSERT_GT(forwards, 0u);
    auto db = Database::OpenBuffer(bytes, "t.mdb");
    ASSERT_TRUE(db.ok()) << db.status().ToString();
    auto table = db.value()->OpenTable("Table1");
    ASSERT_FALSE(table.ok());
    EXPECT_NE(table.status().message().find(self ? "cycle" : "another table"), std::string::npos)
        << table.status().ToString();
  }
}

// A moved row whose data slot is marked as a deleted forwarding slot (0xC000) is a deleted row:
// it must vanish, not come back as whatever bytes the slot holds.
TEST(JetCorruptFiles, MovedRowWithDeletedTargetIsNotListed) {
  Bytes bytes = ReadBytes(DataPath("jackcess_overflowTestV2003.mdb"));
  const std::size_t pageSize = 4096;
  auto before = Database::OpenBuffer(bytes, "t.mdb");
  ASSERT_TRUE(before.ok());
  const std::size_t rows = before.value()->OpenTable("Table1").value()->RowCount();
  bool marked = false;
  for (std::size_t page = 1; page < bytes.size() / pageSize && !marked; ++page) {
    const std::size_t p = page * pageSize;
    if (bytes[p] != 0x01 || std::memcmp(&bytes[p + 4], "LVAL", 4) == 0) continue;
    const std::size_t slots = bytes[p + 12] | bytes[p + 13] << 8;
    for (std::size_t row = 0; row < slots && row < 255 && !marked; ++row) {
      const std::uint16_t entry = bytes[p + 14 + 2 * row] | bytes[p + 15 + 2 * row] << 8;
      if ((entry & 0xC000) != 0x4000) continue;
      const std::uint32_t target = Get32(bytes, p + (entry & 0x1FFF));
      const std::size_t at = (target >> 8) * pageSize + 14 + 2 * (target & 0xFF);
      bytes[at + 1] |= 0xC0;
      marked = true;
    }
  }
  ASSERT_TRUE(marked);
  auto after = Database::OpenBuffer(bytes, "t.mdb");
  ASSERT_TRUE(after.ok());
  auto table = after.value()->OpenTable("Table1");
  ASSERT_TRUE(table.ok()) << table.status().ToString();
  EXPECT_EQ(table.value()->RowCount(), rows - 1);
}

// Flips bytes all over small real files and reads everything: whatever breaks must come back
// as a status with a message.
TEST(JetCorruptFiles, RandomByteFlipsNeverCrash) {
  std::mt19937 random(20261208);
  for (const char* file :
       {"jackcess_delTestV1997.mdb", "ucanaccess_functionsV2003.mdb", "jackcess_test2V1997.mdb"}) {
    const Bytes original = ReadBytes(DataPath(file));
    for (int round = 0; round < 40; ++round) {
      Bytes bytes = original;
      const int flips = 1 + static_cast<int>(random() % 64);
      for (int i = 0; i < flips; ++i)
        bytes[random() % bytes.size()] ^= static_cast<std::uint8_t>(1 + random() % 255);
      auto db = Database::OpenBuffer(bytes, file);
      if (!db.ok()) {
        EXPECT_FALSE(db.status().message().empty());
        continue;
      }
      const provider::Status status = jettest::ReadEverything(*db.value(), nullptr);
      if (!status.ok()) {
        EXPECT_FALSE(status.message().empty());
      }
    }
  }
}

// A copy of `plain` (a Jet 4 file) with page encryption switched on under `key`.
Bytes Encrypted(const Bytes& plain, std::uint32_t key) {
  Bytes encrypted = plain;
  const std::uint8_t headerKey[] = {0xC7, 0xDA, 0x39, 0x6B};
  std::span<std::uint8_t> hidden(encrypted.data() + 0x18, 128);
  provider::jet::Rc4Apply(headerKey, hidden);
  Put32(encrypted, 0x3E, key);
  provider::jet::Rc4Apply(headerKey, hidden);
  for (std::size_t page = 1; page < encrypted.size() / 4096; ++page) {
    const std::uint32_t pageKey = key ^ static_cast<std::uint32_t>(page);
    const std::uint8_t keyBytes[] = {
        static_cast<std::uint8_t>(pageKey), static_cast<std::uint8_t>(pageKey >> 8),
        static_cast<std::uint8_t>(pageKey >> 16), static_cast<std::uint8_t>(pageKey >> 24)};
    provider::jet::Rc4Apply(keyBytes, std::span<std::uint8_t>(&encrypted[page * 4096], 4096));
  }
  return encrypted;
}

// A copy with page encryption switched on reads the same as the plain file.
TEST(JetCorruptFiles, EncryptedPagesReadLikePlainOnes) {
  const Bytes plain = ReadBytes(DataPath("ucanaccess_functionsV2003.mdb"));
  const std::uint32_t key = 0x5A17C3E1;
  auto a = Database::OpenBuffer(plain, "plain.mdb");
  auto b = Database::OpenBuffer(Encrypted(plain, key), "encrypted.mdb");
  ASSERT_TRUE(a.ok() && b.ok()) << b.status().ToString();
  EXPECT_EQ(b.value()->FileHeader().databaseKey, key);
  std::size_t plainValues = 0, encryptedValues = 0;
  EXPECT_TRUE(jettest::ReadEverything(*a.value(), &plainValues).ok());
  EXPECT_TRUE(jettest::ReadEverything(*b.value(), &encryptedValues).ok());
  EXPECT_GT(plainValues, 0u);
  EXPECT_EQ(plainValues, encryptedValues);
}

long PeakResidentKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Pages are decrypted as they are read: an encrypted file of 1 GB whose catalog lies in its
// first pages opens without its size in memory (the rest of it is a hole in the file system).
TEST(JetCorruptFiles, EncryptedFileCostsThePagesReadNotItsSize) {
  const Bytes encrypted = Encrypted(ReadBytes(DataPath("ucanaccess_functionsV2003.mdb")), 0x1234);
  const std::string path =
      TempFile("large_encrypted.mdb", std::string(encrypted.begin(), encrypted.end()));
  ASSERT_EQ(truncate(path.c_str(), off_t{1} << 30), 0);
  const long before = PeakResidentKilobytes();
  {
    auto db = Database::Open(path);
    ASSERT_TRUE(db.ok()) << db.status().ToString();
    auto table = db.value()->OpenTable("t_funcs");
    EXPECT_TRUE(table.ok()) << table.status().ToString();
  }
  std::remove(path.c_str());
  EXPECT_LT(PeakResidentKilobytes() - before, 256 * 1024);
}

}  // namespace
