#include "objects/special/barcode.h"

#include <algorithm>
#include <cmath>

#include "platform/errors.h"
#include "objects/special/barcode_check_digits.h"
#include "objects/special/barcode_encoders.h"
#include "platform/rounding.h"

namespace quarlo {
namespace {

constexpr double kRatioMax = 3.0;
// Width classes are signed 8-bit values; a class never goes below nothing or past that
// range, so absurd Modul or Ratio values give thin or saturated elements, never
// negative widths.
constexpr int kClassMax = 127;

int ClampClass(double width) {
  if (!(width > 0)) return 0;  // also NaN
  if (width >= kClassMax) return kClassMax;
  return static_cast<int>(width);
}

bool IsControlOrSpace(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string Trimmed(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsControlOrSpace(text[begin])) ++begin;
  while (end > begin && IsControlOrSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool AllDigits(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string WithClassName(const char* suffix) {
  return std::string(TfrxBarcode::kClassName) + suffix;
}

}  // namespace

TfrxBarcode::TfrxBarcode() {
  font_.SetName("Arial");
  font_.SetSize(9);
}

void TfrxBarcode::ComputeModuleWidths() {
  const BarcodeTypeInfo* info = BarcodeTypeInfoOf(typ_);
  if (info && info->ratioMin) {
    if (std::isnan(ratio_) || ratio_ < *info->ratioMin) ratio_ = *info->ratioMin;
    if (ratio_ > kRatioMax) ratio_ = kRatioMax;
  } else if (std::isnan(ratio_)) {
    // Unclamped types still need a number to size their wide elements.
    ratio_ = 2.0;
  }
  const double modul = static_cast<double>(modul_);
  if (info && info->fixedModules) {
    for (int i = 0; i < 4; ++i) modules_[static_cast<size_t>(i)] = static_cast<std::int8_t>(ClampClass(modul * (i + 1)));
    return;
  }
  const int wide = ClampClass(RoundHalfEven(modul * ratio_));
  modules_[0] = static_cast<std::int8_t>(ClampClass(modul));
  modules_[1] = static_cast<std::int8_t>(wide);
  modules_[2] = static_cast<std::int8_t>(std::min(wide * 3 / 2, kClassMax));
  modules_[3] = static_cast<std::int8_t>(std::min(wide * 2, kClassMax));
}

int TfrxBarcode::ModuleWidth(int widthClass) const {
  if (widthClass < 0 || widthClass > 3) return 0;
  return modules_[static_cast<size_t>(widthClass)];
}

std::string TfrxBarcode::AppendCheckDigit(const std::string& digits) const {
  return barcode::AppendCheckDigit(digits, checkSumMethod_);
}

BarElement TfrxBarcode::ElementOf(char element) const {
  if (element >= '0' && element <= '3') return {ModuleWidth(element - '0'), BarElementKind::Space};
  if (element >= '5' && element <= '8') return {ModuleWidth(element - '5'), BarElementKind::Bar};
  if (element >= 'A' && element <= 'D') {
    return {ModuleWidth(element - 'A'), BarElementKind::ShortBar};
  }
  throw Exception(WithClassName(": internal Error"));
}

std::string TfrxBarcode::BuildPattern() {
  if (lastRewrite_ && lastRewrite_->to == text_ && lastRewrite_->typ == typ_ &&
      lastRewrite_->checksum == checksum_ && lastRewrite_->method == checkSumMethod_) {
    text_ = lastRewrite_->from;
  }
  lastRewrite_ = Rewrite{text_, {}, typ_, checksum_, checkSumMethod_};
  try {
    std::string pattern = EncodeText();
    lastRewrite_->to = text_;
    return pattern;
  } catch (...) {
    lastRewrite_->to = text_;
    throw;
  }
}

std::string TfrxBarcode::EncodeText() {
  ComputeModuleWidths();
  if (text_.size() > kMaxTextLength) {
    throw Exception(WithClassName(": Text too long (more than ") +
                    std::to_string(kMaxTextLength) + " characters)");
  }

  const BarcodeTypeInfo* info = BarcodeTypeInfoOf(typ_);
  if (info && info->numericOnly) {
    text_ = Trimmed(text_);
    const std::string digits = typ_ == bcCodeEAN128C ? barcode::WithoutFnc1(text_) : text_;
    if (!AllDigits(digits)) throw Exception("Barcode must be numeric");
  }
  if (!info) throw Exception(WithClassName(": wrong BarcodeType"));

  barcode::SymbolInput in{text_, checksum_, checkSumMethod_};
  switch (typ_) {
    case bcCode_2_5_interleaved: return barcode::EncodeInterleaved2of5(in);
    case bcCode_2_5_industrial: return barcode::EncodeIndustrial2of5(in);
    case bcCode_2_5_matrix: return barcode::EncodeMatrix2of5(in);
    case bcCode39: return barcode::EncodeCode39(in);
    case bcCode39Extended: return barcode::EncodeCode39Extended(in);
    case bcCode128A: return barcode::EncodeCode128(in, 'A', false);
    case bcCode128B: return barcode::EncodeCode128(in, 'B', false);
    case bcCode128C: return barcode::EncodeCode128(in, 'C', false);
    case bcCode93: return barcode::EncodeCode93(in);
    case bcCode93Extended: return barcode::EncodeCode93Extended(in);
    case bcCodeMSI: return barcode::EncodeMsi(in);
    case bcCodePostNet: return barcode::EncodePostNet(in);
    case bcCodeCodabar: return barcode::EncodeCodabar(in);
    case bcCodeEAN8: return barcode::EncodeEan8(in);
    case bcCodeEAN13: return barcode::EncodeEan13(in);
    case bcCodeUPC_A: return barcode::EncodeUpcA(in);
    case bcCodeUPC_E0: return barcode::EncodeUpcE(in, false);
    case bcCodeUPC_E1: return barcode::EncodeUpcE(in, true);
    case bcCodeUPC_Supp2: return barcode::EncodeUpcSupp2(in);
    case bcCodeUPC_Supp5: return barcode::EncodeUpcSupp5(in);
    case bcCodeEAN128A: return barcode::EncodeCode128(in, 'A', true);
    case bcCodeEAN128B: return barcode::EncodeCode128(in, 'B', true);
    case bcCodeEAN128C: return barcode::EncodeCode128(in, 'C', true);
  }
  throw Exception(WithClassName(": wrong BarcodeType"));
}

std::int32_t TfrxBarcode::Width() {
  const std::string pattern = BuildPattern();
  // The text limit keeps this far below the 32-bit range; saturate all the same.
  std::int64_t total = 0;
  for (char element : pattern) total += ElementOf(element).width;
  return static_cast<std::int32_t>(std::min<std::int64_t>(total, INT32_MAX));
}

}  // namespace quarlo
