#include "objects/special/barcode_full_ascii.h"

namespace quarlo::barcode {
namespace {

// The base-set characters standing for one character code below 128.
std::string Sequence(unsigned code, const FullAsciiShifts& s) {
  auto shifted = [](char shift, char letter) { return std::string{shift, letter}; };
  const bool plain = code == 32 || (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z');
  if (plain) return std::string(1, char(code));
  if (code == 0) return shifted(s.percent, 'U');
  if (code <= 26) return shifted(s.dollar, char('A' + code - 1));
  if (code <= 31) return shifted(s.percent, char('A' + code - 27));
  if (code <= 47) return shifted(s.slash, char('A' + code - 33));
  if (code == 58) return shifted(s.slash, 'Z');
  if (code <= 63) return shifted(s.percent, char('F' + code - 59));
  if (code == 64) return shifted(s.percent, 'V');
  if (code <= 95) return shifted(s.percent, char('K' + code - 91));
  if (code == 96) return shifted(s.percent, 'W');
  if (code <= 122) return shifted(s.plus, char('A' + code - 97));
  return shifted(s.percent, char('P' + code - 123));
}

}  // namespace

std::optional<std::string> FullAsciiSubstitute(std::string_view text, const FullAsciiShifts& shifts) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code >= 128) return std::nullopt;
    out += Sequence(code, shifts);
  }
  return out;
}

}  // namespace quarlo::barcode
