#pragma once
// Full-ASCII substitution of the extended Code 39 and Code 93 sets: every character
// below 128 becomes one or two characters of the base set.
#include <optional>
#include <string>
#include <string_view>

namespace quarlo::barcode {

// The four shift characters of a base set, in the roles Code 39 gives "$", "%", "/", "+".
struct FullAsciiShifts {
  char dollar;
  char percent;
  char slash;
  char plus;
};

inline constexpr FullAsciiShifts kCode39Shifts{'$', '%', '/', '+'};
inline constexpr FullAsciiShifts kCode93Shifts{'[', ']', '{', '}'};

// Nothing when the text holds a character of code 128 or above, which full ASCII has
// no sequence for.
std::optional<std::string> FullAsciiSubstitute(std::string_view text, const FullAsciiShifts& shifts);

}  // namespace quarlo::barcode
