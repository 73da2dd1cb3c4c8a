#include "objects/special/chart_series_fill.h"

#include <algorithm>
#include <numeric>

#include "platform/errors.h"
#include "objects/serializer.h"
#include "objects/special/chart_model.h"
#include "objects/special/chart_value_text.h"

namespace quarlo {

namespace {

double NumberOrZero(const std::string& text) { return TryChartTextToFloat(text).value_or(0); }

class StdSeriesHelper final : public TfrxSeriesHelper {
 public:
  std::string GetParamNames() const override { return "Label;Y;X (optional);Color (optional)"; }
  void AddValues(ChartSeries& series, const std::string& v1, const std::string& v2, const std::string& v3,
                 const std::string& v4, const std::string&, const std::string&, TfrxSeriesXType xType) override {
    TColor color = ColourFromText(v4);
    if (IsNullValue(v2)) {
      series.AddNull(v1);
      return;
    }
    double y = series.YDateTime() ? ChartTextToDateTime(v2) : NumberOrZero(v2);
    const std::string& xText = v3.empty() ? v1 : v3;
    switch (xType) {
      case xtText:
        series.Add(y, v1, color);
        break;
      case xtNumber:
        series.AddXY(ChartTextToFloat(xText), y, v1, color);
        break;
      case xtDate:
        series.AddXY(ChartTextToDateTime(xText), y, v1, color, true);
        break;
    }
  }
};

class PieSeriesHelper final : public TfrxSeriesHelper {
 public:
  std::string GetParamNames() const override { return "Label;Pie;Color (optional)"; }
  void AddValues(ChartSeries& series, const std::string& v1, const std::string& v2, const std::string& v3,
                 const std::string&, const std::string&, const std::string&, TfrxSeriesXType) override {
    if (IsNullValue(v2)) {
      series.AddNull(v1);
      return;
    }
    double value = series.YDateTime() ? ChartTextToDateTime(v2) : ChartTextToFloat(v2);
    series.Add(value, v1, ColourFromText(v3));
  }
};

class GanttSeriesHelper final : public TfrxSeriesHelper {
 public:
  std::string GetParamNames() const override { return "Label;Start;End;Y;Next task"; }
  void AddValues(ChartSeries& series, const std::string& v1, const std::string& v2, const std::string& v3,
                 const std::string& v4, const std::string& v5, const std::string&, TfrxSeriesXType) override {
    if (IsNullValue(v2) || IsNullValue(v3) || IsNullValue(v4)) {
      series.AddNull(v1);
      return;
    }
    double start = series.StartDateTime() ? ChartTextToDateTime(v2) : ChartTextToFloat(v2);
    double end = series.EndDateTime() ? ChartTextToDateTime(v3) : ChartTextToFloat(v3);
    double y = ChartTextToFloat(v4);
    int index = series.AddGantt(start, end, y, v1);
    if (!v5.empty()) {
      std::int64_t next = XMLToInt(v5);
      if (next < INT32_MIN || next > INT32_MAX) {
        throw EConvertError("'" + v5 + "' is not a valid integer value");
      }
      series.SetNextTask(index, static_cast<int>(next));
    }
  }
};

class ArrowSeriesHelper final : public TfrxSeriesHelper {
 public:
  std::string GetParamNames() const override { return "Label;X0;Y0;X1;Y1;Color (optional)"; }
  void AddValues(ChartSeries& series, const std::string& v1, const std::string& v2, const std::string& v3,
                 const std::string& v4, const std::string& v5, const std::string& v6, TfrxSeriesXType) override {
    if (IsNullValue(v2) || IsNullValue(v3) || IsNullValue(v4) || IsNullValue(v5)) {
      series.AddNull(v1);
      return;
    }
    TColor color = ColourFromText(v6);
    series.AddArrow(ChartTextToFloat(v2), ChartTextToFloat(v3), ChartTextToFloat(v4), ChartTextToFloat(v5),
                    v1, color);
  }
};

class BubbleSeriesHelper final : public TfrxSeriesHelper {
 public:
  std::string GetParamNames() const override { return "Label;X;Y;Radius;Color (optional)"; }
  void AddValues(ChartSeries& series, const std::string& v1, const std::string& v2, const std::string& v3,
                 const std::string& v4, const std::string& v5, const std::string&, TfrxSeriesXType) override {
    if (IsNullValue(v2) || IsNullValue(v3) || IsNullValue(v4)) {
      series.AddNull(v1);
      return;
    }
    TColor color = ColourFromText(v5);
    series.AddBubble(ChartTextToFloat(v2), ChartTextToFloat(v3), ChartTextToFloat(v4), v1, color);
  }
};

// Positions counted among the elements not yet placed (a Fenwick tree over the
// original indexes), so the selection's moves replay in n log n.
class UnplacedCounter {
 public:
  explicit UnplacedCounter(size_t n) : tree_(n + 1, 0) {
    for (size_t i = 1; i <= n; ++i) {
      tree_[i] += 1;
      size_t parent = i + (i & (~i + 1));
      if (parent <= n) tree_[parent] += tree_[i];
    }
  }
  // Unplaced elements with an original index below `index`.
  size_t Before(size_t index) const {
    size_t sum = 0;
    for (size_t i = index; i > 0; i -= i & (~i + 1)) sum += tree_[i];
    return sum;
  }
  void Place(size_t index) {
    for (size_t i = index + 1; i < tree_.size(); i += i & (~i + 1)) tree_[i] -= 1;
  }

