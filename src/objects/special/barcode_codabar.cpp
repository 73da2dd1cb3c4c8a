// Codabar, framed by the start character A and the stop character B.
#include <array>

#include "platform/errors.h"
#include "objects/special/barcode_encoders.h"

namespace quarlo::barcode {
namespace {

struct CodabarEntry {
  char character;
  const char* elements;  // seven elements, bar first
};

constexpr std::array<CodabarEntry, 20> kCodabar = {{
    {'1', "5050615"}, {'2', "5051506"}, {'3', "6150505"}, {'4', "5060515"}, {'5', "6050515"},
    {'6', "5150506"}, {'7', "5150605"}, {'8', "5160505"}, {'9', "6051505"}, {'0', "5050516"},
    {'-', "5051605"}, {'$', "5061505"}, {':', "6050606"}, {'/', "6060506"}, {'.', "6060605"},
    {'+', "5060606"}, {'A', "5061515"}, {'B', "5151506"}, {'C', "5051516"}, {'D', "5051615"},
}};

const char* ElementsOf(char c) {
  for (const auto& entry : kCodabar) {
    if (entry.character == c) return entry.elements;
  }
  return nullptr;
}

}  // namespace

std::string EncodeCodabar(SymbolInput& in) {
  std::string pattern = std::string(ElementsOf('A')) + '0';
  for (char c : in.text) {
    const char* elements = ElementsOf(c);
    if (!elements) ThrowBadData("Codabar", in.text);
    pattern += elements;
    pattern += '0';
  }
  return pattern + ElementsOf('B');
}

}  // namespace quarlo::barcode
