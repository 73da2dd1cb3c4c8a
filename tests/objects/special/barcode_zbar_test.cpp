// Round trips through an independent reader: the pattern is rasterised with quiet zones
// and decoded by zbar, which knows the public symbology standards and checks their
// check characters. The decoded data must be what the barcode object shows as its text
// (zbar leaves the Code 39 check character in and does not expand Code 39 full ASCII,
// so those cases name zbar's literal output).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objects/special/barcode.h"
#include "support/barcode_scan.h"

namespace quarlo {
namespace {

void AppendRuns(const TfrxBarcode& barcode, const std::string& pattern,
                std::vector<scan::BarRun>& runs) {
  for (char c : pattern) {
    const BarElement e = barcode.ElementOf(c);
    runs.push_back({e.width, e.kind != BarElementKind::Space, e.kind == BarElementKind::ShortBar});
  }
}

struct Symbol {
  TfrxBarcodeType type;
  const char* text;
  bool checksum = false;
  double ratio = 2.0;
};

// Builds the symbol, appends its runs and returns the text the object would show.
std::string AddSymbol(const Symbol& s, std::vector<scan::BarRun>& runs) {
  TfrxBarcode barcode;
  barcode.SetTyp(s.type);
  barcode.SetText(s.text);
  barcode.SetChecksum(s.checksum);
  barcode.SetRatio(s.ratio);
  AppendRuns(barcode, barcode.BuildPattern(), runs);
  return barcode.Text();
}

struct ScanCase {
  Symbol symbol;
  const char* shownText;  // Text after building
  const char* decoded;    // zbarimg's line: symbology and data
  const char* settings;   // zbar option naming the symbology's own report form, if any
};

class BarcodeZbarTest : public ::testing::TestWithParam<ScanCase> {
 protected:
  void SetUp() override {
    if (!scan::ZbarAvailable()) GTEST_SKIP() << "zbarimg is not installed";
  }
};

TEST_P(BarcodeZbarTest, DecodesToShownText) {
  const ScanCase& c = GetParam();
  std::vector<scan::BarRun> runs;
  const std::string shown = AddSymbol(c.symbol, runs);
  EXPECT_EQ(shown, c.shownText);
  std::vector<std::string> settings;
  if (c.settings) settings.push_back(c.settings);
  const auto lines = scan::ZbarDecode(scan::RasteriseRuns(runs), settings);
  ASSERT_EQ(lines.size(), 1u) << "text " << shown;
  EXPECT_EQ(lines[0], c.decoded);
}

const ScanCase kScanCases[] = {
    {{bcCodeEAN13, "400638133393", true}, "4006381333931", "EAN-13:4006381333931", nullptr},
    {{bcCodeEAN13, "5901234123457"}, "5901234123457", "EAN-13:5901234123457", nullptr},
    {{bcCodeEAN13, "12345678901", true}, "0123456789012", "EAN-13:0123456789012", nullptr},
    {{bcCodeEAN8, "1234567", true}, "12345670", "EAN-8:12345670", nullptr},
    {{bcCodeEAN8, "96385074"}, "96385074", "EAN-8:96385074", nullptr},
    {{bcCodeEAN8, "96385070", true}, "96385074", "EAN-8:96385074", nullptr},
    {{bcCodeUPC_A, "03600029145", true}, "036000291452", "UPC-A:036000291452", "upca.enable"},
    {{bcCodeUPC_A, "12345678905"}, "012345678905", "UPC-A:012345678905", "upca.enable"},
    {{bcCodeUPC_E0, "425261", true}, "4252614", "UPC-E:04252614", "upce.enable"},
    {{bcCodeUPC_E0, "123453", true}, "1234531", "UPC-E:01234531", "upce.enable"},
    {{bcCodeUPC_E0, "654324", true}, "6543240", "UPC-E:06543240", "upce.enable"},
    {{bcCodeUPC_E0, "2345673", false}, "2345673", "UPC-E:02345673", "upce.enable"},
    {{bcCode39, "CODE 39-1.2"}, "CODE 39-1.2", "CODE-39:CODE 39-1.2", nullptr},
    {{bcCode39, "ABC", true}, "ABCX", "CODE-39:ABCX", nullptr},
    {{bcCode39, "abc"}, "ABC", "CODE-39:ABC", nullptr},
    {{bcCode39, "$/+%", false, 3.0}, "$/+%", "CODE-39:$/+%", nullptr},
    {{bcCode39Extended, "Quarlo 1.0"}, "Quarlo 1.0", "CODE-39:Q+U+A+R+L+O 1/N0", nullptr},
    {{bcCode39Extended, "a@b"}, "a@b", "CODE-39:+A%V+B", nullptr},
    {{bcCode93, "TEST93"}, "TEST93", "CODE-93:TEST93", nullptr},
    {{bcCode93, "CODE 93-$/+%."}, "CODE 93-$/+%.", "CODE-93:CODE 93-$/+%.", nullptr},
    {{bcCode93Extended, "Quarlo 1.0"}, "Quarlo 1.0", "CODE-93:Quarlo 1.0", nullptr},
    {{bcCode93Extended, "a@b~{x}"}, "a@b~{x}", "CODE-93:a@b~{x}", nullptr},
    {{bcCode128A, "HELLO 128"}, "HELLO 128", "CODE-128:HELLO 128", nullptr},
    {{bcCode128B, "Hello, 128!"}, "Hello, 128!", "CODE-128:Hello, 128!", nullptr},
    {{bcCode128B, "A"}, "A", "CODE-128:A", nullptr},
    {{bcCode128C, "123456"}, "123456", "CODE-128:123456", nullptr},
    {{bcCode128C, "12345"}, "012345", "CODE-128:012345", nullptr},
    // The modules of Code 128, Code 93 and EAN are fixed whatever the ratio.
    {{bcCode128B, "Ratio 3", false, 3.0}, "Ratio 3", "CODE-128:Ratio 3", nullptr},
    {{bcCode93, "RATIO 3", false, 3.0}, "RATIO 3", "CODE-93:RATIO 3", nullptr},
    {{bcCodeEAN13, "400638133393", true, 3.0}, "4006381333931", "EAN-13:4006381333931", nullptr},
    {{bcCodeUPC_E0, "425261", true, 3.0}, "4252614", "UPC-E:04252614", "upce.enable"},
    // The leading FNC1 marks GS1 data and is not part of it; a later one separates
    // fields and reads as the group separator.
    {{bcCodeEAN128A, "10ABC&FNC1;3101"}, "10ABC&FNC1;3101", "CODE-128:10ABC\x1d" "3101", nullptr},
    {{bcCodeEAN128B, "10abc"}, "10abc", "CODE-128:10abc", nullptr},
    {{bcCodeEAN128C, "0109501101020917"}, "0109501101020917", "CODE-128:0109501101020917",
     nullptr},
    {{bcCodeEAN128C, "0034567890123456789", true}, "00345678901234567895",
     "CODE-128:00345678901234567895", nullptr},
    // Set C pads an odd digit count in front, after the check digit joined the text.
    {{bcCodeEAN128C, "0109501101020917", true}, "001095011010209173",
     "CODE-128:001095011010209173", nullptr},
    // Digit runs between markers are paired on their own.
    {{bcCodeEAN128C, "&FNC1;10123&FNC1;21456", false, 3.0}, "&FNC1;010123&FNC1;021456",
     "CODE-128:010123\x1d" "021456", nullptr},
    {{bcCode_2_5_interleaved, "12345678"}, "12345678", "I2/5:12345678", nullptr},
    {{bcCode_2_5_interleaved, "12345", true}, "123457", "I2/5:123457", nullptr},
    {{bcCode_2_5_interleaved, "12345"}, "012345", "I2/5:012345", nullptr},
    {{bcCode_2_5_interleaved, "0123456789", false, 3.0}, "0123456789", "I2/5:0123456789",
     nullptr},
    {{bcCodeCodabar, "12345"}, "12345", "Codabar:A12345B", nullptr},
    {{bcCodeCodabar, "-$:/.+90", false, 3.0}, "-$:/.+90", "Codabar:A-$:/.+90B", nullptr},
};

std::string CaseName(TfrxBarcodeType type, size_t index) {
  return std::string(BarcodeTypeName(type)) + "_" + std::to_string(index);
}

INSTANTIATE_TEST_SUITE_P(Symbologies, BarcodeZbarTest, ::testing::ValuesIn(kScanCases),
                         [](const auto& info) { return CaseName(info.param.symbol.type, info.index); });

// An add-on stands right of its main symbol after a gap of a few modules and is read as
// a symbol of its own.
struct AddOnCase {
  Symbol main;
  Symbol addOn;
  const char* shownAddOnText;
  const char* decodedAddOn;
};

class BarcodeAddOnZbarTest : public ::testing::TestWithParam<AddOnCase> {
 protected:
  void SetUp() override {
    if (!scan::ZbarAvailable()) GTEST_SKIP() << "zbarimg is not installed";
  }
};

TEST_P(BarcodeAddOnZbarTest, MainSymbolAndAddOnBothDecode) {
  const AddOnCase& c = GetParam();
  std::vector<scan::BarRun> runs;
  const std::string mainText = AddSymbol(c.main, runs);
  runs.push_back({9, false, false});
  EXPECT_EQ(AddSymbol(c.addOn, runs), c.shownAddOnText);
  const auto lines = scan::ZbarDecode(scan::RasteriseRuns(runs), {"ean2.enable", "ean5.enable"});
  EXPECT_EQ(lines, (std::vector<std::string>{c.decodedAddOn, "EAN-13:" + mainText}));
}

const AddOnCase kAddOnCases[] = {
    {{bcCodeEAN13, "978020137962", true}, {bcCodeUPC_Supp5, "52495"}, "52495", "EAN-5:52495"},
    // The add-on check digit joins the text but is carried by the parity, not by bars.
    {{bcCodeEAN13, "978020137962", true}, {bcCodeUPC_Supp5, "24", true}, "000240",
     "EAN-5:00024"},
    {{bcCodeEAN13, "977123456700", true}, {bcCodeUPC_Supp2, "12"}, "12", "EAN-2:12"},
    {{bcCodeEAN13, "977123456700", true}, {bcCodeUPC_Supp2, "7"}, "07", "EAN-2:07"},
    {{bcCodeEAN13, "977123456700", true}, {bcCodeUPC_Supp2, "99"}, "99", "EAN-2:99"},
    {{bcCodeEAN13, "977123456700", true}, {bcCodeUPC_Supp2, "34"}, "34", "EAN-2:34"},
};

INSTANTIATE_TEST_SUITE_P(AddOns, BarcodeAddOnZbarTest, ::testing::ValuesIn(kAddOnCases),
                         [](const auto& info) { return CaseName(info.param.addOn.type, info.index); });

}  // namespace
}  // namespace quarlo
