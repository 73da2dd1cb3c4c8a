#include "objects/metafile_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quarlo {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

}  // namespace

MfXform MfXform::Then(const MfXform& t) const {
  MfXform r;
  r.m11 = m11 * t.m11 + m12 * t.m21;
  r.m12 = m11 * t.m12 + m12 * t.m22;
  r.m21 = m21 * t.m11 + m22 * t.m21;
  r.m22 = m21 * t.m12 + m22 * t.m22;
  r.dx = dx * t.m11 + dy * t.m21 + t.dx;
  r.dy = dx * t.m12 + dy * t.m22 + t.dy;
  return r;
}

bool MfXform::Finite() const {
  return std::isfinite(m11) && std::isfinite(m12) && std::isfinite(m21) && std::isfinite(m22) &&
         std::isfinite(dx) && std::isfinite(dy);
}

std::vector<MfPoint> ArcPoints(double left, double top, double right, double bottom, MfPoint start, MfPoint end,
                               bool counterClockwise, int segments) {
  const double cx = (left + right) / 2, cy = (top + bottom) / 2;
  const double rx = std::abs(right - left) / 2, ry = std::abs(bottom - top) / 2;
  std::vector<MfPoint> out;
  if (rx == 0 && ry == 0) return out;
  // Angles measured on screen (y down), counter-clockwise positive.
  auto angleOf = [&](MfPoint p) {
    const double a = std::atan2(-(p.y - cy) * (rx > 0 ? rx : 1), (p.x - cx) * (ry > 0 ? ry : 1));
    return std::isfinite(a) ? a : 0.0;
  };
  const double a0 = angleOf(start);
  double sweep = angleOf(end) - a0;
  if (counterClockwise) {
    while (sweep <= 0) sweep += kTwoPi;
  } else {
    while (sweep >= 0) sweep -= kTwoPi;
  }
  const int n = std::max(2, static_cast<int>(std::ceil(segments * std::abs(sweep) / kTwoPi)));
  out.reserve(static_cast<std::size_t>(n) + 1);
  for (int i = 0; i <= n; ++i) {
    const double a = a0 + sweep * i / n;
    out.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)});
  }
  return out;
}

std::vector<MfPoint> EllipsePoints(double left, double top, double right, double bottom, int segments) {
  const double cx = (left + right) / 2, cy = (top + bottom) / 2;
  const double rx = std::abs(right - left) / 2, ry = std::abs(bottom - top) / 2;
  std::vector<MfPoint> out;
  out.reserve(static_cast<std::size_t>(segments));
  for (int i = 0; i < segments; ++i) {
    const double a = kTwoPi * i / segments;
    out.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)});
  }
  return out;
}

std::vector<MfPoint> RoundRectPoints(double left, double top, double right, double bottom, double width,
                                     double height) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  const double rx = std::min(std::abs(width) / 2, (right - left) / 2);
  const double ry = std::min(std::abs(height) / 2, (bottom - top) / 2);
  std::vector<MfPoint> out;
  constexpr int kQuarter = 8;
  // Corner centres, counter-clockwise from the top right.
  const MfPoint centres[4] = {{right - rx, top + ry}, {left + rx, top + ry}, {left + rx, bottom - ry},
                              {right - rx, bottom - ry}};
  for (int c = 0; c < 4; ++c) {
    for (int i = 0; i <= kQuarter; ++i) {
      const double a = std::numbers::pi / 2 * (c + static_cast<double>(i) / kQuarter);
      out.push_back({centres[c].x + rx * std::cos(a), centres[c].y - ry * std::sin(a)});
    }
  }
  return out;
}

void AppendBezier(std::vector<MfPoint>& out, MfPoint p0, MfPoint c1, MfPoint c2, MfPoint p3, int segments) {
  for (int i = 1; i <= segments; ++i) {
    const double t = static_cast<double>(i) / segments, u = 1 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    out.push_back({a * p0.x + b * c1.x + c * c2.x + d * p3.x, a * p0.y + b * c1.y + c * c2.y + d * p3.y});
  }
}

std::vector<MfPoint> ClipPolygon(const std::vector<MfPoint>& polygon, const MfBox& box) {
  if (std::all_of(polygon.begin(), polygon.end(), [&](MfPoint p) { return box.Contains(p); })) return polygon;
  std::vector<MfPoint> in = polygon, out;
  // One pass per box edge: inside(p) and the crossing of a segment with the edge.
  for (int edge = 0; edge < 4 && !in.empty(); ++edge) {
    auto inside = [&](MfPoint p) {
      switch (edge) {
        case 0: return p.x >= box.left;
        case 1: return p.x <= box.right;
        case 2: return p.y >= box.top;
        default: return p.y <= box.bottom;
      }
    };
    auto cross = [&](MfPoint a, MfPoint b) {
      const bool vertical = edge < 2;
      const double v = edge == 0 ? box.left : edge == 1 ? box.right : edge == 2 ? box.top : box.bottom;
      const double t = vertical ? (v - a.x) / (b.x - a.x) : (v - a.y) / (b.y - a.y);
      return vertical ? MfPoint{v, a.y + (b.y - a.y) * t} : MfPoint{a.x + (b.x - a.x) * t, v};
    };
    out.clear();
    for (std::size_t i = 0; i < in.size(); ++i) {
      const MfPoint cur = in[i], prev = in[(i + in.size() - 1) % in.size()];
      const bool ci = inside(cur), pi = inside(prev);
      if (ci) {
        if (!pi) out.push_back(cross(prev, cur));
        out.push_back(cur);
      } else if (pi) {
        out.push_back(cross(prev, cur));
      }
    }
    std::swap(in, out);
  }
  return in;
}

std::vector<std::vector<MfPoint>> ClipPolyline(const std::vector<MfPoint>& chain, const MfBox& box) {
  std::vector<std::vector<MfPoint>> pieces;
  if (std::all_of(chain.begin(), chain.end(), [&](MfPoint p) { return box.Contains(p); })) {
    if (!chain.empty()) pieces.push_back(chain);
    return pieces;
  }
  std::vector<MfPoint> current;
  for (std::size_t i = 1; i < chain.size(); ++i) {
    // Liang-Barsky on one segment.
    const MfPoint a = chain[i - 1], b = chain[i];
    const double dx = b.x - a.x, dy = b.y - a.y;
    double t0 = 0, t1 = 1;
    bool visible = true;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - box.left, box.right - a.x, a.y - box.top, box.bottom - a.y};
    for (int k = 0; k < 4 && visible; ++k) {
      if (p[k] == 0) {
        if (q[k] < 0) visible = false;
        continue;
      }
      const double t = q[k] / p[k];
      if (p[k] < 0) t0 = std::max(t0, t);
      else t1 = std::min(t1, t);
      if (t0 > t1) visible = false;
    }
    if (!visible) {
      if (current.size() >= 2) pieces.push_back(std::move(current));
      current.clear();
      continue;
    }
    const MfPoint from{a.x + dx * t0, a.y + dy * t0}, to{a.x + dx * t1, a.y + dy * t1};
    if (t0 > 0 || current.empty()) {
      if (current.size() >= 2) pieces.push_back(std::move(current));
      current.clear();
      current.push_back(from);
    }
    current.push_back(to);
    if (t1 < 1) {
      pieces.push_back(std::move(current));
      current.clear();
    }
  }
  if (current.size() >= 2) pieces.push_back(std::move(current));
  return pieces;
}

}  // namespace quarlo
