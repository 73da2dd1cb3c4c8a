// Code 93 and its full-ASCII extension. Two check characters are always part of the
// symbol; the symbology leaves them no option.
#include <array>
#include <vector>

#include "platform/errors.h"
#include "objects/special/barcode_encoders.h"
#include "objects/special/barcode_full_ascii.h"

namespace quarlo::barcode {
namespace {

struct Code93Entry {
  char character;
  const char* widths;  // six module widths, bar first
};

// Indexed by value. The last four are the shift characters of the extended set.
constexpr std::array<Code93Entry, 47> kCode93 = {{
    {'0', "131112"}, {'1', "111213"}, {'2', "111312"}, {'3', "111411"}, {'4', "121113"},
    {'5', "121212"}, {'6', "121311"}, {'7', "111114"}, {'8', "131211"}, {'9', "141111"},
    {'A', "211113"}, {'B', "211212"}, {'C', "211311"}, {'D', "221112"}, {'E', "221211"},
    {'F', "231111"}, {'G', "112113"}, {'H', "112212"}, {'I', "112311"}, {'J', "122112"},
    {'K', "132111"}, {'L', "111123"}, {'M', "111222"}, {'N', "111321"}, {'O', "121122"},
    {'P', "131121"}, {'Q', "212112"}, {'R', "212211"}, {'S', "211122"}, {'T', "211221"},
    {'U', "221121"}, {'V', "222111"}, {'W', "112122"}, {'X', "112221"}, {'Y', "122121"},
    {'Z', "123111"}, {'-', "121131"}, {'.', "311112"}, {' ', "311211"}, {'$', "321111"},
    {'/', "112131"}, {'+', "113121"}, {'%', "211131"}, {'[', "121221"}, {']', "312111"},
    {'{', "311121"}, {'}', "122211"},
}};

constexpr const char* kStart = "111141";
constexpr const char* kStop = "1111411";

// The four shift characters are the last entries; only the full-ASCII substitution
// may use them, since a reader combines each with the next character.
constexpr size_t kFirstShift = 43;

int ValueOf(char c, bool shiftsAllowed) {
  const size_t end = shiftsAllowed ? kCode93.size() : kFirstShift;
  for (size_t v = 0; v < end; ++v) {
    if (kCode93[v].character == c) return static_cast<int>(v);
  }
  return -1;
}

std::string EncodeCode93Text(std::string_view data, std::string_view shownText, bool shiftsAllowed) {
  std::string widths = kStart;
  std::vector<int> values;
  values.reserve(data.size());
  for (char c : data) {
    const int v = ValueOf(c, shiftsAllowed);
    if (v < 0) ThrowBadData("Code93", shownText);
    values.push_back(v);
    widths += kCode93[static_cast<size_t>(v)].widths;
  }
  // Weights count from the rightmost data character: C cycles 1..20, K cycles 2..15
  // then 1, with C itself at weight 1 in K.
  int c = 0;
  int k = 0;
  for (size_t i = 1; i <= values.size(); ++i) {
    const int v = values[values.size() - i];
    c = (c + v * static_cast<int>((i - 1) % 20 + 1)) % 47;
    k = (k + v * static_cast<int>(i % 15 + 1)) % 47;
  }
  k = (k + c) % 47;
  widths += kCode93[static_cast<size_t>(c)].widths;
  widths += kCode93[static_cast<size_t>(k)].widths;
  widths += kStop;
  return WidthsToPattern(widths);
}

}  // namespace

std::string EncodeCode93(SymbolInput& in) { return EncodeCode93Text(in.text, in.text, false); }

std::string EncodeCode93Extended(SymbolInput& in) {
  const auto data = FullAsciiSubstitute(in.text, kCode93Shifts);
  if (!data) ThrowBadData("Code93", in.text);
  return EncodeCode93Text(*data, in.text, true);
}

}  // namespace quarlo::barcode
