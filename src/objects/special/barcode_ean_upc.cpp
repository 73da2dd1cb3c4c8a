// The EAN/UPC family: EAN-8, EAN-13, UPC-A, UPC-E (number systems 0 and 1) and the two-
// and five-digit add-ons. All share three number sets of seven modules per digit.
#include <array>

#include "platform/errors.h"
#include "objects/special/barcode_check_digits.h"
#include "objects/special/barcode_encoders.h"

namespace quarlo::barcode {
namespace {

// Odd parity (left halves), even parity (left halves), right halves.
constexpr std::array<const char*, 10> kSetA = {"2605", "1615", "1516", "0805", "0526",
                                               "0625", "0508", "0706", "0607", "2506"};
constexpr std::array<const char*, 10> kSetB = {"0517", "0616", "1606", "0535", "1705",
                                               "0715", "3505", "1525", "2515", "1507"};
constexpr std::array<const char*, 10> kSetC = {"7150", "6160", "6061", "5350", "5071",
                                               "5170", "5053", "5251", "5152", "7051"};

// EAN-13: the set of each left-hand digit, chosen by the leading digit.
constexpr std::array<const char*, 10> kEan13Parity = {
    "AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
    "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA",
};

// UPC-E: "E" even, "o" odd parity of the six digits, chosen by the check digit. The
// five-digit add-on uses positions 2 to 6.
constexpr std::array<const char*, 10> kUpcEParity = {
    "EEEooo", "EEoEoo", "EEooEo", "EEoooE", "EoEEoo",
    "EooEEo", "EoooEE", "EoEoEo", "EoEooE", "EooEoE",
};

constexpr const char* kEdgeGuard = "505";
constexpr const char* kCentreGuard = "05050";
constexpr const char* kUpcEEndGuard = "050505";
constexpr const char* kAddOnStart = "506";
constexpr const char* kAddOnSeparator = "05";

size_t D(char digit) { return static_cast<size_t>(DigitValue(digit)); }

const char* Even(char digit) { return kSetB[D(digit)]; }
const char* Odd(char digit) { return kSetA[D(digit)]; }
const char* Right(char digit) { return kSetC[D(digit)]; }
const char* ByParity(char letter, char digit) { return letter == 'E' ? Even(digit) : Odd(digit); }

// The eleven digits of the UPC-A number (number system and ten data digits) that a
// six-digit UPC-E body stands for, by the zero-suppression rule of its last digit.
std::string UpcAEquivalent(char numberSystem, std::string_view body) {
  const char d1 = body[0], d2 = body[1], d3 = body[2], d4 = body[3], d5 = body[4];
  const char d6 = body[5];
  std::string digits(1, numberSystem);
  switch (d6) {
    case '0':
    case '1':
    case '2':
      digits += {d1, d2, d6, '0', '0', '0', '0', d3, d4, d5};
      break;
    case '3':
      digits += {d1, d2, d3, '0', '0', '0', '0', '0', d4, d5};
      break;
    case '4':
      digits += {d1, d2, d3, d4, '0', '0', '0', '0', '0', d5};
      break;
    default:
      digits += {d1, d2, d3, d4, d5, '0', '0', '0', '0', d6};
      break;
  }
  return digits;
}

// The data of a number of `length` digits whose last one is the check digit. With a
// check digit to compute, the text holds the digits before it (padded on the left) or
// the whole number, whose last digit is then recomputed; without, the text is the whole
// number (padded) and a wrong last digit is refused, as no reader accepts it. Longer
// texts are refused too: digits left out would make the symbol read as another number.
std::string CheckedNumber(SymbolInput& in, size_t length, const char* name) {
  const std::string lengthError = std::string("Invalid Text len (") + name + ")";
  if (in.text.size() > length) throw Exception(lengthError);
  if (in.checksum) {
    in.text = AppendCheckDigit(LeftPadded(in.text, length - 1).substr(0, length - 1), in.checkSumMethod);
  } else {
    in.text = LeftPadded(in.text, length);
  }
  // Only a check rule that appends nothing (csmNone) leaves the number short.
  if (in.text.size() != length) throw Exception(lengthError);
  const int check = Modulo10CheckDigit(std::string_view(in.text).substr(0, length - 1));
  if (!in.checksum && check != in.text.back() - '0') {
    throw Exception(std::string("Invalid check digit (") + name + ")");
  }
  return in.text;
}

}  // namespace

std::string EncodeEan8(SymbolInput& in) {
  const std::string data = CheckedNumber(in, 8, "EAN8");
  std::string pattern = kEdgeGuard;
  for (size_t i = 0; i < 4; ++i) pattern += Odd(data[i]);
  pattern += kCentreGuard;
  for (size_t i = 4; i < 8; ++i) pattern += Right(data[i]);
  return pattern + kEdgeGuard;
}

std::string EncodeEan13(SymbolInput& in) {
  const std::string data = CheckedNumber(in, 13, "EAN13");
  const char* parity = kEan13Parity[D(data[0])];
  std::string pattern = kEdgeGuard;
  for (size_t i = 1; i <= 6; ++i) pattern += parity[i - 1] == 'A' ? Odd(data[i]) : Even(data[i]);
  pattern += kCentreGuard;
  for (size_t i = 7; i < 13; ++i) pattern += Right(data[i]);
  return pattern + kEdgeGuard;
}

std::string EncodeUpcA(SymbolInput& in) {
  const std::string data = CheckedNumber(in, 12, "UPCA");
  std::string pattern = kEdgeGuard;
  for (size_t i = 0; i < 6; ++i) pattern += Odd(data[i]);
  pattern += kCentreGuard;
  for (size_t i = 6; i < 12; ++i) pattern += Right(data[i]);
  return pattern + kEdgeGuard;
}

std::string EncodeUpcE(SymbolInput& in, bool inverted) {
  if (in.text.size() > 7) throw Exception("Invalid Text len (UPCE)");
  // As with UPC-A, a text that lacks the check digit is the six-digit body itself.
  in.text = LeftPadded(in.text, in.checksum ? 6 : 7);
  const std::string body = in.text.substr(0, 6);
  // The check digit of a UPC-E symbol is that of the UPC-A number it abbreviates;
  // scanners expand the symbol and verify exactly that. The bars carry it in their
  // parity only, so the text always shows this digit, whatever the seventh one was.
  const int check = Modulo10CheckDigit(UpcAEquivalent(inverted ? '1' : '0', body));
  in.text = body + char('0' + check);
  const char* parity = kUpcEParity[static_cast<size_t>(check)];
  std::string pattern = kEdgeGuard;
  for (size_t i = 0; i < 6; ++i) {
    const bool even = (parity[i] == 'E') != inverted;
    pattern += even ? Even(body[i]) : Odd(body[i]);
  }
  return pattern + kUpcEEndGuard;
}

// An add-on holds its digits and nothing more: the parity carries the five-digit
// add-on's check digit (so a sixth digit may stand for it) and the two-digit value's
// remainder by 4, so further digits would be left out, or would give a parity that
// no reader accepts.
std::string EncodeUpcSupp5(SymbolInput& in) {
  if (in.text.size() > (in.checksum ? 6u : 5u)) throw Exception("Invalid Text len (UPC Supp5)");
  in.text = LeftPadded(in.text, 5);
  const std::string digits = in.text.substr(0, 5);
  const int check = AddOnCheckDigit(digits);
  if (in.checksum) in.text = digits + char('0' + check);
  const char* parity = kUpcEParity[static_cast<size_t>(check)];
  std::string pattern = kAddOnStart;
  for (size_t i = 0; i < 5; ++i) {
    if (i > 0) pattern += kAddOnSeparator;
    pattern += ByParity(parity[i + 1], digits[i]);
  }
  return pattern;
}

std::string EncodeUpcSupp2(SymbolInput& in) {
  if (in.text.size() > 2) throw Exception("Invalid Text len (UPC Supp2)");
  in.text = LeftPadded(in.text, 2);
  const std::int32_t n = StrToInt(in.text);
  constexpr std::array<const char*, 4> kPairParity = {"oo", "oE", "Eo", "EE"};
  const char* parity = kPairParity[static_cast<size_t>(n % 4)];
  if (in.checksum) {
    const std::string head = in.text.substr(0, 5);
    in.text = head + char('0' + AddOnCheckDigit(head));
  }
  std::string pattern = kAddOnStart;
  pattern += ByParity(parity[0], in.text[0]);
  pattern += kAddOnSeparator;
  pattern += ByParity(parity[1], in.text[1]);
  return pattern;
}

}  // namespace quarlo::barcode
