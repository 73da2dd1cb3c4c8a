#pragma once
// Check-digit rules shared by several symbologies. All take strings of decimal digits;
// the conversion of a non-digit fails like the platform's integer conversion does.
#include <cstdint>
#include <string>
#include <string_view>

#include "objects/special/barcode_types.h"

namespace quarlo::barcode {

// Value of one digit character; throws EConvertError "'c' is not a valid integer value".
int DigitValue(char c);

// Weights 3, 1, 3, ... from the rightmost digit; (10 - sum mod 10) mod 10.
int Modulo10CheckDigit(std::string_view digits);

// The digits followed by their check digit for csmModulo10, unchanged for csmNone.
std::string AppendCheckDigit(std::string_view digits, TfrxCheckSumMethod method);

// MSI's rule: from the rightmost digit every second digit is doubled and the digits of
// the products are summed; (10 - sum mod 10) mod 10.
int LuhnCheckDigit(std::string_view digits);

// The add-on rule: weights 3, 9, 3, ... from the rightmost digit, sum mod 10.
int AddOnCheckDigit(std::string_view digits);

// Reads a decimal 32-bit integer with an optional sign, as the platform's conversion
// does; throws EConvertError "'text' is not a valid integer value" otherwise.
std::int32_t StrToInt(std::string_view text);

}  // namespace quarlo::barcode
