#pragma once
// TfrxChartView: a business chart inside the view's rectangle. It owns a chart (its
// appearance and series, stored as the chart stream) and the series data (the values
// the report engine collected, as text); every Draw refills the series from the data
// and lets the charting engine draw the chart at the view's size in report pixels,
// stretched onto the device rectangle.
#include <memory>
#include <string>

#include "objects/special/chart_model.h"
#include "objects/special/chart_series_data.h"
#include "objects/view.h"

namespace quarlo {

class PropDataReader;
class PropDataWriter;

class TfrxChartView : public TfrxView {
  QUARLO_CLASS(TfrxChartView)
 public:
  explicit TfrxChartView(TComponent* owner);
  ~TfrxChartView() override;

  bool IgnoreNulls() const { return ignoreNulls_; }
  void SetIgnoreNulls(bool v) { ignoreNulls_ = v; }

  TChart& Chart() { return *chart_; }
  const TChart& Chart() const { return *chart_; }
  TfrxSeriesData& SeriesData() { return seriesData_; }
  const TfrxSeriesData& SeriesData() const { return seriesData_; }
  // True when the stored chart could not be read: the view then draws its background
  // and frame only, and writes the stored bytes back as they came.
  bool ChartDamaged() const { return !damagedChart_.empty(); }

  // A new chart as the view starts it: white, no bevels, named "Chart", no frame, no
  // rotation, no title. Replaces the current chart.
  virtual void BuildChart();

  void Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX, double offsetY) override;
  std::string GetDescription() const override;
  // View attributes, then the stored chart and series data (PropData) when they differ.
  std::string WriteDifferences(const TfrxComponent& tmpl) const override;
  // "Chart" (binary stream), "ChartElevation" (integer), "SeriesData" (item texts).
  void DefineProperties(PropDataFiler& filer) override;

  // The chart stream as written in "Chart".
  std::string ChartStreamBytes() const;

 private:
  void ReadChart(const std::string& bytes);
  void ReadSeriesData(PropDataReader& reader);
  void WriteSeriesData(PropDataWriter& writer) const;

  bool ignoreNulls_ = false;
  std::unique_ptr<TChart> chart_;
  TfrxSeriesData seriesData_;
  std::string damagedChart_;
};

// Makes the chart view available; it has no properties and no behaviour.
class TfrxChartObject : public TComponent {
  QUARLO_CLASS(TfrxChartObject)
 public:
  explicit TfrxChartObject(TComponent* owner) : TComponent(owner) {}
};

}  // namespace quarlo
