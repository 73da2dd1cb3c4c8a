#pragma once
// The drawing context a metafile's records act on: mapping (map mode, window and
// viewport, world transform), the selected pen, brush and font, text and background
// settings, the clip, the current position, an open path, and the saved-state stack.
// The EMF and WMF readers decode records into calls on this device; the device maps
// logical coordinates to device pixels and draws on the canvas.

#include <optional>
#include <string>
#include <vector>

#include "objects/metafile_geometry.h"
#include "objects/metafile_player.h"
#include "platform/canvas.h"

namespace quarlo {

struct MfPen {
  int style = 0;        // platform pen style with its type and cap bits
  double width = 0;     // logical units; 0 is one device pixel
  TColor color = clBlack;
  std::vector<double> userDashes;  // logical units, for the user style
};

struct MfBrush {
  enum Kind { Solid, Null, Hatched, Pattern };
  Kind kind = Solid;
  int hatch = 0;        // platform hatch number 0..5
  TColor color = clWhite;
};

struct MfFont {
  double height = 0;    // logical; negative is the em height
  int escapement = 0;   // tenths of a degree
  int weight = 400;
  bool italic = false, underline = false, strikeOut = false;
  int charset = 1;
  std::string face = "Arial";  // UTF-8
};

struct MfObject {
  enum Kind { None, Pen, Brush, Font, Region, Other };
  Kind kind = None;
  MfPen pen;
  MfBrush brush;
  MfFont font;
  std::vector<MfBox> region;  // rectangles in logical (WMF) units
};

struct MfImage {
  CanvasImage image;
};

// Ternary raster operations of the bitmap records.
inline constexpr unsigned kRopSrcCopy = 0xCC0020, kRopSrcPaint = 0xEE0086, kRopSrcAnd = 0x8800C6,
                          kRopSrcInvert = 0x660046, kRopNotSrcCopy = 0x330008, kRopPatCopy = 0xF00021,
                          kRopPatInvert = 0x5A0049, kRopDstInvert = 0x550009, kRopBlackness = 0x000042,
                          kRopWhiteness = 0xFF0062, kRopMergeCopy = 0xC000CA, kRopSrcErase = 0x440328,
                          kRopNotSrcErase = 0x1100A6, kRopMergePaint = 0xBB0226;

enum MfRegionMode { kRgnAnd = 1, kRgnOr = 2, kRgnXor = 3, kRgnDiff = 4, kRgnCopy = 5 };

class MetafileDevice {
 public:
  // `reference` is the area (in reference units: EMF device pixels or WMF logical units)
  // that fills `target`; `pixelsPerMm` is the reference resolution the fixed map modes
  // measure with.
  MetafileDevice(Canvas& canvas, const CanvasRect& target, const MfBox& reference, double pixelsPerMmX,
                 double pixelsPerMmY, const MetafilePlayOptions& options);
  ~MetafileDevice();
  MetafileDevice(const MetafileDevice&) = delete;
  MetafileDevice& operator=(const MetafileDevice&) = delete;

  // --- Mapping -----------------------------------------------------------------------
  void SetMapMode(int mode);
  void SetWindowOrg(double x, double y);
  void SetWindowExt(double x, double y);
  void SetViewportOrg(double x, double y);
  void SetViewportExt(double x, double y);
  void OffsetWindowOrg(double x, double y);
  void OffsetViewportOrg(double x, double y);
  void ScaleWindowExt(double xNum, double xDenom, double yNum, double yDenom);
  void ScaleViewportExt(double xNum, double xDenom, double yNum, double yDenom);
  void SetWorldTransform(const MfXform& x);
  // Mode 1 identity, 2 left-multiply, 3 right-multiply, 4 set.
  void ModifyWorldTransform(const MfXform& x, int mode);
  // The initial window and viewport a placeable metafile starts with.
  void SetInitialWindow(const MfBox& box);

  // --- State -------------------------------------------------------------------------
  void SaveDC();
  // Negative: that many levels back; positive: the absolute level.
  void RestoreDC(int level);
  void SetTextColor(TColor c) { dc_.textColor = c; }
  void SetBkColor(TColor c) { dc_.bkColor = c; }
  void SetBkMode(int mode) { dc_.bkMode = mode; }
  void SetTextAlign(unsigned align) { dc_.textAlign = align; }
  void SetPolyFillMode(int mode) { dc_.polyFillMode = mode; }
  void SetRop2(int rop) { dc_.rop2 = rop; }
  void SetArcDirection(int dir) { dc_.arcClockwise = dir == 2; }
  void SetTextCharExtra(double extra) { dc_.charExtra = extra; }

  // --- Objects -----------------------------------------------------------------------
  // EMF: objects live at the index the record names; WMF: in the lowest free slot.
  void SetTableSize(std::size_t size);
  void CreateObjectAt(std::size_t index, MfObject object);
  void CreateObjectInFreeSlot(MfObject object);
  void SelectObject(std::size_t index);
  void SelectStockObject(unsigned stock);
  void DeleteObject(std::size_t index);

