// An A4 page of 200 text objects (mixed Chinese and Latin, wrapped, some justified,
// framed) drawn as the page drawing does it: each object's Draw with its text
// rectangle, fill, frame and layout, into an image at zoom 1 and 4.
// QUARLO_TEXT_PAGE_PNG=<prefix> also writes the pages as <prefix><zoom>.png to look at.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <memory>
#include <string>
#include <vector>

#include "objects/memo_view.h"
#include "platform/qt/qpainter_canvas.h"
#include "platform/qt/qt_platform.h"

namespace {

using namespace quarlo;

std::vector<std::unique_ptr<TfrxMemoView>> Page() {
  const std::u16string samples[] = {
      u"报表合计 Total amount 12345.67 元",
      u"客户名称：上海某某贸易有限公司 Customer name and address on two lines",
      u"Quarterly revenue by region, justified across the width of the box",
      u"中文没有空格的时候按字符换行，每一行都应该在相同的位置结束。",
      u"第[TOTALPAGES#]页 共30页",
      u"Invoice 2024-0001 / 发票号码 No. 88231",
  };
  std::vector<std::unique_ptr<TfrxMemoView>> page;
  // 4 columns x 50 rows on an A4 page (794 x 1123 report pixels).
  for (int i = 0; i < 200; ++i) {
    const int col = i % 4, row = i / 4;
    auto m = std::make_unique<TfrxMemoView>(nullptr);
    m->SetBounds(20 + col * 190, 20 + row * 21, 185, 21);
    m->Memo().Add(samples[i % 6]);
    m->SetHAlign(i % 5 == 0 ? haBlock : i % 7 == 0 ? haRight : haLeft);
    if (i % 3 == 0) m->Font().SetName("\xcb\xce\xcc\xe5");  // 宋体 in the system code page
    if (i % 4 == 0) m->Frame().SetTyp(ftAll);
    m->SetTotalPages(30);
    page.push_back(std::move(m));
  }
  return page;
}

void DrawTextPage(benchmark::State& state) {
  const double zoom = static_cast<double>(state.range(0));
  auto page = Page();
  QImage image(static_cast<int>(794 * zoom), static_cast<int>(1123 * zoom), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    state.PauseTiming();  // clearing the paper is the page's cost, not the text's
    image.fill(Qt::white);
    state.ResumeTiming();
    QPainterCanvas canvas(image);
    for (auto& m : page) m->Draw(canvas, zoom, zoom, 0, 0);
  }
  state.SetLabel("200 text objects, A4 page");
  if (const QByteArray prefix = qgetenv("QUARLO_TEXT_PAGE_PNG"); !prefix.isEmpty()) {
    image.save(QString::fromUtf8(prefix) + QString::number(static_cast<int>(zoom)) + ".png");
  }
}
BENCHMARK(DrawTextPage)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  quarlo::InstallQtPlatform();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
