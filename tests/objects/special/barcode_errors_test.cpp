// Bad input: every failure is an exception with the user-facing message, and a text
// already rewritten (trimmed, padded) before the failure stays rewritten.
#include <gtest/gtest.h>

#include <string>

#include "platform/errors.h"
#include "objects/special/barcode.h"

namespace quarlo {
namespace {

struct ErrorCase {
  TfrxBarcodeType type;
  std::string text;
  bool checksum;
  std::string message;
  std::string textAfter;
  bool conversionError = false;  // EConvertError rather than a plain Exception
};

class BarcodeErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(BarcodeErrorTest, RaisesMessageAndKeepsRewrite) {
  const ErrorCase& c = GetParam();
  TfrxBarcode barcode;
  barcode.SetTyp(c.type);
  barcode.SetText(c.text);
  barcode.SetChecksum(c.checksum);
  try {
    barcode.BuildPattern();
    ADD_FAILURE() << "no exception for '" << c.text << "'";
  } catch (const EConvertError& e) {
    EXPECT_TRUE(c.conversionError) << e.what();
    EXPECT_EQ(e.what(), c.message);
  } catch (const Exception& e) {
    EXPECT_FALSE(c.conversionError) << e.what();
    EXPECT_EQ(e.what(), c.message);
  }
  EXPECT_EQ(barcode.Text(), c.textAfter);
  // Width builds the pattern too and fails the same way.
  EXPECT_THROW(barcode.Width(), Exception);
}

const std::string kLongText(TfrxBarcode::kMaxTextLength + 1, '1');

const ErrorCase kErrors[] = {
    {bcCodeEAN13, "ABC", false, "Barcode must be numeric", "ABC"},
    {bcCodeEAN13, " 12 34 ", false, "Barcode must be numeric", "12 34"},
    {bcCodeMSI, "12-3", false, "Barcode must be numeric", "12-3"},
    {bcCode_2_5_interleaved, "\xd9\xa1", false, "Barcode must be numeric", "\xd9\xa1"},
    {bcCodeEAN128C, "&FNC1;12A", false, "Barcode must be numeric", "&FNC1;12A"},
    {bcCodeEAN128C, "&fnc1;12", false, "Barcode must be numeric", "&fnc1;12"},
    {bcCodeEAN8, "123456789", false, "Invalid Text len (EAN8)", "123456789"},
    {bcCodeEAN8, "\t123456789 ", false, "Invalid Text len (EAN8)", "123456789"},
    {bcCodeEAN13, "12345678901234", false, "Invalid Text len (EAN13)", "12345678901234"},
    {bcCodeEAN8, "123456789", true, "Invalid Text len (EAN8)", "123456789"},
    {bcCodeEAN8, "96385075", false, "Invalid check digit (EAN8)", "96385075"},
    {bcCodeEAN13, "12345678901234", true, "Invalid Text len (EAN13)", "12345678901234"},
    // A number without its check digit is not a number with a wrong one.
    {bcCodeEAN13, "4006381333932", false, "Invalid check digit (EAN13)", "4006381333932"},
    {bcCodeEAN13, "400638133393", false, "Invalid check digit (EAN13)", "0400638133393"},
    {bcCodeUPC_A, "0123456789059", false, "Invalid Text len (UPCA)", "0123456789059"},
    {bcCodeUPC_A, "0360002914529", true, "Invalid Text len (UPCA)", "0360002914529"},
    {bcCodeUPC_A, "036000291453", false, "Invalid check digit (UPCA)", "036000291453"},
    {bcCodeUPC_E0, "42526149", false, "Invalid Text len (UPCE)", "42526149"},
    {bcCodeUPC_E1, "42526149", true, "Invalid Text len (UPCE)", "42526149"},
    {bcCode93, "test", false, "TfrxBarcode:Code93 bad Data <test>", "test"},
    {bcCode93, "AB*C", true, "TfrxBarcode:Code93 bad Data <AB*C>", "AB*C"},
    // The shift characters of the extended set are no data of the plain one.
    {bcCode93, "A[B", false, "TfrxBarcode:Code93 bad Data <A[B>", "A[B"},
    {bcCode93Extended, "ab\xd6\xd0" "c", false, "TfrxBarcode:Code93 bad Data <ab\xd6\xd0" "c>",
     "ab\xd6\xd0" "c"},
    // Lower case is upper-cased first; what still has no symbol is refused.
    {bcCode39, "ab_c", false, "TfrxBarcode:Code39 bad Data <AB_C>", "AB_C"},
    {bcCode39, "A*B", true, "TfrxBarcode:Code39 bad Data <A*B>", "A*B"},
    {bcCode39, "\xd6\xd0", false, "TfrxBarcode:Code39 bad Data <\xd6\xd0>", "\xd6\xd0"},
    {bcCode39Extended, "ab\xd6\xd0" "c", false, "TfrxBarcode:Code39 bad Data <ab\xd6\xd0" "c>",
     "ab\xd6\xd0" "c"},
    {bcCode39Extended, "A\xe9\xff" "B", true, "TfrxBarcode:Code39 bad Data <A\xe9\xff" "B>",
     "A\xe9\xff" "B"},
    {bcCode128A, "a", false, "TfrxBarcode:Code128 bad Data <a>", "a"},
    {bcCode128B, "A\x7f" "B", false, "TfrxBarcode:Code128 bad Data <A\x7f" "B>", "A\x7f" "B"},
    {bcCode128B, "\xd6\xd0", false, "TfrxBarcode:Code128 bad Data <\xd6\xd0>", "\xd6\xd0"},
    {bcCode128C, "12AB", false, "TfrxBarcode:Code128 bad Data <12AB>", "12AB"},
    {bcCode128C, "AB12", false, "TfrxBarcode:Code128 bad Data <AB12>", "AB12"},
    {bcCode128C, "12 34", false, "TfrxBarcode:Code128 bad Data <12 34>", "12 34"},
    {bcCodeCodabar, "12a4", false, "TfrxBarcode:Codabar bad Data <12a4>", "12a4"},
    {bcCodeCodabar, "1 2", false, "TfrxBarcode:Codabar bad Data <1 2>", "1 2"},
    {bcCodeEAN128A, "1A2", true, "'A' is not a valid integer value", "1A2", true},
    {bcCodeEAN128B, "1&FNC1;2x", true, "'x' is not a valid integer value", "1&FNC1;2x", true},
    // An add-on's parity holds no more digits (the two-digit one's is the value mod 4).
    {bcCodeUPC_Supp2, "12345678901", false, "Invalid Text len (UPC Supp2)", "12345678901"},
    {bcCodeUPC_Supp2, " 2147483648", false, "Invalid Text len (UPC Supp2)", "2147483648"},
    {bcCodeUPC_Supp2, "123", true, "Invalid Text len (UPC Supp2)", "123"},
    {bcCodeUPC_Supp5, "524951", false, "Invalid Text len (UPC Supp5)", "524951"},
    {bcCodeUPC_Supp5, "5249510", true, "Invalid Text len (UPC Supp5)", "5249510"},
    {static_cast<TfrxBarcodeType>(kBarcodeTypeCount), "1", false,
     "TfrxBarcode: wrong BarcodeType", "1"},
    {static_cast<TfrxBarcodeType>(-1), "1", false, "TfrxBarcode: wrong BarcodeType", "1"},
    {bcCode128B, kLongText, false, "TfrxBarcode: Text too long (more than 65536 characters)",
     kLongText},
};

INSTANTIATE_TEST_SUITE_P(Failures, BarcodeErrorTest, ::testing::ValuesIn(kErrors));

TEST(BarcodeErrors, LongestAcceptedTextBuilds) {
  TfrxBarcode barcode;
  barcode.SetTyp(bcCode39Extended);
  barcode.SetText(std::string(TfrxBarcode::kMaxTextLength, 'a'));
  // Two Code 39 characters of 13 units per "a", plus start and stop.
  EXPECT_EQ(barcode.Width(), 13 + 26 * static_cast<int>(TfrxBarcode::kMaxTextLength) + 12);
}

TEST(BarcodeErrors, AddOnsTakeTheirOwnDigitCountOnly) {
  struct Case {
    TfrxBarcodeType type;
    const char* text;
    bool checksum;
    const char* shown;
  } cases[] = {{bcCodeUPC_Supp2, "99", false, "99"},
               {bcCodeUPC_Supp2, "99", true, "998"},
               {bcCodeUPC_Supp5, "52495", false, "52495"},
               // A sixth digit stands for the check digit, which is then recomputed.
               {bcCodeUPC_Supp5, "524959", true, "524951"}};
  for (const Case& c : cases) {
    TfrxBarcode barcode;
    barcode.SetTyp(c.type);
    barcode.SetText(c.text);
    barcode.SetChecksum(c.checksum);
    EXPECT_NO_THROW(barcode.BuildPattern()) << c.text;
    EXPECT_EQ(barcode.Text(), c.shown);
  }
}

// The check-digit rule reached directly: a rule that adds nothing leaves the EAN lengths
// short, which the length checks report instead of reading past the digits.
struct NoCheckRuleCase {
  TfrxBarcodeType type;
  const char* text;
  const char* message;
};

TEST(BarcodeErrors, CheckRuleNoneLeavesDataShort) {
  const NoCheckRuleCase cases[] = {
      {bcCodeEAN8, "1234567", "Invalid Text len (EAN8)"},
      {bcCodeEAN13, "123456789012", "Invalid Text len (EAN13)"},
      {bcCodeUPC_A, "12345678901", "Invalid Text len (UPCA)"},
  };
  for (const auto& c : cases) {
    TfrxBarcode barcode;
    barcode.SetTyp(c.type);
    barcode.SetText(c.text);
    barcode.SetChecksum(true);
    barcode.SetCheckSumMethod(csmNone);
    try {
      barcode.BuildPattern();
      ADD_FAILURE() << c.text;
    } catch (const Exception& e) {
      EXPECT_EQ(e.what(), std::string(c.message));
    }
  }
  TfrxBarcode barcode;
  barcode.SetCheckSumMethod(csmNone);
  EXPECT_EQ(barcode.AppendCheckDigit("123"), "123");
  barcode.SetCheckSumMethod(csmModulo10);
  EXPECT_EQ(barcode.AppendCheckDigit("400638133393"), "4006381333931");
  EXPECT_EQ(barcode.AppendCheckDigit(""), "0");
  EXPECT_THROW(barcode.AppendCheckDigit("12a"), EConvertError);
}

}  // namespace
}  // namespace quarlo
