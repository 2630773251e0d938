// The typed reads of tagged values, one stream per case.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "core/exceptions.h"
#include "core/extended.h"
#include "core/reader.h"
#include "tests/core/stream_builder.h"

namespace coretest {
namespace {

template <class F>
auto ReadFrom(const StreamBuilder& b, F read) {
  auto stream = b.Stream();
  TReader reader(*stream);
  return read(reader);
}

void ExpectInvalid(const StreamBuilder& b, const std::function<void(TReader&)>& read,
                   const char* message = "Invalid property value") {
  auto stream = b.Stream();
  TReader reader(*stream);
  try {
    read(reader);
    FAIL() << "no error";
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), message);
  }
}

TEST(TypedRead, IntegersAreSignExtended) {
  auto readInt = [](TReader& r) { return r.ReadInteger(); };
  EXPECT_EQ(ReadFrom(StreamBuilder().Int8(-5), readInt), -5);
  EXPECT_EQ(ReadFrom(StreamBuilder().Int16(-300), readInt), -300);
  EXPECT_EQ(ReadFrom(StreamBuilder().Int32(-70000), readInt), -70000);
  auto readInt64 = [](TReader& r) { return r.ReadInt64(); };
  EXPECT_EQ(ReadFrom(StreamBuilder().Int64(-(std::int64_t{1} << 40)), readInt64),
            -(std::int64_t{1} << 40));
  EXPECT_EQ(ReadFrom(StreamBuilder().Int8(-1), readInt64), -1);
  ExpectInvalid(StreamBuilder().Int64(1), [](TReader& r) { r.ReadInteger(); });
  ExpectInvalid(StreamBuilder().Short("1"), [](TReader& r) { r.ReadInteger(); });
}

TEST(TypedRead, FloatsAcceptIntegers) {
  EXPECT_EQ(ReadFrom(StreamBuilder().Int16(-3), [](TReader& r) { return r.ReadFloat(); }), -3.0L);
  EXPECT_EQ(ReadFrom(StreamBuilder().Single(1.5f), [](TReader& r) { return r.ReadSingle(); }),
            1.5f);
  EXPECT_EQ(ReadFrom(StreamBuilder().Int8(2), [](TReader& r) { return r.ReadSingle(); }), 2.0f);
  EXPECT_EQ(
      ReadFrom(StreamBuilder().Currency(12345), [](TReader& r) { return r.ReadCurrency(); }).Value,
      12345);
  EXPECT_EQ(ReadFrom(StreamBuilder().Int8(3), [](TReader& r) { return r.ReadCurrency(); }).Value,
            30000);
  EXPECT_EQ(ReadFrom(StreamBuilder().Date(45000.25), [](TReader& r) { return r.ReadDate(); }).Value,
            45000.25);
  EXPECT_EQ(ReadFrom(StreamBuilder().Int32(7), [](TReader& r) { return r.ReadDate(); }).Value, 7.0);
  // A currency amount that cannot be scaled is refused, not wrapped around.
  ExpectInvalid(StreamBuilder().Int64(std::numeric_limits<std::int64_t>::max()),
                [](TReader& r) { r.ReadCurrency(); });
  ExpectInvalid(StreamBuilder().Short("x"), [](TReader& r) { r.ReadFloat(); });
}

