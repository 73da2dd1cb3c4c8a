#include "objects/special/chart_model.h"

#include <cmath>

#include "platform/errors.h"
#include "platform/same_text.h"

namespace quarlo {

namespace {

struct SeriesClass {
  const char* name;
  ChartSeriesKind kind;
};

constexpr SeriesClass kSeriesClasses[] = {
    {"TBarSeries", ChartSeriesKind::Bar},         {"THorizBarSeries", ChartSeriesKind::HorizBar},
    {"TLineSeries", ChartSeriesKind::Line},       {"TFastLineSeries", ChartSeriesKind::FastLine},
    {"TAreaSeries", ChartSeriesKind::Area},       {"TPointSeries", ChartSeriesKind::Point},
    {"TPieSeries", ChartSeriesKind::Pie},         {"TGanttSeries", ChartSeriesKind::Gantt},
    {"TArrowSeries", ChartSeriesKind::Arrow},     {"TBubbleSeries", ChartSeriesKind::Bubble},
    {"TChartShape", ChartSeriesKind::Shape},
};

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && SameText(s.substr(s.size() - suffix.size()), suffix);
}

template <class E>
E IdentValue(const ChartStreamNode& node, std::string_view name,
             std::initializer_list<std::pair<const char*, E>> values, E fallback) {
  if (auto ident = ChartIdent(node, name)) {
    for (const auto& [text, value] : values) {
      if (SameText(*ident, text)) return value;
    }
  }
  return fallback;
}

ChartAxisSettings ReadAxis(const ChartStreamNode& node, std::string_view prefix) {
  std::string p(prefix);
  ChartAxisSettings a;
  a.visible = ChartBool(node, p + ".Visible").value_or(true);
  a.gridVisible = ChartBool(node, p + ".Grid.Visible").value_or(true);
  a.labelsVisible = ChartBool(node, p + ".Labels").value_or(true);
  a.automatic = ChartBool(node, p + ".Automatic").value_or(true);
  a.minimum = ChartFloat(node, p + ".Minimum").value_or(0);
  a.maximum = ChartFloat(node, p + ".Maximum").value_or(0);
  if (!(std::isfinite(a.minimum) && std::isfinite(a.maximum)) || a.maximum <= a.minimum) a.automatic = true;
  a.title = ChartString(node, p + ".Title.Caption").value_or("");
  return a;
}

}  // namespace

ChartSeriesKind SeriesKindOfClass(std::string_view className) {
  for (const SeriesClass& c : kSeriesClasses) {
    if (SameText(className, c.name)) return c.kind;
  }
  return ChartSeriesKind::Other;
}

bool IsSeriesClass(std::string_view className) {
  return SeriesKindOfClass(className) != ChartSeriesKind::Other || EndsWith(className, "Series");
}

TColor ChartPaletteColor(size_t index) {
  static constexpr TColor kPalette[] = {
      RGBColor(0x2F, 0x6E, 0xBA), RGBColor(0xE0, 0x6C, 0x2B), RGBColor(0x3C, 0xA0, 0x4A),
      RGBColor(0xC8, 0x3C, 0x3C), RGBColor(0x8E, 0x5E, 0xB8), RGBColor(0x8C, 0x5A, 0x3C),
      RGBColor(0xD9, 0x6A, 0xB4), RGBColor(0x7F, 0x7F, 0x7F), RGBColor(0xB8, 0xB8, 0x22),
      RGBColor(0x22, 0xB0, 0xC8),
  };
  return kPalette[index % std::size(kPalette)];
}

// ------------------------------------------------------------------ series

ChartSeries::ChartSeries(ChartStreamNode* node, int index)
    : node_(node), kind_(SeriesKindOfClass(node->className)) {
  Reload(index);
}

