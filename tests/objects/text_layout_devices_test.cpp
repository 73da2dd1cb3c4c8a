// Device independence with the installed fonts: the same text breaks into the same
// lines at every zoom and on a printer, and every line ends at the same report position
// within one device pixel. Chinese inside a Latin face is measured by its linked face.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "objects/text_layout.h"
#include "platform/recording_canvas.h"

namespace quarlo {
namespace {

struct Device {
  const char* name;
  CanvasKind kind;
  int dpi;
  double scale;
};

TEST(TextLayoutDevices, SameLinesAndLineEndsAtEveryZoomAndOnPrinters) {
  const std::vector<std::u16string> text = {
      u"报表合计 Total amount 12345.67 元，含税价格以本页为准。Invoice number 第12页 共30页",
      u"Quarterly revenue by region, with the long word internationalisation inside a narrow box",
      u"中文没有空格的时候按字符换行，每一行都应该在相同的位置结束。"};
  const Device devices[] = {
      {"screen 100%", CanvasKind::Screen, 96, 1.0},
      {"screen 150%", CanvasKind::Screen, 96, 1.5},
      {"screen 400%", CanvasKind::Screen, 96, 4.0},
      {"printer 600 dpi", CanvasKind::Printer, 600, 600 / 96.0},
      {"printer 300 dpi", CanvasKind::Printer, 300, 300 / 96.0},
  };
  const TextLayoutRect layout{0, 0, 150, 400};
  std::vector<std::u16string> reference;
  for (const Device& d : devices) {
    TfrxDrawText engine;
    TextLayoutLock lock(engine);
    engine.SetFont(TextFont{});
    engine.SetOptions(true, false, false, false, true, true, 0);
    engine.SetGaps(0, 0, 2);
    const int offset = 7;
    const TextLayoutRect output{offset, offset, offset + static_cast<int>(std::lrint(150 * d.scale)),
                              offset + static_cast<int>(std::lrint(400 * d.scale))};
    engine.SetDimensions(d.scale, d.scale, 1, layout, output);
    engine.SetText(text);
    if (reference.empty()) reference = engine.Lines();
    EXPECT_EQ(engine.Lines(), reference) << d.name;
    ASSERT_GE(engine.Lines().size(), 6u) << "the texts must wrap";

    RecordingCanvas canvas({0, 0, 10000, 10000}, d.dpi, d.dpi, d.kind);
    engine.DrawText(canvas, haLeft, vaTop);
    const auto texts = canvas.RecordsOf(CanvasRecord::Op::Text);
    ASSERT_EQ(texts.size(), engine.Lines().size()) << d.name;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      // The line's width in report pixels, as the 600-dpi layout measured it.
      TfrxDrawText probe;
      probe.SetFont(TextFont{});
      probe.SetOptions(false, false, false, false, true, true, 0);
      probe.SetDimensions(1, 1, 1, {0, 0, 10000, 100}, {0, 0, 10000, 100});
      probe.SetGaps(0, 0, 2);
      probe.SetText(std::vector<std::u16string>{engine.Lines()[i]});
      const double reportWidth = probe.CalcWidth();
      long long end = texts[i]->points[0].x;
      for (int a : texts[i]->advances) end += a;
      EXPECT_NEAR(static_cast<double>(end), offset + reportWidth * d.scale, 1.0) << d.name << " line " << i;
    }
  }
}

TEST(TextLayoutDevices, ChineseInALatinFaceIsMeasuredFullWidth) {
  TfrxDrawText engine;
  TextLayoutLock lock(engine);
  engine.SetFont(TextFont{});  // Arial 10
  engine.SetOptions(true, false, false, false, true, true, 0);
  engine.SetGaps(0, 0, 2);
  engine.SetDimensions(1, 1, 1, {0, 0, 1000, 100}, {0, 0, 1000, 100});
  engine.SetText(std::vector<std::u16string>{u"第一页第二页"});
  // Six ideographs of one em (83 layout pixels) each, not six missing-glyph boxes.
  EXPECT_NEAR(engine.CalcWidth(), 6 * 83 / 6.25, 6 / 6.25 + 1e-9);
}

}  // namespace
}  // namespace quarlo
