#include "objects/special/chart_render.h"

#include <algorithm>
#include <cmath>

#include "objects/special/chart_axis.h"
#include "objects/special/chart_render_parts.h"
#include "platform/codepage.h"

namespace quarlo {

namespace {

struct LegendEntry {
  std::u16string text;
  TColor color;
};

// Pies and single series coloured point by point list their points; others list the
// series.
std::vector<LegendEntry> LegendEntries(const std::vector<const ChartSeries*>& series) {
  std::vector<LegendEntry> entries;
  if (series.size() == 1 && (series[0]->Kind() == ChartSeriesKind::Pie || series[0]->ColorEachPoint())) {
    const ChartSeries& s = *series[0];
    for (size_t i = 0; i < s.Points().size() && entries.size() < 200; ++i) {
      const ChartPoint& pt = s.Points()[i];
      if (pt.isNull) continue;
      std::u16string text = LabelText(pt.label);
      if (text.empty()) text = Wide(MarkValueText(pt.y, s.YDateTime()));
      entries.push_back({text, s.PointColor(i)});
    }
    return entries;
  }
  for (const ChartSeries* s : series) entries.push_back({LabelText(s->Title()), s->Color()});
  return entries;
}

// Draws the legend at one side of `area` and takes its room from it.
void DrawLegend(ChartPainter& p, const TChart& chart, const std::vector<LegendEntry>& entries, ChartRectF& area,
                double scale) {
  if (entries.empty()) return;
  ChartFont font = LabelFont(scale);
  const double lineH = p.LineHeight(font) * 1.15;
  const double swatch = lineH * 0.7, pad = 4 * scale, gap = 4 * scale;
  double textW = 0;
  for (const LegendEntry& e : entries) textW = std::max(textW, p.TextWidth(e.text, font));
  const bool vertical = chart.LegendAlign() == ChartLegendAlign::Left || chart.LegendAlign() == ChartLegendAlign::Right;
  const double itemW = swatch + gap + textW;

  ChartRectF box;
  size_t perRow = 1, rows = entries.size();
  if (vertical) {
    double w = std::min(itemW + 2 * pad, area.Width() * 0.4);
    rows = std::min(entries.size(), static_cast<size_t>(std::max(1.0, (area.Height() - 2 * pad) / lineH)));
    double h = rows * lineH + 2 * pad;
    double top = area.top + std::max(0.0, (area.Height() - h) / 2);
    if (chart.LegendAlign() == ChartLegendAlign::Right) {
      box = {area.right - w, top, area.right, top + h};
      area.right = box.left - gap * 2;
    } else {
      box = {area.left, top, area.left + w, top + h};
      area.left = box.right + gap * 2;
    }
  } else {
    perRow = std::max<size_t>(1, static_cast<size_t>((area.Width() - 2 * pad) / (itemW + 3 * gap)));
    rows = std::min<size_t>((entries.size() + perRow - 1) / perRow, 3);
    double w = std::min(area.Width(), perRow * (itemW + 3 * gap) + 2 * pad);
    double h = rows * lineH + 2 * pad;
    double left = area.left + (area.Width() - w) / 2;
    if (chart.LegendAlign() == ChartLegendAlign::Bottom) {
      box = {left, area.bottom - h, left + w, area.bottom};
      area.bottom = box.top - gap;
    } else {
      box = {left, area.top, left + w, area.top + h};
      area.top = box.bottom + gap;
    }
  }
  p.Rect(box, clWhite, RGBColor(0xA0, 0xA0, 0xA0));
  p.ClipTo(box);
  for (size_t i = 0; i < entries.size() && i < rows * perRow; ++i) {
    size_t row = vertical ? i : i / perRow, col = vertical ? 0 : i % perRow;
    double x = box.left + pad + col * (itemW + 3 * gap);
    double y = box.top + pad + row * lineH;
    ChartRectF sw{x, y + (lineH - swatch) / 2, x + swatch, y + (lineH + swatch) / 2};
    p.Rect(sw, entries[i].color, Darker(entries[i].color));
    p.Text(x + swatch + gap, y + (lineH - p.LineHeight(font)) / 2, entries[i].text, font);
  }
  p.RestoreClip();
}

}  // namespace

std::vector<const ChartSeries*> VisibleSeries(const TChart& chart) {
  std::vector<const ChartSeries*> out;
  for (int i = 0; i < chart.SeriesCount(); ++i) {
    if (chart.Series(i)->Active()) out.push_back(chart.Series(i));
  }
  return out;
}

std::u16string LabelText(const std::string& label) { return DecodeCodePage(label, CP_ACP); }

std::u16string Wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

ChartFont LabelFont(double scale) {
  ChartFont f;
  f.em = 10.67 * scale;
  return f;
}

ChartDepth DepthFor(const TChart& chart, const ChartRectF& plot, size_t seriesCount) {
  ChartDepth d;
  if (!chart.View3D()) return d;
  double size = std::min(plot.Width(), plot.Height()) * chart.Chart3DPercent() / 100.0;
  size = std::min(size, 40.0 + 8.0 * static_cast<double>(seriesCount));
  // Elevation 270..360 tilts the view; the nearer to 360, the flatter the top faces.
  double tilt = std::clamp(360.0 - std::fmod(std::fmod(chart.Elevation(), 360.0) + 360.0, 360.0), 5.0, 60.0);
  d.dx = size;
  d.dy = size * std::clamp(std::sin(tilt * 3 * M_PI / 180.0), 0.35, 1.0) * 0.8;
  return d;
}

void DrawMark(ChartPainter& p, double x, double y, std::u16string_view text, bool right) {
  ChartFont font;
  font.em = 9.5;
  const double w = p.TextWidth(text, font) + 6, h = p.LineHeight(font) + 2;
  ChartRectF box = right ? ChartRectF{x + 4, y - h / 2, x + 4 + w, y + h / 2}
                         : ChartRectF{x - w / 2, y - h - 4, x + w / 2, y - 4};
  p.Rect(box, RGBColor(0xFF, 0xFF, 0xE1), RGBColor(0x80, 0x80, 0x80));
  p.Text(box.left + 3, box.top + 1, text, font);
}

void RenderChart(const TChart& chart, Canvas& canvas, const CanvasRect& device, int width, int height) {
  if (width <= 0 || height <= 0 || device.IsEmpty()) return;
  CanvasStateSaver state(canvas);
  ChartPainter p(canvas, device, width, height);
  const ChartRectF all{0, 0, static_cast<double>(width), static_cast<double>(height)};
  p.ClipTo(all);
  p.FillRect(all, chart.BackColor());
  if (chart.FrameVisible()) p.Rect({0, 0, all.right - 1, all.bottom - 1}, clTransparent, RGBColor(0x80, 0x80, 0x80));

  // Small charts get smaller texts.
  const double scale = std::clamp(std::min(width, height) / 220.0, 0.6, 1.0);
  const double margin = std::max(3.0, std::min(width, height) * 0.03);
  ChartRectF area{margin, margin, all.right - margin, all.bottom - margin};

  if (chart.TitleVisible() && !chart.TitleLines().empty()) {
    ChartFont font;
    font.em = 13.5 * scale;
    font.style = kFontBold;
    font.color = chart.TitleColor();
    const double lineH = p.LineHeight(font);
    for (const std::string& line : chart.TitleLines()) {
      std::u16string text = LabelText(line);
      p.Text((all.right - p.TextWidth(text, font)) / 2, area.top, text, font);
      area.top += lineH;
      if (area.top > all.bottom) break;
    }
    area.top += margin;
  }

  std::vector<const ChartSeries*> series = VisibleSeries(chart);
  if (chart.LegendVisible()) DrawLegend(p, chart, LegendEntries(series), area, scale);

  if (!series.empty() && !area.IsEmpty()) {
    if (series[0]->Kind() == ChartSeriesKind::Pie) {
      DrawPie(p, chart, *series[0], area);
    } else {
      std::vector<const ChartSeries*> cartesian;
      for (const ChartSeries* s : series) {
        if (s->Kind() != ChartSeriesKind::Pie) cartesian.push_back(s);
      }
      DrawCartesian(p, chart, cartesian, area);
    }
  }
  p.RestoreClip();
}

}  // namespace quarlo
