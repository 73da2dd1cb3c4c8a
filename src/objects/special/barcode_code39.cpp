// Code 39 and its full-ASCII extension.
#include <algorithm>
#include <array>
#include <optional>

#include "objects/special/barcode_encoders.h"
#include "objects/special/barcode_full_ascii.h"

namespace quarlo::barcode {
namespace {

struct Code39Entry {
  char character;
  const char* elements;  // nine elements, bar first
  int checkValue;
};

// Lookups take the first match, so "0" (not "*") answers the check value 0.
constexpr std::array<Code39Entry, 44> kCode39 = {{
    {'0', "505160605", 0},  {'1', "605150506", 1},  {'2', "506150506", 2},
    {'3', "606150505", 3},  {'4', "505160506", 4},  {'5', "605160505", 5},
    {'6', "506160505", 6},  {'7', "505150606", 7},  {'8', "605150605", 8},
    {'9', "506150605", 9},  {'A', "605051506", 10}, {'B', "506051506", 11},
    {'C', "606051505", 12}, {'D', "505061506", 13}, {'E', "605061505", 14},
    {'F', "506061505", 15}, {'G', "505051606", 16}, {'H', "605051605", 17},
    {'I', "506051605", 18}, {'J', "505061605", 19}, {'K', "605050516", 20},
    {'L', "506050516", 21}, {'M', "606050515", 22}, {'N', "505060516", 23},
    {'O', "605060515", 24}, {'P', "506060515", 25}, {'Q', "505050616", 26},
    {'R', "605050615", 27}, {'S', "506050615", 28}, {'T', "505060615", 29},
    {'U', "615050506", 30}, {'V', "516050506", 31}, {'W', "616050505", 32},
    {'X', "515060506", 33}, {'Y', "615060505", 34}, {'Z', "516060505", 35},
    {'-', "515050606", 36}, {'.', "615050605", 37}, {' ', "516050605", 38},
    {'*', "515060605", 0},  {'$', "515151505", 39}, {'/', "515150515", 40},
    {'+', "515051515", 41}, {'%', "505151515", 42},
}};

const Code39Entry* FindCharacter(char c) {
  for (const auto& entry : kCode39) {
    if (entry.character == c) return &entry;
  }
  return nullptr;
}

const Code39Entry* FindCheckValue(int value) {
  for (const auto& entry : kCode39) {
    if (entry.checkValue == value) return &entry;
  }
  return nullptr;
}

// "*" frames the symbol and is no data character: inside the text it would end the
// symbol early.
const Code39Entry* FindDataCharacter(char c) { return c == '*' ? nullptr : FindCharacter(c); }

char UpperCase(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// The symbol of `data`; nothing when a character has no entry. With a check character
// it is appended to `shown`, so that the printed line is what a reader passes on.
std::optional<std::string> EncodeCode39Text(std::string_view data, bool checksum, std::string& shown) {
  const char* delimiter = FindCharacter('*')->elements;
  std::string pattern = std::string(delimiter) + '0';
  int sum = 0;
  for (char c : data) {
    const Code39Entry* entry = FindDataCharacter(c);
    if (!entry) return std::nullopt;
    pattern += entry->elements;
    pattern += '0';
    sum += entry->checkValue;
  }
  if (checksum) {
    const Code39Entry* check = FindCheckValue(sum % 43);
    pattern += check->elements;
    pattern += '0';
    shown += check->character;
  }
  return pattern + delimiter;
}

}  // namespace

// Lower-case letters have no symbol of their own: they are encoded and shown as
// capitals, so that the printed line is the data the symbol carries.
std::string EncodeCode39(SymbolInput& in) {
  std::transform(in.text.begin(), in.text.end(), in.text.begin(), UpperCase);
  const std::string data = in.text;
  auto pattern = EncodeCode39Text(data, in.checksum, in.text);
  if (!pattern) ThrowBadData("Code39", data);
  return *pattern;
}

std::string EncodeCode39Extended(SymbolInput& in) {
  const auto data = FullAsciiSubstitute(in.text, kCode39Shifts);
  if (!data) ThrowBadData("Code39", in.text);
  return *EncodeCode39Text(*data, in.checksum, in.text);
}

}  // namespace quarlo::barcode
