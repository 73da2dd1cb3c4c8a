#pragma once
// TChart: the chart object a chart view owns. Its stored form is the component tree
// of chart_stream.h (the chart and its series as child components); the settings the
// drawing uses are read from that tree, and the series points are filled at run time
// from the view's series data and never stored.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "objects/special/chart_stream.h"
#include "platform/color.h"

namespace quarlo {

enum class ChartSeriesKind { Bar, HorizBar, Line, FastLine, Area, Point, Pie, Gantt, Arrow, Bubble, Shape, Other };

// The kind of a series class name; classes the engine does not know are Other.
ChartSeriesKind SeriesKindOfClass(std::string_view className);
bool IsSeriesClass(std::string_view className);

enum class ChartMultiBar { None, Side, Stacked, Stacked100 };
enum class ChartLegendAlign { Left, Right, Top, Bottom };
enum class ChartPointerStyle { Rectangle, Circle, Triangle, DownTriangle, Cross, Diamond };

struct ChartPoint {
  bool isNull = false;
  bool hasX = false;
  double x = 0;   // X, or the Gantt start, or the arrow / bubble X
  double y = 0;   // value
  double x1 = 0;  // Gantt end, arrow end X
  double y1 = 0;  // arrow end Y
  double radius = 0;
  int nextTask = -1;
  std::string label;  // system code page bytes
  TColor color = clDefault;
};

class ChartSeries {
 public:
  ChartSeries(ChartStreamNode* node, int index);

  const std::string& ClassName() const { return node_->className; }
  ChartSeriesKind Kind() const { return kind_; }
  ChartStreamNode& Node() { return *node_; }
  const ChartStreamNode& Node() const { return *node_; }

  // Settings from the stored series (re-read by the chart after changes to the tree).
  void Reload(int index);
  TColor Color() const { return color_; }
  const std::string& Title() const { return title_; }
  bool Active() const { return active_; }
  bool MarksVisible() const { return marksVisible_; }
  bool ColorEachPoint() const { return colorEachPoint_; }
  bool PointerVisible() const { return pointerVisible_; }
  ChartPointerStyle PointerStyle() const { return pointerStyle_; }
  ChartMultiBar MultiBar() const { return multiBar_; }
  int BarWidthPercent() const { return barWidthPercent_; }
  int LineWidth() const { return lineWidth_; }
  bool ShapeIsEllipse() const { return shapeEllipse_; }
  // Date-time flags of the value lists.
  bool XDateTime() const { return xDateTime_ || xDatesAdded_; }
  bool YDateTime() const { return yDateTime_; }
  bool StartDateTime() const { return startDateTime_; }
  bool EndDateTime() const { return endDateTime_; }

  // Run-time points.
  const std::vector<ChartPoint>& Points() const { return points_; }
  void Clear();
  void AddNull(std::string label);
  void Add(double value, std::string label, TColor color);
  void AddXY(double x, double value, std::string label, TColor color, bool xIsDate = false);
  int AddGantt(double start, double end, double y, std::string label);
  void SetNextTask(int point, int next);
  void AddArrow(double x0, double y0, double x1, double y1, std::string label, TColor color);
  void AddBubble(double x, double y, double radius, std::string label, TColor color);

  // The colour a point is drawn in: its own, else the series' (or the palette's when
  // each point has its own colour).
  TColor PointColor(size_t index) const;

 private:
  ChartStreamNode* node_;
  ChartSeriesKind kind_;
  TColor color_ = clRed;
  std::string title_;
  bool active_ = true;
  bool marksVisible_ = false;
  bool colorEachPoint_ = false;
  bool pointerVisible_ = false;
  ChartPointerStyle pointerStyle_ = ChartPointerStyle::Rectangle;
  ChartMultiBar multiBar_ = ChartMultiBar::Side;
  int barWidthPercent_ = 70;
  int lineWidth_ = 1;
  bool shapeEllipse_ = false;
  bool xDateTime_ = false, yDateTime_ = false, startDateTime_ = false, endDateTime_ = false;
  bool xDatesAdded_ = false;
  std::vector<ChartPoint> points_;
};

struct ChartAxisSettings {
  bool visible = true;
  bool gridVisible = true;
  bool labelsVisible = true;
  bool automatic = true;
  double minimum = 0;
  double maximum = 0;
  std::string title;  // system code page bytes
};

// Default colours of series and of points drawn each in their own colour.
TColor ChartPaletteColor(size_t index);

class TChart {
 public:
  // A chart as BuildChart leaves it: white, no bevels, no frame, no rotation, no title.
  TChart();
  TChart(const TChart&) = delete;
  TChart& operator=(const TChart&) = delete;

  // The stored tree; call Reload after changing it.
  ChartStreamNode& Root() { return root_; }
  const ChartStreamNode& Root() const { return root_; }
  void Reload();

  // Reads a stream over this chart: its properties replace those of the same name,
  // the others stay; its child components replace the series. Throws EStreamError
  // when the stream is damaged (the chart is then left unchanged).
  void ReadStream(std::string_view bytes);
  std::string WriteStream() const;

  // Adds a series component of a class to the stored tree (for building charts).
  ChartSeries& AddSeries(std::string className, std::string name);

  int SeriesCount() const { return static_cast<int>(series_.size()); }
  ChartSeries* Series(int index);
  const ChartSeries* Series(int index) const;

  // Run-time settings.
  TColor BackColor() const { return backColor_; }
  void SetBackColor(TColor c) { backColor_ = c; }
  bool BufferedDisplay() const { return bufferedDisplay_; }
  void SetBufferedDisplay(bool v) { bufferedDisplay_ = v; }
  int Elevation() const { return elevation_; }
  void SetElevation(int v) { elevation_ = v; }

  // Stored settings.
  const std::vector<std::string>& TitleLines() const { return titleLines_; }
  bool TitleVisible() const { return titleVisible_; }
  TColor TitleColor() const { return titleColor_; }
  bool LegendVisible() const { return legendVisible_; }
  ChartLegendAlign LegendAlign() const { return legendAlign_; }
  bool View3D() const { return view3D_; }
  int Chart3DPercent() const { return chart3DPercent_; }
  bool FrameVisible() const { return frameVisible_; }
  TColor BackWallColor() const { return backWallColor_; }
  bool AxisVisible() const { return axisVisible_; }
  const ChartAxisSettings& LeftAxis() const { return leftAxis_; }
  const ChartAxisSettings& BottomAxis() const { return bottomAxis_; }

 private:
  void RebuildSeries();

  ChartStreamNode root_;
  std::vector<std::unique_ptr<ChartSeries>> series_;
  TColor backColor_ = clWhite;
  bool bufferedDisplay_ = false;
  int elevation_ = 345;
  std::vector<std::string> titleLines_;
  bool titleVisible_ = true;
  TColor titleColor_ = clNavy;
  bool legendVisible_ = true;
  ChartLegendAlign legendAlign_ = ChartLegendAlign::Right;
  bool view3D_ = true;
  int chart3DPercent_ = 15;
  bool frameVisible_ = true;
  TColor backWallColor_ = clTransparent;
  bool axisVisible_ = true;
  ChartAxisSettings leftAxis_, bottomAxis_;
};

}  // namespace quarlo
