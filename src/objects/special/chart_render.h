#pragma once
// The charting engine's drawing: background, frame, title, legend, then either a pie
// or axes with grid, labels and every series, optionally with depth.
#include "platform/canvas.h"

namespace quarlo {

class TChart;

// Lays the chart out in width x height report pixels and draws it onto `device`,
// nothing outside it. Empty sizes draw nothing.
void RenderChart(const TChart& chart, Canvas& canvas, const CanvasRect& device, int width, int height);

}  // namespace quarlo
