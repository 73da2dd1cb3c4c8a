#pragma once
// Refilling a chart series from its series item: the six value lists are split, put
// in order (Top N, sort) and handed point by point to the helper of the series' class.
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "objects/special/chart_series_data.h"

namespace quarlo {

class ChartSeries;

// A series takes at most this many points; longer lists are cut there.
inline constexpr size_t kMaxSeriesPoints = 100000;

using ValueLists = std::array<std::vector<std::string>, 6>;

class TfrxSeriesHelper {
 public:
  virtual ~TfrxSeriesHelper() = default;
  // The meaning of the lists, as designer screens show it.
  virtual std::string GetParamNames() const = 0;
  // One point from element i of each list (empty where a list is shorter); throws
  // EConvertError where a value must be a number or a date and is not.
  virtual void AddValues(ChartSeries& series, const std::string& v1, const std::string& v2,
                         const std::string& v3, const std::string& v4, const std::string& v5,
                         const std::string& v6, TfrxSeriesXType xType) = 0;
};

// The helper for a series of exactly this class; the standard one for any other.
std::unique_ptr<TfrxSeriesHelper> SeriesHelperFor(std::string_view seriesClassName);

// Selection by Y value (lists[1]), ties keeping their order, moving lists 0..5 along
// (lists 2..5 only where they have the chosen element). Nothing happens unless the
// label and Y lists have the same length.
void SortValueLists(ValueLists& lists, TfrxSeriesSortOrder order);
// Keeps the topN - 1 largest points and one point `caption` for the sum of the rest;
// sets the item's SortOrder to soDescending. Nothing happens unless the label and Y
// lists have the same length. Throws EConvertError for a Y value of the rest that is
// not a number.
void ApplyTopN(ValueLists& lists, TfrxSeriesItem& item);

// Refills the series from the item. Returns false when a list was longer than
// kMaxSeriesPoints and was cut. Conversion errors propagate.
bool FillSeries(ChartSeries& series, TfrxSeriesItem& item);

}  // namespace quarlo
