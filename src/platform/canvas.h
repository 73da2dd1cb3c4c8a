#pragma once
// The drawing device every report object paints on. Objects were designed against a
// classic desktop device: integer device pixels, a current pen, brush and font, and figures
// whose exact pixel coverage is part of how a page looks. This interface keeps that
// model so objects can state their geometry once and every device (image, widget,
// printer, PDF, recording) reproduces it.
//
// Pixel model (what every implementation reproduces):
//  * Integer coordinates name pixels; a geometric shape is measured from pixel centres.
//  * Cosmetic pens (width 0 or 1) draw lines one pixel wide; LineTo and Polyline leave
//    out the last pixel of each segment, so joined segments never paint a pixel twice.
//  * Geometric pens of width w cover the band [-w/2, +w/2) around the segment, measured
//    from pixel centres: width 2 covers offsets -1 and 0, width 3 covers -1, 0, 1. Square
//    caps extend the band by w/2 past both ends (width 1 from (0,0) to (4,0) covers
//    x 0..4); flat caps end at the end points; round caps end in half discs.
//  * Styled pens (dash, dot, ...) that are not geometric repeat a fixed pattern
//    (StyledPenPattern) counted along the line's major axis, each step `unit` device
//    pixels long, so a dash keeps its length in millimetres on every device. A width w
//    draws w such lines side by side across the minor axis, on the band a geometric
//    pen of width w covers. They paint their gaps in the brush colour while the brush
//    is solid and leave them untouched while it is clear. Vector devices (PDF,
//    printers) draw such a segment as one stroke with a dash pattern.
//  * Rectangle, Ellipse and RoundRect take (left, top, right, bottom) with right and
//    bottom exclusive: with a 1-pixel pen the outline covers columns left and right-1
//    and rows top and bottom-1; a wider pen is centred on that outline. Without a pen
//    the filled area is one pixel smaller on the right and bottom.
//  * FillRect paints [left, right) x [top, bottom) with the brush; it ignores the pen
//    and the raster mode.
//  * Hatch brushes repeat an 8 x 8 pattern anchored at the device origin, each pattern
//    pixel `unit` device pixels wide (HatchCovers); the pixels between hatch lines are
//    left untouched.
//  * The raster mode applies to pen lines and to figures (outline and fill).
//
// Colours are 0x00BBGGRR (platform/color.h); system colours are resolved by the
// canvas, clTransparent in a pen or brush colour paints nothing.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/color.h"

namespace quarlo {

struct CanvasPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const CanvasPoint&, const CanvasPoint&) = default;
};

// Device rectangle; right and bottom are exclusive wherever the interface says so.
struct CanvasRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool Intersects(const CanvasRect& o) const {
    return !IsEmpty() && !o.IsEmpty() && left < o.right && o.left < right && top < o.bottom &&
           o.top < bottom;
  }
  // Empty result (all zero) when the two do not overlap.
  CanvasRect Intersected(const CanvasRect& o) const;
  // The smallest rectangle holding both; an empty operand is ignored.
  CanvasRect United(const CanvasRect& o) const;
  friend bool operator==(const CanvasRect&, const CanvasRect&) = default;
};

struct CanvasPen {
  // Numbers match the platform pen styles, so a frame style's number converts directly.
  enum class Style : int { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Clear = 5 };
  enum class Cap : int { Round = 0, Square = 1, Flat = 2 };

  TColor color = clBlack;
  int width = 1;  // device pixels; 0 counts as 1
  Style style = Style::Solid;
  // A geometric pen honours `cap` and `dashes` at any width; a plain solid pen of width
  // > 1 has round caps; a plain styled pen is the band of styled lines described above.
  bool geometric = false;
  Cap cap = Cap::Round;
  // User dash pattern of a geometric pen: alternating dash and gap lengths in device
  // pixels, starting with a dash. A dash of 0 with round caps draws a dot `width` wide.
  std::vector<int> dashes;
  // Device pixels per step of a styled pen's pattern: 1 on a 96-dpi screen at 100 %,
  // the drawing scale elsewhere (a 600-dpi printer takes 6.25).
  double unit = 1.0;

  static CanvasPen Solid(TColor c, int w = 1) {
    CanvasPen p;
    p.color = c;
    p.width = w;
    return p;
  }
  friend bool operator==(const CanvasPen&, const CanvasPen&) = default;
};

struct CanvasBrush {
  // Numbers match the view fill styles; a hatch index is the number minus 2.
  enum class Style : int {
    Solid = 0,
    Clear = 1,
    Horizontal = 2,
    Vertical = 3,
    FDiagonal = 4,
    BDiagonal = 5,
    Cross = 6,
    DiagCross = 7
  };

