#pragma once
// Geometry of the print modes that do not put one page on one sheet: how many sheets a
// large page is split over (with overlapping, clipped tiles) and how many small pages are
// joined in a grid on one sheet. Lengths of pages, sheets and margins are millimetres;
// tiles and cells are in device pixels of the sheet.
#include <cstdint>
#include <vector>

namespace quarlo {

// Sheets needed along one side: a remainder below 11 mm is ignored, any larger remainder
// takes one more sheet; a positive length needs at least one. Saturates at kSheetsAlongLimit for a piece that is zero, negative
// or tiny against the length, so callers can refuse absurd layouts instead of looping.
inline constexpr int kSheetsAlongLimit = 1000000;
int SheetsAlong(double length, double piece);

struct TileCount {
  int x = 0;          // along the first length
  int y = 0;          // along the second length
  bool swap = false;  // the pieces were turned by 90 degrees to need fewer of them
};

// Pieces of c x d needed to cover a x b, trying the piece both ways round and keeping
// the way that needs fewer.
TileCount CountTiles(double a, double b, double c, double d);

// Largest number of sheets (split) or cells (join) one page or sheet may produce; beyond
// it the job reports the sheet as too small instead of printing millions of sheets.
inline constexpr std::int64_t kMaxPiecesPerPage = 10000;

struct DeviceRect {
  int left = 0, top = 0, right = 0, bottom = 0;  // inclusive corners
};

struct SheetGeometry {
  double width = 0, height = 0;                          // mm, portrait sheet
  double marginLeft = 0, marginTop = 0, marginRight = 0, marginBottom = 0;  // mm
  int dpiX = 600, dpiY = 600;
};

struct SplitTile {
  int column = 0, row = 0;
  DeviceRect clip;                // device pixels from the printable corner of the sheet
  double offsetX = 0, offsetY = 0;  // device position of the page origin on the sheet
};

struct SplitLayout {
  int columns = 0, rows = 0;
  bool landscape = false;  // the sheet is turned to need fewer of them
  std::vector<SplitTile> tiles;  // row by row, left to right
};

// Sheets one page of pageWidth x pageHeight mm is split over. Where several sheets
// meet along a side, each sheet loses the overlap plus the unprintable margins at both
// ends of that side (left and right along its width, top and bottom along its height,
// of the sheet as the printer is set up now); swap means the sheets are turned to
// landscape.
TileCount CountSplitTiles(double pageWidth, double pageHeight, const SheetGeometry& sheet,
                          int overlapMm);

// Tiles for a count from CountSplitTiles, on a sheet whose margins and resolution are
// those of the printer after it was set up for the count's orientation. Every tile but
// the first of a row (column) starts with a blank strip of overlapMm for pasting onto its
// neighbour, and its content continues exactly where the neighbour's printable area
// ended. No tiles are made when TooManyPieces(count.x, count.y).
SplitLayout LayoutSplitTiles(double pageWidth, double pageHeight, TileCount count,
                             const SheetGeometry& sheet, int overlapMm);

struct JoinGrid {
  int columns = 0, rows = 0;
  bool landscape = false;
  double cellWidthMm = 0, cellHeightMm = 0;
  double cellWidth = 0, cellHeight = 0;  // device pixels
  double originX = 0, originY = 0;       // device position of the first cell's page origin
  double fit = 1;                        // FitFactor of the page the grid was sized by
  double CellX(int column) const { return originX + column * cellWidth; }
  double CellY(int row) const { return originY + row * cellHeight; }
  // Scale that puts a page of pageWidth x pageHeight mm into a cell: 1 for a page that
  // fits, less for a larger one, which keeps its shape.
  double FitFactor(double pageWidth, double pageHeight) const;
};

// Grid of pages of pageWidth x pageHeight mm on one sheet: only whole pages along each
// side, in whichever orientation of the sheet holds more, so the columns and rows never
// reach past the sheet. Pages print at 100 percent; a page larger than the sheet gets a
// cell the size of the sheet and is shrunk into it. The origin comes from the margins
// given: lay out again with the margins of the printer once it is set up in the
// orientation the grid chose.
JoinGrid LayoutJoinGrid(double pageWidth, double pageHeight, const SheetGeometry& sheet);

bool TooManyPieces(int columns, int rows);

}  // namespace quarlo
