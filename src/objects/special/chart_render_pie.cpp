#include <algorithm>
#include <cmath>

#include "objects/special/chart_axis.h"
#include "objects/special/chart_render_parts.h"

namespace quarlo {

namespace {

struct Slice {
  size_t point;
  double from, to;  // radians, counter-clockwise from three o'clock; to < from
};

// Arc points from `from` to `to` on the ellipse, at most 3 degrees apart.
void Arc(std::vector<ChartPointF>& out, double cx, double cy, double rx, double ry, double from, double to) {
  int steps = std::max(2, static_cast<int>(std::ceil(std::fabs(from - to) / (M_PI / 60))));
  for (int i = 0; i <= steps; ++i) {
    double a = from + (to - from) * i / steps;
    out.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)});
  }
}

std::u16string SliceText(const ChartSeries& s, const ChartPoint& pt) {
  std::u16string text = LabelText(pt.label);
  return text.empty() ? Wide(MarkValueText(pt.y, s.YDateTime())) : text;
}

}  // namespace

void DrawPie(ChartPainter& p, const TChart& chart, const ChartSeries& s, const ChartRectF& area) {
  const auto& points = s.Points();
  double total = 0;
  for (const ChartPoint& pt : points) {
    if (!pt.isNull && pt.y > 0 && std::isfinite(pt.y)) total += pt.y;
  }
  ChartFont font;
  font.em = 9.5;
  const double lineH = p.LineHeight(font);
  double labelW = 0;
  if (s.MarksVisible()) {
    for (const ChartPoint& pt : points) {
      if (!pt.isNull && pt.y > 0) labelW = std::max(labelW, p.TextWidth(SliceText(s, pt), font) + 14);
    }
    labelW = std::min(labelW, area.Width() / 4);
  }
  const bool depth = chart.View3D();
  const ChartDepth d = DepthFor(chart, area, 1);
  const double ratio = depth ? std::clamp(d.dy / std::max(d.dx, 1e-9), 0.45, 0.8) : 1.0;
  double rx = std::min(area.Width() / 2 - labelW - 4, (area.Height() / 2 - (s.MarksVisible() ? lineH + 6 : 2)) / ratio);
  rx = std::max(rx, std::min(area.Width(), area.Height()) / 6);
  const double ry = rx * ratio;
  const double thick = depth ? rx * 0.14 : 0;
  const double cx = (area.left + area.right) / 2, cy = (area.top + area.bottom - thick) / 2;

  if (!(total > 0)) {
    p.Ellipse({cx - rx, cy - ry, cx + rx, cy + ry}, clTransparent, RGBColor(0xA0, 0xA0, 0xA0));
    return;
  }

  std::vector<Slice> slices;
  double angle = M_PI / 2;
  for (size_t i = 0; i < points.size(); ++i) {
    const ChartPoint& pt = points[i];
    if (pt.isNull || !(pt.y > 0) || !std::isfinite(pt.y)) continue;
    double sweep = pt.y / total * 2 * M_PI;
    slices.push_back({i, angle, angle - sweep});
    angle -= sweep;
  }

  const TColor edge = RGBColor(0x40, 0x40, 0x40);
  if (thick > 0) {
    // The front half of the rim: where the arc runs below the centre line.
    for (const Slice& sl : slices) {
      for (int turn = -1; turn <= 0; ++turn) {
        double lo = std::max(sl.to, M_PI + turn * 2 * M_PI), hi = std::min(sl.from, 2 * M_PI + turn * 2 * M_PI);
        if (hi <= lo) continue;
        std::vector<ChartPointF> rim;
        Arc(rim, cx, cy, rx, ry, hi, lo);
        std::vector<ChartPointF> lower;
        Arc(lower, cx, cy + thick, rx, ry, lo, hi);
        rim.insert(rim.end(), lower.begin(), lower.end());
        p.Polygon(rim, Darker(s.PointColor(sl.point), 0.75), Darker(s.PointColor(sl.point), 0.5));
      }
    }
  }
  for (const Slice& sl : slices) {
    std::vector<ChartPointF> poly{{cx, cy}};
    Arc(poly, cx, cy, rx, ry, sl.from, sl.to);
    if (slices.size() == 1) poly.erase(poly.begin());
    p.Polygon(poly, s.PointColor(sl.point), edge);
  }
  if (!s.MarksVisible()) return;
  for (const Slice& sl : slices) {
    const double mid = (sl.from + sl.to) / 2, c = std::cos(mid), sn = std::sin(mid);
    const double below = sn < 0 ? thick : 0;
    ChartPointF edgePt{cx + rx * c, cy - ry * sn + below};
    ChartPointF out{cx + (rx + 10) * c, cy - (ry + 10) * sn + below};
    p.Line(edgePt, out, RGBColor(0x60, 0x60, 0x60));
    std::u16string text = SliceText(s, points[sl.point]);
    const double w = p.TextWidth(text, font) + 6, h = lineH + 2;
    const double left = c >= 0 ? out.x + 2 : out.x - 2 - w;
    ChartRectF box{left, out.y - h / 2, left + w, out.y + h / 2};
    p.Rect(box, RGBColor(0xFF, 0xFF, 0xE1), RGBColor(0x80, 0x80, 0x80));
    p.Text(box.left + 3, box.top + 1, text, font);
  }
}

}  // namespace quarlo
