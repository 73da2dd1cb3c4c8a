// MSI (modified Plessey): four bits per digit, each bit a bar and a space; the check
// digit is always part of the symbol but never of the text.
#include <array>

#include "objects/special/barcode_check_digits.h"
#include "objects/special/barcode_encoders.h"

namespace quarlo::barcode {
namespace {

constexpr std::array<const char*, 10> kDigits = {
    "51515151", "51515160", "51516051", "51516060", "51605151",
    "51605160", "51606051", "51606060", "60515151", "60515160",
};

}  // namespace

std::string EncodeMsi(SymbolInput& in) {
  std::string pattern = "60";
  for (char digit : in.text) pattern += kDigits[static_cast<size_t>(DigitValue(digit))];
  pattern += kDigits[static_cast<size_t>(LuhnCheckDigit(in.text))];
  return pattern + "515";
}

}  // namespace quarlo::barcode
