#pragma once
// Geometry a metafile player needs before anything reaches the canvas: curves turned
// into point chains in logical space (so any world transform applies to them exactly
// like to straight lines), and clipping against a generous box around the visible area
// (a hostile file may put points a billion pixels away; the canvas would walk every one
// of those pixels).

#include <vector>

namespace quarlo {

struct MfPoint {
  double x = 0;
  double y = 0;
};

// Affine map: x' = x * m11 + y * m21 + dx, y' = x * m12 + y * m22 + dy.
struct MfXform {
  double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
  MfPoint Apply(MfPoint p) const { return {p.x * m11 + p.y * m21 + dx, p.x * m12 + p.y * m22 + dy}; }
  // This transform followed by `then`.
  MfXform Then(const MfXform& then) const;
  bool AxisAligned() const { return m12 == 0 && m21 == 0; }
  bool Finite() const;
};

// The points of the elliptic arc inside the box (left, top, right, bottom) from the ray
// towards `start` to the ray towards `end`, counter-clockwise in y-down space when
// `counterClockwise` (the platform's default direction), else clockwise. Equal rays
// give the whole ellipse. At most `segments` + 1 points.
std::vector<MfPoint> ArcPoints(double left, double top, double right, double bottom, MfPoint start, MfPoint end,
                               bool counterClockwise, int segments = 64);
// A closed ellipse outline (first point not repeated).
std::vector<MfPoint> EllipsePoints(double left, double top, double right, double bottom, int segments = 64);
// A rectangle with corner ellipses of width x height.
std::vector<MfPoint> RoundRectPoints(double left, double top, double right, double bottom, double width,
                                     double height);
// Cubic Bezier from p0 through control points c1, c2 to p3, without p0.
void AppendBezier(std::vector<MfPoint>& out, MfPoint p0, MfPoint c1, MfPoint c2, MfPoint p3, int segments = 16);

struct MfBox {
  double left = 0, top = 0, right = 0, bottom = 0;
  bool Contains(MfPoint p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
};

// The polygon clipped to the box (Sutherland-Hodgman); parts outside become edges along
// the box, which lies outside everything visible.
std::vector<MfPoint> ClipPolygon(const std::vector<MfPoint>& polygon, const MfBox& box);
// The open chain clipped to the box: the visible pieces, each a chain of its own.
std::vector<std::vector<MfPoint>> ClipPolyline(const std::vector<MfPoint>& chain, const MfBox& box);

}  // namespace quarlo
