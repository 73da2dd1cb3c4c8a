#include "objects/metafile_device.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quarlo {

namespace {

// Handles beyond this are refused: a header may claim 65535 objects, a record any index.
constexpr std::size_t kMaxObjects = 65536;
constexpr std::size_t kMaxSavedStates = 1024;
// Pens wider than this paint no more than a page, however wide the file asks them.
constexpr double kMaxPenWidth = 4096;
// Figures are clipped this far outside what is visible, so their clipped edges stay out
// of sight (wide pens included).
constexpr double kClipMargin = kMaxPenWidth + 64;

// Metafile coordinates round halves away from zero, as metafile players do; this is
// deliberately not the layout's half-to-even rounding.
int RoundHalfAwayFromZero(double v) {
  if (!(v > -1e9)) return -1000000000;
  if (!(v < 1e9)) return 1000000000;
  return static_cast<int>(std::lround(v));
}

CanvasRect ToRect(const MfBox& b) {
  return {RoundHalfAwayFromZero(std::min(b.left, b.right)), RoundHalfAwayFromZero(std::min(b.top, b.bottom)),
          RoundHalfAwayFromZero(std::max(b.left, b.right)), RoundHalfAwayFromZero(std::max(b.top, b.bottom))};
}

MfBox Normalised(MfBox b) {
  if (b.right < b.left) std::swap(b.left, b.right);
  if (b.bottom < b.top) std::swap(b.top, b.bottom);
  return b;
}

MfBox Intersect(const MfBox& a, const MfBox& b) {
  MfBox r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (r.right < r.left || r.bottom < r.top) return {0, 0, 0, 0};
  return r;
}

MfBox Unite(const MfBox& a, const MfBox& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

bool Inside(const MfBox& inner, const MfBox& outer) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

// Units of the fixed map modes per millimetre (2 low metric ... 6 twips).
double UnitsPerMm(int mode) {
  switch (mode) {
    case 2: return 10;
    case 3: return 100;
    case 4: return 100 / 25.4;
    case 5: return 1000 / 25.4;
    case 6: return 1440 / 25.4;
    default: return 1;
  }
}

double SafeRatio(double num, double denom) {
  if (denom == 0 || !std::isfinite(num / denom)) return 1;
  return num / denom;
}

CanvasImage Cropped(const CanvasImage& image, int left, int top, int width, int height, bool mirrorX, bool mirrorY) {
  CanvasImage out;
  out.width = width;
  out.height = height;
  out.pixels.resize(out.Size());
  for (int y = 0; y < height; ++y) {
    const int sy = top + (mirrorY ? height - 1 - y : y);
    for (int x = 0; x < width; ++x) {
      const int sx = left + (mirrorX ? width - 1 - x : x);
      out.pixels[static_cast<std::size_t>(y) * width + x] =
          image.pixels[static_cast<std::size_t>(sy) * image.width + sx];
    }
  }
  return out;
}

}  // namespace

MetafileDevice::MetafileDevice(Canvas& canvas, const CanvasRect& target, const MfBox& reference, double pixelsPerMmX,
                               double pixelsPerMmY, const MetafilePlayOptions& options)
    : canvas_(canvas),
      target_(target),
      reference_(reference),
      pixelsPerMmX_(pixelsPerMmX > 0 && std::isfinite(pixelsPerMmX) ? pixelsPerMmX : 96 / 25.4),
      pixelsPerMmY_(pixelsPerMmY > 0 && std::isfinite(pixelsPerMmY) ? pixelsPerMmY : 96 / 25.4),
      options_(options),
      canvasState_(canvas) {
  const double kx = SafeRatio(target.Width(), reference.right - reference.left);
  const double ky = SafeRatio(target.Height(), reference.bottom - reference.top);
  referenceToDevice_ = {kx, 0, 0, ky, target.left - reference.left * kx, target.top - reference.top * ky};
  canvas_.SaveClip();
  canvas_.IntersectClipRect(target_);
}

MetafileDevice::~MetafileDevice() { canvas_.RestoreClip(); }

// ------------------------------------------------------------------ mapping

MfXform MetafileDevice::PageTransform() const {
  double sx = 1, sy = 1;
  const int mode = dc_.mapMode;
  if (mode >= 2 && mode <= 6) {
    sx = pixelsPerMmX_ / UnitsPerMm(mode);
    sy = -pixelsPerMmY_ / UnitsPerMm(mode);
  } else if (mode == 7 || mode == 8) {
    sx = SafeRatio(dc_.vpExt.x, dc_.winExt.x);
    sy = SafeRatio(dc_.vpExt.y, dc_.winExt.y);
    if (mode == 7) {
      const double m = std::min(std::abs(sx), std::abs(sy));
      sx = std::copysign(m, sx);
      sy = std::copysign(m, sy);
    }
  }
  return {sx, 0, 0, sy, dc_.vpOrg.x - dc_.winOrg.x * sx, dc_.vpOrg.y - dc_.winOrg.y * sy};
}

MfXform MetafileDevice::LogicalToDevice() const { return dc_.world.Then(PageTransform()).Then(referenceToDevice_); }

MfPoint MetafileDevice::ToDevice(MfPoint p) const { return LogicalToDevice().Apply(p); }

double MetafileDevice::DeviceScale() const {
  const MfXform m = LogicalToDevice();
  const double det = std::abs(m.m11 * m.m22 - m.m12 * m.m21);
  return std::isfinite(det) ? std::sqrt(det) : 0;
}

MfBox MetafileDevice::DeviceBox(MfBox logical) const {
  const MfXform m = LogicalToDevice();
  const MfPoint c[4] = {m.Apply({logical.left, logical.top}), m.Apply({logical.right, logical.top}),
                        m.Apply({logical.right, logical.bottom}), m.Apply({logical.left, logical.bottom})};
  MfBox b{c[0].x, c[0].y, c[0].x, c[0].y};
  for (const MfPoint& p : c) b = Unite(b, {p.x, p.y, p.x, p.y});
  return b;
}

MfBox MetafileDevice::VisibleBox() const {
  const CanvasRect c = canvas_.ClipBox();
  return {c.left - kClipMargin, c.top - kClipMargin, c.right + kClipMargin, c.bottom + kClipMargin};
}

void MetafileDevice::SetMapMode(int mode) {
  if (mode >= 1 && mode <= 8) dc_.mapMode = mode;
}
void MetafileDevice::SetWindowOrg(double x, double y) { dc_.winOrg = {x, y}; }
void MetafileDevice::SetWindowExt(double x, double y) {
  if (x != 0 && y != 0) dc_.winExt = {x, y};
}
void MetafileDevice::SetViewportOrg(double x, double y) { dc_.vpOrg = {x, y}; }
void MetafileDevice::SetViewportExt(double x, double y) {
  if (x != 0 && y != 0) dc_.vpExt = {x, y};
}
void MetafileDevice::OffsetWindowOrg(double x, double y) { dc_.winOrg = {dc_.winOrg.x + x, dc_.winOrg.y + y}; }
void MetafileDevice::OffsetViewportOrg(double x, double y) { dc_.vpOrg = {dc_.vpOrg.x + x, dc_.vpOrg.y + y}; }
void MetafileDevice::ScaleWindowExt(double xNum, double xDenom, double yNum, double yDenom) {
  if (xDenom == 0 || yDenom == 0) return;
  SetWindowExt(dc_.winExt.x * xNum / xDenom, dc_.winExt.y * yNum / yDenom);
}
void MetafileDevice::ScaleViewportExt(double xNum, double xDenom, double yNum, double yDenom) {
  if (xDenom == 0 || yDenom == 0) return;
  SetViewportExt(dc_.vpExt.x * xNum / xDenom, dc_.vpExt.y * yNum / yDenom);
}
void MetafileDevice::SetWorldTransform(const MfXform& x) {
  if (x.Finite()) dc_.world = x;
}
void MetafileDevice::ModifyWorldTransform(const MfXform& x, int mode) {
  switch (mode) {
    case 1: dc_.world = {}; break;
    case 2: if (x.Finite()) dc_.world = x.Then(dc_.world); break;
    case 3: if (x.Finite()) dc_.world = dc_.world.Then(x); break;
    case 4: SetWorldTransform(x); break;
    default: break;
  }
}
void MetafileDevice::SetInitialWindow(const MfBox& box) {
  dc_.mapMode = 8;
  dc_.winOrg = dc_.vpOrg = {box.left, box.top};
  dc_.winExt = dc_.vpExt = {box.right - box.left, box.bottom - box.top};
  if (dc_.winExt.x == 0 || dc_.winExt.y == 0) dc_.winExt = dc_.vpExt = {1, 1};
}

// ------------------------------------------------------------------ state

void MetafileDevice::SaveDC() {
  if (saved_.size() < kMaxSavedStates) saved_.push_back(dc_);
}

void MetafileDevice::RestoreDC(int level) {
  std::size_t keep;  // states left on the stack after restoring
  if (level < 0) {
    const std::size_t back = static_cast<std::size_t>(-static_cast<long long>(level));
    if (back > saved_.size()) return;
    keep = saved_.size() - back;
  } else if (level > 0 && static_cast<std::size_t>(level) <= saved_.size()) {
    keep = static_cast<std::size_t>(level) - 1;
  } else {
    return;
  }
  dc_ = saved_[keep];
  saved_.resize(keep);
  ApplyClip();
}

// ------------------------------------------------------------------ objects

void MetafileDevice::SetTableSize(std::size_t size) { objects_.resize(std::min(size, kMaxObjects)); }

void MetafileDevice::CreateObjectAt(std::size_t index, MfObject object) {
  if (index >= kMaxObjects) return;
  if (index >= objects_.size()) objects_.resize(index + 1);
  objects_[index] = std::move(object);
}

void MetafileDevice::CreateObjectInFreeSlot(MfObject object) {
  for (MfObject& slot : objects_) {
    if (slot.kind == MfObject::None) {
      slot = std::move(object);
      return;
    }
  }
  if (objects_.size() < kMaxObjects) objects_.push_back(std::move(object));
}

const MfObject* MetafileDevice::Object(std::size_t index) const {
  return index < objects_.size() && objects_[index].kind != MfObject::None ? &objects_[index] : nullptr;
}

void MetafileDevice::SelectObject(std::size_t index) {
  if (index & 0x80000000u) return SelectStockObject(static_cast<unsigned>(index & 0x7FFFFFFFu));
  const MfObject* o = Object(index);
  if (!o) return;
  switch (o->kind) {
    case MfObject::Pen: dc_.pen = o->pen; break;
    case MfObject::Brush: dc_.brush = o->brush; break;
    case MfObject::Font: dc_.font = o->font; break;
    case MfObject::Region: SelectClipRegion(o->region, kRgnCopy, false); break;
    default: break;
  }
}

void MetafileDevice::SelectStockObject(unsigned stock) {
  static constexpr TColor kBrushes[5] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000};
  if (stock <= 4) {
    dc_.brush = {MfBrush::Solid, 0, kBrushes[stock]};
  } else if (stock == 5) {
    dc_.brush = {MfBrush::Null, 0, clWhite};
  } else if (stock == 6 || stock == 7) {
    dc_.pen = MfPen{0, 0, stock == 6 ? TColor{0xFFFFFF} : TColor{0}, {}};
  } else if (stock == 8) {
    dc_.pen = MfPen{5, 0, clBlack, {}};
  } else if (stock >= 10 && stock <= 17 && stock != 15) {
    dc_.font = MfFont{};
    dc_.font.height = 16;
  } else if (stock == 18) {
    dc_.brush = {MfBrush::Solid, 0, 0xFFFFFF};
  } else if (stock == 19) {
    dc_.pen = MfPen{};
  }
}

