#pragma once
// The pieces of the chart drawing, shared by its files.
#include <string>
#include <vector>

#include "objects/special/chart_model.h"
#include "objects/special/chart_painter.h"

namespace quarlo {

// Series drawn on this chart, in order (active ones only).
std::vector<const ChartSeries*> VisibleSeries(const TChart& chart);

// Text of a point label (code page bytes) for drawing.
std::u16string LabelText(const std::string& label);
std::u16string Wide(const std::string& ascii);

// The depth of a 3-D view in layout units for a plot of this size (0 without depth),
// and its offset direction.
struct ChartDepth {
  double dx = 0;
  double dy = 0;
  bool Any() const { return dx > 0 || dy > 0; }
};
ChartDepth DepthFor(const TChart& chart, const ChartRectF& plot, size_t seriesCount);

// A value mark: a small box with the text, centred above (x, y) or, when `right`, to
// its right.
void DrawMark(ChartPainter& p, double x, double y, std::u16string_view text, bool right);

void DrawPie(ChartPainter& p, const TChart& chart, const ChartSeries& series, const ChartRectF& area);
void DrawCartesian(ChartPainter& p, const TChart& chart, const std::vector<const ChartSeries*>& series,
                   const ChartRectF& area);

ChartFont LabelFont(double scale);

}  // namespace quarlo
