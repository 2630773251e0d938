// Rows assembled in either version's form read back through the reader's row frame: every
// variable value where it was put, also when a Jet 3 row needs jump bytes or is padded to fill a
// longer slot; values in the forms Access stores them.
#include "provider/jet/writer_row.h"

#include <gtest/gtest.h>

#include "provider/jet/row_layout.h"

namespace {

using namespace provider::jet;

// Three variable columns (numbers 1, 2, 3) after a fixed long integer (number 0).
TableLayout Layout(JetVersion version) {
  TableLayout layout;
  layout.version = version;
  ColumnLayout number;
  number.fixed = true;
  number.length = 4;
  number.columnSpec.type = ColumnType::longInteger;
  layout.columns.push_back(number);
  for (std::uint16_t i = 0; i < 3; ++i) {
    ColumnLayout text;
    text.number = static_cast<std::uint16_t>(i + 1);
    text.varIndex = i;
    text.columnSpec.type = ColumnType::binary;
    layout.columns.push_back(text);
  }
  layout.fixedSize = 4;
  layout.varCount = 3;
  layout.columnCount = 4;
  return layout;
}

Column ReaderColumn(const ColumnLayout& placed) {
  Column column;
  column.number = placed.number;
  column.varIndex = placed.varIndex;
  column.fixedOffset = placed.fixedOffset;
  return column;
}

TEST(WriterRowTest, VariableValuesReadBackAcrossEveryJumpAndPadding) {
  struct Case {
    JetVersion version;
    std::size_t sizes[3];  // bytes of the three variable values; 999: Null
    std::size_t length;    // padded length, 0: the row's own
  };
  // clang-format off
  const Case cases[] = {
      {JetVersion::jet3, {0, 0, 0}, 0},
      {JetVersion::jet3, {10, 20, 30}, 0},
      {JetVersion::jet3, {100, 100, 40}, 0},     // the offsets end just below 256
      {JetVersion::jet3, {120, 120, 10}, 0},     // the row itself crosses 256
      {JetVersion::jet3, {250, 5, 5}, 0},        // the second value starts past 256
      {JetVersion::jet3, {255, 255, 255}, 0},    // three boundaries
      {JetVersion::jet3, {0, 600, 0}, 0},        // one value spans two boundaries: equal jumps
      {JetVersion::jet3, {999, 300, 999}, 0},
      {JetVersion::jet3, {200, 0, 0}, 260},      // padding alone makes a jump byte
      {JetVersion::jet3, {240, 0, 10}, 512},     // padding asks for more jump bytes than offsets
      {JetVersion::jet3, {260, 10, 10}, 1000},
      {JetVersion::jet3, {1900, 0, 0}, 0},
      {JetVersion::jet4, {10, 20, 30}, 0},
      {JetVersion::jet4, {300, 999, 30}, 700},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << (c.version == JetVersion::jet3 ? "Jet 3 " : "Jet 4 ") << c.sizes[0] << "/"
                 << c.sizes[1] << "/" << c.sizes[2] << " padded to " << c.length);
    const TableLayout layout = Layout(c.version);
    std::vector<StoredField> fields(4);
    fields[0] = {true, {1, 2, 3, 4}};
    std::size_t variable = 0;
    for (std::size_t i = 0; i < 3; ++i) {
      if (c.sizes[i] == 999) continue;
      fields[i + 1].present = true;
      for (std::size_t b = 0; b < c.sizes[i]; ++b)
        fields[i + 1].bytes.push_back(static_cast<std::uint8_t>(b * 7 + i));
      variable += c.sizes[i];
    }
    const std::vector<std::uint8_t> row = AssembleRow(layout, fields, c.length);
    EXPECT_EQ(row.size(), std::max(c.length, RowSize(layout, variable)));
    const Format& format = c.version == JetVersion::jet3 ? Format::Jet3() : Format::Jet4();
    auto parsed = RowLayout::Parse(ByteView(row.data(), row.size()), format, true);
    ASSERT_TRUE(parsed.ok()) << parsed.status().ToString();
    auto fixed = parsed.value().Fixed(ReaderColumn(layout.columns[0]), 4);
    ASSERT_TRUE(fixed.ok());
    EXPECT_EQ(std::vector<std::uint8_t>(fixed.value().data(), fixed.value().data() + 4),
              fields[0].bytes);
    for (std::size_t i = 1; i < 4; ++i) {
      EXPECT_EQ(parsed.value().MaskBit(layout.columns[i].number), fields[i].present) << i;
      auto value = parsed.value().Variable(layout.columns[i].varIndex);
      ASSERT_TRUE(value.ok()) << i << ": " << value.status().ToString();
      EXPECT_EQ(std::vector<std::uint8_t>(value.value().data(),
                                          value.value().data() + value.value().size()),
                fields[i].bytes)
          << i;
    }
  }
}

ColumnLayout Fixed(ColumnType type, std::uint16_t length, std::uint16_t codePage = 0) {
  ColumnLayout column;
  column.columnSpec = {u"c", type, static_cast<std::uint16_t>(codePage != 0 ? length : length / 2)};
  column.fixed = true;
  column.length = length;
  column.codePage = codePage;
  column.precision = 5;
  column.scale = 2;
  return column;
}

provider::Decimal Hundredths(std::uint32_t magnitude, bool negative = false) {
  return provider::Decimal{{magnitude, 0, 0, 0}, negative, 5, 2};
}

TEST(WriterRowTest, DecimalsAndFixedLengthTextsInTheirStoredForm) {
  struct Case {
    ColumnLayout column;
    provider::Value value;
    std::vector<std::uint8_t> stored;  // empty: refused
  };
  const Case cases[] = {
      // Sign byte, then the magnitude's four words, most significant first.
      {Fixed(ColumnType::numeric, 17), Hundredths(12345, true),
       {0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x39, 0x30, 0, 0}},
      {Fixed(ColumnType::numeric, 17), Hundredths(123456), {}},  // six digits in five
      {Fixed(ColumnType::numeric, 17), provider::Decimal{{1, 0, 0, 0}, false, 5, 3}, {}},
      // Uncompressed, padded with spaces.
      {Fixed(ColumnType::text, 6), std::u16string(u"N"), {'N', 0, ' ', 0, ' ', 0}},
      {Fixed(ColumnType::text, 3, 1252), std::u16string(u"\u00e9"), {0xE9, ' ', ' '}},
      {Fixed(ColumnType::text, 4), std::u16string(u"\uFEFF"), {}},
  };
  for (const Case& c : cases) {
    const auto field = provider::jet::EncodeField(c.column, c.value);
    if (c.stored.empty()) {
      EXPECT_EQ(field.status().kind(), provider::StatusKind::invalidArgument);
      continue;
    }
    ASSERT_TRUE(field.ok()) << field.status().ToString();
    EXPECT_EQ(field.value().bytes, c.stored);
  }
}

}  // namespace
