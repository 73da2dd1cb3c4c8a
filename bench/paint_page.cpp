// Painting an A4 page of 300 framed, filled views at zoom 1 into an image, the page
// already built: the cost of one preview repaint.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include "objects/band.h"
#include "objects/page_draw.h"
#include "objects/report_page.h"
#include "objects/shape_view.h"
#include "objects/view.h"
#include "platform/qt/qpainter_canvas.h"

namespace quarlo {
namespace {

void BuildPage(TfrxReportPage& page) {
  page.SetLeftMargin(10);
  page.SetTopMargin(10);
  auto* band = new TfrxMasterData(&page);
  band->SetBounds(0, 0, 718, 1045);
  for (int i = 0; i < 300; ++i) {
    auto* view = new TfrxView(band);
    view->SetBounds((i % 10) * 70.0, (i / 10) * 34.0, 64, 30);
    view->SetColor(i % 2 ? clYellow : 0xF0F0F0);
    view->Frame().SetTyp(ftAll);
    view->Frame().SetStyle(i % 3 == 0 ? fsDash : fsSolid);
  }
}

void BM_PaintA4Page300Views(benchmark::State& state) {
  TfrxReportPage page(nullptr);
  BuildPage(page);
  QImage image(794, 1123, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainterCanvas canvas(image, 96, 96, CanvasKind::Screen);
    DrawReportPage(page, 0, canvas, 1, 1, 0, 0);
  }
}
BENCHMARK(BM_PaintA4Page300Views)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quarlo

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
