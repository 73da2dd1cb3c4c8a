#pragma once
// Painting a barcode symbol: the symbol is first laid out in picture units (one unit per
// narrow module), bars, spaces and the human-readable text together, and the picture is
// then mapped onto the device rectangle, so every part scales alike at any zoom and in
// each of the four right-angle rotations.

#include <string>
#include <vector>

#include "objects/special/barcode.h"
#include "platform/canvas.h"

namespace quarlo {

// One filled area of the picture: four corners in picture units, half-open (an area
// from x 0 to 3 covers units 0, 1 and 2). Axis-aligned areas have `box` set.
struct BarcodePictureFill {
  CanvasPoint corners[4];
  bool axisAligned = false;
  CanvasRect box;
  TColor color = clBlack;
};

// One piece of human-readable text: the top-left cell corner in picture units and the
// right edge of each UTF-16 unit from the start of the piece, also in picture units.
struct BarcodePictureText {
  CanvasPoint at;
  std::u16string text;
  std::vector<int> extents;
};

struct BarcodePicture {
  int width = 0;   // W: picture units mapped onto the device rectangle's width
  int height = 0;  // H
  double scale = 0;  // device pixels per picture unit along the bars' direction
  int barHeight = 0;
  CanvasPoint barOrigin;
  CanvasFont font;  // height in picture units (96 pixels per inch)
  std::vector<BarcodePictureFill> fills;  // in painting order
  std::vector<BarcodePictureText> texts;
};

// The rotation a barcode is drawn at: the angle in degrees taken modulo 360, and 0 for
// one that is then not a right angle (the layout knows only the four).
int RightAngleRotation(double degrees);

// Builds the pattern (may throw the generator's exceptions) and lays the symbol out for
// a device rectangle of the given size. `measure` measures the text. A picture with no
// area (an empty rectangle or an empty pattern) has no fills and no texts.
BarcodePicture LayoutBarcode(TfrxBarcode& barcode, Canvas& measure, int targetWidth, int targetHeight,
                             bool showText);

// Maps the picture's (0, 0)-(W, H) onto `target`; marks outside the picture frame (the
// leading EAN-13 digit, for example) are painted outside `target` at the same scale.
void DrawBarcodePicture(const BarcodePicture& picture, Canvas& canvas, const CanvasRect& target);

// LayoutBarcode then DrawBarcodePicture.
void PaintBarcode(TfrxBarcode& barcode, Canvas& canvas, const CanvasRect& target, bool showText);

}  // namespace quarlo
