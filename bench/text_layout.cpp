// Laying out and drawing an A4 page of 200 text objects (mixed Chinese and Latin,
// wrapped, some justified) into an image at zoom 1 and 4, as the preview paints a page.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <string>
#include <vector>

#include "objects/text_layout.h"
#include "platform/qt/qpainter_canvas.h"
#include "platform/qt/qt_platform.h"

namespace {

using namespace quarlo;

struct TextObject {
  TextLayoutRect rect;  // report pixels
  std::vector<std::u16string> text;
  TfrxHAlign align;
  std::string font;
};

std::vector<TextObject> Page() {
  const std::u16string samples[] = {
      u"报表合计 Total amount 12345.67 元",
      u"客户名称：上海某某贸易有限公司 Customer name and address on two lines",
      u"Quarterly revenue by region, justified across the width of the box",
      u"中文没有空格的时候按字符换行，每一行都应该在相同的位置结束。",
      u"第12页 共30页",
      u"Invoice 2024-0001 / 发票号码 No. 88231",
  };
  std::vector<TextObject> page;
  // 4 columns x 50 rows of cells on an A4 page (794 x 1123 report pixels).
  for (int i = 0; i < 200; ++i) {
    const int col = i % 4, row = i / 4;
    TextObject t;
    t.rect = {20 + col * 190, 20 + row * 21, 20 + col * 190 + 185, 20 + row * 21 + 40};
    t.text = {samples[i % 6]};
    t.align = i % 5 == 0 ? haBlock : i % 7 == 0 ? haRight : haLeft;
    t.font = i % 3 == 0 ? "宋体" : "Arial";
    page.push_back(std::move(t));
  }
  return page;
}

void DrawPage(benchmark::State& state) {
  const double zoom = static_cast<double>(state.range(0));
  const std::vector<TextObject> page = Page();
  // The format of window back buffers, which the preview paints into.
  QImage image(static_cast<int>(794 * zoom), static_cast<int>(1123 * zoom), QImage::Format_ARGB32_Premultiplied);
  TfrxDrawText& engine = TfrxDrawText::Global();
  for (auto _ : state) {
    state.PauseTiming();  // clearing the paper is the page's cost, not the text's
    image.fill(Qt::white);
    state.ResumeTiming();
    QPainterCanvas canvas(image);
    for (const TextObject& t : page) {
      TextLayoutLock lock(engine);
      TextFont font;
      font.Name = t.font;
      engine.SetFont(font);
      engine.SetOptions(true, false, false, false, true, true, 0);
      engine.SetGaps(0, 0, 2);
      const TextLayoutRect out{static_cast<int>(std::lrint(t.rect.Left * zoom)), static_cast<int>(std::lrint(t.rect.Top * zoom)),
                             static_cast<int>(std::lrint(t.rect.Right * zoom)), static_cast<int>(std::lrint(t.rect.Bottom * zoom))};
      engine.SetDimensions(zoom, zoom, 1, {0, 0, t.rect.Right - t.rect.Left, t.rect.Bottom - t.rect.Top}, out);
      engine.SetText(t.text);
      engine.DrawText(canvas, t.align, vaTop);
    }
  }
  state.SetLabel("200 text objects, A4 page");
}
BENCHMARK(DrawPage)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

// Wrapping alone (no drawing): what every draw and height calculation pays.
void WrapOnly(benchmark::State& state) {
  const std::vector<TextObject> page = Page();
  TfrxDrawText& engine = TfrxDrawText::Global();
  for (auto _ : state) {
    for (const TextObject& t : page) {
      TextLayoutLock lock(engine);
      engine.SetFont(TextFont{t.font});
      engine.SetOptions(true, false, false, false, true, true, 0);
      engine.SetGaps(0, 0, 2);
      engine.SetDimensions(1, 1, 1, {0, 0, t.rect.Right - t.rect.Left, 40}, {0, 0, 185, 40});
      engine.SetText(t.text);
      benchmark::DoNotOptimize(engine.Lines().size());
    }
  }
}
BENCHMARK(WrapOnly)->Unit(benchmark::kMillisecond);

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
