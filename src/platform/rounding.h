#pragma once
// Rounding half to even, the rounding the report layout was designed with (the
// floating-point default): 0.5 -> 0, 1.5 -> 2, 2.5 -> 2.
#include <cmath>

namespace quarlo {

// Results are held within plus or minus one billion, so absurd document values cannot
// overflow an int even when a few of them are added; NaN gives 0.
inline constexpr double kRoundLimit = 1e9;

inline int RoundHalfEven(double v) {
  if (std::isnan(v)) return 0;
  if (v > kRoundLimit) v = kRoundLimit;
  if (v < -kRoundLimit) v = -kRoundLimit;
  return static_cast<int>(std::nearbyint(v));
}

}  // namespace quarlo