TEST(TypedRead, ExtendedFloatsDecodeExactly) {
  constexpr std::uint64_t kOne = std::uint64_t{1} << 63;
  auto read = [](const StreamBuilder& b) {
    return ReadFrom(b, [](TReader& r) { return r.ReadFloat(); });
  };
  EXPECT_EQ(read(StreamBuilder().Extended(kOne, 0x3FFF)), 1.0L);
  EXPECT_EQ(read(StreamBuilder().Extended(kOne | (kOne >> 2), 0xC000)), -2.5L);
  EXPECT_EQ(read(StreamBuilder().Extended(0, 0)), 0.0L);
  EXPECT_TRUE(std::signbit(read(StreamBuilder().Extended(0, 0x8000))));
  EXPECT_EQ(read(StreamBuilder().Extended(kOne, 0x7FFF)),
            std::numeric_limits<long double>::infinity());
  EXPECT_EQ(read(StreamBuilder().Extended(kOne, 0xFFFF)),
            -std::numeric_limits<long double>::infinity());
  EXPECT_TRUE(std::isnan(read(StreamBuilder().Extended(kOne | 1, 0x7FFF))));
  // Unnormal: exponent set, integer bit clear.
  EXPECT_TRUE(std::isnan(read(StreamBuilder().Extended(1, 0x3FFF))));
  // The smallest denormal is 2^-16445; the full 64-bit mantissa survives.
  EXPECT_EQ(read(StreamBuilder().Extended(1, 0)), std::ldexp(1.0L, -16445));
  EXPECT_EQ(read(StreamBuilder().Extended(kOne | 1, 0x3FFF)), 1.0L + std::ldexp(1.0L, -63));
  EXPECT_EQ(NarrowToDouble(std::numeric_limits<long double>::max()),
            std::numeric_limits<double>::infinity());
}

TEST(TypedRead, TextTagsConvertToTheReadKind) {
  // "سلام": UTF-8 bytes and code page 1256 bytes.
  const std::string utf8 = "\xD8\xB3\xD9\x84\xD8\xA7\xD9\x85";
  const std::string ansi = "\xD3\xE1\xC7\xE3";
  const std::u16string wide = u"\u0633\u0644\u0627\u0645";
  auto str = [](TReader& r) { return r.ReadString(); };
  auto wstr = [](TReader& r) { return r.ReadWideString(); };
  EXPECT_EQ(ReadFrom(StreamBuilder().Utf8(utf8), str), ansi);
  EXPECT_EQ(ReadFrom(StreamBuilder().Wide(wide), str), ansi);
  EXPECT_EQ(ReadFrom(StreamBuilder().Short(ansi), str), ansi);
  EXPECT_EQ(ReadFrom(StreamBuilder().Long(std::string(300, 'a')), str), std::string(300, 'a'));
  EXPECT_EQ(ReadFrom(StreamBuilder().Utf8(utf8), wstr), wide);
  EXPECT_EQ(ReadFrom(StreamBuilder().Wide(wide), wstr), wide);
  EXPECT_EQ(ReadFrom(StreamBuilder().Short(ansi), wstr), wide);
  EXPECT_EQ(ReadFrom(StreamBuilder().Long(ansi), wstr), wide);
  ExpectInvalid(StreamBuilder().Ident("x"), [](TReader& r) { r.ReadString(); });
  EXPECT_EQ(ReadFrom(StreamBuilder().Short(""), [](TReader& r) { return r.ReadChar(); }), '\0');
  ExpectInvalid(StreamBuilder().Short("ab"), [](TReader& r) { r.ReadChar(); });
}

TEST(TypedRead, IdentifiersUseTheLowSevenBits) {
  auto ident = [](TReader& r) { return r.ReadIdent(); };
  EXPECT_EQ(ReadFrom(StreamBuilder().Ident("alTop"), ident), "alTop");
  EXPECT_EQ(ReadFrom(StreamBuilder().Tag(ValueTag::tagFalse), ident), "False");
  EXPECT_EQ(ReadFrom(StreamBuilder().Tag(ValueTag::tagTrue), ident), "True");
  EXPECT_EQ(ReadFrom(StreamBuilder().Tag(ValueTag::tagNil), ident), "nil");
  EXPECT_EQ(ReadFrom(StreamBuilder().End(), ident), "Null");
  EXPECT_EQ(ReadFrom(StreamBuilder().Byte(0x87).Name("x"), ident), "x");
  // The other reads compare the whole byte.
  ExpectInvalid(StreamBuilder().Byte(0x82).Byte(1), [](TReader& r) { r.ReadInteger(); });
  EXPECT_TRUE(
      ReadFrom(StreamBuilder().Tag(ValueTag::tagTrue), [](TReader& r) { return r.ReadBoolean(); }));
  EXPECT_FALSE(ReadFrom(StreamBuilder().Int8(1), [](TReader& r) { return r.ReadBoolean(); }));
}