void MetafileDevice::DeleteObject(std::size_t index) {
  if (index < objects_.size()) objects_[index] = MfObject{};
}

// ------------------------------------------------------------------ canvas state

TColor MetafileDevice::Visible(TColor c) const {
  c &= 0xFFFFFF;
  if (options_.transparent && c == (ColorToRGB(options_.transparentColor) & 0xFFFFFF)) return clTransparent;
  return c;
}

void MetafileDevice::UseRop() {
  canvas_.SetRasterMode(dc_.rop2 == 7 || dc_.rop2 == 6 ? RasterMode::Xor : RasterMode::Copy);
}

bool MetafileDevice::ApplyPen() {
  CanvasPen p;
  const MfPen& pen = dc_.pen;
  const int type = pen.style & 0xF;
  UseRop();
  if (type == 5 || dc_.rop2 == 11) {
    p.style = CanvasPen::Style::Clear;
    canvas_.SetPen(p);
    return false;
  }
  p.color = Visible(pen.color);
  if (dc_.rop2 == 1) p.color = 0;
  if (dc_.rop2 == 16 || dc_.rop2 == 6) p.color = 0xFFFFFF;
  const bool geometric = (pen.style & 0x10000) != 0;
  const double width = std::min(pen.width * DeviceScale(), kMaxPenWidth);
  p.width = pen.width <= 0 || !(width >= 1.5) ? 1 : static_cast<int>(std::lround(width));
  p.geometric = geometric;
  switch (pen.style & 0xF00) {
    case 0x100: p.cap = CanvasPen::Cap::Square; break;
    case 0x200: p.cap = CanvasPen::Cap::Flat; break;
    default: p.cap = CanvasPen::Cap::Round; break;
  }
  if (type >= 1 && type <= 4) p.style = static_cast<CanvasPen::Style>(type);
  if (type == 8) p.style = CanvasPen::Style::Dot;
  if (geometric) {
    const int w = p.width;
    switch (type) {
      case 1: p.dashes = {3 * w, w}; break;
      case 2: p.dashes = {w, w}; break;
      case 3: p.dashes = {3 * w, w, w, w}; break;
      case 4: p.dashes = {3 * w, w, w, w, w, w}; break;
      case 7:
        for (double d : pen.userDashes)
          p.dashes.push_back(static_cast<int>(std::lround(std::clamp(d * DeviceScale(), 0.0, kMaxPenWidth))));
        if (p.dashes.size() % 2) p.dashes.push_back(p.dashes.back());
        break;
      default: break;
    }
    p.style = CanvasPen::Style::Solid;
  }
  canvas_.SetPen(p);
  return p.color != clTransparent;
}

