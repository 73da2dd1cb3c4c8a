// Small text helpers shared by the encoders.
#include "objects/special/barcode_encoders.h"

#include "platform/errors.h"

namespace quarlo::barcode {

std::string WidthsToPattern(std::string_view widths) {
  std::string pattern(widths.size(), '0');
  for (size_t i = 0; i < widths.size(); ++i) {
    pattern[i] = (i % 2 == 0) ? char(widths[i] + 4) : char(widths[i] - 1);
  }
  return pattern;
}

std::string LeftPadded(std::string_view text, size_t length) {
  if (text.size() >= length) return std::string(text);
  return std::string(length - text.size(), '0') + std::string(text);
}

std::string WithoutFnc1(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text.substr(i, kFnc1Marker.size()) == kFnc1Marker) {
      i += kFnc1Marker.size();
    } else {
      result += text[i++];
    }
  }
  return result;
}

void ThrowBadData(std::string_view symbology, std::string_view text) {
  throw Exception(std::string(kClassName) + ":" + std::string(symbology) + " bad Data <" + std::string(text) + ">");
}

}  // namespace quarlo::barcode
