#include "print/sheet_layout.h"
#include "platform/rounding.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace quarlo {
namespace {

constexpr double kFr01cm = 3.77953;  // report pixels per millimetre

// Halves go to the even neighbour, as everywhere device values are rounded.

int Saturate(double v) {
  if (!(v < kSheetsAlongLimit)) return kSheetsAlongLimit;
  return v < 0 ? 0 : static_cast<int>(v);
}

// Whole pages along one side of a sheet, at least one: a page longer than the side
// still gets the side, shrunk to it.
int WholePagesAlong(double length, double piece) {
  if (!std::isfinite(length) || !std::isfinite(piece) || piece <= 0) return kSheetsAlongLimit;
  // A page that fits exactly (two A5 on A4) stays whole whatever the last digit says.
  const double q = std::floor(length / piece + 1e-9);
  if (!(q < kSheetsAlongLimit)) return kSheetsAlongLimit;
  return q < 1 ? 1 : static_cast<int>(q);
}

// The cells of one way round of the sheet, in mm; the device fields are left to the
// caller.
JoinGrid JoinCells(double pageWidth, double pageHeight, double sheetWidth, double sheetHeight) {
  JoinGrid g;
  g.columns = WholePagesAlong(sheetWidth, pageWidth);
  g.rows = WholePagesAlong(sheetHeight, pageHeight);
  g.cellWidthMm = std::min(pageWidth, sheetWidth / g.columns);
  g.cellHeightMm = std::min(pageHeight, sheetHeight / g.rows);
  g.fit = g.FitFactor(pageWidth, pageHeight);
  return g;
}

}  // namespace

int SheetsAlong(double length, double piece) {
  if (!std::isfinite(length) || !std::isfinite(piece) || piece <= 0) return kSheetsAlongLimit;
  const double q = length / piece;
  if (!(q < kSheetsAlongLimit)) return kSheetsAlongLimit;
  const double whole = std::trunc(q);
  int sheets = std::fabs(whole * piece - length) < 11 ? Saturate(RoundHalfEven(q)) : Saturate(whole + 1);
  // A page shorter than the ignored remainder still needs its one sheet.
  if (sheets == 0 && length > 0) sheets = 1;
  return sheets;
}

TileCount CountTiles(double a, double b, double c, double d) {
  const int x = SheetsAlong(a, c), y = SheetsAlong(b, d);
  const int xs = SheetsAlong(a, d), ys = SheetsAlong(b, c);
  if (static_cast<std::int64_t>(xs) * ys < static_cast<std::int64_t>(x) * y) return {xs, ys, true};
  return {x, y, false};
}

bool TooManyPieces(int columns, int rows) {
  return static_cast<std::int64_t>(columns) * rows > kMaxPiecesPerPage;
}

TileCount CountSplitTiles(double pageWidth, double pageHeight, const SheetGeometry& sheet,
                          int overlapMm) {
  const TileCount n = CountTiles(pageWidth, pageHeight, sheet.width, sheet.height);
  // Each side of the sheet loses the margins at its own ends: its width the left and
  // right ones, its height the top and bottom ones, whichever way the sheet is turned.
  const int alongWidth = n.swap ? n.y : n.x;
  const int alongHeight = n.swap ? n.x : n.y;
  const double lossWidth = alongWidth > 1 ? overlapMm + sheet.marginLeft + sheet.marginRight : 0;
  const double lossHeight = alongHeight > 1 ? overlapMm + sheet.marginTop + sheet.marginBottom : 0;
  return CountTiles(pageWidth, pageHeight, sheet.width - lossWidth, sheet.height - lossHeight);
}

SplitLayout LayoutSplitTiles(double pageWidth, double pageHeight, TileCount n,
                             const SheetGeometry& sheet, int overlapMm) {
  SplitLayout layout;
  layout.columns = n.x;
  layout.rows = n.y;
  layout.landscape = n.swap;
  if (TooManyPieces(n.x, n.y)) return layout;

  const double pxX = sheet.dpiX / 25.4, pxY = sheet.dpiY / 25.4;
  const double w = pxX * (n.swap ? sheet.height : sheet.width);
  const double h = pxY * (n.swap ? sheet.width : sheet.height);
  const double l = sheet.marginLeft * pxX, r = sheet.marginRight * pxX;
  const double t = sheet.marginTop * pxY, b = sheet.marginBottom * pxY;
  const double sx = overlapMm * pxX, sy = overlapMm * pxY;
  const double pageW = pageWidth * kFr01cm * sheet.dpiX / 96;
  const double pageH = pageHeight * kFr01cm * sheet.dpiY / 96;

  // Device coordinates start at the printable corner; the page origin sits at the
  // physical corner of the first sheet. Each later sheet continues exactly where the
  // printable area of the previous one ended, after a blank strip of the overlap's width
  // that is left for pasting the sheets together, so no part of the page is lost or
  // printed twice.
  layout.tiles.reserve(static_cast<std::size_t>(n.x) * n.y);
  double accY = 0, clipTop = 0;
  for (int row = 0; row < n.y; ++row) {
    double accX = 0, clipLeft = 0;
    const double offY = -t - accY;
    for (int column = 0; column < n.x; ++column) {
      SplitTile tile;
      tile.column = column;
      tile.row = row;
      tile.offsetX = -l - accX;
      tile.offsetY = offY;
      tile.clip = {static_cast<int>(RoundHalfEven(clipLeft)), static_cast<int>(RoundHalfEven(clipTop)),
                   static_cast<int>(RoundHalfEven(pageW + tile.offsetX)) - 1,
                   static_cast<int>(RoundHalfEven(pageH + tile.offsetY)) - 1};
      layout.tiles.push_back(tile);
      clipLeft = sx;
      accX += w - l - r - clipLeft;
    }
    clipTop = sy;
    accY += h - t - b - clipTop;
  }
  return layout;
}

JoinGrid LayoutJoinGrid(double pageWidth, double pageHeight, const SheetGeometry& sheet) {
  const JoinGrid portrait = JoinCells(pageWidth, pageHeight, sheet.width, sheet.height);
  JoinGrid grid = JoinCells(pageWidth, pageHeight, sheet.height, sheet.width);
  grid.landscape = true;
  const std::int64_t portraitCells = static_cast<std::int64_t>(portrait.columns) * portrait.rows;
  const std::int64_t landscapeCells = static_cast<std::int64_t>(grid.columns) * grid.rows;
  // The way round that holds more pages; with as many, the one that shrinks them less,
  // and portrait when that is equal too.
  if (landscapeCells < portraitCells || (landscapeCells == portraitCells && !(grid.fit > portrait.fit)))
    grid = portrait;
  const double pxX = sheet.dpiX / 25.4, pxY = sheet.dpiY / 25.4;
  grid.cellWidth = grid.cellWidthMm * pxX;
  grid.cellHeight = grid.cellHeightMm * pxY;
  grid.originX = -sheet.marginLeft * pxX;
  grid.originY = -sheet.marginTop * pxY;
  return grid;
}

double JoinGrid::FitFactor(double pageWidth, double pageHeight) const {
  if (!(pageWidth > 0) || !(pageHeight > 0)) return 1;
  return std::min({1.0, cellWidthMm / pageWidth, cellHeightMm / pageHeight});
}

}  // namespace quarlo