bool MetafileDevice::ApplyBrush(bool opaqueHatchBackground) {
  const MfBrush& b = dc_.brush;
  CanvasBrush cb = CanvasBrush::Clear();
  if (opaqueHatchBackground) {
    if (b.kind == MfBrush::Hatched && dc_.bkMode == 2) cb = CanvasBrush::SolidColor(Visible(dc_.bkColor));
  } else if (b.kind == MfBrush::Solid || b.kind == MfBrush::Pattern) {
    cb = CanvasBrush::SolidColor(Visible(b.color));
  } else if (b.kind == MfBrush::Hatched) {
    cb = CanvasBrush{Visible(b.color), static_cast<CanvasBrush::Style>(2 + std::clamp(b.hatch, 0, 5))};
  }
  if (dc_.rop2 == 11) cb = CanvasBrush::Clear();
  canvas_.SetBrush(cb);
  return cb.style != CanvasBrush::Style::Clear && cb.color != clTransparent;
}

void MetafileDevice::ApplyClip() {
  const CanvasRect clip = dc_.hasClip ? ToRect(dc_.clip) : CanvasRect{};
  // Restoring a state usually brings back the clip already in force.
  if (dc_.hasClip == appliedHasClip_ && clip == appliedClip_) return;
  appliedHasClip_ = dc_.hasClip;
  appliedClip_ = clip;
  canvas_.RestoreClip();
  canvas_.SaveClip();
  canvas_.IntersectClipRect(target_);
  if (dc_.hasClip) canvas_.IntersectClipRect(clip);
}

// ------------------------------------------------------------------ figures

std::vector<MfPoint> MetafileDevice::Transform(const std::vector<MfPoint>& logical) const {
  const MfXform m = LogicalToDevice();
  std::vector<MfPoint> out;
  out.reserve(logical.size());
  for (const MfPoint& p : logical) {
    const MfPoint d = m.Apply(p);
    if (!std::isfinite(d.x) || !std::isfinite(d.y)) return {};
    out.push_back(d);
  }
  return out;
}

