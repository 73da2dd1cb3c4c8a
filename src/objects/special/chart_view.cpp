#include "objects/special/chart_view.h"

#include <cmath>

#include "platform/errors.h"
#include "objects/prop_data.h"
#include "objects/serializer.h"
#include "objects/special/chart_render.h"
#include "objects/special/chart_series_fill.h"
#include "resources/resources.h"

namespace quarlo {

namespace {

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out.push_back(kDigits[c >> 4]);
    out.push_back(kDigits[c & 15]);
  }
  return out;
}

// Items beyond this many are dropped when reading: a chart never has more series.
constexpr int kMaxSeriesItems = 1024;

}  // namespace

const ClassInfo& TfrxChartView::StaticClass() {
  static const ClassInfo info = [] {
    using S = TfrxChartView;
    auto b = QUARLO_CLASS_BUILDER(TfrxChartView, TfrxView);
    PublishViewProperty(b, "BrushStyle");
    PublishViewProperty(b, "Color");
    PublishViewProperty(b, "Cursor");
    PublishViewProperty(b, "Frame");
    b.Bool("IgnoreNulls", &S::IgnoreNulls, &S::SetIgnoreNulls).Default(false);
    PublishViewProperty(b, "TagStr");
    PublishViewProperty(b, "URL");
    return b.Build();
  }();
  return info;
}

const ClassInfo& TfrxChartObject::StaticClass() {
  static const ClassInfo info = QUARLO_CLASS_BUILDER(TfrxChartObject, TComponent).Build();
  return info;
}

TfrxChartView::TfrxChartView(TComponent* owner) : TfrxView(owner) { BuildChart(); }

TfrxChartView::~TfrxChartView() = default;

void TfrxChartView::BuildChart() {
  chart_ = std::make_unique<TChart>();
  damagedChart_.clear();
}

std::string TfrxChartView::GetDescription() const { return frxResources().Get("obChart"); }

std::string TfrxChartView::ChartStreamBytes() const {
  return ChartDamaged() ? damagedChart_ : chart_->WriteStream();
}

void TfrxChartView::ReadChart(const std::string& bytes) {
  BuildChart();
  try {
    chart_->ReadStream(bytes);
  } catch (const std::exception&) {
    BuildChart();
    damagedChart_ = bytes.empty() ? std::string(1, '\0') : bytes;
    throw;
  }
}

namespace {

// One published property of a series item in the binary property form.
void ReadItemProperty(PropDataReader& r, TfrxSeriesItem& item, const std::string& name) {
  const PropertyInfo* p = item.GetClass().FindProperty(name);
  if (!p) {
    r.SkipValue();
    return;
  }
  switch (p->kind) {
    case PropertyKind::Enumeration: {
      int ordinal = p->enumInfo ? p->enumInfo->Find(r.ReadIdent()) : -1;
      if (ordinal >= 0 && p->setOrdinal) p->setOrdinal(item, ordinal);
      return;
    }
    case PropertyKind::Integer: {
      std::int64_t v = r.ReadInteger();
      if (v >= INT32_MIN && v <= INT32_MAX && p->setOrdinal) p->setOrdinal(item, v);
      return;
    }
    case PropertyKind::String:
      if (r.NextValue() == PropValueTag::Ident || r.NextValue() == PropValueTag::Nil) {
        // A reference by name (data band, data set).
        std::string ident = r.ReadIdent();
        p->setString(item, ident == "nil" ? std::string() : ident);
        return;
      }
      p->setString(item, r.ReadString());
      return;
    default:
      r.SkipValue();
  }
}

}  // namespace