void ChartSeries::Reload(int index) {
  const ChartStreamNode& n = *node_;
  color_ = ChartColour(n, "SeriesColor").value_or(clDefault);
  if (color_ == clDefault || color_ == clTransparent) color_ = ChartPaletteColor(static_cast<size_t>(index));
  title_ = ChartString(n, "Title").value_or(n.name);
  active_ = ChartBool(n, "Active").value_or(true);
  marksVisible_ = ChartBool(n, "Marks.Visible").value_or(kind_ == ChartSeriesKind::Pie);
  colorEachPoint_ = ChartBool(n, "ColorEachPoint").value_or(kind_ == ChartSeriesKind::Pie);
  pointerVisible_ = ChartBool(n, "Pointer.Visible").value_or(kind_ == ChartSeriesKind::Point);
  pointerStyle_ = IdentValue(n, "Pointer.Style",
                             {{"psRectangle", ChartPointerStyle::Rectangle},
                              {"psCircle", ChartPointerStyle::Circle},
                              {"psTriangle", ChartPointerStyle::Triangle},
                              {"psDownTriangle", ChartPointerStyle::DownTriangle},
                              {"psCross", ChartPointerStyle::Cross},
                              {"psDiamond", ChartPointerStyle::Diamond}},
                             ChartPointerStyle::Rectangle);
  multiBar_ = IdentValue(n, "MultiBar",
                         {{"mbNone", ChartMultiBar::None},
                          {"mbSide", ChartMultiBar::Side},
                          {"mbStacked", ChartMultiBar::Stacked},
                          {"mbStacked100", ChartMultiBar::Stacked100}},
                         ChartMultiBar::Side);
  barWidthPercent_ = static_cast<int>(ChartInteger(n, "BarWidthPercent").value_or(70));
  if (barWidthPercent_ < 1 || barWidthPercent_ > 100) barWidthPercent_ = 70;
  lineWidth_ = static_cast<int>(ChartInteger(n, "LinePen.Width").value_or(1));
  if (lineWidth_ < 1 || lineWidth_ > 20) lineWidth_ = 1;
  auto shapeStyle = ChartIdent(n, "Style");
  shapeEllipse_ = shapeStyle && SameText(*shapeStyle, "chasCircle");
  xDateTime_ = ChartBool(n, "XValues.DateTime").value_or(false);
  yDateTime_ = ChartBool(n, kind_ == ChartSeriesKind::Pie ? "PieValues.DateTime" : "YValues.DateTime")
                   .value_or(false);
  startDateTime_ = ChartBool(n, "StartValues.DateTime").value_or(false);
  endDateTime_ = ChartBool(n, "EndValues.DateTime").value_or(false);
}

void ChartSeries::Clear() {
  points_.clear();
  xDatesAdded_ = false;
}

void ChartSeries::AddNull(std::string label) {
  ChartPoint p;
  p.isNull = true;
  p.label = std::move(label);
  points_.push_back(std::move(p));
}

void ChartSeries::Add(double value, std::string label, TColor color) {
  ChartPoint p;
  p.y = value;
  p.label = std::move(label);
  p.color = color;
  points_.push_back(std::move(p));
}

void ChartSeries::AddXY(double x, double value, std::string label, TColor color, bool xIsDate) {
  ChartPoint p;
  p.hasX = true;
  p.x = x;
  p.y = value;
  p.label = std::move(label);
  p.color = color;
  points_.push_back(std::move(p));
  if (xIsDate) xDatesAdded_ = true;
}

int ChartSeries::AddGantt(double start, double end, double y, std::string label) {
  ChartPoint p;
  p.hasX = true;
  p.x = start;
  p.x1 = end;
  p.y = y;
  p.label = std::move(label);
  points_.push_back(std::move(p));
  return static_cast<int>(points_.size()) - 1;
}

void ChartSeries::SetNextTask(int point, int next) {
  if (point >= 0 && point < static_cast<int>(points_.size())) points_[static_cast<size_t>(point)].nextTask = next;
}

void ChartSeries::AddArrow(double x0, double y0, double x1, double y1, std::string label, TColor color) {
  ChartPoint p;
  p.hasX = true;
  p.x = x0;
  p.y = y0;
  p.x1 = x1;
  p.y1 = y1;
  p.label = std::move(label);
  p.color = color;
  points_.push_back(std::move(p));
}

void ChartSeries::AddBubble(double x, double y, double radius, std::string label, TColor color) {
  ChartPoint p;
  p.hasX = true;
  p.x = x;
  p.y = y;
  p.radius = radius;
  p.label = std::move(label);
  p.color = color;
  points_.push_back(std::move(p));
}

