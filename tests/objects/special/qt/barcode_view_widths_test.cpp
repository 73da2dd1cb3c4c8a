// Symbologies that neither decoder reads (industrial and matrix 2 of 5, MSI, PostNet;
// UPC-E of number system 1 is read by zxing-cpp only) are checked on the rendered
// pixels instead: the object is drawn through the real painter canvas in each rotation,
// one line is read along its bars, and the run lengths in modules (and, for PostNet, the
// tall and short bars) must be the symbology's pattern. The expected runs are written
// out by hand from the standards' digit tables, from the first bar to the last.
#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "objects/special/barcode_view.h"
#include "platform/qt/qpainter_canvas.h"
#include "platform/recording_canvas.h"

namespace quarlo {
namespace {

constexpr int kZoom = 3;

// Reads along the bars from the symbol's start, whatever the rotation: u runs along the
// bars, v across them from the bars' top (the side away from the text).
class SymbolPixels {
 public:
  SymbolPixels(const QImage& image, const TfrxBarCodeView& view, int rotation)
      : image_(image), rotation_(rotation) {
    left_ = static_cast<int>(view.Left());
    top_ = static_cast<int>(view.Top());
    right_ = static_cast<int>(view.Left() + view.Width());
    bottom_ = static_cast<int>(view.Top() + view.Height());
  }
  int Along() const { return rotation_ % 180 == 0 ? right_ - left_ : bottom_ - top_; }
  int Across() const { return rotation_ % 180 == 0 ? bottom_ - top_ : right_ - left_; }
  bool Dark(int u, int v) const {
    int x = 0, y = 0;
    switch (rotation_) {
      case 90: x = left_ + v, y = bottom_ - 1 - u; break;
      case 180: x = right_ - 1 - u, y = bottom_ - 1 - v; break;
      case 270: x = right_ - 1 - v, y = top_ + u; break;
      default: x = left_ + u, y = top_ + v; break;
    }
    return qGray(image_.pixel(x, y)) < 128;
  }

 private:
  const QImage& image_;
  int rotation_;
  int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
};

struct Runs {
  std::string modules;  // run lengths in modules, bar first, "?" for a fraction
  std::string heights;  // per bar: "T" reaching the head line, "s" not
};

// Runs from the first to the last dark pixel on the line v = foot; bar heights from the
// line v = head.
Runs ReadRuns(const SymbolPixels& pixels, int foot, int head) {
  Runs runs;
  int first = 0, last = pixels.Along() - 1;
  while (first <= last && !pixels.Dark(first, foot)) ++first;
  while (last >= first && !pixels.Dark(last, foot)) --last;
  for (int u = first; u <= last;) {
    const bool dark = pixels.Dark(u, foot);
    int end = u;
    while (end <= last && pixels.Dark(end, foot) == dark) ++end;
    const int length = end - u;
    runs.modules += length % kZoom == 0 && length / kZoom <= 9 ? char('0' + length / kZoom) : '?';
    if (dark) runs.heights += pixels.Dark((u + end) / 2, head) ? 'T' : 's';
    u = end;
  }
  return runs;
}

struct WidthCase {
  TfrxBarcodeType type;
  const char* text;
  double ratio;
  const char* modules;
  const char* heights = nullptr;  // checked for PostNet only
};

const WidthCase kCases[] = {
    // Industrial: start wide, wide, narrow bar; each digit five bars, two wide (1 is
    // 10001, 2 is 01001), every bar followed by a narrow space; stop wide, narrow, wide.
    {bcCode_2_5_industrial, "12", 2, "212111" "2111111121" "1121111121" "21112"},
    {bcCode_2_5_industrial, "12", 3, "313111" "3111111131" "1131111131" "31113"},
    // Matrix: start and stop open with the widest bar; a digit is bar, space, bar,
    // space, bar, then a narrow gap. Its least ratio, 2.25, makes the wide element 2.
    {bcCode_2_5_matrix, "12", 2.25, "311111" "211121" "121121" "31111"},
    {bcCode_2_5_matrix, "12", 3, "411111" "311131" "131131" "41111"},
    // MSI: start wide bar, narrow space; each bit a bar and a space, wide first for a
    // one; 1 is 0001, 2 is 0010, the check digit 5 is 0101; stop narrow, wide, narrow.
    {bcCodeMSI, "12", 2, "21" "12121221" "12122112" "12211221" "121"},
    {bcCodeMSI, "12", 3, "31" "13131331" "13133113" "13311331" "131"},
    // PostNet: frame bars around five bars a digit on a fixed pitch, tall bars for the
    // ones (1 is 00011, 2 is 00101 by the weights 7, 4, 2, 1, 0).
    {bcCodePostNet, "12", 2, "12121212121212121212121", "TsssTTssTsTT"},
    // UPC-E of number system 1, 425261 with check digit 1: parity odd, odd, even, odd,
    // even, even; odd digits in the L code (4 is 0100011, 2 is 0010011), even ones in
    // the G code (5 is 0111001, 6 is 0000101, 1 is 0110011). Its modules are fixed, at
    // any ratio.
    {bcCodeUPC_E1, "425261", 2, "111" "1132" "2122" "1321" "2122" "4111" "1222" "111111"},
    {bcCodeUPC_E1, "425261", 3, "111" "1132" "2122" "1321" "2122" "4111" "1222" "111111"},
};

struct Param {
  WidthCase symbol;
  int rotation;
};

class BarcodeRenderedWidths : public ::testing::TestWithParam<Param> {};

TEST_P(BarcodeRenderedWidths, RunsAlongTheBarsAreTheSymbologysPattern) {
  const WidthCase& c = GetParam().symbol;
  const int rotation = GetParam().rotation;
  TfrxBarCodeView view(nullptr);
  view.SetBarType(c.type);
  view.SetText(c.text);
  view.SetCalcCheckSum(c.type == bcCodeUPC_E1);
  view.SetWideBarRatio(c.ratio);
  view.SetZoom(kZoom);
  view.SetRotation(rotation);
  const int margin = 20, cross = 45 * kZoom;
  if (rotation % 180 == 0) {
    view.SetBounds(margin, margin, 10, cross);
  } else {
    view.SetBounds(margin, margin, cross, 10);
  }
  RecordingCanvas sizing;
  view.Draw(sizing, 1, 1, 0, 0);
  ASSERT_EQ(view.ErrorText(), "");

  QImage image(static_cast<int>(view.Width()) + 2 * margin, static_cast<int>(view.Height()) + 2 * margin,
               QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainterCanvas canvas(image);
    view.Draw(canvas, 1, 1, 0, 0);
  }
  const SymbolPixels pixels(image, view, rotation);
  // With the text band of 16 modules the bars span 29 of the 45 across; short bars
  // cover their lower 11.
  const Runs runs = ReadRuns(pixels, 25 * kZoom, 5 * kZoom);
  EXPECT_EQ(runs.modules, c.modules);
  if (c.heights) {
    EXPECT_EQ(runs.heights, c.heights);
  }
}

std::vector<Param> AllParams() {
  std::vector<Param> params;
  for (const WidthCase& c : kCases) {
    for (int rotation : {0, 90, 180, 270}) params.push_back({c, rotation});
  }
  return params;
}

INSTANTIATE_TEST_SUITE_P(TypesAndRotations, BarcodeRenderedWidths, ::testing::ValuesIn(AllParams()),
                         [](const auto& info) {
                           return std::string(BarcodeTypeName(info.param.symbol.type)) + "_" +
                                  std::to_string(info.param.rotation) + "_" + std::to_string(info.index);
                         });

}  // namespace
}  // namespace quarlo