  TColor color = clWhite;
  Style style = Style::Solid;
  // Device pixels per pixel of the hatch pattern, as CanvasPen::unit.
  double unit = 1.0;

  bool IsHatch() const { return static_cast<int>(style) >= 2; }
  static CanvasBrush SolidColor(TColor c) { return CanvasBrush{c, Style::Solid}; }
  static CanvasBrush Clear() { return CanvasBrush{clWhite, Style::Clear}; }
  friend bool operator==(const CanvasBrush&, const CanvasBrush&) = default;
};

// True when the hatch pattern of `style`, anchored at the device origin with pattern
// pixels `unit` device pixels wide, covers device pixel (x, y). At unit 1 it is the
// 8 x 8 tile; at other units the lines keep their places in millimetres and are
// max(1, Round(unit)) device pixels thick (measured across rows and columns, and
// along rows for the diagonals).
bool HatchCovers(CanvasBrush::Style style, int x, int y, double unit = 1.0);
// Device pixels of one hatch line's thickness at `unit`.
int HatchLineWidth(double unit);
// The unit a hatch is drawn with: `unit`, but at least a quarter (1 for a bad value).
double HatchUnit(double unit);

// On and off lengths of a styled pen's pattern in pattern steps (on, off, on, ...);
// empty for Solid and Clear.
std::span<const int> StyledPenPattern(CanvasPen::Style style);
// Whether step `position` (0 at the segment's start, in device pixels along the major
// axis) of a styled pen with `unit` is on: the pattern evaluated at the pixel's centre.
bool StyledPenOn(std::span<const int> pattern, long long position, double unit);

enum FontStyleBits : int { kFontBold = 1, kFontItalic = 2, kFontUnderline = 4, kFontStrikeOut = 8 };

struct CanvasFont {
  std::string name = "Arial";  // family as the document names it (UTF-8)
  // Pixel height in the platform's sense: negative is the em (character) height,
  // positive the cell height (ascent + descent), 0 a default of 16 pixels em.
  int height = -13;
  int style = 0;  // FontStyleBits
  TColor color = clBlack;
  int charset = 1;
  // Angle of the baseline in tenths of a degree, counter-clockwise.
  int escapement = 0;
  friend bool operator==(const CanvasFont&, const CanvasFont&) = default;
};

// Font measurements of the canvas's current font, in device pixels.
struct CanvasTextMetrics {
  int ascent = 0;
  int descent = 0;
  int height = 0;  // ascent + descent
  int emHeight = 0;
};

// Options of TextOut, combinable.
enum TextOutFlags : unsigned {
  kTextClipped = 1,     // clip to the rectangle given with the call
  kTextRtlReading = 2,  // right-to-left reading order
};

// 32-bit image, rows top to bottom, pixels 0xAARRGGBB (unpremultiplied).
struct CanvasImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  bool IsEmpty() const { return width <= 0 || height <= 0 || pixels.size() < Size(); }
  std::size_t Size() const {
    return static_cast<std::size_t>(width > 0 ? width : 0) * static_cast<std::size_t>(height > 0 ? height : 0);
  }
};

enum class ImageStretch { Plain, Smooth };

enum class RasterMode { Copy, Xor };

enum class CanvasKind { Screen, Printer, Image, Recording };

class Canvas {
 public:
  virtual ~Canvas() = default;
  Canvas() = default;
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  // --- Device -----------------------------------------------------------------------
  virtual CanvasKind Kind() const = 0;
  bool IsPrinter() const { return Kind() == CanvasKind::Printer; }
  virtual int DpiX() const = 0;
  virtual int DpiY() const = 0;
  // Device area in pixels (the unclipped drawable extent).
  virtual CanvasRect DeviceBounds() const = 0;
  // Pixels per inch that point sizes convert with: the printer's vertical resolution
  // on a printer, so fonts come out right on paper, 96 elsewhere.
  int FontPixelsPerInch() const { return IsPrinter() ? DpiY() : 96; }
  // The font height (em, negative) of a size in points on this device.
  int FontHeightForPoints(double points) const;

  // --- State --------------------------------------------------------------------------
  void SetPen(const CanvasPen& pen) { pen_ = pen; }
  const CanvasPen& Pen() const { return pen_; }
  void SetBrush(const CanvasBrush& brush) { brush_ = brush; }
  const CanvasBrush& Brush() const { return brush_; }
  void SetFont(const CanvasFont& font) { font_ = font; }
  const CanvasFont& Font() const { return font_; }
  void SetRasterMode(RasterMode mode) { mode_ = mode; }
  RasterMode Mode() const { return mode_; }
  CanvasPoint PenPosition() const { return pos_; }

