// Symbologies zbar does not read (MSI, PostNet, industrial and matrix 2 of 5) are read
// back by small readers written here from the public standards in another form than
// the encoder's tables: 2 of 5 and PostNet by the weights 1-2-4-7-0 and 7-4-2-1-0 of
// their wide (or tall) elements, MSI as binary-coded decimal.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "objects/special/barcode.h"
#include "support/barcode_build.h"

namespace quarlo {
namespace {

struct Element {
  int widthClass;
  BarElementKind kind;
};

std::vector<Element> Elements(const std::string& pattern) {
  std::vector<Element> out;
  for (char c : pattern) {
    if (c >= '0' && c <= '3') out.push_back({c - '0', BarElementKind::Space});
    else if (c >= '5' && c <= '8') out.push_back({c - '5', BarElementKind::Bar});
    else out.push_back({c - 'A', BarElementKind::ShortBar});
  }
  return out;
}

// Digit of five flags by the weights 1, 2, 4, 7, 0, where 4 + 7 stands for 0. Exactly two
// flags must be set.
std::optional<char> TwoOutOfFive(const bool flags[5], const int weights[5]) {
  int sum = 0, count = 0;
  for (int i = 0; i < 5; ++i) {
    if (flags[i]) {
      sum += weights[i];
      ++count;
    }
  }
  if (count != 2) return std::nullopt;
  if (sum == 11) return '0';
  if (sum > 9) return std::nullopt;
  return char('0' + sum);
}

constexpr int kTwoOfFiveWeights[5] = {1, 2, 4, 7, 0};
constexpr int kPostNetWeights[5] = {7, 4, 2, 1, 0};

// Industrial: a digit is five bars, each followed by a narrow space; wide bars are ones.
// Start and stop are wide, wide, narrow and wide, narrow, wide bars.
std::string ReadIndustrial(const std::string& pattern) {
  const auto e = Elements(pattern);
  if (pattern.substr(0, 6) != "606050" || !pattern.ends_with("605060")) return "frame?";
  std::string digits;
  for (size_t i = 6; i + 6 < e.size(); i += 10) {
    bool wide[5];
    for (int j = 0; j < 5; ++j) {
      if (e[i + 2 * j].kind != BarElementKind::Bar || e[i + 2 * j + 1].widthClass != 0) return "space?";
      wide[j] = e[i + 2 * j].widthClass == 1;
    }
    const auto d = TwoOutOfFive(wide, kTwoOfFiveWeights);
    digits += d ? *d : '?';
  }
  return digits;
}

// Matrix: a digit is bar, space, bar, space, bar, then a narrow gap.
std::string ReadMatrix(const std::string& pattern) {
  const auto e = Elements(pattern);
  if (pattern.substr(0, 6) != "705050" || !pattern.ends_with("70505")) return "frame?";
  std::string digits;
  for (size_t i = 6; i + 5 < e.size(); i += 6) {
    bool wide[5];
    for (int j = 0; j < 5; ++j) {
      const bool bar = j % 2 == 0;
      if ((e[i + j].kind == BarElementKind::Bar) != bar) return "order?";
      wide[j] = e[i + j].widthClass == 1;
    }
    if (e[i + 5].kind != BarElementKind::Space || e[i + 5].widthClass != 0) return "gap?";
    const auto d = TwoOutOfFive(wide, kTwoOfFiveWeights);
    digits += d ? *d : '?';
  }
  return digits;
}

// PostNet: after the frame bar, five bars per digit on a fixed pitch; tall bars are ones.
std::string ReadPostNet(const std::string& pattern) {
  const auto e = Elements(pattern);
  if (pattern.substr(0, 2) != "51" || !pattern.ends_with("5")) return "frame?";
  std::string digits;
  for (size_t i = 2; i + 1 < e.size(); i += 10) {
    bool tall[5];
    for (int j = 0; j < 5; ++j) {
      if (e[i + 2 * j].kind == BarElementKind::Space || e[i + 2 * j + 1].widthClass != 1) return "pitch?";
      tall[j] = e[i + 2 * j].kind == BarElementKind::Bar;
    }
    const auto d = TwoOutOfFive(tall, kPostNetWeights);
    digits += d ? *d : '?';
  }
  return digits;
}

// MSI: after the start (wide bar, narrow space) each bit is a bar and a space, the wide
// one first for a one; four bits per digit, most significant first. The last digit read
// is the check digit.
std::string ReadMsi(const std::string& pattern) {
  const auto e = Elements(pattern);
  if (pattern.substr(0, 2) != "60" || !pattern.ends_with("515")) return "frame?";
  std::string digits;
  for (size_t i = 2; i + 3 < e.size(); i += 8) {
    int value = 0;
    for (int bit = 0; bit < 4; ++bit) {
      const Element& bar = e[i + 2 * bit];
      const Element& space = e[i + 2 * bit + 1];
      if (bar.widthClass + space.widthClass != 1) return "bit?";
      value = value * 2 + bar.widthClass;
    }
    digits += value <= 9 ? char('0' + value) : '?';
  }
  return digits;
}

struct ReaderCase {
  TfrxBarcodeType type;
  const char* text;
  const char* read;  // what the reader finds: the digits, for MSI followed by the check
};

class BarcodeReaderTest : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(BarcodeReaderTest, ReadsBackTheDigits) {
  const ReaderCase& c = GetParam();
  const auto built = scan::BuildBarcode(c.type, c.text, false,
                                        c.type == bcCode_2_5_matrix ? 2.25 : 2.0);
  ASSERT_EQ(built.error, "");
  std::string read;
  switch (c.type) {
    case bcCode_2_5_industrial: read = ReadIndustrial(built.pattern); break;
    case bcCode_2_5_matrix: read = ReadMatrix(built.pattern); break;
    case bcCodePostNet: read = ReadPostNet(built.pattern); break;
    case bcCodeMSI: read = ReadMsi(built.pattern); break;
    default: FAIL() << "no reader";
  }
  EXPECT_EQ(read, c.read) << built.pattern;
}

const ReaderCase kReaderCases[] = {
    {bcCode_2_5_industrial, "0123456789", "0123456789"},
    {bcCode_2_5_industrial, "", ""},
    {bcCode_2_5_matrix, "0123456789", "0123456789"},
    {bcCode_2_5_matrix, "90210", "90210"},
    {bcCodePostNet, "0123456789", "0123456789"},
    {bcCodePostNet, "90210", "90210"},
    {bcCodeMSI, "1234567", "12345674"},
    {bcCodeMSI, "7992739871", "79927398713"},  // the well-known Luhn example
    {bcCodeMSI, "0123456789", "01234567897"},
    {bcCodeMSI, "", "0"},
};

INSTANTIATE_TEST_SUITE_P(Readers, BarcodeReaderTest, ::testing::ValuesIn(kReaderCases));

TEST(BarcodePostNet, ShortBarsAreTwoFifthsOfTheHeightClassZero) {
  TfrxBarcode barcode;
  barcode.SetTyp(bcCodePostNet);
  barcode.SetText("1");
  const std::string pattern = barcode.BuildPattern();
  EXPECT_EQ(std::count(pattern.begin(), pattern.end(), 'A'), 3);
  EXPECT_EQ(barcode.ElementOf('A').kind, BarElementKind::ShortBar);
  EXPECT_EQ(barcode.ElementOf('A').width, 1);
}

}  // namespace
}  // namespace quarlo
