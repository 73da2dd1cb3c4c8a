#pragma once
// The symbologies the barcode generator knows, with the per-type facts that the common
// steps need (numeric-only test, wide-to-narrow ratio bounds) and the enumeration names
// as they are written in report files.
#include <cstdint>
#include <optional>
#include <string_view>

namespace quarlo {

// Ordinals are stored in files by name, but code and older files rely on the order too.
enum TfrxBarcodeType : std::int32_t {
  bcCode_2_5_interleaved = 0,
  bcCode_2_5_industrial,
  bcCode_2_5_matrix,
  bcCode39,
  bcCode39Extended,
  bcCode128A,
  bcCode128B,
  bcCode128C,
  bcCode93,
  bcCode93Extended,
  bcCodeMSI,
  bcCodePostNet,
  bcCodeCodabar,
  bcCodeEAN8,
  bcCodeEAN13,
  bcCodeUPC_A,
  bcCodeUPC_E0,
  bcCodeUPC_E1,
  bcCodeUPC_Supp2,
  bcCodeUPC_Supp5,
  bcCodeEAN128A,
  bcCodeEAN128B,
  bcCodeEAN128C,
};

inline constexpr int kBarcodeTypeCount = 23;

enum TfrxCheckSumMethod : std::int32_t { csmNone = 0, csmModulo10 };

// What one pattern character paints.
enum class BarElementKind { Space, Bar, ShortBar };

struct BarcodeTypeInfo {
  std::string_view name;
  bool numericOnly;
  // Lower bound of Ratio; the upper bound is always 3.0. Unset: Ratio is left alone.
  std::optional<double> ratioMin;
  // Tabulated in module widths 1 to 4 (EAN/UPC, Code 93, Code 128): the width classes
  // are one to four narrow modules whatever Ratio says, since a reader measures every
  // element against the module. Only the two-width symbologies follow Ratio.
  bool fixedModules;
};

// Facts of a known type; nullptr for a value outside the 23 symbologies.
const BarcodeTypeInfo* BarcodeTypeInfoOf(TfrxBarcodeType type);

// Enumeration name ("bcCode39"); empty for an unknown value.
std::string_view BarcodeTypeName(TfrxBarcodeType type);
// Inverse of BarcodeTypeName, ignoring letter case like every name lookup of the system.
std::optional<TfrxBarcodeType> BarcodeTypeFromName(std::string_view name);

// The six Code 128 style types share the "&FNC1;" marker.
bool IsCode128Family(TfrxBarcodeType type);

}  // namespace quarlo