  // --- Drawing (logical coordinates) -----------------------------------------------------
  void MoveTo(MfPoint p);
  void LineTo(MfPoint p);
  void Polyline(const std::vector<MfPoint>& points);
  void PolylineTo(const std::vector<MfPoint>& points);
  void PolyBezier(const std::vector<MfPoint>& points, bool fromCurrent);
  void Polygon(const std::vector<MfPoint>& points);
  void PolyPolygon(const std::vector<std::vector<MfPoint>>& polygons);
  void PolyPolyline(const std::vector<std::vector<MfPoint>>& lines);
  void Rectangle(MfBox box);
  void RoundRect(MfBox box, double cornerWidth, double cornerHeight);
  void Ellipse(MfBox box);
  enum class ArcKind { Arc, ArcTo, Chord, Pie };
  void Arc(ArcKind kind, MfBox box, MfPoint start, MfPoint end);
  void AngleArc(MfPoint centre, double radius, double startDegrees, double sweepDegrees);
  void SetPixel(MfPoint p, TColor color);
  // Fills `box` with the brush (no pen), e.g. a pattern blit.
  void FillBox(MfBox box, unsigned rop);
  void FillRegion(const std::vector<MfBox>& rects, bool deviceUnits, const MfBrush& brush);

  // Text at the reference point with the current font and text settings. `advances`
  // holds logical advances per UTF-16 unit (may be empty). `rect` is the clip/opaque
  // rectangle of the record when `options` asks for it.
  void Text(MfPoint reference, const std::u16string& text, const std::vector<double>& advances, unsigned options,
            const std::optional<MfBox>& rect);

  // Bitmap into the logical destination; `source` selects part of the image (pixels,
  // top-left origin). Mirrored when the destination has a negative extent. Pixels of
  // `key` (0x00BBGGRR), when it is not clTransparent, leave the page as it was.
  void Bitmap(MfBox dest, const CanvasImage* image, MfBox source, unsigned rop, TColor key = clTransparent);

  // --- Paths -------------------------------------------------------------------------
  void BeginPath();
  void EndPath();
  void AbortPath();
  void CloseFigure();
  void FillPath();
  void StrokePath();
  void StrokeAndFillPath();
  void SelectClipPath(int mode);

  // --- Clipping ------------------------------------------------------------------------
  void IntersectClipRect(MfBox box);
  void ExcludeClipRect(MfBox box);
  // Rectangles in reference device units (EMF) or logical units (WMF); empty with
  // kRgnCopy clears the clip.
  void SelectClipRegion(const std::vector<MfBox>& rects, int mode, bool referenceUnits);
  void OffsetClip(double dx, double dy);

  const MfObject* Object(std::size_t index) const;
  TColor TextColor() const { return dc_.textColor; }
  int FontCharset() const { return dc_.font.charset; }
  bool InPath() const { return inPath_; }

 private:
  struct Figure {
    std::vector<MfPoint> points;  // device coordinates
    bool closed = false;
  };
  struct DcState {
    int mapMode = 1;
    MfPoint winOrg{0, 0}, winExt{1, 1}, vpOrg{0, 0}, vpExt{1, 1};
    MfXform world;
    MfPen pen;
    MfBrush brush;
    MfFont font;
    TColor textColor = clBlack, bkColor = clWhite;
    int bkMode = 2;  // opaque
    unsigned textAlign = 0;
    int polyFillMode = 1;  // alternate
    int rop2 = 13;         // copy pen
    bool arcClockwise = false;
    double charExtra = 0;
    MfPoint position;
    bool hasClip = false;
    MfBox clip;  // device pixels
  };

  MfXform PageTransform() const;
  MfXform LogicalToDevice() const;
  MfPoint ToDevice(MfPoint p) const;
  double DeviceScale() const;
  MfBox DeviceBox(MfBox logical) const;
  MfBox VisibleBox() const;

  bool ApplyPen();
  bool ApplyBrush(bool opaqueHatchBackground);
  TColor Visible(TColor c) const;
  void UseRop();
  void ApplyClip();

  // Emits device figures to the open path or draws them: closed ones filled (when
  // `fill`) and outlined, open ones stroked.
  void Emit(std::vector<Figure> figures, bool fill);
  void DrawFigures(const std::vector<Figure>& figures, bool fill, bool stroke);
  void StrokeChain(const std::vector<MfPoint>& chain);
  std::vector<MfPoint> Transform(const std::vector<MfPoint>& logical) const;
  std::vector<CanvasPoint> ToCanvas(const std::vector<MfPoint>& device) const;

  Canvas& canvas_;
  CanvasRect target_;
  MfBox reference_;
  double pixelsPerMmX_, pixelsPerMmY_;
  MetafilePlayOptions options_;
  MfXform referenceToDevice_;
  DcState dc_;
  std::vector<DcState> saved_;
  std::vector<MfObject> objects_;
  bool inPath_ = false;
  std::vector<Figure> path_;
  bool pathReady_ = false;
  bool appliedHasClip_ = false;
  CanvasRect appliedClip_;
  CanvasStateSaver canvasState_;
};

}  // namespace quarlo
