#pragma once
// The character grid of dot-matrix pages and the dot-matrix font rule.

#include "objects/font.h"
#include "objects/property_model.h"
#include "objects/units.h"

namespace quarlo {

// TfrxDMPFontStyles: value n is bit 2^n; only the low 9 bits are used.
inline constexpr int fsxBold = 1;
inline constexpr int fsxItalic = 2;
inline constexpr int fsxUnderline = 4;
inline constexpr int fsxSuperScript = 8;
inline constexpr int fsxSubScript = 16;
inline constexpr int fsxCondensed = 32;
inline constexpr int fsxWide = 64;
inline constexpr int fsx12cpi = 128;
inline constexpr int fsx15cpi = 256;
inline constexpr int kDotMatrixStyleMask = 0x1FF;
const EnumInfo& DotMatrixFontStyleMembers();

inline constexpr double kCellWidth = fr1CharX;   // 9.6 report pixels
inline constexpr double kCellHeight = fr1CharY;  // 17 report pixels

// Whole multiples of a cell. The quotient is taken with a small tolerance, so that a
// value already on the grid (whose quotient comes out a hair off) stays where it is.
double RoundToCells(double value, double cell);  // nearest, ties to even
double TruncToCells(double value, double cell);  // toward zero

// "Courier New" 12 points, with bold, italic and underline taken from the styles;
// the other dot-matrix styles have no visible form.
void ApplyDotMatrixFont(TFont& font, int styles);

}  // namespace quarlo
