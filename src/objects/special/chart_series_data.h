#pragma once
// The data of a chart's series as the report engine left it: one TfrxSeriesItem per
// series with up to six ";"-separated value lists.
#include <memory>
#include <string>
#include <vector>

#include "objects/property_model.h"

namespace quarlo {

enum TfrxSeriesDataType : int { dtDBData, dtBandData, dtFixedData };
enum TfrxSeriesSortOrder : int { soNone, soAscending, soDescending };
enum TfrxSeriesXType : int { xtText, xtNumber, xtDate };
const EnumInfo& SeriesDataTypeNames();
const EnumInfo& SeriesSortOrderNames();
const EnumInfo& SeriesXTypeNames();

class TfrxSeriesItem : public TPersistent {
  QUARLO_CLASS(TfrxSeriesItem)
 public:
  TfrxSeriesItem() = default;

  TfrxSeriesDataType DataType() const { return dataType_; }
  void SetDataType(TfrxSeriesDataType v) { dataType_ = v; }
  // The data band and data set are kept by name: prepared pages have neither, and
  // the names must survive saving the page again.
  const std::string& DataBand() const { return dataBand_; }
  void SetDataBand(const std::string& v) { dataBand_ = v; }
  const std::string& DataSet() const { return dataSet_; }
  void SetDataSet(const std::string& v) { dataSet_ = v; }
  const std::string& DataSetName() const { return dataSetName_; }
  void SetDataSetName(const std::string& v) { dataSetName_ = v; }
  TfrxSeriesSortOrder SortOrder() const { return sortOrder_; }
  void SetSortOrder(TfrxSeriesSortOrder v) { sortOrder_ = v; }
  int TopN() const { return topN_; }
  void SetTopN(int v) { topN_ = v; }
  const std::string& TopNCaption() const { return topNCaption_; }
  void SetTopNCaption(const std::string& v) { topNCaption_ = v; }
  TfrxSeriesXType XType() const { return xType_; }
  void SetXType(TfrxSeriesXType v) { xType_ = v; }

  // Index 1..6; other indexes read as empty and are not written.
  const std::string& Source(int index) const;
  void SetSource(int index, const std::string& v);
  const std::string& Values(int index) const;
  void SetValues(int index, const std::string& v);

 private:
  TfrxSeriesDataType dataType_ = dtDBData;
  std::string dataBand_, dataSet_, dataSetName_;
  TfrxSeriesSortOrder sortOrder_ = soNone;
  int topN_ = 0;
  std::string topNCaption_;
  TfrxSeriesXType xType_ = xtText;
  std::string sources_[6];
  std::string values_[6];
};

// Item i belongs to series i of the chart.
class TfrxSeriesData {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  TfrxSeriesItem& Items(int index) { return *items_[static_cast<size_t>(index)]; }
  const TfrxSeriesItem& Items(int index) const { return *items_[static_cast<size_t>(index)]; }
  TfrxSeriesItem& Add();
  void Clear() { items_.clear(); }

 private:
  std::vector<std::unique_ptr<TfrxSeriesItem>> items_;
};

}  // namespace quarlo