std::vector<CanvasPoint> MetafileDevice::ToCanvas(const std::vector<MfPoint>& device) const {
  std::vector<CanvasPoint> out;
  out.reserve(device.size());
  for (const MfPoint& p : device) out.push_back({RoundHalfAwayFromZero(p.x), RoundHalfAwayFromZero(p.y)});
  return out;
}

void MetafileDevice::StrokeChain(const std::vector<MfPoint>& chain) {
  for (const auto& piece : ClipPolyline(chain, VisibleBox())) {
    const std::vector<CanvasPoint> pts = ToCanvas(piece);
    if (pts.size() == 2) {
      canvas_.MoveTo(pts[0].x, pts[0].y);
      canvas_.LineTo(pts[1].x, pts[1].y);
    } else {
      canvas_.Polyline(pts);
    }
  }
}

void MetafileDevice::DrawFigures(const std::vector<Figure>& figures, bool fill, bool stroke) {
  const MfBox visible = VisibleBox();
  bool allInside = true;
  for (const Figure& f : figures)
    for (const MfPoint& p : f.points) allInside = allInside && visible.Contains(p);
  CanvasPen none;
  none.style = CanvasPen::Style::Clear;
  if (fill) {
    // Filling closes every figure; all of them form one area.
    std::vector<CanvasPoint> pts;
    std::vector<int> counts;
    for (const Figure& f : figures) {
      if (f.points.size() < 2) continue;
      const std::vector<CanvasPoint> c = ToCanvas(allInside ? f.points : ClipPolygon(f.points, visible));
      if (c.size() < 2) continue;
      pts.insert(pts.end(), c.begin(), c.end());
      counts.push_back(static_cast<int>(c.size()));
    }
    if (counts.empty()) return;
    const bool winding = dc_.polyFillMode == 2;
    auto fillAll = [&] {
      if (counts.size() == 1 && !winding) canvas_.Polygon(pts);
      else canvas_.PolyPolygon(pts, counts, winding);
    };
    if (ApplyBrush(true)) {
      canvas_.SetPen(none);
      fillAll();
    }
    const bool brush = ApplyBrush(false);
    // Inside the visible area the outline goes with the fill, as one figure.
    if (allInside && stroke) {
      const bool pen = ApplyPen();
      if (brush || pen) fillAll();
      return;
    }
    if (brush) {
      canvas_.SetPen(none);
      fillAll();
    }
  }
  if (!stroke || !ApplyPen()) return;
  canvas_.SetBrush(CanvasBrush::Clear());
  for (const Figure& f : figures) {
    if (f.points.empty()) continue;
    if (f.closed || fill) {
      if (allInside && f.points.size() >= 2) {
        canvas_.Polygon(ToCanvas(f.points));
        continue;
      }
      std::vector<MfPoint> ring = f.points;
      ring.push_back(ring.front());
      StrokeChain(ring);
    } else {
      StrokeChain(f.points);
    }
  }
}

void MetafileDevice::Emit(std::vector<Figure> figures, bool fill) {
  if (inPath_) {
    for (Figure& f : figures)
      if (!f.points.empty()) path_.push_back(std::move(f));
    return;
  }
  DrawFigures(figures, fill, true);
}

// ------------------------------------------------------------------ drawing

void MetafileDevice::MoveTo(MfPoint p) { dc_.position = p; }

void MetafileDevice::LineTo(MfPoint p) { PolylineTo({p}); }

void MetafileDevice::Polyline(const std::vector<MfPoint>& points) {
  if (points.size() < 2 && !inPath_) return;
  Emit({Figure{Transform(points), false}}, false);
}

void MetafileDevice::PolylineTo(const std::vector<MfPoint>& points) {
  if (points.empty()) return;
  std::vector<MfPoint> chain;
  chain.reserve(points.size() + 1);
  chain.push_back(dc_.position);
  chain.insert(chain.end(), points.begin(), points.end());
  dc_.position = points.back();
  std::vector<MfPoint> device = Transform(chain);
  if (device.empty()) return;
  if (inPath_) {
    // Joined to the figure the current position ends, as one chain.
    if (!path_.empty() && !path_.back().closed && !path_.back().points.empty()) {
      const MfPoint last = path_.back().points.back();
      if (std::abs(last.x - device.front().x) < 1e-6 && std::abs(last.y - device.front().y) < 1e-6) {
        path_.back().points.insert(path_.back().points.end(), device.begin() + 1, device.end());
        return;
      }
    }
    path_.push_back({std::move(device), false});
    return;
  }
  if (device.size() == 2 && VisibleBox().Contains(device[0]) && VisibleBox().Contains(device[1])) {
    if (!ApplyPen()) return;
    const std::vector<CanvasPoint> pts = ToCanvas(device);
    canvas_.MoveTo(pts[0].x, pts[0].y);
    canvas_.LineTo(pts[1].x, pts[1].y);
    return;
  }
  DrawFigures({Figure{std::move(device), false}}, false, true);
}

void MetafileDevice::PolyBezier(const std::vector<MfPoint>& points, bool fromCurrent) {
  std::vector<MfPoint> chain;
  std::size_t i = 0;
  if (fromCurrent) {
    chain.push_back(dc_.position);
  } else {
    if (points.empty()) return;
    chain.push_back(points[0]);
    i = 1;
  }
  for (; i + 3 <= points.size(); i += 3) AppendBezier(chain, chain.back(), points[i], points[i + 1], points[i + 2]);
  if (chain.size() < 2) return;
  if (fromCurrent) {
    chain.erase(chain.begin());  // PolylineTo starts at the current position itself
    PolylineTo(chain);
  } else {
    Polyline(chain);
  }
}

