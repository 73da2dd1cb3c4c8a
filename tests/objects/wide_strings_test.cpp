#include "objects/wide_strings.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "objects/prop_data.h"
#include "platform/stream.h"

namespace quarlo {
namespace {

TEST(WideStrings, TextSplitsAtEveryKindOfBreak) {
  struct Case {
    std::u16string text;
    std::vector<std::u16string> lines;
  } cases[] = {
      {u"a\r\nb\r\n", {u"a", u"b"}},
      {u"a\r\rb", {u"a", u"", u"b"}},
      {u"a\nb\rc\u2028d", {u"a", u"b", u"c", u"d"}},
      {u"a\n\r\nb", {u"a", u"", u"b"}},
      {u"", {}},
      {u"\r\n", {u""}},
      {u"x", {u"x"}},
      {u"a\r\n\r\n", {u"a", u""}},
  };
  for (const Case& c : cases) {
    TWideStrings s;
    s.SetText(c.text);
    EXPECT_EQ(s.Lines(), c.lines);
  }
}

TEST(WideStrings, TextEndsEveryLineWithCrLf) {
  TWideStrings s;
  s.Add(u"a");
  s.Add(u"");
  s.Add(u"b");
  EXPECT_EQ(s.Text(), u"a\r\n\r\nb\r\n");
}

TEST(WideStrings, PutAppendsAtCountAndRejectsOutside) {
  TWideStrings s;
  s.Put(0, u"first");
  s.Put(0, u"changed");
  s.Put(1, u"second");
  EXPECT_EQ(s.Lines(), (std::vector<std::u16string>{u"changed", u"second"}));
  for (int bad : {-1, 3}) {
    try {
      s.Put(bad, u"x");
      FAIL() << bad;
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), "Wide String Out of Bounds");
    }
  }
  EXPECT_EQ(s.Get(-1), u"");
  EXPECT_EQ(s.Get(2), u"");
}

TEST(WideStrings, StreamReadsUtf16AfterByteOrderMarkElseSystemCodePage) {
  struct Case {
    std::string bytes;
    std::vector<std::u16string> lines;
  } cases[] = {
      {std::string("\xFF\xFE" "a\0\r\0\n\0\x60\x4F", 10), {u"a", u"\u4F60"}},
      {"\xC4\xE3\r\nb", {u"\u4F60", u"b"}},  // code page 936
      {"", {}},
  };
  for (const Case& c : cases) {
    MemoryStream in(c.bytes);
    TWideStrings s;
    s.LoadFromStream(in);
    EXPECT_EQ(s.Lines(), c.lines);
  }
}

TEST(WideStrings, SaveWritesUtf16WithoutByteOrderMark) {
  TWideStrings s;
  s.Add(u"\u4F60");
  MemoryStream out;
  s.SaveToStream(out);
  EXPECT_EQ(out.Data(), std::string("\x60\x4F\r\0\n\0", 6));
}

class Lines : public TPersistent {
 public:
  TWideStrings strings;
};

TEST(WideStrings, BinaryStreamingWritesUtf8AndReadsLegacyStrings) {
  TWideStrings s;
  s.Add(u"a");
  s.Add(u"\u4F60");
  std::string data = WritePropData(s);
  // "UTF8", a list of two UTF-8 strings.
  EXPECT_EQ(data, std::string("\x04UTF8\x01\x14\x01\0\0\0a\x14\x03\0\0\0\xE4\xBD\xA0\x00", 21));
  TWideStrings back;
  ASSERT_TRUE(ReadPropData(back, data));
  EXPECT_EQ(back.Lines(), s.Lines());

  // "Strings" holding one 8-bit (code page) string and one wide string.
  std::string legacy("\x07Strings\x01\x06\x02\xC4\xE3\x12\x01\0\0\0\x41\0\x00", 21);
  TWideStrings old;
  ASSERT_TRUE(ReadPropData(old, legacy));
  EXPECT_EQ(old.Lines(), (std::vector<std::u16string>{u"\u4F60", u"A"}));
}

TEST(StringList, TextRoundTrip) {
  TStringList s;
  s.SetText("0\r\n12.5\n");
  EXPECT_EQ(s.Count(), 2);
  EXPECT_EQ(s.Text(), "0\r\n12.5\r\n");
}

}  // namespace
}  // namespace quarlo
