// Code 128 sets A, B and C and their EAN-128 (GS1-128) forms, which open with FNC1.
#include <array>
#include <cstdint>
#include <optional>

#include "objects/special/barcode_check_digits.h"
#include "objects/special/barcode_encoders.h"

namespace quarlo::barcode {
namespace {

// Module widths of the symbol values 0..102, bar first.
constexpr std::array<const char*, 103> kWidths = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131",
};

constexpr int kFnc1 = 102;
constexpr int kStartA = 103;
constexpr int kStartB = 104;
constexpr int kStartC = 105;
constexpr const char* kStartWidths[] = {"211412", "211214", "211232"};
constexpr const char* kStop = "2331112";

// The value of c in set A (codes 32 to 95) or set B (32 to 126); nothing for a
// character the set does not hold.
std::optional<int> CharacterValue(char set, char c) {
  const auto code = static_cast<unsigned char>(c);
  const unsigned last = set == 'A' ? 95 : 126;
  if (code >= 32 && code <= last) return code - 32;
  return std::nullopt;
}

// Two digits, as PairedDigitRuns has checked them.
int PairValue(std::string_view pair) { return (pair[0] - '0') * 10 + (pair[1] - '0'); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

class SymbolWriter {
 public:
  SymbolWriter(int startValue, const char* startWidths) : sum_(startValue), widths_(startWidths) {}
  // Appends a data symbol; its weight in the check sum is its position after the start.
  void Add(int value) {
    widths_ += kWidths[static_cast<size_t>(value)];
    sum_ = (sum_ + static_cast<std::int64_t>(value) * position_) % 103;
    ++position_;
  }
  std::string Finish() {
    // The start value alone (an empty text) is 103..105 and must wrap too.
    widths_ += kWidths[static_cast<size_t>(sum_ % 103)];
    widths_ += kStop;
    return WidthsToPattern(widths_);
  }

 private:
  std::int64_t sum_;
  std::int64_t position_ = 1;
  std::string widths_;
};

bool Fnc1At(std::string_view text, size_t i) {
  return text.substr(i, kFnc1Marker.size()) == kFnc1Marker;
}

// Set C carries digits in pairs, so each run of digits between two markers needs an
// even length: an odd run gets a leading "0". Padding the whole text instead would
// count the marker characters and split pairs across a marker.
std::optional<std::string> PairedDigitRuns(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  size_t runStart = 0;
  for (size_t i = 0; i <= text.size();) {
    const bool marker = i < text.size() && Fnc1At(text, i);
    if (i == text.size() || marker) {
      if ((i - runStart) % 2 == 1) out += '0';
      out += text.substr(runStart, i - runStart);
      if (!marker) break;
      out += kFnc1Marker;
      i += kFnc1Marker.size();
      runStart = i;
    } else if (!IsDigit(text[i])) {
      return std::nullopt;
    } else {
      ++i;
    }
  }
  return out;
}

}  // namespace

std::string EncodeCode128(SymbolInput& in, char set, bool gs1) {
  const int startIndex = set - 'A';
  SymbolWriter symbols(kStartA + startIndex, kStartWidths[startIndex]);
  static_assert(kStartB == kStartA + 1 && kStartC == kStartA + 2);

  if (gs1) {
    symbols.Add(kFnc1);
    if (in.checksum) {
      const std::string withCheck = AppendCheckDigit(WithoutFnc1(in.text), in.checkSumMethod);
      if (withCheck.size() > WithoutFnc1(in.text).size()) in.text += withCheck.back();
    }
  }

  if (set == 'C') {
    auto paired = PairedDigitRuns(in.text);
    if (!paired) ThrowBadData("Code128", in.text);
    in.text = std::move(*paired);
  }
  const std::string_view text = in.text;
  size_t i = 0;
  while (i < text.size()) {
    if (Fnc1At(text, i)) {
      symbols.Add(kFnc1);
      i += kFnc1Marker.size();
    } else if (set == 'C') {
      symbols.Add(PairValue(text.substr(i, 2)));
      i += 2;
    } else {
      const auto value = CharacterValue(set, text[i]);
      if (!value) ThrowBadData("Code128", in.text);
      symbols.Add(*value);
      i += 1;
    }
  }
  return symbols.Finish();
}

}  // namespace quarlo::barcode
