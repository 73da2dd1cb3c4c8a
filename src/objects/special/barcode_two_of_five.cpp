// The 2 of 5 family: interleaved, industrial and matrix. Each digit is five elements,
// two of them wide; the three differ in where those elements go.
#include <array>

#include "objects/special/barcode_encoders.h"
#include "objects/special/barcode_check_digits.h"

namespace quarlo::barcode {
namespace {

// "1" marks a wide element.
constexpr std::array<const char*, 10> kDigitBits = {
    "00110", "10001", "01001", "11000", "00101", "10100", "01100", "00011", "10010", "01010",
};

const char* BitsOf(char digit) { return kDigitBits[static_cast<size_t>(DigitValue(digit))]; }

}  // namespace

std::string EncodeInterleaved2of5(SymbolInput& in) {
  if (in.checksum && in.text.size() % 2 == 1) {
    in.text = AppendCheckDigit(in.text, in.checkSumMethod);
  }
  // Digits go in pairs, the first in the bars and the second in the spaces, so an odd
  // count (no check digit, or a check rule that adds none) gets a leading zero, which
  // leaves the number's value and is shown.
  if (in.text.size() % 2 == 1) in.text.insert(in.text.begin(), '0');
  std::string pattern = "5050";
  for (size_t i = 0; i < in.text.size(); i += 2) {
    const char* bars = BitsOf(in.text[i]);
    const char* spaces = BitsOf(in.text[i + 1]);
    for (int j = 0; j < 5; ++j) {
      pattern += bars[j] == '1' ? '6' : '5';
      pattern += spaces[j] == '1' ? '1' : '0';
    }
  }
  return pattern + "605";
}

std::string EncodeIndustrial2of5(SymbolInput& in) {
  // Only bars carry information, each followed by a narrow space. Start (wide, wide,
  // narrow) and stop (wide, narrow, wide) use the same wide bar as the digits, so the
  // whole symbol keeps one wide-to-narrow ratio.
  std::string pattern = "606050";
  for (char digit : in.text) {
    const char* bits = BitsOf(digit);
    for (int j = 0; j < 5; ++j) pattern += bits[j] == '1' ? "60" : "50";
  }
  return pattern + "605060";
}

std::string EncodeMatrix2of5(SymbolInput& in) {
  std::string pattern = "705050";
  for (char digit : in.text) {
    const char* bits = BitsOf(digit);
    for (int j = 0; j < 5; ++j) {
      const bool wide = bits[j] == '1';
      if (j % 2 == 0) {
        pattern += wide ? '6' : '5';
      } else {
        pattern += wide ? '1' : '0';
      }
    }
    pattern += '0';
  }
  return pattern + "70505";
}

}  // namespace quarlo::barcode
