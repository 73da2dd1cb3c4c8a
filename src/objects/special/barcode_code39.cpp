// Code 39 and its full-ASCII extension.
#include <array>

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

std::string EncodeCode39Text(std::string_view text, bool checksum) {
  const char* delimiter = FindCharacter('*')->elements;
  std::string pattern = std::string(delimiter) + '0';
  int sum = 0;
  for (char c : text) {
    const Code39Entry* entry = FindCharacter(c);
    if (!entry) continue;  // outside the set: skipped, as the symbology has no escape
    pattern += entry->elements;
    pattern += '0';
    sum += entry->checkValue;
  }
  if (checksum) {
    pattern += FindCheckValue(sum % 43)->elements;
    pattern += '0';
  }
  return pattern + delimiter;
}

}  // namespace

std::string EncodeCode39(SymbolInput& in) { return EncodeCode39Text(in.text, in.checksum); }

std::string EncodeCode39Extended(SymbolInput& in) {
  return EncodeCode39Text(FullAsciiSubstitute(in.text, kCode39Shifts), in.checksum);
}

}  // namespace quarlo::barcode
