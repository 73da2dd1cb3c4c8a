#include "objects/special/barcode_types.h"

#include "platform/same_text.h"

#include <array>

namespace quarlo {
namespace {

constexpr std::optional<double> kNoClamp;

const std::array<BarcodeTypeInfo, kBarcodeTypeCount> kTypes = {{
    {"bcCode_2_5_interleaved", true, 2.0, false},
    {"bcCode_2_5_industrial", true, 2.0, false},
    {"bcCode_2_5_matrix", true, 2.25, false},
    {"bcCode39", false, 2.0, false},
    {"bcCode39Extended", false, 2.0, false},
    {"bcCode128A", false, kNoClamp, true},
    {"bcCode128B", false, kNoClamp, true},
    {"bcCode128C", false, kNoClamp, true},
    {"bcCode93", false, kNoClamp, true},
    {"bcCode93Extended", false, kNoClamp, true},
    // MSI tells its bits by wide and narrow elements like the other two-width types, so
    // a ratio below 2 would make them alike.
    {"bcCodeMSI", true, 2.0, false},
    {"bcCodePostNet", true, kNoClamp, false},
    {"bcCodeCodabar", false, 2.0, false},
    {"bcCodeEAN8", true, 2.0, true},
    {"bcCodeEAN13", true, 2.0, true},
    {"bcCodeUPC_A", true, 2.0, true},
    {"bcCodeUPC_E0", true, 2.0, true},
    {"bcCodeUPC_E1", true, 2.0, true},
    {"bcCodeUPC_Supp2", true, 2.0, true},
    {"bcCodeUPC_Supp5", true, 2.0, true},
    {"bcCodeEAN128A", false, kNoClamp, true},
    {"bcCodeEAN128B", false, kNoClamp, true},
    {"bcCodeEAN128C", true, kNoClamp, true},
}};

}  // namespace

const BarcodeTypeInfo* BarcodeTypeInfoOf(TfrxBarcodeType type) {
  const auto ordinal = static_cast<std::int32_t>(type);
  if (ordinal < 0 || ordinal >= kBarcodeTypeCount) return nullptr;
  return &kTypes[static_cast<size_t>(ordinal)];
}

std::string_view BarcodeTypeName(TfrxBarcodeType type) {
  const BarcodeTypeInfo* info = BarcodeTypeInfoOf(type);
  return info ? info->name : std::string_view();
}

std::optional<TfrxBarcodeType> BarcodeTypeFromName(std::string_view name) {
  for (size_t i = 0; i < kTypes.size(); ++i) {
    if (SameText(kTypes[i].name, name)) return static_cast<TfrxBarcodeType>(i);
  }
  return std::nullopt;
}

bool IsCode128Family(TfrxBarcodeType type) {
  switch (type) {
    case bcCode128A:
    case bcCode128B:
    case bcCode128C:
    case bcCodeEAN128A:
    case bcCodeEAN128B:
    case bcCodeEAN128C:
      return true;
    default:
      return false;
  }
}

}  // namespace quarlo
