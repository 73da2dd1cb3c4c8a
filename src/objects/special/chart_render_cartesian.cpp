#include <algorithm>
#include <cmath>
#include <map>

#include "objects/special/chart_axis.h"
#include "objects/special/chart_render_parts.h"

namespace quarlo {

namespace {

constexpr size_t kMaxMarks = 500;
const TColor kAxisColor = RGBColor(0x50, 0x50, 0x50);
const TColor kGridColor = RGBColor(0xD8, 0xD8, 0xD8);
const TColor kWallColor = RGBColor(0xEE, 0xEE, 0xEE);

bool IsBar(ChartSeriesKind k) { return k == ChartSeriesKind::Bar || k == ChartSeriesKind::HorizBar; }

bool Finite(double v) { return std::isfinite(v); }

// Where the points of all series go: positions (categories or X) along one axis,
// values along the other.
struct Plan {
  bool horizontal = false;   // positions run down the left axis
  bool categorical = true;   // positions are point indexes
  bool gantt = false;
  double posLo = 0, posHi = 1, slot = 1;
  double valLo = 0, valHi = 1;
  bool valDate = false, posDate = false;
  ChartMultiBar multiBar = ChartMultiBar::Side;
  size_t barSeries = 0;
  std::vector<std::u16string> categories;  // label per index (categorical) or per row (Gantt)
  double rowLo = 0;                         // first Gantt row
};

void Widen(double& lo, double& hi, bool& any, double v) {
  if (!Finite(v)) return;
  if (!any) {
    lo = hi = v;
    any = true;
  } else {
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
}

double Position(const ChartPoint& pt, size_t index) { return pt.hasX ? pt.x : static_cast<double>(index); }

// Sums of the stacked bars at each position, positive and negative apart.
struct Stacks {
  std::map<double, double> up, down, total;
};

Plan MakePlan(const TChart& chart, const std::vector<const ChartSeries*>& series, Stacks& stacks) {
  Plan plan;
  plan.horizontal = std::all_of(series.begin(), series.end(), [](const ChartSeries* s) {
    return s->Kind() == ChartSeriesKind::HorizBar || s->Kind() == ChartSeriesKind::Gantt;
  });
  plan.gantt = std::any_of(series.begin(), series.end(),
                           [](const ChartSeries* s) { return s->Kind() == ChartSeriesKind::Gantt; });
  for (const ChartSeries* s : series) {
    if (IsBar(s->Kind())) {
      if (plan.barSeries == 0) plan.multiBar = s->MultiBar();
      ++plan.barSeries;
    }
    for (const ChartPoint& pt : s->Points()) {
      if (pt.hasX && s->Kind() != ChartSeriesKind::Gantt) plan.categorical = false;
    }
    if (s->XDateTime()) plan.posDate = true;
    if (s->YDateTime() || (s->Kind() == ChartSeriesKind::Gantt && (s->StartDateTime() || s->EndDateTime()))) {
      plan.valDate = true;
    }
  }
  if (plan.gantt) plan.categorical = false;
  const bool stacked = plan.multiBar == ChartMultiBar::Stacked || plan.multiBar == ChartMultiBar::Stacked100;

  bool anyPos = false, anyVal = false;
  size_t maxPoints = 0;
  for (const ChartSeries* s : series) {
    const auto& pts = s->Points();
    maxPoints = std::max(maxPoints, pts.size());
    for (size_t i = 0; i < pts.size(); ++i) {
      const ChartPoint& pt = pts[i];
      if (pt.isNull) continue;
      switch (s->Kind()) {
        case ChartSeriesKind::Gantt:
          Widen(plan.posLo, plan.posHi, anyPos, pt.y);
          Widen(plan.valLo, plan.valHi, anyVal, pt.x);
          Widen(plan.valLo, plan.valHi, anyVal, pt.x1);
          break;
        case ChartSeriesKind::Arrow:
          Widen(plan.posLo, plan.posHi, anyPos, pt.x);
          Widen(plan.posLo, plan.posHi, anyPos, pt.x1);
          Widen(plan.valLo, plan.valHi, anyVal, pt.y);
          Widen(plan.valLo, plan.valHi, anyVal, pt.y1);
          break;
        case ChartSeriesKind::Bubble:
          Widen(plan.posLo, plan.posHi, anyPos, pt.x);
          Widen(plan.valLo, plan.valHi, anyVal, pt.y - std::fabs(pt.radius));
          Widen(plan.valLo, plan.valHi, anyVal, pt.y + std::fabs(pt.radius));
          break;
        default: {
          const double pos = Position(pt, i);
          Widen(plan.posLo, plan.posHi, anyPos, pos);
          if (IsBar(s->Kind()) && stacked && Finite(pt.y)) {
            (pt.y >= 0 ? stacks.up[pos] : stacks.down[pos]) += pt.y;
            stacks.total[pos] += std::fabs(pt.y);
          } else {
            Widen(plan.valLo, plan.valHi, anyVal, pt.y);
          }
          if (IsBar(s->Kind()) || s->Kind() == ChartSeriesKind::Area) Widen(plan.valLo, plan.valHi, anyVal, 0);
        }
      }
    }
  }
  if (plan.barSeries && stacked) {
    Widen(plan.valLo, plan.valHi, anyVal, 0);
    if (plan.multiBar == ChartMultiBar::Stacked100) {
      Widen(plan.valLo, plan.valHi, anyVal, 100);
    } else {
      for (auto& [pos, v] : stacks.up) Widen(plan.valLo, plan.valHi, anyVal, v);
      for (auto& [pos, v] : stacks.down) Widen(plan.valLo, plan.valHi, anyVal, v);
    }
  }
  if (!anyVal) plan.valLo = 0, plan.valHi = 1;

  if (plan.categorical) {
    plan.posLo = -0.5;
    plan.posHi = std::max<double>(1, static_cast<double>(maxPoints)) - 0.5;
    plan.categories.assign(maxPoints, u"");
    for (const ChartSeries* s : series) {
      for (size_t i = 0; i < s->Points().size(); ++i) {
        if (plan.categories[i].empty()) plan.categories[i] = LabelText(s->Points()[i].label);
      }
    }
  } else {
    if (!anyPos) plan.posLo = 0, plan.posHi = 1;
    // Bars and rows need half a slot beyond the outer positions.
    std::vector<double> xs;
    for (const ChartSeries* s : series) {
      if (!IsBar(s->Kind()) && s->Kind() != ChartSeriesKind::Gantt) continue;
      for (size_t i = 0; i < s->Points().size() && xs.size() < 200000; ++i) {
        const ChartPoint& pt = s->Points()[i];
        if (!pt.isNull) xs.push_back(s->Kind() == ChartSeriesKind::Gantt ? pt.y : Position(pt, i));
      }
    }
    if (!xs.empty()) {
      std::sort(xs.begin(), xs.end());
      double gap = 0;
      for (size_t i = 1; i < xs.size(); ++i) {
        double g = xs[i] - xs[i - 1];
        if (g > 0 && (gap == 0 || g < gap)) gap = g;
      }
      plan.slot = gap > 0 ? gap : 1;
      plan.posLo -= plan.slot / 2;
      plan.posHi += plan.slot / 2;
    } else {
      // Markers and bubbles at the outer positions stay inside the plot.
      const bool bubbles = std::any_of(series.begin(), series.end(),
                                       [](const ChartSeries* s) { return s->Kind() == ChartSeriesKind::Bubble; });
      double range = plan.posHi - plan.posLo;
      double pad = range > 0 ? range * (bubbles ? 0.15 : 0.05) : 0.5;
      plan.posLo -= pad;
      plan.posHi += pad;
    }
    if (plan.gantt) {
      plan.rowLo = std::ceil(plan.posLo);
      for (double row = plan.rowLo; row <= plan.posHi && plan.categories.size() < 100; row += 1) {
        std::u16string label;
        for (const ChartSeries* s : series) {
          for (const ChartPoint& pt : s->Points()) {
            if (!pt.isNull && label.empty() && pt.y == row) label = LabelText(pt.label);
          }
        }
        plan.categories.push_back(label);
      }
    }
  }
  (void)chart;
  return plan;
}

class Mapper {
 public:
  Mapper(const Plan& plan, const ChartScale& pos, const ChartScale& val, const ChartRectF& front)
      : plan_(plan), pos_(pos), val_(val), front_(front) {}

  // Layout point of (position, value) at depth z (0 front .. 1 back).
  ChartPointF At(double position, double value, double z, const ChartDepth& d) const {
    double pf = (position - pos_.minimum) / (pos_.maximum - pos_.minimum);
    double vf = (value - val_.minimum) / (val_.maximum - val_.minimum);
    pf = std::clamp(pf, -2.0, 3.0);
    vf = std::clamp(vf, -2.0, 3.0);
    ChartPointF p = plan_.horizontal
                        ? ChartPointF{front_.left + vf * front_.Width(), front_.top + pf * front_.Height()}
                        : ChartPointF{front_.left + pf * front_.Width(), front_.bottom - vf * front_.Height()};
    return {p.x + d.dx * z, p.y - d.dy * z};
  }
  double PositionLength(double units) const {
    return units / (pos_.maximum - pos_.minimum) * (plan_.horizontal ? front_.Height() : front_.Width());
  }
  double ValueLength(double units) const {
    return units / (val_.maximum - val_.minimum) * (plan_.horizontal ? front_.Width() : front_.Height());
  }

 private:
  const Plan& plan_;
  ChartScale pos_, val_;
  ChartRectF front_;
};

ChartPointF Offset(ChartPointF p, const ChartDepth& d, double z) { return {p.x + d.dx * z, p.y - d.dy * z}; }

// A box from a to b (opposite corners of the front face) pushed back from z0 to z1.
void Box(ChartPainter& p, ChartPointF a, ChartPointF b, double z0, double z1, const ChartDepth& d, TColor color) {
  double l = std::min(a.x, b.x), r = std::max(a.x, b.x), t = std::min(a.y, b.y), bo = std::max(a.y, b.y);
  if (d.Any()) {
    ChartPointF top[] = {Offset({l, t}, d, z0), Offset({r, t}, d, z0), Offset({r, t}, d, z1), Offset({l, t}, d, z1)};
    p.Polygon(top, Lighter(color, 0.25), Darker(color, 0.6));
    ChartPointF side[] = {Offset({r, t}, d, z0), Offset({r, t}, d, z1), Offset({r, bo}, d, z1), Offset({r, bo}, d, z0)};
    p.Polygon(side, Darker(color, 0.75), Darker(color, 0.6));
  }
  ChartPointF f0 = Offset({l, t}, d, z0), f1 = Offset({r, bo}, d, z0);
  ChartPointF front[] = {f0, {f1.x, f0.y}, f1, {f0.x, f1.y}};
  p.Polygon(front, color, Darker(color, 0.6));
}

void Marker(ChartPainter& p, ChartPointF c, ChartPointerStyle style, TColor color) {
  const double r = 3.5;
  const TColor edge = Darker(color, 0.55);
  switch (style) {
    case ChartPointerStyle::Circle:
      p.Ellipse({c.x - r, c.y - r, c.x + r, c.y + r}, color, edge);
      break;
    case ChartPointerStyle::Triangle: {
      ChartPointF t[] = {{c.x, c.y - r}, {c.x + r, c.y + r}, {c.x - r, c.y + r}};
      p.Polygon(t, color, edge);
      break;
    }
    case ChartPointerStyle::DownTriangle: {
      ChartPointF t[] = {{c.x - r, c.y - r}, {c.x + r, c.y - r}, {c.x, c.y + r}};
      p.Polygon(t, color, edge);
      break;
    }
    case ChartPointerStyle::Diamond: {
      ChartPointF t[] = {{c.x, c.y - r}, {c.x + r, c.y}, {c.x, c.y + r}, {c.x - r, c.y}};
      p.Polygon(t, color, edge);
      break;
    }
    case ChartPointerStyle::Cross:
      p.Line({c.x - r, c.y - r}, {c.x + r, c.y + r}, color, 1.2);
      p.Line({c.x - r, c.y + r}, {c.x + r, c.y - r}, color, 1.2);
      break;
    case ChartPointerStyle::Rectangle:
      p.Rect({c.x - r, c.y - r, c.x + r, c.y + r}, color, edge);
      break;
  }
}

// Runs of consecutive non-null points as layout points at depth z.
std::vector<std::vector<ChartPointF>> Runs(const ChartSeries& s, const Mapper& m, double z, const ChartDepth& d) {
  std::vector<std::vector<ChartPointF>> runs(1);
  for (size_t i = 0; i < s.Points().size(); ++i) {
    const ChartPoint& pt = s.Points()[i];
    if (pt.isNull || !Finite(pt.y)) {
      if (!runs.back().empty()) runs.emplace_back();
      continue;
    }
    runs.back().push_back(m.At(Position(pt, i), pt.y, z, d));
  }
  if (runs.back().empty()) runs.pop_back();
  return runs;
}

struct SeriesSlot {
  double z0 = 0, z1 = 1;
};

void DrawBars(ChartPainter& p, const Plan& plan, const Mapper& m, const ChartSeries& s, size_t barIndex,
              const Stacks& stacks, std::map<double, double>& upBase, std::map<double, double>& downBase,
              const ChartDepth& d, std::vector<std::pair<ChartPointF, std::u16string>>& marks) {
  const double group = plan.slot * s.BarWidthPercent() / 100.0;
  const bool side = plan.multiBar == ChartMultiBar::Side && plan.barSeries > 1;
  const double width = side ? group / static_cast<double>(plan.barSeries) : group;
  const bool stacked = plan.multiBar == ChartMultiBar::Stacked || plan.multiBar == ChartMultiBar::Stacked100;
  for (size_t i = 0; i < s.Points().size(); ++i) {
    const ChartPoint& pt = s.Points()[i];
    if (pt.isNull || !Finite(pt.y)) continue;
    const double pos = Position(pt, i);
    double from = pos - group / 2 + (side ? width * static_cast<double>(barIndex) : 0);
    double value = pt.y, base = 0;
    if (stacked) {
      if (plan.multiBar == ChartMultiBar::Stacked100) {
        auto t = stacks.total.find(pos);
        double total = t == stacks.total.end() ? 0 : t->second;
        value = total > 0 ? pt.y / total * 100 : 0;
      }
      double& b = value >= 0 ? upBase[pos] : downBase[pos];
      base = b;
      b += value;
      value = base + value;
    }
    ChartPointF a = m.At(from, value, 0, {}), b = m.At(from + width, base, 0, {});
    Box(p, a, b, 0, 1, d, s.PointColor(i));
    if (s.MarksVisible() && marks.size() < kMaxMarks) {
      ChartPointF at = plan.horizontal ? ChartPointF{std::max(a.x, b.x), (a.y + b.y) / 2}
                                       : ChartPointF{(a.x + b.x) / 2, std::min(a.y, b.y)};
      marks.push_back({Offset(at, d, 0.5), Wide(MarkValueText(pt.y, s.YDateTime()))});
    }
  }
}

void DrawLineLike(ChartPainter& p, const Mapper& m, const ChartSeries& s, SeriesSlot slot, const ChartDepth& d,
                  const ChartScale& val, std::vector<std::pair<ChartPointF, std::u16string>>& marks) {
  const TColor color = s.Color();
  const ChartSeriesKind kind = s.Kind();
  const double zMid = d.Any() ? (slot.z0 + slot.z1) / 2 : 0;
  auto runs = Runs(s, m, d.Any() ? slot.z0 : 0, d);
  if (kind == ChartSeriesKind::Area) {
    const double base = std::clamp(0.0, val.minimum, val.maximum);
    for (const auto& run : runs) {
      std::vector<ChartPointF> poly = run;
      ChartPointF first = run.front(), last = run.back();
      const ChartPointF baseL = m.At(0, base, 0, {}), baseR = baseL;
      poly.push_back({last.x, baseR.y - d.dy * (d.Any() ? slot.z0 : 0)});
      poly.push_back({first.x, baseL.y - d.dy * (d.Any() ? slot.z0 : 0)});
      if (d.Any()) {
        for (size_t i = 1; i < run.size(); ++i) {
          ChartPointF top[] = {run[i - 1], run[i], Offset(run[i], d, slot.z1 - slot.z0),
                               Offset(run[i - 1], d, slot.z1 - slot.z0)};
          p.Polygon(top, Lighter(color, 0.25), Darker(color, 0.6));
        }
      }
      p.Polygon(poly, color, Darker(color, 0.6));
    }
  } else if (d.Any() && kind != ChartSeriesKind::Point && kind != ChartSeriesKind::FastLine) {
    for (const auto& run : runs) {
      for (size_t i = 1; i < run.size(); ++i) {
        ChartPointF ribbon[] = {run[i - 1], run[i], Offset(run[i], d, slot.z1 - slot.z0),
                                Offset(run[i - 1], d, slot.z1 - slot.z0)};
        p.Polygon(ribbon, color, Darker(color, 0.6));
      }
    }
  } else if (kind != ChartSeriesKind::Point) {
    const double width = kind == ChartSeriesKind::FastLine ? 1 : std::max(2, s.LineWidth());
    for (auto run : runs) {
      if (d.Any()) {
        for (ChartPointF& q : run) q = Offset(q, d, zMid - slot.z0);
      }
      if (run.size() == 1) {
        p.Rect({run[0].x - 1, run[0].y - 1, run[0].x + 1, run[0].y + 1}, color, clTransparent);
      }
      p.Polyline(run, color, width);
    }
  }
  const bool pointers = kind == ChartSeriesKind::Point || (kind != ChartSeriesKind::FastLine && s.PointerVisible());
  for (size_t i = 0; i < s.Points().size(); ++i) {
    const ChartPoint& pt = s.Points()[i];
    if (pt.isNull || !Finite(pt.y)) continue;
    ChartPointF c = m.At(Position(pt, i), pt.y, zMid, d);
    if (pointers) Marker(p, c, s.PointerStyle(), s.PointColor(i));
    if (s.MarksVisible() && marks.size() < kMaxMarks) marks.push_back({c, Wide(MarkValueText(pt.y, s.YDateTime()))});
  }
}

void DrawGantt(ChartPainter& p, const Plan& plan, const Mapper& m, const ChartSeries& s, const ChartDepth& d) {
  const double h = plan.slot * 0.6;
  const auto& pts = s.Points();
  for (size_t i = 0; i < pts.size(); ++i) {
    const ChartPoint& pt = pts[i];
    if (pt.isNull) continue;
    ChartPointF a = m.At(pt.y - h / 2, pt.x, 0, {}), b = m.At(pt.y + h / 2, pt.x1, 0, {});
    Box(p, a, b, 0, 1, d, s.PointColor(i));
    if (pt.nextTask >= 0 && static_cast<size_t>(pt.nextTask) < pts.size() && !pts[static_cast<size_t>(pt.nextTask)].isNull) {
      const ChartPoint& next = pts[static_cast<size_t>(pt.nextTask)];
      ChartPointF from = m.At(pt.y, pt.x1, 0, {}), to = m.At(next.y, next.x, 0, {});
      ChartPointF path[] = {from, {from.x + 6, from.y}, {from.x + 6, to.y}, to};
      p.Polyline(path, RGBColor(0x40, 0x40, 0x40), 1);
    }
  }
}

void DrawArrows(ChartPainter& p, const Mapper& m, const ChartSeries& s, const ChartDepth& d) {
  for (size_t i = 0; i < s.Points().size(); ++i) {
    const ChartPoint& pt = s.Points()[i];
    if (pt.isNull) continue;
    ChartPointF a = m.At(pt.x, pt.y, 0.5, d), b = m.At(pt.x1, pt.y1, 0.5, d);
    TColor color = s.PointColor(i);
    p.Line(a, b, color, 1.5);
    double len = std::hypot(b.x - a.x, b.y - a.y);
    if (len < 1e-6) continue;
    double ux = (b.x - a.x) / len, uy = (b.y - a.y) / len, head = std::min(9.0, len * 0.6);
    ChartPointF tip[] = {b, {b.x - ux * head - uy * head * 0.45, b.y - uy * head + ux * head * 0.45},
                         {b.x - ux * head + uy * head * 0.45, b.y - uy * head - ux * head * 0.45}};
    p.Polygon(tip, color, color);
  }
}

void DrawBubbles(ChartPainter& p, const Mapper& m, const ChartSeries& s, const ChartDepth& d) {
  for (size_t i = 0; i < s.Points().size(); ++i) {
    const ChartPoint& pt = s.Points()[i];
    if (pt.isNull) continue;
    ChartPointF c = m.At(pt.x, pt.y, 0.5, d);
    double r = std::min(std::fabs(m.ValueLength(pt.radius)), 2000.0);
    TColor color = s.PointColor(i);
    p.Ellipse({c.x - r, c.y - r, c.x + r, c.y + r}, color, Darker(color, 0.6));
  }
}

void DrawShapes(ChartPainter& p, const Mapper& m, const ChartSeries& s, const ChartDepth& d) {
  const auto& pts = s.Points();
  for (size_t i = 0; i + 1 < pts.size(); i += 2) {
    if (pts[i].isNull || pts[i + 1].isNull) continue;
    ChartPointF a = m.At(Position(pts[i], i), pts[i].y, 0.5, d);
    ChartPointF b = m.At(Position(pts[i + 1], i + 1), pts[i + 1].y, 0.5, d);
    ChartRectF r{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    TColor color = s.PointColor(i);
    if (s.ShapeIsEllipse()) {
      p.Ellipse(r, color, Darker(color, 0.6));
    } else {
      p.Rect(r, color, Darker(color, 0.6));
    }
  }
}

ChartScale ValueScale(const TChart& chart, const Plan& plan, double length) {
  const ChartAxisSettings& axis = plan.horizontal ? chart.BottomAxis() : chart.LeftAxis();
  int ticks = std::max(2, static_cast<int>(length / (plan.horizontal ? 70 : 38)));
  if (!axis.automatic) return FixedScale(axis.minimum, axis.maximum, ticks);
  if (plan.multiBar == ChartMultiBar::Stacked100 && plan.barSeries) return FixedScale(0, 100, ticks);
  return NiceScale(plan.valLo, plan.valHi, ticks);
}

ChartScale PositionScale(const TChart& chart, const Plan& plan, double length) {
  if (plan.categorical || plan.gantt) {
    ChartScale s;
    s.minimum = plan.posLo;
    s.maximum = plan.posHi;
    s.step = 1;
    return s;
  }
  const ChartAxisSettings& axis = plan.horizontal ? chart.LeftAxis() : chart.BottomAxis();
  int ticks = std::max(2, static_cast<int>(length / (plan.horizontal ? 38 : 80)));
  if (!axis.automatic) return FixedScale(axis.minimum, axis.maximum, ticks);
  ChartScale s = FixedScale(plan.posLo, plan.posHi, ticks);
  return s;
}

struct Tick {
  double at;  // position or value
  std::u16string text;
};

std::vector<Tick> ValueTicks(const ChartScale& s, bool date) {
  std::vector<Tick> ticks;
  double first = std::ceil(s.minimum / s.step - 1e-9) * s.step;
  for (int i = 0; i < 200; ++i) {
    double v = first + i * s.step;
    if (v > s.maximum + s.step * 1e-9) break;
    ticks.push_back({v, Wide(AxisValueText(v, s.step, date))});
  }
  return ticks;
}

std::vector<Tick> PositionTicks(const Plan& plan, const ChartScale& s) {
  std::vector<Tick> ticks;
  if (plan.categorical) {
    for (size_t i = 0; i < plan.categories.size(); ++i) ticks.push_back({static_cast<double>(i), plan.categories[i]});
    return ticks;
  }
  if (plan.gantt) {
    for (size_t i = 0; i < plan.categories.size(); ++i) {
      double row = plan.rowLo + static_cast<double>(i);
      std::u16string text = plan.categories[i];
      ticks.push_back({row, text.empty() ? Wide(AxisValueText(row, 1, false)) : text});
    }
    return ticks;
  }
  return ValueTicks(s, plan.posDate);
}

// Where everything of the plot goes: the label font, the axes shown, the front and back
// planes of the plot and the final scales with their ticks.
struct CartesianLayout {
  ChartFont font;
  double lineH = 0;
  bool showLeft = false, showBottom = false;
  double leftW = 0;  // room for the left axis labels
  ChartDepth d;
  ChartRectF front, back;
  ChartScale posScale, valScale;
  std::vector<Tick> posTicks, valTicks;
};

// First guesses of the scales give the label sizes, which give the plot; the final
// scales are made for the plot's front plane. False when no plot fits in the area.
bool LayOutCartesian(ChartPainter& p, const TChart& chart, const std::vector<const ChartSeries*>& series,
                     const ChartRectF& area, const Plan& plan, CartesianLayout& out) {
  const bool axes = chart.AxisVisible();
  const ChartAxisSettings& leftAxis = chart.LeftAxis();
  const ChartAxisSettings& bottomAxis = chart.BottomAxis();
  out.showLeft = axes && leftAxis.visible;
  out.showBottom = axes && bottomAxis.visible;
  out.font = LabelFont(std::clamp(std::min(area.Width(), area.Height()) / 200.0, 0.6, 1.0));
  out.font.color = RGBColor(0x30, 0x30, 0x30);
  out.lineH = p.LineHeight(out.font);
  const double lineH = out.lineH;

  const ChartScale posGuess = PositionScale(chart, plan, plan.horizontal ? area.Height() : area.Width());
  const ChartScale valGuess = ValueScale(chart, plan, plan.horizontal ? area.Width() : area.Height());
  const std::vector<Tick> leftTicks = plan.horizontal ? PositionTicks(plan, posGuess) : ValueTicks(valGuess, plan.valDate);
  if (out.showLeft && leftAxis.labelsVisible) {
    for (const Tick& t : leftTicks) out.leftW = std::max(out.leftW, p.TextWidth(t.text, out.font));
    out.leftW = std::min(out.leftW, area.Width() * 0.35) + 5;
  }
  const bool anyMarks = std::any_of(series.begin(), series.end(), [](const ChartSeries* s) { return s->MarksVisible(); });
  ChartRectF plot = area;
  plot.left += out.leftW + (out.showLeft && !leftAxis.title.empty() ? lineH + 4 : 0);
  plot.bottom -= (out.showBottom && bottomAxis.labelsVisible ? lineH + 4 : 0) +
                 (out.showBottom && !bottomAxis.title.empty() ? lineH + 4 : 0);
  plot.top += anyMarks && !plan.horizontal ? lineH + 6 : lineH / 2;
  plot.right -= plan.horizontal && anyMarks ? 40 : 8;
  if (plot.IsEmpty() || plot.Width() < 10 || plot.Height() < 10) return false;

  out.d = DepthFor(chart, plot, series.size());
  out.front = {plot.left, plot.top + out.d.dy, plot.right - out.d.dx, plot.bottom};
  if (out.front.IsEmpty()) return false;
  out.back = {out.front.left + out.d.dx, out.front.top - out.d.dy, out.front.right + out.d.dx,
              out.front.bottom - out.d.dy};
  out.posScale = PositionScale(chart, plan, plan.horizontal ? out.front.Height() : out.front.Width());
  out.valScale = ValueScale(chart, plan, plan.horizontal ? out.front.Width() : out.front.Height());
  out.posTicks = PositionTicks(plan, out.posScale);
  out.valTicks = ValueTicks(out.valScale, plan.valDate);
  return true;
}

// The walls behind the plot and the grid along the value ticks, on the back wall and
// the wall beside it.
void DrawWallsAndGrid(ChartPainter& p, const TChart& chart, const Plan& plan, const Mapper& m,
                      const CartesianLayout& l) {
  const ChartRectF& front = l.front;
  const ChartRectF& back = l.back;
  const ChartDepth& d = l.d;
  TColor wall = chart.BackWallColor() != clTransparent ? chart.BackWallColor() : (d.Any() ? clWhite : clTransparent);
  if (d.Any()) {
    ChartPointF leftWall[] = {{front.left, front.top}, {back.left, back.top}, {back.left, back.bottom}, {front.left, front.bottom}};
    p.Polygon(leftWall, kWallColor, RGBColor(0xB0, 0xB0, 0xB0));
    ChartPointF floor[] = {{front.left, front.bottom}, {front.right, front.bottom}, {back.right, back.bottom}, {back.left, back.bottom}};
    p.Polygon(floor, kWallColor, RGBColor(0xB0, 0xB0, 0xB0));
  }
  p.Rect(back, wall, d.Any() ? RGBColor(0xB0, 0xB0, 0xB0) : clTransparent);

  const ChartAxisSettings& valueAxis = plan.horizontal ? chart.BottomAxis() : chart.LeftAxis();
  if (!chart.AxisVisible() || !valueAxis.visible || !valueAxis.gridVisible) return;
  for (const Tick& t : l.valTicks) {
    ChartPointF a = m.At(l.posScale.minimum, t.at, 1, d), b = m.At(l.posScale.maximum, t.at, 1, d);
    p.Line(a, b, kGridColor);
    if (d.Any()) p.Line(m.At(l.posScale.minimum, t.at, 0, d), a, kGridColor);
  }
}

// Stacked and grouped bars share the full depth; the other series each take a slice of
// it, drawn from the back. Value marks are collected to be drawn over everything.
void DrawCartesianSeries(ChartPainter& p, const Plan& plan, const Mapper& m, const std::vector<const ChartSeries*>& series,
                         const Stacks& stacks, const CartesianLayout& l,
                         std::vector<std::pair<ChartPointF, std::u16string>>& marks) {
  const ChartDepth& d = l.d;
  p.ClipTo({l.front.left - 1, l.back.top - 1, l.back.right + 1, l.front.bottom + 1});
  std::map<double, double> upBase, downBase;
  size_t barIndex = 0;
  std::vector<const ChartSeries*> others;
  for (const ChartSeries* s : series) {
    if (IsBar(s->Kind())) {
      DrawBars(p, plan, m, *s, barIndex++, stacks, upBase, downBase, d, marks);
    } else {
      others.push_back(s);
    }
  }
  for (size_t k = others.size(); k-- > 0;) {
    const ChartSeries& s = *others[k];
    SeriesSlot slot{static_cast<double>(k) / others.size(), static_cast<double>(k + 1) / others.size()};
    switch (s.Kind()) {
      case ChartSeriesKind::Gantt:
        DrawGantt(p, plan, m, s, d);
        break;
      case ChartSeriesKind::Arrow:
        DrawArrows(p, m, s, d);
        break;
      case ChartSeriesKind::Bubble:
        DrawBubbles(p, m, s, d);
        break;
      case ChartSeriesKind::Shape:
        DrawShapes(p, m, s, d);
        break;
      default:
        DrawLineLike(p, m, s, slot, d, l.valScale, marks);
    }
  }
  p.RestoreClip();
}

// The left axis with its ticks, labels (none closer than a line) and title.
void DrawLeftAxis(ChartPainter& p, const TChart& chart, const Plan& plan, const Mapper& m, const CartesianLayout& l,
                  const ChartRectF& area) {
  const ChartAxisSettings& axis = chart.LeftAxis();
  const ChartRectF& front = l.front;
  p.Line({front.left, front.top}, {front.left, front.bottom}, kAxisColor);
  if (axis.labelsVisible) {
    double lastY = 1e300;
    for (const Tick& t : (plan.horizontal ? l.posTicks : l.valTicks)) {
      ChartPointF at = plan.horizontal ? m.At(t.at, l.valScale.minimum, 0, l.d) : m.At(l.posScale.minimum, t.at, 0, l.d);
      if (at.y < front.top - 1 || at.y > front.bottom + 1 || std::fabs(lastY - at.y) < l.lineH * 0.9) continue;
      lastY = at.y;
      p.Line({front.left - 3, at.y}, {front.left, at.y}, kAxisColor);
      double w = std::min(p.TextWidth(t.text, l.font), l.leftW);
      p.Text(front.left - 4 - w, at.y - l.lineH / 2, t.text, l.font);
    }
  }
  if (!axis.title.empty()) {
    std::u16string title = LabelText(axis.title);
    double w = p.TextWidth(title, l.font);
    p.Text(area.left, (front.top + front.bottom + w) / 2, title, l.font, 90);
  }
}

// The bottom axis with its ticks, labels (none overlapping the one before) and title.
void DrawBottomAxis(ChartPainter& p, const TChart& chart, const Plan& plan, const Mapper& m, const CartesianLayout& l,
                    const ChartRectF& area) {
  const ChartAxisSettings& axis = chart.BottomAxis();
  const ChartRectF& front = l.front;
  p.Line({front.left, front.bottom}, {front.right + 1, front.bottom}, kAxisColor);
  if (axis.labelsVisible) {
    double lastRight = -1e300;
    for (const Tick& t : (plan.horizontal ? l.valTicks : l.posTicks)) {
      ChartPointF at = plan.horizontal ? m.At(l.posScale.maximum, t.at, 0, l.d) : m.At(t.at, l.valScale.minimum, 0, l.d);
      if (at.x < front.left - 1 || at.x > front.right + 1) continue;
      double w = p.TextWidth(t.text, l.font);
      double left = std::clamp(at.x - w / 2, area.left, area.right - w);
      if (left < lastRight + 4) continue;
      lastRight = left + w;
      p.Line({at.x, front.bottom}, {at.x, front.bottom + 3}, kAxisColor);
      p.Text(left, front.bottom + 3, t.text, l.font);
    }
  }
  if (!axis.title.empty()) {
    std::u16string title = LabelText(axis.title);
    p.Text((front.left + front.right - p.TextWidth(title, l.font)) / 2, area.bottom - l.lineH, title, l.font);
  }
}

}  // namespace

void DrawCartesian(ChartPainter& p, const TChart& chart, const std::vector<const ChartSeries*>& series,
                   const ChartRectF& area) {
  if (series.empty()) return;
  Stacks stacks;
  const Plan plan = MakePlan(chart, series, stacks);
  CartesianLayout layout;
  if (!LayOutCartesian(p, chart, series, area, plan, layout)) return;
  const Mapper m(plan, layout.posScale, layout.valScale, layout.front);
  DrawWallsAndGrid(p, chart, plan, m, layout);
  std::vector<std::pair<ChartPointF, std::u16string>> marks;
  DrawCartesianSeries(p, plan, m, series, stacks, layout, marks);
  if (layout.showLeft) DrawLeftAxis(p, chart, plan, m, layout, area);
  if (layout.showBottom) DrawBottomAxis(p, chart, plan, m, layout, area);
  for (const auto& [at, text] : marks) DrawMark(p, at.x, at.y, text, plan.horizontal);
}

}  // namespace quarlo
