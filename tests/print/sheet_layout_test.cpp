#include "print/sheet_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quarlo {
namespace {

struct AlongCase {
  double length, piece;
  int sheets;
};

TEST(SheetsAlong, IgnoresRemaindersBelowElevenMillimetres) {
  const AlongCase cases[] = {
      {300, 297, 1},   {310, 297, 2},   {594, 297, 2},   {297, 297, 1},
      {307.9, 297, 1}, {308, 297, 2},   {420, 210, 2},   {420, 197, 3},
      {25, 10, 2},     {35, 10, 4},     // halves of the quotient go to the even neighbour
      {210, 300, 1},   {5, 297, 1},     // a short page still takes its sheet
      {0, 297, 0},
      {100, 0, kSheetsAlongLimit},     {100, -5, kSheetsAlongLimit},
      {1e12, 1, kSheetsAlongLimit},    {std::numeric_limits<double>::quiet_NaN(), 1, kSheetsAlongLimit},
      {std::numeric_limits<double>::infinity(), 297, kSheetsAlongLimit},
  };
  for (const AlongCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.length << " / " << c.piece);
    EXPECT_EQ(SheetsAlong(c.length, c.piece), c.sheets);
  }
}

struct TilesCase {
  double a, b, c, d;
  TileCount expected;
};

TEST(CountTiles, TurnsThePieceWhenThatNeedsFewer) {
  const TilesCase cases[] = {
      {420, 297, 210, 297, {2, 1, false}},  // A3 landscape over A4 portrait
      {297, 420, 210, 297, {1, 2, true}},   // A3 portrait over A4 turned
      {210, 297, 148, 210, {1, 2, true}},   // two A5 fit an A4 only turned
      {210, 297, 105, 148, {2, 2, false}},  // four A6 on an A4 as they are
      {210, 297, 210, 297, {1, 1, false}},
      {100, 100, 0, 0, {kSheetsAlongLimit, kSheetsAlongLimit, false}},  // no overflow
  };
  for (const TilesCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.a << "x" << c.b << " by " << c.c << "x" << c.d);
    const TileCount t = CountTiles(c.a, c.b, c.c, c.d);
    EXPECT_EQ(t.x, c.expected.x);
    EXPECT_EQ(t.y, c.expected.y);
    EXPECT_EQ(t.swap, c.expected.swap);
  }
}

SheetGeometry A4(double margin) { return {210, 297, margin, margin, margin, margin, 600, 600}; }

struct SplitCase {
  const char* what;
  double pageWidth, pageHeight;
  SheetGeometry sheet;
  int overlap;
  int columns, rows;
  bool landscape;
};

// Every page pixel inside the printable band must land on exactly one tile: the visible
// page ranges of neighbouring tiles touch without gap or repeat, and the first one starts
// at the edge of the printable area.
TEST(SplitTiles, CoverThePageContiguously) {
  const SplitCase cases[] = {
      {"A3 landscape on A4, margins 5", 420, 297, A4(5), 3, 3, 1, false},
      {"A3 landscape on A4, no margins", 420, 297, A4(0), 3, 2, 1, false},
      {"A2 on A4", 420, 594, A4(5), 3, 2, 3, true},
      {"A3 portrait on A4", 297, 420, A4(4), 3, 1, 3, true},
      {"uneven margins", 600, 400, {210, 297, 3, 7, 6, 4, 300, 600}, 5, 0, 0, false},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.what);
    const TileCount count = CountSplitTiles(c.pageWidth, c.pageHeight, c.sheet, c.overlap);
    if (c.columns) {
      EXPECT_EQ(count.x, c.columns);
      EXPECT_EQ(count.y, c.rows);
      EXPECT_EQ(count.swap, c.landscape);
    }
    const SplitLayout layout = LayoutSplitTiles(c.pageWidth, c.pageHeight, count, c.sheet, c.overlap);
    ASSERT_EQ(layout.tiles.size(), static_cast<std::size_t>(count.x) * count.y);
    const SheetGeometry& s = c.sheet;
    const double pxX = s.dpiX / 25.4, pxY = s.dpiY / 25.4;
    const double sheetW = (count.swap ? s.height : s.width) * pxX;
    const double sheetH = (count.swap ? s.width : s.height) * pxY;
    const double printableW = sheetW - (s.marginLeft + s.marginRight) * pxX;
    const double printableH = sheetH - (s.marginTop + s.marginBottom) * pxY;
    for (const SplitTile& tile : layout.tiles) {
      SCOPED_TRACE(testing::Message() << "tile " << tile.column << "," << tile.row);
      // Page coordinate shown at the clip's left edge and at the printable right edge.
      const double startX = tile.clip.left - tile.offsetX;
      const double startY = tile.clip.top - tile.offsetY;
      if (tile.column == 0) {
        EXPECT_NEAR(startX, s.marginLeft * pxX, 0.5);
        EXPECT_EQ(tile.clip.left, 0);
      } else {
        const SplitTile& left = layout.tiles[&tile - layout.tiles.data() - 1];
        EXPECT_NEAR(startX, printableW - left.offsetX, 0.5);
        EXPECT_NEAR(tile.clip.left, c.overlap * pxX, 0.5);  // blank pasting strip
      }
      if (tile.row == 0) {
        EXPECT_NEAR(startY, s.marginTop * pxY, 0.5);
      } else {
        const SplitTile& above = layout.tiles[&tile - layout.tiles.data() - count.x];
        EXPECT_NEAR(startY, printableH - above.offsetY, 0.5);
      }
    }
    // The last column and row reach the page's far edges, but for the remainder below
    // 11 mm that the count ignores (a page's own margin).
    const SplitTile& last = layout.tiles.back();
    EXPECT_GT(printableW - last.offsetX, (c.pageWidth - 11) * pxX);
    EXPECT_GT(printableH - last.offsetY, (c.pageHeight - 11) * pxY);
  }
}

