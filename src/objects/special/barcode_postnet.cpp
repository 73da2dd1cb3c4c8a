// PostNet: every digit is five bars, two of them full height and three short, on a
// fixed pitch of one bar and one wide space.
#include <array>

#include "objects/special/barcode_check_digits.h"
#include "objects/special/barcode_encoders.h"

namespace quarlo::barcode {
namespace {

constexpr std::array<const char*, 10> kDigits = {
    "5151A1A1A1", "A1A1A15151", "A1A151A151", "A1A15151A1", "A151A1A151",
    "A151A151A1", "A15151A1A1", "51A1A1A151", "51A1A151A1", "51A151A1A1",
};

}  // namespace

std::string EncodePostNet(SymbolInput& in) {
  std::string pattern = "51";
  for (char digit : in.text) pattern += kDigits[static_cast<size_t>(DigitValue(digit))];
  return pattern + "5";
}

}  // namespace quarlo::barcode
