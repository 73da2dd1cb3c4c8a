#include <gtest/gtest.h>

#include "platform/errors.h"
#include "objects/serializer.h"

namespace quarlo {
namespace {

TEST(FloatText, ShortestFormWithDotAndFifteenDigits) {
  struct Case {
    double value;
    const char* text;
  } cases[] = {
      {12.5, "12.5"},        {0, "0"},           {-0.0, "0"},
      {1, "1"},              {-3.25, "-3.25"},   {0.1, "0.1"},
      {1.0 / 3, "0.333333333333333"},            {1000000, "1000000"},
      {37.7953, "37.7953"},  {1e-5, "1E-5"},     {1e20, "1E20"},
      {123456789012345678.0, "1.23456789012346E17"},
  };
  for (const Case& c : cases) EXPECT_EQ(FloatToXML(c.value), c.text) << c.value;
}

TEST(FloatText, ReadsEitherSeparatorAndIgnoresSpaces) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {"12,5", 12.5}, {"12.5", 12.5}, {" 1 2.5 ", 12.5}, {"-0,25", -0.25},
      {"+3", 3},      {"1E-5", 1e-5}, {"7", 7},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(XMLToFloat(c.text), c.value) << c.text;
  for (const char* bad : {"", "abc", "1.2.3x", "nan", "inf", "1e999", "--1"}) {
    EXPECT_THROW(XMLToFloat(bad), EConvertError) << bad;
  }
}

TEST(IntegerText, DecimalAndHexWithinRange) {
  EXPECT_EQ(XMLToInt("42"), 42);
  EXPECT_EQ(XMLToInt("-16777211"), -16777211);
  EXPECT_EQ(XMLToInt("$1F"), 31);
  EXPECT_EQ(XMLToInt(" 5 "), 5);
  for (const char* bad : {"", "1.5", "x", "99999999999999999999", "5a"}) {
    EXPECT_THROW(XMLToInt(bad), EConvertError) << bad;
  }
  try {
    XMLToInt("abc");
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
  }
}

}  // namespace
}  // namespace quarlo