void TfrxChartView::ReadSeriesData(PropDataReader& r) {
  seriesData_.Clear();
  if (r.NextValue() == PropValueTag::Collection) {
    // The platform's own collection form: each item a list of binary properties,
    // optionally preceded by its order number.
    r.ReadCollectionBegin();
    while (!r.EndOfList()) {
      PropValueTag tag = r.NextValue();
      if (tag == PropValueTag::Int8 || tag == PropValueTag::Int16 || tag == PropValueTag::Int32) r.ReadInteger();
      r.ReadListBegin();
      TfrxSeriesItem* item = seriesData_.Count() < kMaxSeriesItems ? &seriesData_.Add() : nullptr;
      while (!r.EndOfList()) {
        std::string name = r.ReadPropName();
        if (item) {
          ReadItemProperty(r, *item, name);
        } else {
          r.SkipValue();
        }
      }
      r.ReadListEnd();
    }
    r.ReadListEnd();
    return;
  }
  r.ReadListBegin();
  TfrxXMLSerializer serializer;
  while (!r.EndOfList()) {
    r.ReadListBegin();
    while (!r.EndOfList()) {
      std::string text = r.ReadString();
      if (seriesData_.Count() < kMaxSeriesItems) serializer.ReadPersistent(text, seriesData_.Add());
    }
    r.ReadListEnd();
  }
  r.ReadListEnd();
}

void TfrxChartView::WriteSeriesData(PropDataWriter& w) const {
  TfrxXMLSerializer serializer;
  w.WriteListBegin();
  for (int i = 0; i < seriesData_.Count(); ++i) {
    w.WriteListBegin();
    w.WriteLString(serializer.WriteProperties(const_cast<TfrxSeriesItem&>(seriesData_.Items(i))));
    w.WriteListEnd();
  }
  w.WriteListEnd();
}

void TfrxChartView::DefineProperties(PropDataFiler& filer) {
  filer.DefineProperty(
      "Chart", [this](PropDataReader& r) { ReadChart(r.ReadBinary()); },
      [this](PropDataWriter& w) { w.WriteBinary(ChartStreamBytes()); }, true);
  filer.DefineProperty(
      "ChartElevation",
      [this](PropDataReader& r) {
        std::int64_t v = r.ReadInteger();
        if (v >= INT32_MIN && v <= INT32_MAX) chart_->SetElevation(static_cast<int>(v));
      },
      [this](PropDataWriter& w) { w.WriteInteger(chart_->Elevation()); }, true);
  filer.DefineProperty(
      "SeriesData", [this](PropDataReader& r) { ReadSeriesData(r); },
      [this](PropDataWriter& w) { WriteSeriesData(w); }, true);
}

std::string TfrxChartView::WriteDifferences(const TfrxComponent& tmpl) const {
  std::string s = TfrxView::WriteDifferences(tmpl);
  const auto* t = As<TfrxChartView>(&tmpl);
  if (!t) return s;
  std::string mine = WritePropData(const_cast<TfrxChartView&>(*this));
  if (mine != WritePropData(const_cast<TfrxChartView&>(*t))) s += " PropData=\"" + Hex(mine) + "\"";
  return s;
}

void TfrxChartView::Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX, double offsetY) {
  PrepareDraw(canvas, scaleX, scaleY, offsetX, offsetY);
  PaintBackground();
  if (ChartDamaged()) {
    PaintFrame();
    return;
  }
  bool complete = true;
  for (int i = 0; i < seriesData_.Count(); ++i) {
    if (ChartSeries* series = chart_->Series(i)) {
      if (!FillSeries(*series, seriesData_.Items(i))) complete = false;
    }
  }
  chart_->SetBackColor(Color() == clTransparent ? clWhite : Color());
  chart_->SetBufferedDisplay(true);
  const int width = static_cast<int>(std::nearbyint(Width()));
  const int height = static_cast<int>(std::nearbyint(Height()));
  RenderChart(*chart_, canvas, CanvasRect{DeviceLeft(), DeviceTop(), DeviceRight(), DeviceBottom()}, width,
              height);
  PaintFrame();
  if (!complete) {
    throw Exception("A chart series has more than " + std::to_string(kMaxSeriesPoints) +
                    " points; the rest is not drawn");
  }
}

}  // namespace quarlo
