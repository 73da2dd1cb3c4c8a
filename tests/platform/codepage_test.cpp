#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/charset.h"
#include "platform/color.h"

namespace quarlo {
namespace {

TEST(CodePage, KnownTextsDecodeAndEncode) {
  struct Case {
    int codePage;
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {936, "\xC4\xE3\xBA\xC3", u"\u4F60\u597D"},
      {936, "abc", u"abc"},
      {1252, "\xE9", u"\u00E9"},
      {1251, "\xC0", u"\u0410"},
      {950, "\xA4\xA4", u"\u4E2D"},
      {CP_UTF8, "\xE4\xBD\xA0", u"\u4F60"},
      {CP_ACP, "\xC4\xE3", u"\u4F60"},  // the system code page defaults to 936
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeCodePage(c.bytes, c.codePage), c.text) << c.codePage;
    EXPECT_EQ(EncodeCodePage(c.text, c.codePage), c.bytes) << c.codePage;
  }
}

TEST(CodePage, EveryByteSequenceSurvivesDecodeAndEncode) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int codePage : {936, 950, 1252, 932, CP_UTF8}) {
    for (int round = 0; round < 200; ++round) {
      std::string bytes(static_cast<size_t>(1 + round % 40), '\0');
      for (char& b : bytes) b = static_cast<char>(byte(rng));
      EXPECT_EQ(EncodeCodePage(DecodeCodePage(bytes, codePage), codePage), bytes) << codePage;
    }
  }
  // Invalid in 936: a lone lead byte at the end, 0x80 and 0xFF.
  std::string odd = "a\x80\xFF\xC4";
  std::u16string text = DecodeCodePage(odd, 936);
  EXPECT_EQ(text.size(), 4u);
  EXPECT_EQ(EncodeCodePage(text, 936), odd);
  EXPECT_EQ(WideToUtf8(Utf8ToWide("\xC0\xAF\xED\xA0\x80")), "\xC0\xAF\xED\xA0\x80");
}

TEST(CodePage, MissingCharactersBecomeQuestionMarks) {
  EXPECT_EQ(EncodeCodePage(u"a\u4F60", 1252), "a?");
  EXPECT_EQ(EncodeCodePage(u"\U0001F600", 936), "?");
  EXPECT_EQ(WideToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
}

TEST(Charset, CodePagesAndLocales) {
  struct Case {
    int charset, codePage, locale;
  } cases[] = {
      {1, 936, 2052},      {77, CP_MACCP, 2052}, {255, CP_OEMCP, 2052}, {0, 1252, 2052},
      {128, 932, 1041},    {129, 949, 1042},     {130, 1361, 2066},     {134, 936, 2052},
      {136, 950, 3076},    {161, 1253, 1032},    {162, 1254, 1055},     {163, 1258, 1066},
      {177, 1255, 1037},   {178, 1256, 13313},   {186, 1257, 1061},     {204, 1251, 1049},
      {222, 874, 1054},    {238, 1250, 1029},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CharsetToCodePage(c.charset), c.codePage) << c.charset;
    EXPECT_EQ(LocaleForCharset(c.charset), c.locale) << c.charset;
  }
  EXPECT_EQ(AnsiToWide("\xC0", 204), u"\u0410");
  EXPECT_EQ(AnsiToWide("\xC0", 204, 1252), u"\u00C0");  // an explicit code page wins
  EXPECT_EQ(WideToAnsi(u"\u0410", 204), "\xC0");
}

TEST(Color, SystemColorsResolveThroughThePalette) {
  EXPECT_EQ(ColorToRGB(clWindow), SysColor(5));
  EXPECT_EQ(ColorToRGB(static_cast<TColor>(0xFF000005u)), RGBColor(255, 255, 255));
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
  EXPECT_EQ(GetRValue(clRed), 255);
  EXPECT_EQ(GetBValue(clBlue), 255);
  EXPECT_EQ(SysColor(99), clBlack);
}

}  // namespace
}  // namespace quarlo
