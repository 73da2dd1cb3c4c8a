#include "objects/prop_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "platform/errors.h"
#include "support/model_fixtures.h"

namespace quarlo {
namespace {

TEST(PropDataValues, WriterAndReaderAgreeOnEveryTag) {
  PropDataWriter w;
  const std::int64_t ints[] = {0, -128, 127, 128, -32769, 2147483647, -2147483648LL - 1};
  for (std::int64_t v : ints) w.WriteInteger(v);
  const double floats[] = {0, 1.5, -3.25e-5, 12345.678, 1e300};
  for (double v : floats) w.WriteFloat(v);
  w.WriteBoolean(true);
  w.WriteString("short");
  w.WriteString(std::string(300, 'x'));
  w.WriteUtf8String("\xE4\xBD\xA0");
  w.WriteWideString(u"w\u4F60");
  w.WriteIdent("haCenter");
  w.WriteBinary(std::string("\0\1", 2));

  PropDataReader r(w.Bytes());
  for (std::int64_t v : ints) EXPECT_EQ(r.ReadInteger(), v);
  for (double v : floats) EXPECT_DOUBLE_EQ(r.ReadFloat(), v);
  EXPECT_TRUE(r.ReadBoolean());
  EXPECT_EQ(r.ReadString(), "short");
  EXPECT_EQ(r.ReadString(), std::string(300, 'x'));
  EXPECT_EQ(r.ReadWideString(), u"\u4F60");
  EXPECT_EQ(r.ReadWideString(), u"w\u4F60");
  EXPECT_EQ(r.ReadIdent(), "haCenter");
  EXPECT_EQ(r.ReadBinary(), std::string("\0\1", 2));
  EXPECT_TRUE(r.AtEnd());
}

TEST(PropDataValues, ExtendedLayoutIsTheEightyBitFormat) {
  PropDataWriter w;
  w.WriteFloat(1.0);
  // tag 5, mantissa 0x8000000000000000, exponent 16383.
  EXPECT_EQ(w.Bytes(), std::string("\x05\0\0\0\0\0\0\0\x80\xFF\x3F", 11));
}

TEST(PropDataValues, TruncatedOrLyingLengthsRaiseInsteadOfReadingPastTheEnd) {
  const std::string cases[] = {
      std::string("\x0A\xFF\xFF\xFF\x7F", 5),  // binary length beyond the data
      std::string("\x06\x09" "abc", 5),        // short string length beyond the data
      std::string("\x12\xFF\xFF\xFF\xFF", 5),  // wide string count beyond the data
      std::string("\x04\x01", 2),              // truncated int32
      std::string("\x05\x01\x02", 3),          // truncated extended
      std::string(""),
      std::string(200, '\x01'),                // lists nested too deep
  };
  for (const std::string& bytes : cases) {
    PropDataReader r(bytes);
    EXPECT_THROW(r.SkipValue(), EStreamError);
  }
}

TEST(PropDataObjects, PublishedPropertiesAndDottedNamesAreRead) {
  testing::TTestMemo memo(nullptr);
  PropDataWriter w;
  w.WritePropName("GapX");
  w.WriteFloat(4.5);
  w.WritePropName("HAlign");
  w.WriteIdent("thRight");
  w.WritePropName("Frame.Typ");
  w.Bytes();
  // A set: tag, member names, empty name.
  std::string bytes = w.Bytes() + std::string("\x0B\x06tsLeft\x08tsBottom\x00", 18);
  ASSERT_TRUE(ReadPropData(memo, bytes));
  EXPECT_DOUBLE_EQ(memo.GapX(), 4.5);
  EXPECT_EQ(memo.HAlign(), testing::thRight);
  EXPECT_EQ(memo.Frame()->Typ(), 1 | 8);
}

TEST(PropDataObjects, AnUnknownNameOrBadValueStopsTheRead) {
  testing::TTestMemo memo(nullptr);
  PropDataWriter w;
  w.WritePropName("GapX");
  w.WriteFloat(4.5);
  w.WritePropName("Unknown");
  w.WriteInteger(1);
  w.WritePropName("Rotation");
  w.WriteInteger(90);
  EXPECT_FALSE(ReadPropData(memo, w.Bytes()));
  EXPECT_DOUBLE_EQ(memo.GapX(), 4.5);
  EXPECT_EQ(memo.Rotation(), 0);
  EXPECT_FALSE(ReadPropData(memo, "\x04GapX\x07\x02hi"));  // identifier for a float
}

TEST(PropDataObjects, RandomBuffersNeverEscapeOrOverrun) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> byte(0, 255);
  // Start from a valid buffer and damage it, so the reader gets deep into the data.
  testing::TTestMemo source(nullptr);
  source.Blob = "payload";
  TWideStrings lines;
  lines.Add(u"x");
  const std::string seeds[] = {WritePropData(source), WritePropData(lines)};
  for (int round = 0; round < 2000; ++round) {
    std::string bytes = seeds[round % 2];
    for (int k = 0; k < 1 + round % 4; ++k) {
      bytes[static_cast<size_t>(byte(rng)) % bytes.size()] = static_cast<char>(byte(rng));
    }
    if (round % 3 == 0) bytes.resize(static_cast<size_t>(byte(rng)) % bytes.size());
    testing::TTestMemo memo(nullptr);
    TWideStrings target;
    ReadPropData(memo, bytes);
    ReadPropData(target, bytes);
  }
}

}  // namespace
}  // namespace quarlo
