#pragma once
// Shorthands for the barcode tests: build one symbol and keep what came out of it.
#include <string>

#include "objects/special/barcode.h"

namespace quarlo::scan {

struct BuiltBarcode {
  std::string pattern;
  std::string text;   // Text after building, also when building failed
  std::string error;  // message of the exception, empty on success
  int width = -1;     // Width, -1 when building failed
};

inline BuiltBarcode BuildBarcode(TfrxBarcodeType type, const std::string& text,
                                 bool checksum = false, double ratio = 2.0) {
  TfrxBarcode barcode;
  barcode.SetTyp(type);
  barcode.SetText(text);
  barcode.SetChecksum(checksum);
  barcode.SetRatio(ratio);
  BuiltBarcode built;
  try {
    built.pattern = barcode.BuildPattern();
    built.width = barcode.Width();
  } catch (const std::exception& e) {
    built.error = e.what();
  }
  built.text = barcode.Text();
  return built;
}

// Module widths "1".."4" of a pattern, one per element: the inverse of the conversion
// that Code 93 and Code 128 are built with, and handy for reading symbols back.
inline std::string ModuleWidths(const std::string& pattern) {
  std::string widths;
  for (char c : pattern) {
    if (c >= '0' && c <= '3') widths += char(c + 1);
    else if (c >= '5' && c <= '8') widths += char(c - 4);
    else if (c >= 'A' && c <= 'D') widths += char(c - 'A' + '1');
    else widths += '?';
  }
  return widths;
}

}  // namespace quarlo::scan
