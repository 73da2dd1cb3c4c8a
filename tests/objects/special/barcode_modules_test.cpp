// Width classes, Ratio clamping, element lookup and the total width.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "platform/errors.h"
#include "objects/special/barcode.h"
#include "support/barcode_build.h"

namespace quarlo {
namespace {

struct ClassCase {
  TfrxBarcodeType type;
  std::int32_t modul;
  double ratio;
  double storedRatio;
  std::array<int, 4> classes;
};

class BarcodeModuleWidthsTest : public ::testing::TestWithParam<ClassCase> {};

TEST_P(BarcodeModuleWidthsTest, ClampsRatioAndDerivesClasses) {
  const ClassCase& c = GetParam();
  TfrxBarcode barcode;
  barcode.SetTyp(c.type);
  barcode.SetModul(c.modul);
  barcode.SetRatio(c.ratio);
  barcode.ComputeModuleWidths();
  EXPECT_DOUBLE_EQ(barcode.Ratio(), c.storedRatio);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(barcode.ModuleWidth(i), c.classes[i]) << "class " << i;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const ClassCase kClassCases[] = {
    {bcCode39, 1, 1.0, 2.0, {1, 2, 3, 4}},
    {bcCode39, 1, kNaN, 2.0, {1, 2, 3, 4}},
    {bcCode39, 1, 2.5, 2.5, {1, 2, 3, 4}},  // 2.5 rounds to the even 2
    {bcCode39, 1, 2.51, 2.51, {1, 3, 4, 6}},
    {bcCode39, 1, 3.0, 3.0, {1, 3, 4, 6}},
    {bcCode39, 1, 3.5, 3.0, {1, 3, 4, 6}},
    {bcCodeEAN13, 1, 0.0, 2.0, {1, 2, 3, 4}},
    // Symbologies tabulated in module widths keep one to four modules at any ratio.
    {bcCodeEAN13, 1, 3.0, 3.0, {1, 2, 3, 4}},
    {bcCodeUPC_E1, 2, 3.0, 3.0, {2, 4, 6, 8}},
    {bcCodeCodabar, 1, -4.0, 2.0, {1, 2, 3, 4}},
    {bcCode_2_5_matrix, 1, 3.5, 3.0, {1, 3, 4, 6}},
    {bcCode_2_5_matrix, 1, 2.0, 2.25, {1, 2, 3, 4}},
    {bcCode128B, 1, 3.0, 3.0, {1, 2, 3, 4}},
    {bcCode128B, 1, 5.0, 5.0, {1, 2, 3, 4}},
    {bcCode128B, 1, 1.0, 1.0, {1, 2, 3, 4}},
    {bcCode93, 1, 0.5, 0.5, {1, 2, 3, 4}},
    {bcCodeEAN128C, 1, 3.0, 3.0, {1, 2, 3, 4}},
    {bcCodeMSI, 1, kNaN, 2.0, {1, 2, 3, 4}},
    // MSI tells its bits by width like the other two-width symbologies.
    {bcCodeMSI, 1, 1.0, 2.0, {1, 2, 3, 4}},
    {bcCodeMSI, 1, 3.5, 3.0, {1, 3, 4, 6}},
    {bcCodePostNet, 1, 3.0, 3.0, {1, 3, 4, 6}},
    {bcCode39, 2, 2.25, 2.25, {2, 4, 6, 8}},  // 4.5 rounds to the even 4
    {bcCode39, 2, 2.75, 2.75, {2, 6, 9, 12}},  // 5.5 rounds to the even 6
    // Out-of-range inputs saturate in the signed 8-bit range instead of wrapping.
    {bcCode128A, 1, 1e12, 1e12, {1, 2, 3, 4}},
    {bcCodePostNet, 1, 1e12, 1e12, {1, 127, 127, 127}},
    {bcCodePostNet, 1, -3.0, -3.0, {1, 0, 0, 0}},
    {bcCode128A, 100, 2.0, 2.0, {100, 127, 127, 127}},
    {bcCode128A, 40, 2.0, 2.0, {40, 80, 120, 127}},
    {bcCode128A, -5, 2.0, 2.0, {0, 0, 0, 0}},
    {bcCodePostNet, -5, 2.0, 2.0, {0, 0, 0, 0}},
    {bcCodePostNet, 1, std::numeric_limits<double>::infinity(),
     std::numeric_limits<double>::infinity(), {1, 127, 127, 127}},
    {bcCode128C, 1, std::numeric_limits<double>::infinity(),
     std::numeric_limits<double>::infinity(), {1, 2, 3, 4}},
};

INSTANTIATE_TEST_SUITE_P(Ratios, BarcodeModuleWidthsTest, ::testing::ValuesIn(kClassCases));

TEST(BarcodeModuleWidths, BuildPatternClampsAndStoresRatio) {
  TfrxBarcode barcode;
  barcode.SetTyp(bcCode39);
  barcode.SetRatio(1.0);
  barcode.SetText("A");
  barcode.BuildPattern();
  EXPECT_DOUBLE_EQ(barcode.Ratio(), 2.0);
  // Code 128 keeps any ratio, but its modules are fixed, so the symbol keeps its width.
  barcode.SetTyp(bcCode128B);
  barcode.SetRatio(3.0);
  EXPECT_EQ(barcode.Width(), 46);
  EXPECT_DOUBLE_EQ(barcode.Ratio(), 3.0);
}

struct ElementCase {
  char element;
  int width;
  BarElementKind kind;
};

TEST(BarcodeElementOf, MapsEveryCharacterOfTheAlphabet) {
  TfrxBarcode barcode;
  barcode.SetTyp(bcCode39);
  barcode.SetRatio(3.0);
  barcode.ComputeModuleWidths();  // classes 1, 3, 4, 6
  const ElementCase cases[] = {
      {'0', 1, BarElementKind::Space},    {'1', 3, BarElementKind::Space},
      {'2', 4, BarElementKind::Space},    {'3', 6, BarElementKind::Space},
      {'5', 1, BarElementKind::Bar},      {'6', 3, BarElementKind::Bar},
      {'7', 4, BarElementKind::Bar},      {'8', 6, BarElementKind::Bar},
      {'A', 1, BarElementKind::ShortBar}, {'B', 3, BarElementKind::ShortBar},
      {'C', 4, BarElementKind::ShortBar}, {'D', 6, BarElementKind::ShortBar},
  };
  for (const auto& c : cases) {
    const BarElement e = barcode.ElementOf(c.element);
    EXPECT_EQ(e.width, c.width) << c.element;
    EXPECT_EQ(e.kind, c.kind) << c.element;
  }
}

TEST(BarcodeElementOf, RejectsCharactersOutsideTheAlphabet) {
  TfrxBarcode barcode;
  for (char c : std::string("49E/:@a \0\xff", 11)) {
    try {
      barcode.ElementOf(c);
      ADD_FAILURE() << "accepted " << int(c);
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), "TfrxBarcode: internal Error");
    }
  }
}

struct WidthCase {
  TfrxBarcodeType type;
  const char* text;
  bool checksum;
  double ratio;
  int width;
};

class BarcodeTotalWidthTest : public ::testing::TestWithParam<WidthCase> {};

TEST_P(BarcodeTotalWidthTest, SumsElementWidths) {
  const WidthCase& c = GetParam();
  EXPECT_EQ(scan::BuildBarcode(c.type, c.text, c.checksum, c.ratio).width, c.width);
}

const WidthCase kWidthCases[] = {
    {bcCode128B, "A", false, 2.0, 46},
    {bcCode39, "ABC", true, 2.0, 77},
    {bcCode39, "ABC", false, 2.0, 64},
    {bcCode39, "ABC", true, 3.0, 95},  // 16 units per character at classes 1 and 3
    {bcCodeEAN13, "", false, 2.0, 95},
    {bcCodeEAN8, "", false, 2.0, 67},
    {bcCodeUPC_A, "", false, 2.0, 95},
    {bcCodeUPC_E0, "", false, 2.0, 51},
    {bcCodeUPC_E1, "", false, 2.0, 51},
    {bcCodeUPC_Supp5, "", false, 2.0, 47},
    {bcCodeUPC_Supp2, "", false, 2.0, 20},
    {bcCode93, "TEST93", false, 2.0, 91},
    {bcCode93, "TEST93", false, 3.0, 91},
    {bcCode128B, "A", false, 3.0, 46},
    {bcCodeEAN13, "", false, 3.0, 95},
    {bcCodeUPC_E0, "", false, 3.0, 51},
    {bcCodeEAN128C, "12", false, 3.0, 57},
    {bcCode_2_5_interleaved, "1234", false, 2.0, 36},
    {bcCode_2_5_interleaved, "1234", false, 3.0, 45},
    {bcCode_2_5_industrial, "1", false, 2.0, 28},
    {bcCode_2_5_matrix, "1", false, 2.25, 23},
    {bcCodeMSI, "1", false, 2.0, 31},
    {bcCodePostNet, "1", false, 2.0, 19},
    {bcCodeCodabar, "1", false, 2.0, 31},
};

INSTANTIATE_TEST_SUITE_P(Widths, BarcodeTotalWidthTest, ::testing::ValuesIn(kWidthCases));

TEST(BarcodeDefaults, MatchTheGeneratorsDocumentedState) {
  TfrxBarcode barcode;
  EXPECT_EQ(barcode.Typ(), bcCodeEAN13);
  EXPECT_EQ(barcode.Modul(), 1);
  EXPECT_DOUBLE_EQ(barcode.Ratio(), 2.0);
  EXPECT_FALSE(barcode.Checksum());
  EXPECT_EQ(barcode.CheckSumMethod(), csmModulo10);
  EXPECT_EQ(barcode.Color(), clWhite);
  EXPECT_EQ(barcode.ColorBar(), clBlack);
  EXPECT_EQ(barcode.Font().Name(), "Arial");
  EXPECT_EQ(barcode.Font().Size(), 9);
  EXPECT_EQ(barcode.Font().Height(), -12);  // 9 points at 96 pixels per inch
  EXPECT_EQ(barcode.Text(), "");
}

TEST(BarcodeTypeNames, RoundTripIgnoringCase) {
  for (int t = 0; t < kBarcodeTypeCount; ++t) {
    const auto type = static_cast<TfrxBarcodeType>(t);
    const std::string name(BarcodeTypeName(type));
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(BarcodeTypeFromName(name), type);
  }
  EXPECT_EQ(BarcodeTypeFromName("BCCODEEAN128C"), bcCodeEAN128C);
  EXPECT_EQ(BarcodeTypeFromName("bcCode_2_5_interleaved"), bcCode_2_5_interleaved);
  EXPECT_EQ(BarcodeTypeFromName("bcCode128"), std::nullopt);
  EXPECT_EQ(BarcodeTypeName(static_cast<TfrxBarcodeType>(23)), "");
}

}  // namespace
}  // namespace quarlo