TColor ChartSeries::PointColor(size_t index) const {
  if (index < points_.size()) {
    TColor c = points_[index].color;
    if (c != clDefault && c != clTransparent) return c;
  }
  return colorEachPoint_ ? ChartPaletteColor(index) : color_;
}

// ------------------------------------------------------------------- chart

TChart::TChart() {
  root_.className = "TChart";
  root_.name = "Chart";
  root_.Set("BevelOuter", chart_value::Ident("bvNone"));
  root_.Set("Color", chart_value::Colour(clWhite));
  root_.Set("Frame.Visible", chart_value::Boolean(false));
  root_.Set("Title.Text.Strings", chart_value::StringList({}));
  root_.Set("View3DOptions.Rotation", chart_value::Integer(0));
  Reload();
}

void TChart::RebuildSeries() {
  series_.clear();
  for (ChartStreamNode& child : root_.children) {
    if (!IsSeriesClass(child.className)) continue;
    series_.push_back(std::make_unique<ChartSeries>(&child, static_cast<int>(series_.size())));
  }
}

void TChart::Reload() {
  const ChartStreamNode& n = root_;
  backColor_ = ChartColour(n, "Color").value_or(clBtnFace);
  elevation_ = static_cast<int>(ChartInteger(n, "View3DOptions.Elevation").value_or(345));
  titleLines_ = ChartStringList(n, "Title.Text.Strings").value_or(std::vector<std::string>{"TChart"});
  titleVisible_ = ChartBool(n, "Title.Visible").value_or(true);
  titleColor_ = ChartColour(n, "Title.Font.Color").value_or(clNavy);
  legendVisible_ = ChartBool(n, "Legend.Visible").value_or(true);
  legendAlign_ = IdentValue(n, "Legend.Alignment",
                            {{"laLeft", ChartLegendAlign::Left},
                             {"laRight", ChartLegendAlign::Right},
                             {"laTop", ChartLegendAlign::Top},
                             {"laBottom", ChartLegendAlign::Bottom}},
                            ChartLegendAlign::Right);
  view3D_ = ChartBool(n, "View3D").value_or(true);
  chart3DPercent_ = static_cast<int>(ChartInteger(n, "Chart3DPercent").value_or(15));
  if (chart3DPercent_ < 1 || chart3DPercent_ > 100) chart3DPercent_ = 15;
  frameVisible_ = ChartBool(n, "Frame.Visible").value_or(true);
  backWallColor_ = ChartColour(n, "BackWall.Color").value_or(clTransparent);
  axisVisible_ = ChartBool(n, "AxisVisible").value_or(true);
  leftAxis_ = ReadAxis(n, "LeftAxis");
  bottomAxis_ = ReadAxis(n, "BottomAxis");
  RebuildSeries();
}

void TChart::ReadStream(std::string_view bytes) {
  ChartStreamNode read = ReadChartStream(bytes);
  if (!SameText(read.className, "TChart")) throw EStreamError("Invalid chart stream");
  ChartStreamNode merged = root_;
  merged.name = read.name;
  merged.filerFlags = read.filerFlags;
  merged.childPosition = read.childPosition;
  for (ChartStreamProperty& p : read.properties) merged.Set(p.name, std::move(p.value));
  merged.children = std::move(read.children);
  root_ = std::move(merged);
  Reload();
}

std::string TChart::WriteStream() const { return WriteChartStream(root_); }

ChartSeries& TChart::AddSeries(std::string className, std::string name) {
  if (!IsSeriesClass(className)) throw Exception("Not a series class: " + className);
  ChartStreamNode node;
  node.className = std::move(className);
  node.name = std::move(name);
  root_.children.push_back(std::move(node));
  Reload();
  return *series_.back();
}

ChartSeries* TChart::Series(int index) {
  return index >= 0 && index < SeriesCount() ? series_[static_cast<size_t>(index)].get() : nullptr;
}

const ChartSeries* TChart::Series(int index) const {
  return index >= 0 && index < SeriesCount() ? series_[static_cast<size_t>(index)].get() : nullptr;
}

}  // namespace quarlo
