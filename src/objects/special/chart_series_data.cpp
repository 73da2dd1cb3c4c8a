#include "objects/special/chart_series_data.h"

namespace quarlo {

const EnumInfo& SeriesDataTypeNames() {
  static const EnumInfo names{"dtDBData", "dtBandData", "dtFixedData"};
  return names;
}

const EnumInfo& SeriesSortOrderNames() {
  static const EnumInfo names{"soNone", "soAscending", "soDescending"};
  return names;
}

const EnumInfo& SeriesXTypeNames() {
  static const EnumInfo names{"xtText", "xtNumber", "xtDate"};
  return names;
}

namespace {

const std::string kEmpty;

template <int I>
const std::string& SourceOf(const TfrxSeriesItem& item) {
  return item.Source(I);
}
template <int I>
void SetSourceOf(TfrxSeriesItem& item, const std::string& v) {
  item.SetSource(I, v);
}
template <int I>
const std::string& ValuesOf(const TfrxSeriesItem& item) {
  return item.Values(I);
}
template <int I>
void SetValuesOf(TfrxSeriesItem& item, const std::string& v) {
  item.SetValues(I, v);
}

template <int... I>
void DeclareLists(ClassBuilder<TfrxSeriesItem, TPersistent>& b, const char* stem, bool values,
                  std::integer_sequence<int, I...>) {
  if (values) {
    (b.String(stem + std::to_string(I), &ValuesOf<I>, &SetValuesOf<I>), ...);
  } else {
    (b.String(stem + std::to_string(I), &SourceOf<I>, &SetSourceOf<I>), ...);
  }
}

}  // namespace

const ClassInfo& TfrxSeriesItem::StaticClass() {
  static const ClassInfo info = [] {
    using S = TfrxSeriesItem;
    auto b = QUARLO_CLASS_BUILDER(TfrxSeriesItem, TPersistent);
    // No property has a stored default: every one is written.
    b.Enum("DataType", SeriesDataTypeNames(), &S::DataType, &S::SetDataType);
    b.String("DataBand", &S::DataBand, &S::SetDataBand);
    b.String("DataSet", &S::DataSet, &S::SetDataSet);
    b.String("DataSetName", &S::DataSetName, &S::SetDataSetName);
    b.Enum("SortOrder", SeriesSortOrderNames(), &S::SortOrder, &S::SetSortOrder);
    b.Integer("TopN", &S::TopN, &S::SetTopN);
    b.String("TopNCaption", &S::TopNCaption, &S::SetTopNCaption);
    b.Enum("XType", SeriesXTypeNames(), &S::XType, &S::SetXType);
    DeclareLists(b, "Source", false, std::integer_sequence<int, 1, 2, 3, 4, 5, 6>{});
    DeclareLists(b, "Values", true, std::integer_sequence<int, 1, 2, 3, 4, 5, 6>{});
    // Second names of the first two lists: read, never written twice.
    b.String("XSource", &SourceOf<1>, &SetSourceOf<1>).NotStored();
    b.String("YSource", &SourceOf<2>, &SetSourceOf<2>).NotStored();
    b.String("XValues", &ValuesOf<1>, &SetValuesOf<1>).NotStored();
    b.String("YValues", &ValuesOf<2>, &SetValuesOf<2>).NotStored();
    return b.Build();
  }();
  return info;
}

const std::string& TfrxSeriesItem::Source(int index) const {
  return index >= 1 && index <= 6 ? sources_[index - 1] : kEmpty;
}

void TfrxSeriesItem::SetSource(int index, const std::string& v) {
  if (index >= 1 && index <= 6) sources_[index - 1] = v;
}

const std::string& TfrxSeriesItem::Values(int index) const {
  return index >= 1 && index <= 6 ? values_[index - 1] : kEmpty;
}

void TfrxSeriesItem::SetValues(int index, const std::string& v) {
  if (index >= 1 && index <= 6) values_[index - 1] = v;
}

TfrxSeriesItem& TfrxSeriesData::Add() {
  items_.push_back(std::make_unique<TfrxSeriesItem>());
  return *items_.back();
}

}  // namespace quarlo
