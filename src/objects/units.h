#pragma once
// Report measuring units: positions and sizes are report pixels, 96 per inch.

namespace quarlo {

inline constexpr double fr01cm = 3.77953;  // one millimetre
inline constexpr double fr1cm = 37.7953;
inline constexpr double fr01in = 9.6;
inline constexpr int fr1in = 96;
inline constexpr double fr1CharX = 9.6;  // character cell of dot-matrix pages
inline constexpr int fr1CharY = 17;

// Report floats count as equal within this tolerance wherever "differs" is decided.
inline constexpr double kFloatTolerance = 0.0001;
inline bool FloatsMatch(double a, double b) {
  double d = a - b;
  return (d < 0 ? -d : d) <= kFloatTolerance;
}

}  // namespace quarlo
