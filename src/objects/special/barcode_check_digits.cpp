#include "objects/special/barcode_check_digits.h"

#include <cstdint>

#include "platform/errors.h"

namespace quarlo::barcode {
namespace {

[[noreturn]] void ThrowNotAnInteger(std::string_view text) {
  throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

}  // namespace

int DigitValue(char c) {
  if (c < '0' || c > '9') ThrowNotAnInteger(std::string_view(&c, 1));
  return c - '0';
}

int Modulo10CheckDigit(std::string_view digits) {
  int sum = 0;
  int weight = 3;
  for (size_t i = digits.size(); i-- > 0;) {
    sum = (sum + DigitValue(digits[i]) * weight) % 10;
    weight = 4 - weight;
  }
  return (10 - sum) % 10;
}

std::string AppendCheckDigit(std::string_view digits, TfrxCheckSumMethod method) {
  std::string result(digits);
  if (method == csmModulo10) result += char('0' + Modulo10CheckDigit(digits));
  return result;
}

int LuhnCheckDigit(std::string_view digits) {
  int sum = 0;
  bool doubled = true;
  for (size_t i = digits.size(); i-- > 0;) {
    int d = DigitValue(digits[i]);
    if (doubled) {
      d *= 2;
      d = d / 10 + d % 10;
    }
    sum = (sum + d) % 10;
    doubled = !doubled;
  }
  return (10 - sum) % 10;
}

int AddOnCheckDigit(std::string_view digits) {
  int sum = 0;
  int weight = 3;
  for (size_t i = digits.size(); i-- > 0;) {
    sum = (sum + DigitValue(digits[i]) * weight) % 10;
    weight = 12 - weight;
  }
  return sum;
}

std::int32_t StrToInt(std::string_view text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) ThrowNotAnInteger(text);
  std::int64_t value = 0;
  const std::int64_t limit = negative ? std::int64_t{INT32_MAX} + 1 : INT32_MAX;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') ThrowNotAnInteger(text);
    value = value * 10 + (c - '0');
    if (value > limit) ThrowNotAnInteger(text);
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace quarlo::barcode