TEST(TypedRead, Variants) {
  auto var = [](const StreamBuilder& b) {
    return ReadFrom(b, [](TReader& r) { return r.ReadVariant(); });
  };
  EXPECT_TRUE(var(StreamBuilder().End()).IsNull());
  EXPECT_TRUE(var(StreamBuilder().Tag(ValueTag::tagNil)).IsEmpty());
  EXPECT_EQ(var(StreamBuilder().Int8(-2)).VarType(), TVarType::varShortInt);
  EXPECT_EQ(var(StreamBuilder().Int16(-2)).VarType(), TVarType::varSmallint);
  EXPECT_EQ(var(StreamBuilder().Int32(9)), Variant(9));
  EXPECT_EQ(var(StreamBuilder().Int64(9)), Variant(std::int64_t{9}));
  EXPECT_EQ(var(StreamBuilder().Short("a")), Variant(AnsiString("a")));
  EXPECT_EQ(var(StreamBuilder().Utf8("a")), Variant(WideString(u"a")));
  EXPECT_EQ(var(StreamBuilder().Tag(ValueTag::tagTrue)), Variant(true));
  EXPECT_EQ(var(StreamBuilder().Single(0.5f)).VarType(), TVarType::varSingle);
  EXPECT_EQ(var(StreamBuilder().Currency(5)), Variant(Currency{5}));
  EXPECT_EQ(var(StreamBuilder().Date(2.0)), Variant(TDateTime{2.0}));
  EXPECT_EQ(var(StreamBuilder().Extended(std::uint64_t{1} << 63, 0x3FFF)), Variant(1.0));
  ExpectInvalid(
      StreamBuilder().Set({}), [](TReader& r) { r.ReadVariant(); }, "Stream read error");
}

TEST(TypedRead, SkipLeavesTheNextValue) {
  StreamBuilder b;
  b.Tag(ValueTag::tagList).Int8(1).Short("x").Wide(u"ab").End();
  b.Tag(ValueTag::tagCollection).Int8(0).Tag(ValueTag::tagList).Prop("Width").Int16(3).End().End();
  b.Set({"a", "b"}).Binary("xyz").Extended(0, 0).Currency(1).Single(1).Utf8("u").Int8(42);
  auto stream = b.Stream();
  TReader reader(*stream);
  for (int i = 0; i < 8; ++i) reader.SkipValue();
  EXPECT_EQ(reader.ReadInteger(), 42);
}

TEST(TypedRead, TruncatedInputIsAReadError) {
  ExpectInvalid(
      StreamBuilder().Tag(ValueTag::tagInt32).Byte(1), [](TReader& r) { r.ReadInteger(); },
      "Stream read error");
  ExpectInvalid(
      StreamBuilder()
          .Tag(ValueTag::tagLongString)
          .Raw("\xFF\xFF\xFF\x7F"
               "abc"),
      [](TReader& r) { r.ReadString(); }, "Stream read error");
  ExpectInvalid(
      StreamBuilder(), [](TReader& r) { r.EndOfList(); }, "Stream read error");
}

TEST(TypedRead, ReaderLeavesStreamAfterLastConsumedByte) {
  auto stream = StreamBuilder().Int8(1).Int8(2).Raw(std::string(5000, 'z')).Stream();
  {
    TReader reader(*stream);
    EXPECT_EQ(reader.ReadInteger(), 1);
    EXPECT_EQ(reader.NextValue(), ValueTag::tagInt8);
  }
  EXPECT_EQ(stream->Position(), 2);
}

}  // namespace
}  // namespace coretest