void MetafileDevice::Polygon(const std::vector<MfPoint>& points) {
  if (points.size() < 2) return;
  Emit({Figure{Transform(points), true}}, true);
}

void MetafileDevice::PolyPolygon(const std::vector<std::vector<MfPoint>>& polygons) {
  std::vector<Figure> figures;
  for (const auto& p : polygons)
    if (p.size() >= 2) figures.push_back({Transform(p), true});
  Emit(std::move(figures), true);
}

void MetafileDevice::PolyPolyline(const std::vector<std::vector<MfPoint>>& lines) {
  std::vector<Figure> figures;
  for (const auto& p : lines)
    if (p.size() >= 2) figures.push_back({Transform(p), false});
  Emit(std::move(figures), false);
}

void MetafileDevice::Rectangle(MfBox box) {
  const MfBox d = Normalised(DeviceBox(box));
  if (!inPath_ && LogicalToDevice().AxisAligned() && Inside(d, VisibleBox())) {
    const CanvasRect r = ToRect(d);
    CanvasPen none;
    none.style = CanvasPen::Style::Clear;
    if (ApplyBrush(true)) {
      canvas_.SetPen(none);
      canvas_.Rectangle(r.left, r.top, r.right, r.bottom);
    }
    ApplyBrush(false);
    ApplyPen();
    canvas_.Rectangle(r.left, r.top, r.right, r.bottom);
    return;
  }
  Polygon({{box.left, box.top}, {box.right, box.top}, {box.right, box.bottom}, {box.left, box.bottom}});
}

void MetafileDevice::RoundRect(MfBox box, double cornerWidth, double cornerHeight) {
  const MfBox d = Normalised(DeviceBox(box));
  const MfXform m = LogicalToDevice();
  if (!inPath_ && m.AxisAligned() && Inside(d, VisibleBox())) {
    const CanvasRect r = ToRect(d);
    const int cw = RoundHalfAwayFromZero(std::abs(cornerWidth * m.m11)), ch = RoundHalfAwayFromZero(std::abs(cornerHeight * m.m22));
    CanvasPen none;
    none.style = CanvasPen::Style::Clear;
    if (ApplyBrush(true)) {
      canvas_.SetPen(none);
      canvas_.RoundRect(r.left, r.top, r.right, r.bottom, cw, ch);
    }
    ApplyBrush(false);
    ApplyPen();
    canvas_.RoundRect(r.left, r.top, r.right, r.bottom, cw, ch);
    return;
  }
  Polygon(RoundRectPoints(box.left, box.top, box.right, box.bottom, cornerWidth, cornerHeight));
}

void MetafileDevice::Ellipse(MfBox box) {
  const MfBox d = Normalised(DeviceBox(box));
  if (!inPath_ && LogicalToDevice().AxisAligned() && Inside(d, VisibleBox())) {
    const CanvasRect r = ToRect(d);
    CanvasPen none;
    none.style = CanvasPen::Style::Clear;
    if (ApplyBrush(true)) {
      canvas_.SetPen(none);
      canvas_.Ellipse(r.left, r.top, r.right, r.bottom);
    }
    ApplyBrush(false);
    ApplyPen();
    canvas_.Ellipse(r.left, r.top, r.right, r.bottom);
    return;
  }
  Polygon(EllipsePoints(box.left, box.top, box.right, box.bottom));
}

void MetafileDevice::Arc(ArcKind kind, MfBox box, MfPoint start, MfPoint end) {
  // The platform measures the direction in device space; a flipped y axis turns it.
  const MfXform m = LogicalToDevice();
  const bool flipped = (m.m11 * m.m22 - m.m12 * m.m21) < 0;
  std::vector<MfPoint> pts =
      ArcPoints(box.left, box.top, box.right, box.bottom, start, end, dc_.arcClockwise == flipped);
  if (pts.empty()) return;
  switch (kind) {
    case ArcKind::Arc: Polyline(pts); break;
    case ArcKind::ArcTo: {
      PolylineTo(pts);
      break;
    }
    case ArcKind::Chord: Polygon(pts); break;
    case ArcKind::Pie:
      pts.push_back({(box.left + box.right) / 2, (box.top + box.bottom) / 2});
      Polygon(pts);
      break;
  }
}

void MetafileDevice::AngleArc(MfPoint c, double radius, double startDegrees, double sweepDegrees) {
  if (!std::isfinite(startDegrees) || !std::isfinite(sweepDegrees) || !std::isfinite(radius)) return;
  sweepDegrees = std::clamp(sweepDegrees, -3600.0, 3600.0);
  const int n = std::clamp(static_cast<int>(std::abs(sweepDegrees) / 5) + 2, 2, 720);
  std::vector<MfPoint> pts;
  for (int i = 0; i <= n; ++i) {
    const double a = (startDegrees + sweepDegrees * i / n) * std::numbers::pi / 180;
    pts.push_back({c.x + radius * std::cos(a), c.y - radius * std::sin(a)});
  }
  PolylineTo(pts);
}

void MetafileDevice::SetPixel(MfPoint p, TColor color) {
  const MfPoint d = ToDevice(p);
  if (!VisibleBox().Contains(d) || Visible(color) == clTransparent) return;
  canvas_.SetBrush(CanvasBrush::SolidColor(Visible(color)));
  const int x = RoundHalfAwayFromZero(d.x), y = RoundHalfAwayFromZero(d.y);
  canvas_.FillRect({x, y, x + 1, y + 1});
}

