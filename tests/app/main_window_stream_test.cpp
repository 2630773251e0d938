// The main window's compiled description: its components in stored order, each kind of text
// with the value tag the program's stream uses, and the pictures' stored data as the picture
// reader expects it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/resource.h"
#include "tools/formc/binary.h"

namespace {

formc::ObjectRecord MainWindow() {
  platform::HRSRC found = platform::FindResourceA(nullptr, "TMAIN", platform::RT_RCDATA);
  if (!found) throw std::runtime_error("no TMAIN resource");
  const void* data = platform::LockResource(platform::LoadResource(nullptr, found));
  return formc::DecodeStream(
      std::string_view(static_cast<const char*>(data), platform::SizeofResource(nullptr, found)));
}

const formc::PropertyEntry* Entry(const formc::ObjectRecord& record, const std::string& name) {
  for (const auto& entry : record.entries) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

// Every record in the stream, depth first, in stored order.
void Flatten(const formc::ObjectRecord& record, std::vector<const formc::ObjectRecord*>& out) {
  for (const auto& child : record.children) {
    out.push_back(&child);
    Flatten(child, out);
  }
}

TEST(MainWindowStream, ComponentsInStoredOrder) {
  formc::ObjectRecord root = MainWindow();
  EXPECT_EQ(root.className, "Tmain");
  EXPECT_EQ(root.name, "main");
  std::vector<const formc::ObjectRecord*> all;
  Flatten(root, all);
  std::vector<std::string> names;
  for (const auto* record : all) names.push_back(record->name);
  const std::vector<std::string> expected = {
      "Image1", "Image2", "Label2", "Label1", "Label3", "Label4", "Label5", "Label6", "Label7",
      "DBTextkolliyat", "Label8", "Label9", "SpeedButton1", "SpeedButton2", "SpeedButton3",
      "SpeedButton4", "SpeedButton6", "SpeedButton5", "SpeedButton7", "DBTextmoghadamat",
      "DBTextvajeb", "DBTextmostahab", "DBTextnamaz", "DBTextmotefar", "SpeedButton8",
      "DBTextpnamaz", "Shape1", "Shape2", "Shape3", "Shape4", "DBkolliyat", "Memopokolliyat",
      "Memopakolliyat", "Memomankolliyat", "Edit1", "Memopomoghadamat", "Memopamoghadamat",
      "Memomamoghadamat", "DBmoghadamat", "Memopovajeb", "Memopavajeb", "Memomavajeb", "DBvajeb",
      "Memopomostahab", "Memopamostahab", "Memomamostahab", "DBmostahab", "Memoponamaz",
      "Memopanamaz", "Memomanamaz", "DBnamaz", "Memopomotefar", "Memopamotefar", "Memomamotefar",
      "DBmotefar", "Panel1", "Image3", "DBpnamaz", "GroupBox1", "SpeedButton9", "SpeedButton10",
      "RadioButton1", "RadioButton2", "ebarat", "Memopopnamaz", "Memomapnamaz", "Memopapnamaz",
      "ADOConnection1", "ADOTable1", "DataSource1", "Qkolliyat", "Dqkolliyat", "FindDialog1",
      "FontDialog1", "ADOTable2", "DataSource2", "Qmoghadamat", "Dmoghadamat", "ADOTable3",
      "DataSource3", "Qvajeb", "Dvajeb", "ADOTable4", "DataSource4", "Qmostahab", "Dmostahab",
      "ADOTable5", "DataSource5", "Qnamaz", "Dnamaz", "ADOTable6", "DataSource6", "Qmotefar",
      "Dmotefar", "FontDialog2", "FontDialog3", "FontDialog4", "FontDialog5", "FontDialog6",
      "FindDialog2", "FindDialog3", "FindDialog4", "FindDialog5", "FindDialog6", "ADOTable7",
      "DataSource7", "qpnamaz", "Dqpnamaz", "FontDialog7"};
  EXPECT_EQ(names, expected);
}

TEST(MainWindowStream, EachKindOfTextHasItsTag) {
  formc::ObjectRecord root = MainWindow();
  std::vector<const formc::ObjectRecord*> all;
  Flatten(root, all);
  const formc::PropertyEntry* caption = Entry(root, "Caption");
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->value.tag, ValueTag::tagUtf8String);
  EXPECT_EQ(Entry(root, "OnCreate")->value.tag, ValueTag::tagIdent);
  EXPECT_EQ(Entry(root, "OnCreate")->value.bytes, "FormCreate");
  EXPECT_EQ(Entry(root, "Font.Style")->value.tag, ValueTag::tagSet);
  EXPECT_TRUE(Entry(root, "Font.Style")->value.elements.empty());
  for (const auto* record : all) {
    SCOPED_TRACE(record->name);
    for (const auto& entry : record->entries) {
      SCOPED_TRACE(entry.name);
      if (entry.name == "Caption" && record->className != "TADOConnection") {
        bool persian = entry.value.tag == ValueTag::tagUtf8String ||
                       entry.value.tag == ValueTag::tagWideString;
        EXPECT_TRUE(persian || (record->name == "Label9" && entry.value.bytes.empty()));
      }
      if (entry.name == "Font.Name" || entry.name == "TableName" || entry.name == "Provider") {
        EXPECT_EQ(entry.value.tag, ValueTag::tagShortString);
      }
      if (entry.name == "ConnectionString") {
        EXPECT_EQ(entry.value.tag, ValueTag::tagLongString);
      }
      if (entry.name == "Parameters") {
        EXPECT_EQ(entry.value.tag, ValueTag::tagCollection);
        EXPECT_TRUE(entry.value.collection.empty());
      }
      if (entry.name == "SQL.Strings") {
        ASSERT_EQ(entry.value.items.size(), 2u);
        EXPECT_EQ(entry.value.items[0].tag, ValueTag::tagShortString);
        EXPECT_EQ(entry.value.items[0].bytes, "SELECT *");
      }
    }
  }
}

TEST(MainWindowStream, PicturesAndGlyphsAreStoredAsTheirReadersExpect) {
  formc::ObjectRecord root = MainWindow();
  std::vector<const formc::ObjectRecord*> all;
  Flatten(root, all);
  int pictures = 0;
  int glyphs = 0;
  for (const auto* record : all) {
    for (const auto& entry : record->entries) {
      if (entry.name != "Picture.Data" && entry.name != "Glyph.Data") continue;
      SCOPED_TRACE(record->name);
      ASSERT_EQ(entry.value.tag, ValueTag::tagBinary);
      const std::string& data = entry.value.bytes;
      ASSERT_GT(data.size(), 20u);
      // A picture stores its graphic's class name first; a glyph is a bitmap's own data.
      std::size_t at = 0;
      std::string className;
      if (entry.name == "Picture.Data") {
        at = 1 + static_cast<unsigned char>(data[0]);
        className = data.substr(1, at - 1);
      }
      std::size_t count = 0;
      for (int i = 3; i >= 0; --i) count = (count << 8) | static_cast<unsigned char>(data[at + i]);
      EXPECT_EQ(count, data.size() - at - 4) << "the count covers the rest exactly";
      std::string file = data.substr(at + 4);
      if (entry.name == "Picture.Data") {
        ++pictures;
        EXPECT_EQ(className, "TJPEGImage");
        EXPECT_EQ(file.substr(0, 2), "\xFF\xD8");
      } else {
        ++glyphs;
        EXPECT_EQ(file.substr(0, 2), "BM");
        EXPECT_EQ(data.size(), record->name == "SpeedButton8" ? 1222u : 582u);
      }
    }
  }
  EXPECT_EQ(pictures, 3);
  EXPECT_EQ(glyphs, 6);
}

}  // namespace