TEST(SplitTiles, OverlapAndMarginsReduceEachSheetsShare) {
  // 420 mm over 210 mm sheets: two sheets without overlap, three once each later sheet
  // loses 3 mm plus two 5 mm margins.
  EXPECT_EQ(CountSplitTiles(420, 297, A4(0), 0).x, 2);
  EXPECT_EQ(CountSplitTiles(420, 297, A4(5), 3).x, 3);
  // Columns lose the left and right margins, rows the top and bottom ones: a 400 mm
  // wide page needs two columns when the sides are narrow, three when only 150 mm of
  // each sheet's width is printable.
  struct MarginCase {
    double left, top, right, bottom;
    int columns, rows;
  } cases[] = {
      {2, 30, 2, 30, 2, 1},
      {30, 2, 30, 2, 3, 1},
  };
  for (const MarginCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "left/right " << c.left << ", top/bottom " << c.top);
    const SheetGeometry sheet{210, 297, c.left, c.top, c.right, c.bottom, 600, 600};
    const TileCount count = CountSplitTiles(400, 250, sheet, 3);
    EXPECT_EQ(count.x, c.columns);
    EXPECT_EQ(count.y, c.rows);
    EXPECT_FALSE(count.swap);
    // What the columns show together covers the page's width.
    const double printable = 210 - c.left - c.right;
    EXPECT_GE(c.left + printable + (count.x - 1) * (printable - 3), 400 - 11);
  }
}

TEST(SplitTiles, RefusesAbsurdCounts) {
  const SheetGeometry tiny{1, 1, 0, 0, 0, 0, 600, 600};
  const TileCount count = CountSplitTiles(5000, 5000, tiny, 3);
  EXPECT_TRUE(TooManyPieces(count.x, count.y));
  EXPECT_TRUE(LayoutSplitTiles(5000, 5000, count, tiny, 3).tiles.empty());
}

struct JoinCase {
  double pageWidth, pageHeight;
  int columns, rows;
  bool landscape;
  double fit;  // scale of the page in its cell
};

TEST(JoinGrid, PlacesOnlyWholePagesInTheOrientationThatHoldsMore) {
  const JoinCase cases[] = {
      {148, 210, 2, 1, true, 1},     // A5 pages side by side on A4 landscape
      {105, 148, 2, 2, false, 1},    // A6 pages
      {105, 148.5, 2, 2, false, 1},  // quarters of A4: an exact fit stays whole
      {74, 105, 4, 2, true, 1},      // eight A7 pages on A4 landscape, not nine that overflow
      {120, 170, 2, 1, true, 1},     // two, not four of which three are cut
      {80, 200, 3, 1, true, 1},      // three across a landscape sheet, not four
      {210, 297, 1, 1, false, 1},
      {300, 400, 1, 1, false, 0.7},  // larger than the sheet: shrunk onto it
      {250, 100, 1, 2, true, 1},     // as many either way: the way that needs no shrinking
  };
  const SheetGeometry sheet = A4(5);
  for (const JoinCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pageWidth << "x" << c.pageHeight);
    const JoinGrid grid = LayoutJoinGrid(c.pageWidth, c.pageHeight, sheet);
    EXPECT_EQ(grid.columns, c.columns);
    EXPECT_EQ(grid.rows, c.rows);
    EXPECT_EQ(grid.landscape, c.landscape);
    EXPECT_NEAR(grid.FitFactor(c.pageWidth, c.pageHeight), c.fit, 1e-9);
    // The cells never reach past the sheet, and a page fits its cell once scaled.
    const double across = c.landscape ? 297 : 210, down = c.landscape ? 210 : 297;
    EXPECT_LE(grid.columns * grid.cellWidthMm, across + 1e-9);
    EXPECT_LE(grid.rows * grid.cellHeightMm, down + 1e-9);
    EXPECT_LE(c.pageWidth * c.fit, grid.cellWidthMm + 1e-9);
    EXPECT_LE(c.pageHeight * c.fit, grid.cellHeightMm + 1e-9);
    EXPECT_NEAR(grid.cellWidth, grid.cellWidthMm * 600 / 25.4, 1e-6);
    EXPECT_NEAR(grid.CellX(1) - grid.CellX(0), grid.cellWidth, 1e-9);
    // The first page's origin is the physical corner of the sheet.
    EXPECT_NEAR(grid.CellX(0), -5 * 600 / 25.4, 1e-9);
    EXPECT_NEAR(grid.CellY(0), -5 * 600 / 25.4, 1e-9);
  }
}

TEST(JoinGrid, ShrinksALaterLargerPageIntoTheFirstPagesCell) {
  const JoinGrid grid = LayoutJoinGrid(148, 210, A4(5));  // A5 cells
  EXPECT_DOUBLE_EQ(grid.FitFactor(148, 210), 1);
  EXPECT_DOUBLE_EQ(grid.FitFactor(100, 100), 1);
  EXPECT_NEAR(grid.FitFactor(210, 297), 148.0 / 210, 1e-12);  // A4 into an A5 cell
  EXPECT_NEAR(grid.FitFactor(297, 210), 148.0 / 297, 1e-12);  // and turned
}

}  // namespace
}  // namespace quarlo