void MetafileDevice::FillBox(MfBox box, unsigned rop) {
  const MfBox d = Intersect(Normalised(DeviceBox(box)), VisibleBox());
  const CanvasRect r = ToRect(d);
  if (r.IsEmpty()) return;
  switch (rop) {
    case kRopBlackness: canvas_.SetBrush(CanvasBrush::SolidColor(Visible(0))); break;
    case kRopWhiteness: canvas_.SetBrush(CanvasBrush::SolidColor(Visible(0xFFFFFF))); break;
    case kRopDstInvert:
    case kRopPatInvert: {
      if (rop == kRopDstInvert) canvas_.SetBrush(CanvasBrush::SolidColor(0xFFFFFF));
      else if (!ApplyBrush(false)) return;
      CanvasPen none;
      none.style = CanvasPen::Style::Clear;
      canvas_.SetPen(none);
      canvas_.SetRasterMode(RasterMode::Xor);
      canvas_.Rectangle(r.left, r.top, r.right + 1, r.bottom + 1);
      return;
    }
    default:
      if (ApplyBrush(true)) canvas_.FillRect(r);
      if (!ApplyBrush(false)) return;
      break;
  }
  canvas_.FillRect(r);
}

void MetafileDevice::FillRegion(const std::vector<MfBox>& rects, bool deviceUnits, const MfBrush& brush) {
  const MfBrush saved = dc_.brush;
  dc_.brush = brush;
  for (const MfBox& b : rects) {
    const MfBox d = deviceUnits ? MfBox{referenceToDevice_.Apply({b.left, b.top}).x,
                                        referenceToDevice_.Apply({b.left, b.top}).y,
                                        referenceToDevice_.Apply({b.right, b.bottom}).x,
                                        referenceToDevice_.Apply({b.right, b.bottom}).y}
                                : DeviceBox(b);
    const CanvasRect r = ToRect(Intersect(Normalised(d), VisibleBox()));
    if (!r.IsEmpty() && ApplyBrush(false)) canvas_.FillRect(r);
  }
  dc_.brush = saved;
}

// ------------------------------------------------------------------ text

void MetafileDevice::Text(MfPoint reference, const std::u16string& text, const std::vector<double>& advances,
                          unsigned options, const std::optional<MfBox>& rect) {
  if (inPath_) return;
  const MfXform m = LogicalToDevice();
  const double sx = std::hypot(m.m11, m.m12), sy = std::hypot(m.m21, m.m22);
  if (!std::isfinite(sx) || !std::isfinite(sy)) return;

  CanvasFont font;
  font.name = dc_.font.face.empty() ? "Arial" : dc_.font.face;
  const double h = (dc_.font.height == 0 ? -12 : dc_.font.height) * sy;
  if (!(std::abs(h) < 100000)) return;
  font.height = RoundHalfAwayFromZero(h);
  if (font.height == 0) font.height = h < 0 ? -1 : 1;
  font.style = (dc_.font.weight >= 600 ? kFontBold : 0) | (dc_.font.italic ? kFontItalic : 0) |
               (dc_.font.underline ? kFontUnderline : 0) | (dc_.font.strikeOut ? kFontStrikeOut : 0);
  font.charset = dc_.font.charset;
  font.color = Visible(dc_.textColor);
  // The baseline turns with the world transform; the angle is seen on the device.
  const double turn = std::atan2(-m.m12, m.m11) * 1800 / std::numbers::pi;
  int escapement = (dc_.font.escapement + RoundHalfAwayFromZero(std::isfinite(turn) ? turn : 0)) % 3600;
  if (escapement < 0) escapement += 3600;
  font.escapement = escapement;
  canvas_.SetFont(font);
  canvas_.SetRasterMode(RasterMode::Copy);

  // Device advances from the logical ones, rounded on the running sum so they add up.
  std::vector<int> dx;
  if (!advances.empty() || dc_.charExtra != 0) {
    std::vector<int> own(text.size());
    if (advances.size() < text.size()) canvas_.MeasureText(text, own);
    dx.resize(text.size());
    double sum = 0;
    int placed = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const double a = i < advances.size() ? advances[i] * sx
                                           : (own[i] - (i ? own[i - 1] : 0)) + 0.0;
      sum += a + dc_.charExtra * sx;
      const int at = RoundHalfAwayFromZero(std::clamp(sum, -1e8, 1e8));
      dx[i] = at - placed;
      placed = at;
    }
  }
  long long width = 0;
  if (dx.empty()) width = canvas_.MeasureText(text, {});
  else
    for (int a : dx) width += a;
  const CanvasTextMetrics metrics = canvas_.TextMetrics();

  const bool updateCp = (dc_.textAlign & 1) != 0;
  const MfPoint origin = ToDevice(updateCp ? dc_.position : reference);
  if (!VisibleBox().Contains(origin)) return;
  const unsigned horizontal = dc_.textAlign & 6, vertical = dc_.textAlign & 24;
  const double ox = horizontal == 2 ? -static_cast<double>(width) : horizontal == 6 ? -width / 2.0 : 0;
  const double oy = vertical == 24 ? -metrics.ascent : vertical == 8 ? -metrics.height : 0;
  const double a = escapement / 10.0 * std::numbers::pi / 180;
  const double ux = std::cos(a), uy = -std::sin(a), vx = std::sin(a), vy = std::cos(a);
  const int x = RoundHalfAwayFromZero(origin.x + ux * ox + vx * oy), y = RoundHalfAwayFromZero(origin.y + uy * ox + vy * oy);
  if (updateCp && horizontal == 0 && sx > 0) dc_.position.x += static_cast<double>(width) / sx;

  std::optional<CanvasRect> deviceRect;
  if (rect) deviceRect = ToRect(Intersect(Normalised(DeviceBox(*rect)), VisibleBox()));
  const TColor background = Visible(dc_.bkColor);
  if (background != clTransparent) {
    canvas_.SetBrush(CanvasBrush::SolidColor(background));
    if ((options & 0x2) && deviceRect) canvas_.FillRect(*deviceRect);
    else if (dc_.bkMode == 2 && escapement == 0)
      canvas_.FillRect({x, y, static_cast<int>(std::min<long long>(x + width, 1000000000)), y + metrics.height});
  }
  const bool clipped = (options & 0x4) && deviceRect;
  const unsigned flags = (clipped ? kTextClipped : 0u) | ((options & 0x80) ? kTextRtlReading : 0u);
  canvas_.TextOut(x, y, text, dx, clipped ? &*deviceRect : nullptr, flags);
}