  // --- Lines and figures --------------------------------------------------------------
  void MoveTo(int x, int y) { pos_ = {x, y}; }
  // Segment from the pen position to (x, y) with the pen; the pen position moves there.
  void LineTo(int x, int y);
  // Open chain of segments with the pen, joined like consecutive LineTo calls.
  virtual void Polyline(std::span<const CanvasPoint> points) = 0;
  // Closed figure filled with the brush (alternate filling) and outlined with the pen.
  virtual void Polygon(std::span<const CanvasPoint> points) = 0;
  // Several closed figures filled as one area (so inner figures can cut holes) and each
  // outlined with the pen. `counts` splits `points` into figures; counts past the points
  // given are cut short. `winding` fills by the non-zero rule instead of alternate. The
  // base draws each figure as its own Polygon.
  virtual void PolyPolygon(std::span<const CanvasPoint> points, std::span<const int> counts, bool winding = false);
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  // Corner ellipse of cornerWidth x cornerHeight.
  virtual void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) = 0;
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  virtual void FillRect(const CanvasRect& rect) = 0;

  // --- Text -----------------------------------------------------------------------------
  // Draws text with the current font, its top-left cell corner at (x, y) (rotated about
  // that point by the font's escapement), background untouched. `advances` holds one
  // device-pixel advance per UTF-16 unit (the second unit of a pair gets 0); empty means
  // the font's own advances. With kTextClipped the text is clipped to `clip`.
  virtual void TextOut(int x, int y, std::u16string_view text, std::span<const int> advances = {},
                       const CanvasRect* clip = nullptr, unsigned flags = 0) = 0;
  // Cumulative advances of `text` in the current font at this device: extents[i] is the
  // right edge of UTF-16 unit i, counted from the start. Returns the total width.
  // `extents` may be empty (only the total is wanted) or as long as `text`.
  virtual int MeasureText(std::u16string_view text, std::span<int> extents);
  virtual CanvasTextMetrics TextMetrics();

  // --- Images -------------------------------------------------------------------------
  virtual void DrawImage(const CanvasRect& dest, const CanvasImage& image, ImageStretch stretch) = 0;
  // Like DrawImage, but pixels of `transparent` (0x00BBGGRR, alpha ignored) leave the
  // canvas unchanged.
  virtual void DrawImageTransparent(const CanvasRect& dest, const CanvasImage& image, TColor transparent,
                                    ImageStretch stretch) = 0;

  // --- Clipping ------------------------------------------------------------------------
  // Narrows the clip to its intersection with `rect`.
  void IntersectClipRect(const CanvasRect& rect);
  // Saves the clip; RestoreClip brings back the last saved one (an unbalanced restore
  // keeps the current clip).
  void SaveClip();
  void RestoreClip();
  // The visible part of the device: the clip box, or DeviceBounds without a clip.
  CanvasRect ClipBox() const;
  bool RectVisible(const CanvasRect& rect) const { return ClipBox().Intersects(rect); }
  bool HasClip() const { return hasClip_; }

 protected:
  // One LineTo segment with the current pen (a cosmetic pen leaves out `to` itself).
  virtual void DrawSegment(CanvasPoint from, CanvasPoint to) = 0;
  // Called after the clip changed; ClipBox() and HasClip() give the new one.
  virtual void ClipChanged() {}

 private:
  CanvasPen pen_;
  CanvasBrush brush_;
  CanvasFont font_;
  RasterMode mode_ = RasterMode::Copy;
  CanvasPoint pos_;
  bool hasClip_ = false;
  CanvasRect clip_;
  struct SavedClip {
    bool hasClip;
    CanvasRect clip;
  };
  std::vector<SavedClip> savedClips_;
};

// Keeps pen, brush, font and raster mode for a scope and puts them back at its end.
class CanvasStateSaver {
 public:
  explicit CanvasStateSaver(Canvas& canvas)
      : canvas_(canvas), pen_(canvas.Pen()), brush_(canvas.Brush()), font_(canvas.Font()), mode_(canvas.Mode()) {}
  ~CanvasStateSaver() {
    canvas_.SetPen(pen_);
    canvas_.SetBrush(brush_);
    canvas_.SetFont(font_);
    canvas_.SetRasterMode(mode_);
  }
  CanvasStateSaver(const CanvasStateSaver&) = delete;
  CanvasStateSaver& operator=(const CanvasStateSaver&) = delete;

 private:
  Canvas& canvas_;
  CanvasPen pen_;
  CanvasBrush brush_;
  CanvasFont font_;
  RasterMode mode_;
};

// Em height in pixels of a font height in the platform's sense (see CanvasFont), given
// the face's cell-to-em ratio for positive heights.
int FontEmPixels(int height, double cellPerEm);

}  // namespace quarlo