 private:
  std::vector<size_t> tree_;
};

}  // namespace

std::unique_ptr<TfrxSeriesHelper> SeriesHelperFor(std::string_view seriesClassName) {
  if (seriesClassName == "TPieSeries") return std::make_unique<PieSeriesHelper>();
  if (seriesClassName == "TGanttSeries") return std::make_unique<GanttSeriesHelper>();
  if (seriesClassName == "TArrowSeries") return std::make_unique<ArrowSeriesHelper>();
  if (seriesClassName == "TBubbleSeries") return std::make_unique<BubbleSeriesHelper>();
  return std::make_unique<StdSeriesHelper>();
}

void SortValueLists(ValueLists& lists, TfrxSeriesSortOrder order) {
  const size_t n = lists[1].size();
  if (lists[0].size() != n || n < 2) return;
  // The selection takes, at each position, the first remaining element whose signed
  // value is below every other's and below 1.7e308: a stable sort on that key, with
  // keys at or above the limit left in their order at the end.
  const double d = order == soAscending ? 1.0 : -1.0;
  constexpr double kLimit = 1.7e308;
  std::vector<double> key(n);
  for (size_t i = 0; i < n; ++i) key[i] = std::min(d * NumberOrZero(lists[1][i]), kLimit);
  std::vector<size_t> chosen(n);
  std::iota(chosen.begin(), chosen.end(), size_t{0});
  std::stable_sort(chosen.begin(), chosen.end(), [&](size_t a, size_t b) { return key[a] < key[b]; });

  for (auto& list : lists) {
    if (list.size() >= n) {
      // Every move reaches this list: it takes the whole permutation.
      std::vector<std::string> sorted;
      sorted.reserve(list.size());
      for (size_t i = 0; i < n; ++i) sorted.push_back(std::move(list[chosen[i]]));
      for (size_t i = n; i < list.size(); ++i) sorted.push_back(std::move(list[i]));
      list = std::move(sorted);
    } else if (!list.empty()) {
      // Only the moves of elements it has: replay them in order.
      UnplacedCounter unplaced(n);
      std::vector<std::uint32_t> slots(list.size());
      std::iota(slots.begin(), slots.end(), 0u);
      for (size_t p = 0; p < n; ++p) {
        size_t from = p + unplaced.Before(chosen[p]);
        unplaced.Place(chosen[p]);
        if (from < slots.size() && from > p) {
          std::rotate(slots.begin() + static_cast<std::ptrdiff_t>(p), slots.begin() + static_cast<std::ptrdiff_t>(from),
                      slots.begin() + static_cast<std::ptrdiff_t>(from + 1));
        }
      }
      std::vector<std::string> moved;
      moved.reserve(list.size());
      for (std::uint32_t s : slots) moved.push_back(std::move(list[s]));
      list = std::move(moved);
    }
  }
}

void ApplyTopN(ValueLists& lists, TfrxSeriesItem& item) {
  const size_t n = lists[1].size();
  if (lists[0].size() != n) return;
  item.SetSortOrder(soDescending);
  SortValueLists(lists, soDescending);
  const size_t keep = static_cast<size_t>(item.TopN()) - 1;
  double sum = 0;
  for (size_t i = n; i-- > keep;) sum += ChartTextToFloat(lists[1][i]);
  for (auto& list : lists) {
    if (list.size() > keep) {
      list.erase(list.begin() + static_cast<std::ptrdiff_t>(keep),
                 list.begin() + static_cast<std::ptrdiff_t>(std::min(list.size(), n)));
    }
  }
  lists[0].push_back(item.TopNCaption());
  lists[1].push_back(ChartFloatToText(sum));
}

bool FillSeries(ChartSeries& series, TfrxSeriesItem& item) {
  series.Clear();
  ValueLists lists;
  bool complete = true;
  for (int k = 0; k < 6; ++k) {
    bool cut = false;
    lists[static_cast<size_t>(k)] = SplitValueList(item.Values(k + 1), kMaxSeriesPoints, &cut);
    if (cut) complete = false;
  }
  auto helper = SeriesHelperFor(series.ClassName());
  const size_t n = lists[1].size();
  if (n == 0) return complete;
  if (item.TopN() > 0 && static_cast<size_t>(item.TopN()) < n) {
    ApplyTopN(lists, item);
  } else if (item.SortOrder() != soNone) {
    SortValueLists(lists, item.SortOrder());
  }
  static const std::string kEmpty;
  auto at = [&](size_t k, size_t i) -> const std::string& {
    return i < lists[k].size() ? lists[k][i] : kEmpty;
  };
  for (size_t i = 0; i < lists[1].size(); ++i) {
    helper->AddValues(series, at(0, i), at(1, i), at(2, i), at(3, i), at(4, i), at(5, i), item.XType());
  }
  return complete;
}

}  // namespace quarlo
