#pragma once
// The per-symbology encoders behind TfrxBarcode::BuildPattern. Each one turns the text
// into a string of the element alphabet ("0".."3" spaces, "5".."8" bars, "A".."D" short
// bars, the digit being the width class) and may rewrite the text, as the symbology
// demands (padding, appended check digits). A rewrite is done before anything that can
// fail, so it stays even when the encoder throws.
#include <string>
#include <string_view>

#include "objects/special/barcode_types.h"

namespace quarlo::barcode {

inline constexpr const char* kClassName = "TfrxBarcode";
inline constexpr std::string_view kFnc1Marker = "&FNC1;";

struct SymbolInput {
  std::string& text;  // read and rewritten in place
  bool checksum;
  TfrxCheckSumMethod checkSumMethod;
};

// Converts module widths "1".."4", alternately bar and space starting with a bar, into
// the element alphabet: a bar d becomes d+4, a space d becomes d-1.
std::string WidthsToPattern(std::string_view widths);

// Prefixes "0" characters until the text has `length` characters.
std::string LeftPadded(std::string_view text, size_t length);

// Text with every "&FNC1;" marker removed.
std::string WithoutFnc1(std::string_view text);

// The error of a text that the symbology cannot encode: "TfrxBarcode:<symbology> bad
// Data <text>". Encoding it anyway, by skipping or replacing characters, would print a
// symbol that reads as other data.
[[noreturn]] void ThrowBadData(std::string_view symbology, std::string_view text);

std::string EncodeInterleaved2of5(SymbolInput& in);
std::string EncodeIndustrial2of5(SymbolInput& in);
std::string EncodeMatrix2of5(SymbolInput& in);
std::string EncodeCode39(SymbolInput& in);
std::string EncodeCode39Extended(SymbolInput& in);
std::string EncodeCode93(SymbolInput& in);
std::string EncodeCode93Extended(SymbolInput& in);
// `set` is 'A', 'B' or 'C'; `gs1` puts the leading FNC1 of EAN-128 after the start.
std::string EncodeCode128(SymbolInput& in, char set, bool gs1);
std::string EncodeMsi(SymbolInput& in);
std::string EncodePostNet(SymbolInput& in);
std::string EncodeCodabar(SymbolInput& in);
std::string EncodeEan8(SymbolInput& in);
std::string EncodeEan13(SymbolInput& in);
std::string EncodeUpcA(SymbolInput& in);
// `inverted` selects number system 1 (UPC-E1), whose parity is the reverse of UPC-E0's.
std::string EncodeUpcE(SymbolInput& in, bool inverted);
std::string EncodeUpcSupp2(SymbolInput& in);
std::string EncodeUpcSupp5(SymbolInput& in);

}  // namespace quarlo::barcode