// ------------------------------------------------------------------ bitmaps

void MetafileDevice::Bitmap(MfBox dest, const CanvasImage* image, MfBox source, unsigned rop, TColor key) {
  if (inPath_) return;
  const bool noSource = rop == kRopPatCopy || rop == kRopBlackness || rop == kRopWhiteness ||
                        rop == kRopDstInvert || rop == kRopPatInvert;
  if (noSource) return FillBox(dest, rop);
  if (!image || image->IsEmpty()) return;
  const MfXform m = LogicalToDevice();
  const MfPoint p0 = m.Apply({dest.left, dest.top}), p1 = m.Apply({dest.right, dest.bottom});
  if (!std::isfinite(p0.x) || !std::isfinite(p0.y) || !std::isfinite(p1.x) || !std::isfinite(p1.y)) return;
  const bool mirrorX = p1.x < p0.x, mirrorY = p1.y < p0.y;
  MfBox d = Normalised({p0.x, p0.y, p1.x, p1.y});
  // The source part, within the image.
  MfBox s = Normalised(source);
  s = Intersect(s, {0, 0, static_cast<double>(image->width), static_cast<double>(image->height)});
  if (s.right - s.left < 1 || s.bottom - s.top < 1) s = {0, 0, double(image->width), double(image->height)};
  // A destination reaching far past the visible area keeps only the part in view.
  const MfBox visible = VisibleBox();
  if (!Inside(d, visible)) {
    const MfBox v = Intersect(d, visible);
    if (v.right <= v.left || v.bottom <= v.top) return;
    const double kx = (s.right - s.left) / (d.right - d.left), ky = (s.bottom - s.top) / (d.bottom - d.top);
    MfBox ns = mirrorX ? MfBox{s.right - (v.right - d.left) * kx, 0, s.right - (v.left - d.left) * kx, 0}
                       : MfBox{s.left + (v.left - d.left) * kx, 0, s.left + (v.right - d.left) * kx, 0};
    ns.top = mirrorY ? s.bottom - (v.bottom - d.top) * ky : s.top + (v.top - d.top) * ky;
    ns.bottom = mirrorY ? s.bottom - (v.top - d.top) * ky : s.top + (v.bottom - d.top) * ky;
    s = {std::floor(ns.left), std::floor(ns.top), std::ceil(ns.right), std::ceil(ns.bottom)};
    s = Intersect(s, {0, 0, double(image->width), double(image->height)});
    d = v;
    if (s.right - s.left < 1 || s.bottom - s.top < 1) return;
  }
  const int sl = static_cast<int>(s.left), st = static_cast<int>(s.top);
  const int sw = static_cast<int>(s.right - s.left), sh = static_cast<int>(s.bottom - s.top);
  CanvasImage part;
  const CanvasImage* use = image;
  if (sl != 0 || st != 0 || sw != image->width || sh != image->height || mirrorX || mirrorY) {
    part = Cropped(*image, sl, st, sw, sh, mirrorX, mirrorY);
    use = &part;
  }
  if (rop == kRopNotSrcCopy) {
    if (use != &part) part = *image, use = &part;
    for (auto& px : part.pixels) px = (px & 0xFF000000u) | (~px & 0x00FFFFFFu);
  }
  const CanvasRect r = ToRect(d);
  if (r.IsEmpty()) return;
  canvas_.SetRasterMode(RasterMode::Copy);
  // Mask tricks: AND with white and OR with black leave the page as it was, so those
  // pixels are skipped rather than painted.
  if (options_.transparent)
    canvas_.DrawImageTransparent(r, *use, options_.transparentColor, ImageStretch::Plain);
  else if (key != clTransparent)
    canvas_.DrawImageTransparent(r, *use, key, ImageStretch::Plain);
  else if (rop == kRopSrcAnd || rop == kRopSrcErase)
    canvas_.DrawImageTransparent(r, *use, 0xFFFFFF, ImageStretch::Plain);
  else if (rop == kRopSrcPaint || rop == kRopSrcInvert || rop == kRopMergePaint)
    canvas_.DrawImageTransparent(r, *use, 0x000000, ImageStretch::Plain);
  else
    canvas_.DrawImage(r, *use, ImageStretch::Plain);
}

// ------------------------------------------------------------------ paths

void MetafileDevice::BeginPath() {
  inPath_ = true;
  pathReady_ = false;
  path_.clear();
}

