// Worked examples of the symbologies: what a given text becomes (the shown text, the
// total width, telling parts of the element pattern). Expected patterns are written out
// from the symbology standards by hand, symbol by symbol.
#include <gtest/gtest.h>

#include <string>

#include "objects/special/barcode.h"
#include "objects/special/barcode_full_ascii.h"
#include "support/barcode_build.h"

namespace quarlo {
namespace {

using scan::BuildBarcode;
using scan::ModuleWidths;

struct ExampleCase {
  const char* what;
  TfrxBarcodeType type;
  const char* text;
  bool checksum;
  const char* shownText;
  int width;            // -1: not checked
  const char* prefix;   // of the pattern; module widths ("1".."4") when `inWidths`
  const char* suffix;
  bool inWidths = false;
};

class BarcodeExampleTest : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(BarcodeExampleTest, BuildsExpectedSymbol) {
  const ExampleCase& c = GetParam();
  const auto built = BuildBarcode(c.type, c.text, c.checksum);
  ASSERT_EQ(built.error, "") << c.what;
  EXPECT_EQ(built.text, c.shownText) << c.what;
  if (c.width >= 0) {
    EXPECT_EQ(built.width, c.width) << c.what;
  }
  const std::string pattern = c.inWidths ? ModuleWidths(built.pattern) : built.pattern;
  EXPECT_TRUE(pattern.starts_with(c.prefix)) << c.what << "\n" << pattern;
  EXPECT_TRUE(pattern.ends_with(c.suffix)) << c.what << "\n" << pattern;
}

const ExampleCase kExamples[] = {
    {"EAN-13 gains its check digit", bcCodeEAN13, "400638133393", true, "4006381333931", 95,
     "505", "6160" "505"},
    {"EAN-13 without check digit is padded and uses parity row AAAAAA", bcCodeEAN13,
     "036000291452", false, "0036000291452", 95,
     "505" "2605" "0805" "0508" "2605" "2605" "2605" "05050"
     "6061" "7051" "6160" "5071" "5170" "6061" "505",
     ""},
    {"EAN-13 parity row of leading digit 4 is ABAABB", bcCodeEAN13, "4006381333931", false,
     "4006381333931", 95, "505" "2605" "0517" "0508" "0805" "2515" "0616" "05050", ""},
    {"thirteen digits with the check digit to compute get the right one", bcCodeEAN13,
     "4006381333932", true, "4006381333931", 95, "505", "6160" "505"},
    {"a number of leading digit 0 starts like UPC-A", bcCodeEAN13, "12345678901", true,
     "0123456789012", 95, "505" "1615" "1516", ""},
    {"EAN-8 gains its check digit", bcCodeEAN8, "1234567", true, "12345670", 67,
     "505" "1615" "1516" "0805" "0526" "05050" "5170" "5053" "5251" "7150" "505", ""},
    {"EAN-8 of eight digits recomputes the last one", bcCodeEAN8, "12345678", true,
     "12345670", 67, "505" "1615", "7150" "505"},
    {"EAN-8 short text is padded", bcCodeEAN8, "79", false, "00000079", 67, "505" "2605",
     "5251" "7051" "505"},
    {"UPC-A of eleven digits gains the twelfth", bcCodeUPC_A, "03600029145", true,
     "036000291452", 95, "505" "2605" "0805" "0508", "5170" "6061" "505"},
    {"UPC-A without check digit is padded to twelve", bcCodeUPC_A, "12345678905", false,
     "012345678905", 95, "505" "2605" "1615", "7150" "5170" "505"},
    {"UPC-E0: check digit of the UPC-A number 04210000526", bcCodeUPC_E0, "425261", true,
     "4252614", 51, "505" "1705" "1516" "0715" "1606" "0508" "1615" "050505", ""},
    {"UPC-E1: number system 1 gives check 1 and the inverse parity ooEoEE", bcCodeUPC_E1,
     "425261", true, "4252611", 51,
     "505" "0526" "1516" "0715" "1516" "3505" "0616" "050505", ""},
    {"UPC-E ending in 3 expands to 0 12300000 45", bcCodeUPC_E0, "123453", true, "1234531",
     51, "505", "050505"},
    {"UPC-E with its check digit given is unchanged", bcCodeUPC_E0, "4252614", false,
     "4252614", 51, "505" "1705", "050505"},
    {"UPC-E shows the check digit its parity carries, not a wrong seventh digit", bcCodeUPC_E0,
     "4252610", false, "4252614", 51, "505" "1705", "050505"},
    {"five-digit add-on, check 1 selects parity EoEoo", bcCodeUPC_Supp5, "52495", false,
     "52495", 47, "506" "0715" "05" "1516" "05" "1705" "05" "2506" "05" "0625", ""},
    {"five-digit add-on with check digit in the text", bcCodeUPC_Supp5, "52495", true,
     "524951", 47, "506" "0715", ""},
    {"two-digit add-on 34: 34 mod 4 = 2 gives parity Eo", bcCodeUPC_Supp2, "34", false, "34",
     20, "506" "0535" "05" "0526", ""},
    {"two-digit add-on pads and takes parity oE for 1", bcCodeUPC_Supp2, "1", false, "01",
     20, "506" "2605" "05" "0616", ""},
    {"two-digit add-on with check digit", bcCodeUPC_Supp2, "12", true, "125", 20,
     "506" "1615" "05" "1516", ""},
    {"Code 39 check character X for the sum 33, shown after the text", bcCode39, "ABC", true, "ABCX", 77,
     "515060605" "0" "605051506" "0",
     "606051505" "0" "515060506" "0" "515060605"},
    {"Code 39 check sum 75 wraps to 32, the character W", bcCode39, "CODE39", true, "CODE39W",
     116, "", "616050505" "0" "515060605"},
    {"Code 39 check value 0 is the character 0", bcCode39, "0", true, "00", 51, "",
     "505160605" "0" "505160605" "0" "515060605"},
    {"Code 39 encodes and shows lower case as capitals", bcCode39, "abc", false, "ABC", 64,
     "515060605" "0" "605051506" "0" "506051506" "0" "606051505" "0" "515060605", ""},
    {"Code 39 extended: a is +A", bcCode39Extended, "a", false, "a", 51,
     "515060605" "0" "515051515" "0" "605051506" "0" "515060605", ""},
    {"Code 93 TEST93 ends with + and 6", bcCode93, "TEST93", false, "TEST93", 91,
     "111141" "211221" "221211" "211122" "211221" "141111" "111411"
     "113121" "121311" "1111411",
     "", true},
    {"Code 93 empty text still has two check characters", bcCode93, "", false, "", 37,
     "111141" "131112" "131112" "1111411", "", true},
    {"Code 128 B: A has check value 34", bcCode128B, "A", false, "A", 46,
     "211214" "111323" "131123" "2331112", "", true},
    {"Code 128 C: 123456 has check value 44", bcCode128C, "123456", false, "123456", 68,
     "211232" "112232" "131123" "331121", "132131" "2331112", true},
    {"Code 128 C pads an odd count", bcCode128C, "12345", false, "012345", 68,
     "211232" "222122" "312131" "113123", "", true},
    {"Code 128 A: FNC1 marker", bcCode128A, "A&FNC1;B", false, "A&FNC1;B", 68,
     "211412" "111323" "411131" "131123", "", true},
    {"EAN-128 C: start C, the leading FNC1 and the marker", bcCodeEAN128C,
     "&FNC1;0109501101020917", false, "&FNC1;0109501101020917", 145,
     "211232" "411131" "411131" "222122" "221213", "2331112", true},
    {"EAN-128 B: check digit joins the text", bcCodeEAN128B, "123", true, "1236", -1,
     "211214" "411131", "2331112", true},
    {"MSI ends with the check digit 4 and the stop", bcCodeMSI, "1234567", false, "1234567",
     -1, "60" "51515160", "51605151" "515"},
    {"PostNet frame and short bars", bcCodePostNet, "1", false, "1", 19,
     "51" "A1A1A15151" "5", ""},
    {"Codabar frame A and B", bcCodeCodabar, "1", false, "1", 31,
     "5061515" "0" "5050615" "0" "5151506", ""},
    {"interleaved 2 of 5 pairs 1 and 2", bcCode_2_5_interleaved, "12", false, "12", 22,
     "5050" "60" "51" "50" "50" "61" "605", ""},
    {"interleaved 2 of 5 with check digit", bcCode_2_5_interleaved, "12345", true, "123457",
     50, "5050", "605"},
    {"interleaved 2 of 5 pads an odd count with a leading zero", bcCode_2_5_interleaved, "1", false,
     "01", 22, "5050" "51" "50" "60" "60" "51" "605", ""},
    {"industrial 2 of 5 digit 1", bcCode_2_5_industrial, "1", false, "1", 28,
     "606050" "6050505060" "605060", ""},
    {"matrix 2 of 5 digit 1", bcCode_2_5_matrix, "1", false, "1", 23,
     "705050" "605060" "70505", ""},
    {"numeric types trim control characters and spaces", bcCodeEAN8, " \t1234567\r\n", true,
     "12345670", 67, "505", "505"},
};

INSTANTIATE_TEST_SUITE_P(Symbologies, BarcodeExampleTest, ::testing::ValuesIn(kExamples),
                         [](const auto& info) {
                           return std::string(BarcodeTypeName(info.param.type)) + "_" +
                                  std::to_string(info.index);
                         });

// Texts that the symbology encodes identically, because it pads, skips, substitutes or
// ignores a part of them.
struct SamePatternCase {
  const char* what;
  TfrxBarcodeType typeA;
  std::string textA;
  bool checksumA;
  TfrxBarcodeType typeB;
  std::string textB;
  bool checksumB;
};

class BarcodeSamePatternTest : public ::testing::TestWithParam<SamePatternCase> {};

TEST_P(BarcodeSamePatternTest, EncodesAlike) {
  const SamePatternCase& c = GetParam();
  const auto a = BuildBarcode(c.typeA, c.textA, c.checksumA);
  const auto b = BuildBarcode(c.typeB, c.textB, c.checksumB);
  ASSERT_EQ(a.error, "") << c.what;
  ASSERT_EQ(b.error, "") << c.what;
  EXPECT_EQ(a.pattern, b.pattern) << c.what;
}

const SamePatternCase kSamePatterns[] = {
    {"an odd count is encoded with a leading zero", bcCode_2_5_interleaved, "12345", false,
     bcCode_2_5_interleaved, "012345", false},
    {"the check digit makes the count even", bcCode_2_5_interleaved, "12345", true,
     bcCode_2_5_interleaved, "123457", false},
    {"an even count gets no check digit", bcCode_2_5_interleaved, "1234", true,
     bcCode_2_5_interleaved, "1234", false},
    {"Code 39 encodes lower case as capitals", bcCode39, "A-b.c", false, bcCode39, "A-B.C",
     false},
    {"Code 39 extended is Code 39 of the full-ASCII sequences", bcCode39Extended,
     std::string("Az\x01!:;@[`{\x7f", 11), false, bcCode39,
     "A+Z$A/A/Z%F%V%K%W%P%T", false},
    {"Code 93 always appends its checks", bcCode93, "AB", true, bcCode93, "AB", false},
    {"Code 128 checksum switch changes nothing", bcCode128B, "Hello", true, bcCode128B,
     "Hello", false},
    {"EAN-128 is Code 128 with FNC1 first", bcCodeEAN128B, "10X", false, bcCode128B,
     "&FNC1;10X", false},
    {"EAN-128 C pads each digit run between markers", bcCodeEAN128C, "&FNC1;123&FNC1;456&FNC1;", false,
     bcCode128C, "&FNC1;&FNC1;0123&FNC1;0456&FNC1;", false},
    {"Code 128 C pads the run, not the markers' characters", bcCode128C, "1&FNC1;234", false,
     bcCode128C, "01&FNC1;0234", false},
    {"UPC-E parity follows the computed check digit, not the seventh character",
     bcCodeUPC_E0, "4252610", false, bcCodeUPC_E0, "4252614", false},
    {"EAN-13 of twelve digits without check digit has leading digit 0", bcCodeEAN13,
     "036000291452", false, bcCodeEAN13, "0036000291452", false},
    {"EAN-13, EAN-8 and UPC-A recompute a given check digit", bcCodeUPC_A, "036000291459", true,
     bcCodeUPC_A, "036000291452", false},
    {"PostNet and MSI ignore the checksum switch", bcCodeMSI, "123", true, bcCodeMSI, "123",
     false},
};

INSTANTIATE_TEST_SUITE_P(Symbologies, BarcodeSamePatternTest, ::testing::ValuesIn(kSamePatterns));

// The full-ASCII sequences of both extended sets. Plain Code 93 refuses its shift
// characters as data, so its extension is checked on the substitution itself.
TEST(BarcodeFullAscii, SequencesOfBothExtendedSets) {
  struct Case {
    std::string text;
    const char* code39;
    const char* code93;
  } cases[] = {
      {"Az!:;@[`{", "A+Z/A/Z%F%V%K%W%P", "A}Z{A{Z]F]V]K]W]P"},
      {std::string("\x00\x1a\x1b\x1f -.", 7), "%U$Z%A%E /M/N", "]U[Z]A]E {M{N"},
      {"\x7f", "%T", "]T"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(barcode::FullAsciiSubstitute(c.text, barcode::kCode39Shifts), c.code39) << c.code39;
    EXPECT_EQ(barcode::FullAsciiSubstitute(c.text, barcode::kCode93Shifts), c.code93) << c.code93;
  }
  EXPECT_EQ(barcode::FullAsciiSubstitute("a\x80", barcode::kCode39Shifts), std::nullopt);
}

TEST(BarcodeEmptyText, EveryTypeBuildsWithoutError) {
  for (int t = 0; t < kBarcodeTypeCount; ++t) {
    for (bool checksum : {false, true}) {
      const auto type = static_cast<TfrxBarcodeType>(t);
      const auto built = BuildBarcode(type, "", checksum);
      EXPECT_EQ(built.error, "") << BarcodeTypeName(type) << " checksum " << checksum;
      EXPECT_GT(built.width, 0) << BarcodeTypeName(type);
    }
  }
  EXPECT_EQ(BuildBarcode(bcCodeEAN13, "").text, "0000000000000");
  EXPECT_EQ(BuildBarcode(bcCode39, "").pattern, "515060605" "0" "515060605");
  EXPECT_EQ(BuildBarcode(bcCodeUPC_Supp2, "").text, "00");
  EXPECT_EQ(BuildBarcode(bcCode128C, "").text, "");
}

// Sizing and then painting build the same symbol twice: the second build must not see
// its own rewrite as new input.
TEST(BarcodeRebuild, SecondBuildGivesSamePatternAndText) {
  const char* const kTexts[] = {"", "1", "12", "123", "1234567", "12345678", "123456789012",
                                "4006381333931", "&FNC1;12", "AB12", "abc"};
  for (int t = 0; t < kBarcodeTypeCount; ++t) {
    for (bool checksum : {false, true}) {
      for (const char* text : kTexts) {
        TfrxBarcode barcode;
        barcode.SetTyp(static_cast<TfrxBarcodeType>(t));
        barcode.SetChecksum(checksum);
        barcode.SetText(text);
        std::string first, second, firstError, secondError;
        try { first = barcode.BuildPattern(); } catch (const std::exception& e) { firstError = e.what(); }
        const std::string firstText = barcode.Text();
        try { second = barcode.BuildPattern(); } catch (const std::exception& e) { secondError = e.what(); }
        SCOPED_TRACE(std::string(BarcodeTypeName(barcode.Typ())) + " '" + text + "' checksum " +
                     (checksum ? "on" : "off"));
        EXPECT_EQ(first, second);
        EXPECT_EQ(firstError, secondError);
        EXPECT_EQ(firstText, barcode.Text());
      }
    }
  }
}

TEST(BarcodeRebuild, TextSetAfterBuildIsNewInput) {
  TfrxBarcode barcode;
  barcode.SetTyp(bcCodeEAN128B);
  barcode.SetChecksum(true);
  barcode.SetText("123");
  barcode.BuildPattern();
  ASSERT_EQ(barcode.Text(), "1236");
  barcode.SetText("1236");  // the characters of the rewrite, but given as data
  barcode.BuildPattern();
  EXPECT_EQ(barcode.Text(), "12362");
}

}  // namespace
}  // namespace quarlo
