#include "print/sheet_layout.h"

#include <cmath>
#include <utility>

namespace quarlo {
namespace {

constexpr double kFr01cm = 3.77953;  // report pixels per millimetre

// Halves go to the even neighbour, as everywhere device values are rounded.
double Nearest(double v) { return std::nearbyint(v); }

int Saturate(double v) {
  if (!(v < kSheetsAlongLimit)) return kSheetsAlongLimit;
  return v < 0 ? 0 : static_cast<int>(v);
}

}  // namespace

int SheetsAlong(double length, double piece) {
  if (!std::isfinite(length) || !std::isfinite(piece) || piece <= 0) return kSheetsAlongLimit;
  const double q = length / piece;
  if (!(q < kSheetsAlongLimit)) return kSheetsAlongLimit;
  const double whole = std::trunc(q);
  int sheets = std::fabs(whole * piece - length) < 11 ? Saturate(Nearest(q)) : Saturate(whole + 1);
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
  double overlapX = 0, overlapY = 0;
  if (n.x > 1) overlapX = overlapMm + sheet.marginTop + sheet.marginBottom;
  if (n.y > 1) overlapY = overlapMm + sheet.marginLeft + sheet.marginRight;
  if (n.swap) std::swap(overlapX, overlapY);
  return CountTiles(pageWidth, pageHeight, sheet.width - overlapX, sheet.height - overlapY);
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
      tile.clip = {static_cast<int>(Nearest(clipLeft)), static_cast<int>(Nearest(clipTop)),
                   static_cast<int>(Nearest(pageW + tile.offsetX)) - 1,
                   static_cast<int>(Nearest(pageH + tile.offsetY)) - 1};
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
  JoinGrid grid;
  const TileCount n = CountTiles(sheet.width, sheet.height, pageWidth, pageHeight);
  grid.landscape = n.swap;
  grid.columns = n.swap ? n.y : n.x;
  grid.rows = n.swap ? n.x : n.y;
  grid.cellWidth = sheet.dpiX / 25.4 * pageWidth;
  grid.cellHeight = sheet.dpiY / 25.4 * pageHeight;
  grid.originX = -sheet.marginLeft * sheet.dpiX / 25.4;
  grid.originY = -sheet.marginTop * sheet.dpiY / 25.4;
  return grid;
}

}  // namespace quarlo
