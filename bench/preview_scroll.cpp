// The preview control on a generated 10,000-page report (about 100 text objects and
// lines a page), offscreen, in a 1000 x 1000 window.
//
//   bench_preview_scroll [--benchmark_filter=...]
//
// FirstPageAfterLoad  loading the file into the shown preview until the first page is
//                     painted (target: 0.25 s)
// RepaintScreenful    repainting the window at zoom 1 over pages already built
//                     (target: 16 ms)
// ScrollByScreens     scrolling a screen further each time, building the pages newly
//                     reached, and painting
// ThumbnailRepaint    the thumbnail strip at zoom 0.1 over the middle of the report;
//                     "painted" and "visible" count the pages drawn and in view per paint
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <filesystem>
#include <string>
#include <vector>

#include "report/report.h"
#include "report/report_classes.h"
#include "document/preview_pages.h"
#include "objects/band.h"
#include "objects/line_view.h"
#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "platform/qt/qt_platform.h"
#include "preview/preview_control.h"
#include "preview/preview_workspace.h"
#include "support/report_generator.h"

namespace {

using namespace quarlo;
using testing::RawCompactObject;
using testing::ReportGenerator;

constexpr int kPages = 10000;
constexpr int kBands = 16;
constexpr int kCells = 6;

std::string Quoted(const char* name, const std::string& value) { return std::string(name) + "=\"" + value + "\""; }

std::vector<RawCompactObject> PageObjects(int page) {
  static const char* const kWords[] = {"客户", "Invoice", "合计", "Widget", "数量", "2024-05-17"};
  std::vector<RawCompactObject> bands;
  for (int b = 0; b < kBands; ++b) {
    RawCompactObject band{"MasterData1", Quoted("t", std::to_string(40 + b * 60)), {}};
    for (int c = 0; c < kCells; ++c) {
      const int n = page * 100 + b * 10 + c;
      const std::string text = std::string(kWords[n % 6]) + " " + std::to_string(n % 9973);
      band.children.push_back({"Memo1", Quoted("l", std::to_string(c * 115)) + " " + Quoted("u", text), {}});
    }
    band.children.push_back({"Line1", Quoted("t", "44"), {}});
    bands.push_back(std::move(band));
  }
  return bands;
}

std::string GeneratedReportPath() {
  const std::string path = std::string(QUARLO_BINARY_DIR) + "/bench-preview-10000-pages.fp3";
  if (std::filesystem::exists(path)) return path;
  ReportGenerator g;
  TfrxReportPage& source = g.AddSourcePage();
  auto* band = new TfrxMasterData(&source);
  band->SetName("MasterData1");
  band->SetBounds(0, 0, 718, 48);
  auto* memo = new TfrxMemoView(band);
  memo->SetName("Memo1");
  memo->SetBounds(0, 2, 110, 20);
  auto* line = new TfrxLineView(band);
  line->SetName("Line1");
  line->SetBounds(0, 44, 718, 0);
  for (int p = 0; p < kPages; ++p) g.AddRawCompactPage(0, PageObjects(p));
  g.WriteFile(path);
  return path;
}

struct Shown {
  Shown() {
    preview.resize(1000, 1000);
    preview.show();
    QApplication::processEvents();
  }
  void Load(const std::string& path) {
    report.PreviewPages().LoadFromFile(path, true);
    report.SetPreview(&preview);
    preview.Workspace().viewport()->repaint();
  }
  TfrxReport report{nullptr};
  TfrxPreview preview;
};

void FirstPageAfterLoad(benchmark::State& state) {
  const std::string path = GeneratedReportPath();
  for (auto _ : state) {
    state.PauseTiming();
    auto shown = std::make_unique<Shown>();
    state.ResumeTiming();
    shown->Load(path);
    state.PauseTiming();
    shown.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(FirstPageAfterLoad)->Unit(benchmark::kMillisecond)->Iterations(3);

Shown& Loaded() {
  static Shown* shown = [] {
    auto* s = new Shown;
    s->Load(GeneratedReportPath());
    return s;
  }();
  return *shown;
}

void RepaintScreenful(benchmark::State& state) {
  Shown& s = Loaded();
  s.preview.SetThumbnailVisible(false);
  s.preview.SetZoom(1);
  s.preview.SetCurrentPage(kPages / 2);
  TfrxPreviewWorkspace& ws = s.preview.Workspace();
  ws.viewport()->repaint();  // builds the pages in view
  const long long before = ws.PagesPainted();
  for (auto _ : state) ws.viewport()->repaint();
  state.counters["pages_per_paint"] =
      static_cast<double>(ws.PagesPainted() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(RepaintScreenful)->Unit(benchmark::kMillisecond);

void ScrollByScreens(benchmark::State& state) {
  Shown& s = Loaded();
  s.preview.SetThumbnailVisible(false);
  s.preview.SetZoom(1);
  s.preview.SetCurrentPage(1);
  TfrxPreviewWorkspace& ws = s.preview.Workspace();
  for (auto _ : state) {
    ws.SetScrollPosition(Qt::Vertical, ws.OffsetY() + ws.viewport()->height());
    ws.viewport()->repaint();
  }
}
BENCHMARK(ScrollByScreens)->Unit(benchmark::kMillisecond)->Iterations(200);

void ThumbnailRepaint(benchmark::State& state) {
  Shown& s = Loaded();
  s.preview.SetThumbnailVisible(true);
  QApplication::processEvents();
  TfrxPreviewWorkspace& thumbs = s.preview.ThumbnailWorkspace();
  thumbs.SetScrollPosition(Qt::Vertical, thumbs.VerticalRange() / 2);
  thumbs.viewport()->repaint();
  int visible = 0;
  for (int i = 0; i < thumbs.PageList().Count(); ++i)
    visible += thumbs.PageRect(i).intersects(thumbs.viewport()->rect());
  const long long before = thumbs.PagesPainted();
  for (auto _ : state) thumbs.viewport()->repaint();
  state.counters["painted"] = static_cast<double>(thumbs.PagesPainted() - before) / static_cast<double>(state.iterations());
  state.counters["visible"] = visible;
}
BENCHMARK(ThumbnailRepaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  InstallQtPlatform();
  RegisterReportClasses();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