void MetafileDevice::EndPath() {
  if (!inPath_) return;
  inPath_ = false;
  pathReady_ = true;
}

void MetafileDevice::AbortPath() {
  inPath_ = false;
  pathReady_ = false;
  path_.clear();
}

void MetafileDevice::CloseFigure() {
  if (inPath_ && !path_.empty()) path_.back().closed = true;
}

void MetafileDevice::FillPath() {
  if (inPath_) EndPath();
  if (pathReady_) DrawFigures(path_, true, false);
  AbortPath();
}

void MetafileDevice::StrokePath() {
  if (inPath_) EndPath();
  if (pathReady_) DrawFigures(path_, false, true);
  AbortPath();
}

void MetafileDevice::StrokeAndFillPath() {
  if (inPath_) EndPath();
  if (pathReady_) {
    std::vector<Figure> closed = path_;
    for (Figure& f : closed) f.closed = true;
    DrawFigures(closed, true, true);
  }
  AbortPath();
}

void MetafileDevice::SelectClipPath(int mode) {
  if (inPath_) EndPath();
  if (!pathReady_) return;
  std::vector<MfBox> boxes;
  bool any = false;
  MfBox bounds;
  for (const Figure& f : path_)
    for (const MfPoint& p : f.points) {
      bounds = any ? Unite(bounds, {p.x, p.y, p.x, p.y}) : MfBox{p.x, p.y, p.x, p.y};
      any = true;
    }
  AbortPath();
  if (!any) return;
  // Device boxes are given back in reference units for the region code.
  const MfXform& r = referenceToDevice_;
  boxes.push_back({(bounds.left - r.dx) / (r.m11 ? r.m11 : 1), (bounds.top - r.dy) / (r.m22 ? r.m22 : 1),
                   (bounds.right - r.dx) / (r.m11 ? r.m11 : 1), (bounds.bottom - r.dy) / (r.m22 ? r.m22 : 1)});
  SelectClipRegion(boxes, mode, true);
}

// ------------------------------------------------------------------ clipping

void MetafileDevice::IntersectClipRect(MfBox box) {
  const MfBox d = Normalised(DeviceBox(Normalised(box)));
  dc_.clip = dc_.hasClip ? Intersect(dc_.clip, d) : d;
  dc_.hasClip = true;
  ApplyClip();
}

void MetafileDevice::ExcludeClipRect(MfBox box) {
  const MfBox e = Normalised(DeviceBox(Normalised(box)));
  MfBox c = dc_.hasClip ? dc_.clip : MfBox{double(target_.left), double(target_.top), double(target_.right),
                                            double(target_.bottom)};
  // A rectangular clip can lose a band along one side; a hole in the middle cannot be
  // expressed and leaves the clip as it is.
  if (Inside(c, e)) {
    c = {0, 0, 0, 0};
  } else if (e.top <= c.top && e.bottom >= c.bottom) {
    if (e.left <= c.left && e.right > c.left) c.left = e.right;
    else if (e.right >= c.right && e.left < c.right) c.right = e.left;
  } else if (e.left <= c.left && e.right >= c.right) {
    if (e.top <= c.top && e.bottom > c.top) c.top = e.bottom;
    else if (e.bottom >= c.bottom && e.top < c.bottom) c.bottom = e.top;
  }
  dc_.clip = c;
  dc_.hasClip = true;
  ApplyClip();
}

void MetafileDevice::SelectClipRegion(const std::vector<MfBox>& rects, int mode, bool referenceUnits) {
  if (rects.empty()) {
    if (mode == kRgnCopy) {
      dc_.hasClip = false;
      ApplyClip();
    }
    return;
  }
  MfBox bounds;
  for (std::size_t i = 0; i < rects.size(); ++i) {
    const MfBox& b = rects[i];
    MfBox d;
    if (referenceUnits) {
      const MfPoint a = referenceToDevice_.Apply({b.left, b.top}), z = referenceToDevice_.Apply({b.right, b.bottom});
      d = Normalised({a.x, a.y, z.x, z.y});
    } else {
      d = Normalised(DeviceBox(b));
    }
    bounds = i == 0 ? d : Unite(bounds, d);
  }
  switch (mode) {
    case kRgnAnd:
      dc_.clip = dc_.hasClip ? Intersect(dc_.clip, bounds) : bounds;
      dc_.hasClip = true;
      break;
    case kRgnOr:
    case kRgnXor:
      if (dc_.hasClip) dc_.clip = Unite(dc_.clip, bounds);
      break;
    case kRgnDiff: {
      // Only a region covering the whole clip can be taken away from a rectangle.
      MfBox c = dc_.hasClip ? dc_.clip : MfBox{double(target_.left), double(target_.top), double(target_.right),
                                                double(target_.bottom)};
      if (Inside(c, bounds)) c = {0, 0, 0, 0};
      dc_.clip = c;
      dc_.hasClip = true;
      break;
    }
    case kRgnCopy:
    default:
      dc_.clip = bounds;
      dc_.hasClip = true;
      break;
  }
  ApplyClip();
}

void MetafileDevice::OffsetClip(double dx, double dy) {
  if (!dc_.hasClip) return;
  const MfXform m = LogicalToDevice();
  const double ox = dx * m.m11 + dy * m.m21, oy = dx * m.m12 + dy * m.m22;
  if (!std::isfinite(ox) || !std::isfinite(oy)) return;
  dc_.clip = {dc_.clip.left + ox, dc_.clip.top + oy, dc_.clip.right + ox, dc_.clip.bottom + oy};
  ApplyClip();
}

}  // namespace quarlo
