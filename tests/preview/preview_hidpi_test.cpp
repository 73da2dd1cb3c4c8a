// The workspace on a screen of device pixel ratio 2: the pages are drawn at the
// device's resolution, so a page shown at 100% carries what the same page at 200%
// carries on an ordinary screen, while the layout stays in logical pixels (100% is
// still the paper's size at 96 dpi).
#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "report/report.h"
#include "report/report_classes.h"
#include "platform/stream.h"
#include "objects/frame.h"
#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "preview/preview_control.h"
#include "preview/preview_workspace.h"
#include "support/report_generator.h"

namespace quarlo {
namespace {

// Text of two sizes and framed cells, whose thin lines and glyph edges show any drawing
// at the logical resolution.
std::string TextAndFrames() {
  testing::ReportGenerator g;
  TfrxReportPage& page = g.AddCompletePage();
  const char* lines[] = {"Sharp text at every zoom 0123456789", "iIl1 |/\\ mmww", "Frames and rules"};
  for (int i = 0; i < 3; ++i) {
    auto* memo = new TfrxMemoView(&page);
    memo->SetBounds(20 + 15 * i, 20 + 40 * i, 330, 32);
    memo->Frame().SetTyp(ftAll);
    memo->Font().SetSize(7 + 4 * i);
    const std::string text = lines[i];
    memo->Memo().SetText(std::u16string(text.begin(), text.end()));
  }
  return g.Write();
}

struct Shown {
  QImage image;
  QRect page;  // the first page in device pixels of image
};

// A preview at `zoom`, its workspace rendered into an image of `ratio` device pixels
// per logical pixel.
Shown Render(TfrxReport& report, double zoom, qreal ratio, QSize logicalSize) {
  TfrxPreview preview;
  preview.resize(logicalSize);
  preview.show();
  report.SetPreview(&preview);
  preview.SetZoom(zoom);
  // Zooming keeps the view's centre; both renders compare from the paper's corner.
  preview.Workspace().SetScrollPosition(Qt::Horizontal, 0);
  preview.Workspace().SetScrollPosition(Qt::Vertical, 0);
  QApplication::processEvents();
  QWidget* view = preview.Workspace().viewport();
  Shown out;
  out.image = QImage(view->size() * ratio, QImage::Format_ARGB32_Premultiplied);
  out.image.setDevicePixelRatio(ratio);
  out.image.fill(Qt::black);
  view->render(&out.image);
  const QRect r = preview.Workspace().PageRect(0);
  out.page = QRect(int(r.left() * ratio), int(r.top() * ratio), int(r.width() * ratio), int(r.height() * ratio));
  report.SetPreview(nullptr);
  return out;
}

class PreviewHiDpi : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterReportClasses(); }
  void SetUp() override {
    MemoryStream stream(TextAndFrames());
    report.PreviewPages().LoadFromStream(stream);
  }
  TfrxReport report{nullptr};
};

// How far the page at zoom 1 and ratio r differs from the page at zoom r and ratio 1,
// compared from the paper's corner on inside the frames the workspace draws around each
// page (one logical pixel, not part of the page).
struct Difference {
  long differing = 0;  // pixels whose channels differ at all
  long large = 0;      // pixels differing by more than a quarter of the range
  long inked = 0;      // dark pixels of the reference: text and frames compared
};

Difference Compare(const Shown& hi, const Shown& ref) {
  const int inset = 4;
  const int w = std::min({hi.page.width(), ref.page.width(), hi.image.width() - hi.page.left(),
                          ref.image.width() - ref.page.left()}) - inset;
  const int h = std::min({hi.page.height(), ref.page.height(), hi.image.height() - hi.page.top(),
                          ref.image.height() - ref.page.top()}) - inset;
  Difference d;
  for (int y = inset; y < h; ++y) {
    for (int x = inset; x < w; ++x) {
      const QRgb a = hi.image.pixel(hi.page.left() + x, hi.page.top() + y);
      const QRgb b = ref.image.pixel(ref.page.left() + x, ref.page.top() + y);
      if (qGray(b) < 128) ++d.inked;
      const int delta = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                  std::abs(qBlue(a) - qBlue(b))});
      if (delta > 0) ++d.differing;
      if (delta > 64) ++d.large;
    }
  }
  return d;
}

TEST_F(PreviewHiDpi, AtRatioRThePageIsWhatZoomRPaints) {
  const QSize logical(520, 360);
  struct Case {
    qreal ratio;
    // Whole ratios draw from the same corner at the same scale: pixel for pixel the
    // same. At 1.5 the page's corner falls between device pixels (its logical place
    // times 1.5) while at zoom 1.5 it sits on one, so glyph edges and one-pixel rules
    // land half a pixel apart: differences, but few large ones.
    double maxDiffering;
    double maxLarge;
  } cases[] = {{2.0, 0, 0}, {3.0, 0, 0}, {1.5, 0.5, 0.25}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ratio);
    const Shown hi = Render(report, 1.0, c.ratio, logical);
    const Shown ref = Render(report, c.ratio, 1.0, logical * c.ratio);
    // The device's pixels, and 100% keeps the paper's logical size (A4 is 794 wide).
    EXPECT_NEAR(hi.page.width(), c.ratio * 794, 2 * c.ratio);
    EXPECT_NEAR(ref.page.width(), c.ratio * 794, 2 * c.ratio);
    const Difference d = Compare(hi, ref);
    std::printf("ratio %.1f: %ld of %ld inked pixels differ, %ld by more than a quarter\n", c.ratio, d.differing,
                d.inked, d.large);
    EXPECT_GT(d.inked, 1000 * c.ratio);  // the text and the frames are in the comparison
    EXPECT_LE(d.differing, c.maxDiffering * d.inked) << d.differing << " of " << d.inked << " inked";
    EXPECT_LE(d.large, c.maxLarge * d.inked) << d.large << " of " << d.inked << " inked";
    if (c.ratio == 2.0) hi.image.save(QStringLiteral(QUARLO_BINARY_DIR "/screenshots/preview_hidpi_ratio2.png"));
  }
}

}  // namespace
}  // namespace quarlo
