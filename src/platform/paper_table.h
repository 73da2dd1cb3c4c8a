#pragma once
// The built-in table of platform paper codes with their portrait sizes. It serves the
// virtual printer (no queue installed) and anyone who needs the size of a paper code
// without asking a printer.
#include <array>
#include <span>
#include <string_view>

namespace quarlo {

// Paper code 256 names a size given by the user rather than a table row.
inline constexpr int kCustomPaperCode = 256;
// Paper code of A4, the default sheet.
inline constexpr int kA4PaperCode = 9;

// One row: paper code, display name (UTF-8, unique in the table) and portrait size in
// tenths of a millimetre.
struct TPaperInfo {
  int code;
  std::string_view name;
  int width;   // tenths of a millimetre
  int height;  // tenths of a millimetre
};

inline constexpr int kPaperTableSize = 66;

// The rows in table order (codes 1..68 without 48 and 49).
std::span<const TPaperInfo, kPaperTableSize> PaperTable();

struct PaperSize {
  bool found = false;
  double width = 0;   // mm, portrait
  double height = 0;  // mm, portrait
};

// Size in millimetres of the first row with the given code; found is false (and the
// size zero) when no row has it, for example for the custom code 256.
PaperSize PaperDimensions(int code);

}  // namespace quarlo
