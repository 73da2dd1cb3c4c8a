#include "objects/special/dmp_grid.h"

#include <cmath>

namespace quarlo {

namespace {

constexpr double kQuotientTolerance = 1e-9;

}  // namespace

const EnumInfo& DotMatrixFontStyleMembers() {
  static const EnumInfo names{"fsxBold",    "fsxItalic", "fsxUnderline", "fsxSuperScript",
                              "fsxSubScript", "fsxCondensed", "fsxWide",  "fsx12cpi",
                              "fsx15cpi"};
  return names;
}

double RoundToCells(double value, double cell) {
  const double q = value / cell;
  const double lower = std::floor(q);
  const double fraction = q - lower;
  double cells;
  if (std::fabs(fraction - 0.5) < kQuotientTolerance) {
    cells = std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
  } else {
    cells = std::nearbyint(q);
  }
  return cells * cell;
}

double TruncToCells(double value, double cell) {
  const double q = value / cell;
  return std::trunc(q + (q >= 0 ? kQuotientTolerance : -kQuotientTolerance)) * cell;
}

void ApplyDotMatrixFont(TFont& font, int styles) {
  font.SetName("Courier New");
  font.SetSize(12);
  int style = 0;
  if (styles & fsxBold) style |= fsBold;
  if (styles & fsxItalic) style |= fsItalic;
  if (styles & fsxUnderline) style |= fsUnderline;
  font.SetStyle(style);
}

}  // namespace quarlo
