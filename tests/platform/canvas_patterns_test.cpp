// Where hatch lines and styled-pen dashes fall. At unit 1 (a 96-dpi screen at 100 %) the
// patterns are the classic 8 x 8 hatch tiles and 18/6, 3/3, 9/6/3/6 and 9/3/3/3/3/3 pixel
// dashes; at other units they keep their size in millimetres.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/canvas.h"

namespace quarlo {
namespace {

int Mod8(int v) { return ((v % 8) + 8) % 8; }

TEST(HatchPattern, UnitOneIsTheEightPixelTileAnchoredAtTheOrigin) {
  using S = CanvasBrush::Style;
  for (int y = -17; y <= 17; ++y)
    for (int x = -17; x <= 17; ++x) {
      const bool row = Mod8(y) == 0, column = Mod8(x) == 0;
      const bool forward = Mod8(x) == Mod8(y), backward = Mod8(x) + Mod8(y) == 7;
      EXPECT_EQ(HatchCovers(S::Horizontal, x, y), row) << x << "," << y;
      EXPECT_EQ(HatchCovers(S::Vertical, x, y), column) << x << "," << y;
      EXPECT_EQ(HatchCovers(S::FDiagonal, x, y), forward) << x << "," << y;
      EXPECT_EQ(HatchCovers(S::BDiagonal, x, y), backward) << x << "," << y;
      EXPECT_EQ(HatchCovers(S::Cross, x, y), row || column) << x << "," << y;
      EXPECT_EQ(HatchCovers(S::DiagCross, x, y), forward || backward) << x << "," << y;
    }
}

// The covered rows 0..119 of a horizontal hatch: at 300, 600 and 1200 dpi the lines lie
// 2.12 mm apart as on the screen and are as thick as a screen pixel is on paper.
TEST(HatchPattern, LinesKeepTheirMillimetresAtEveryUnit) {
  struct Case {
    double unit;
    std::vector<int> rows;
  };
  const Case cases[] = {
      {2, {0, 1, 16, 17, 32, 33, 48, 49, 64, 65, 80, 81, 96, 97, 112, 113}},
      {3.125, {0, 1, 2, 25, 26, 27, 50, 51, 52, 75, 76, 77, 100, 101, 102}},
      {6.25, {0, 1, 2, 3, 4, 5, 50, 51, 52, 53, 54, 55, 100, 101, 102, 103, 104, 105}},
      {12.5, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111}},
      {0.5, {0, 4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 44, 48, 52, 56, 60, 64, 68, 72, 76, 80, 84, 88, 92, 96, 100,
             104, 108, 112, 116}},
      // A thumbnail's tenth is held at a quarter: lines two pixels apart, not one solid area.
      {0.1, {0,  2,  4,  6,  8,  10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 32, 34, 36, 38,
             40, 42, 44, 46, 48, 50, 52, 54, 56, 58, 60, 62, 64, 66, 68, 70, 72, 74, 76, 78,
             80, 82, 84, 86, 88, 90, 92, 94, 96, 98, 100, 102, 104, 106, 108, 110, 112, 114, 116, 118}},
  };
  for (const Case& c : cases) {
    std::vector<int> rows, columns;
    for (int v = 0; v < 120; ++v) {
      if (HatchCovers(CanvasBrush::Style::Horizontal, 7, v, c.unit)) rows.push_back(v);
      if (HatchCovers(CanvasBrush::Style::Vertical, v, 7, c.unit)) columns.push_back(v);
    }
    EXPECT_EQ(rows, c.rows) << c.unit;
    EXPECT_EQ(columns, c.rows) << c.unit;
  }
}

TEST(HatchPattern, DiagonalsStayThroughTheCentresOfTheirPatternPixels) {
  // Unit 2: row 0 of a forward diagonal covers the two pixels about the line x = y, the
  // backward one those about x + y + 1 = 16.
  std::string forward, backward;
  for (int x = 0; x < 20; ++x) {
    forward += HatchCovers(CanvasBrush::Style::FDiagonal, x, 0, 2) ? '#' : '.';
    backward += HatchCovers(CanvasBrush::Style::BDiagonal, x, 0, 2) ? '#' : '.';
  }
  EXPECT_EQ(forward, "#..............##...");
  EXPECT_EQ(backward, "..............##....");
}

// Run lengths (on, off, on, ...) of the first pattern period of a styled pen.
std::vector<int> Runs(CanvasPen::Style style, double unit) {
  const std::span<const int> pattern = StyledPenPattern(style);
  std::vector<int> runs;
  bool state = true;
  int length = 0;
  for (long long i = 0; runs.size() < pattern.size(); ++i) {
    const bool on = StyledPenOn(pattern, i, unit);
    if (on != state) {
      runs.push_back(length);
      state = on;
      length = 0;
    }
    ++length;
  }
  return runs;
}

TEST(StyledPenPattern, DashesKeepTheirMillimetresAtEveryUnit) {
  using S = CanvasPen::Style;
  struct Case {
    S style;
    double unit;
    std::vector<int> runs;
  };
  // An 18-pixel dash is 4.76 mm on the screen; 56 pixels at 300 dpi and 112 at 600 dpi
  // are 4.74 mm.
  const Case cases[] = {
      {S::Dash, 1, {18, 6}},
      {S::Dot, 1, {3, 3}},
      {S::DashDot, 1, {9, 6, 3, 6}},
      {S::DashDotDot, 1, {9, 3, 3, 3, 3, 3}},
      {S::Dash, 2, {36, 12}},
      {S::Dash, 3.125, {56, 19}},
      {S::Dash, 6.25, {112, 38}},
      {S::Dot, 6.25, {19, 18}},
      {S::DashDot, 12.5, {112, 75, 38, 75}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Runs(c.style, c.unit), c.runs) << static_cast<int>(c.style) << " at " << c.unit;
  EXPECT_TRUE(StyledPenPattern(S::Solid).empty());
  EXPECT_TRUE(StyledPenPattern(S::Clear).empty());
}

}  // namespace
}  // namespace quarlo
