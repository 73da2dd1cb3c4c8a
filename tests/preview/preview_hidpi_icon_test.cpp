// Toolbar icons at device pixel ratio 2: the doubled drawing keeps hard edges (no
// colour that is not in the drawing), smooths diagonal steps, and is what the
// toolbar's icons hand out for a doubled screen.
#include <QAction>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "report/report.h"
#include "preview/crisp_icon.h"
#include "preview/preview_form.h"
#include "resources/preview_buttons.h"
#include "resources/qt/preview_button_images.h"

namespace quarlo {
namespace {

constexpr QRgb kInk = 0xFF000000u;
constexpr QRgb kPaper = 0xFFFFFFFFu;

// Rows of '#' (ink) and '.' (paper).
QImage Art(const std::vector<std::string>& rows) {
  QImage image(int(rows[0].size()), int(rows.size()), QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, rows[size_t(y)][size_t(x)] == '#' ? kInk : kPaper);
  return image;
}

std::vector<std::string> Rows(const QImage& image) {
  std::vector<std::string> rows;
  for (int y = 0; y < image.height(); ++y) {
    std::string row;
    for (int x = 0; x < image.width(); ++x) row += image.pixel(x, y) == kInk ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

TEST(CrispIcon, DoublingKeepsEdgesAndSmoothsDiagonals) {
  struct Case {
    const char* name;
    std::vector<std::string> art;
    std::vector<std::string> doubled;
  } cases[] = {
      {"a lone pixel stays a square", {"...", ".#.", "..."},
       {"......", "......", "..##..", "..##..", "......", "......"}},
      {"straight edges stay straight", {"##.", "##.", "##."},
       {"####..", "####..", "####..", "####..", "####..", "####.."}},
      {"a diagonal gets half steps", {"....", ".#..", "..#.", "...."},
       {"........", "........", "..##....", "..###...", "...###..", "....##..", "........", "........"}},
      {"an inner corner is filled, an outer one rounded", {".....", ".###.", ".#...", ".#...", "....."},
       {"..........", "..........", "...#####..", "..######..", "..###.....", "..##......", "..##......",
        "..##......", "..........", ".........."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Rows(DoublePixelArt(Art(c.art))), c.doubled);
  }
  EXPECT_TRUE(DoublePixelArt(QImage()).isNull());
}

TEST(CrispIcon, ToolbarIconsAtRatioTwoAreTheDoubledDrawings) {
  const ImageList& images = PreviewButtonImages();
  ASSERT_EQ(images.Count(), kPreviewButtonCount);
  int smoothed = 0;
  for (int i = 0; i < images.Count(); ++i) {
    SCOPED_TRACE(i);
    const QImage cell = images.Image(i).convertToFormat(QImage::Format_ARGB32);
    const QImage doubled = CrispIcon(cell).pixmap(QSize(16, 16), 2.0).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(doubled.size(), QSize(32, 32));
    EXPECT_EQ(doubled, DoublePixelArt(cell));
    std::set<QRgb> colours;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) colours.insert(cell.pixel(x, y));
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) ASSERT_TRUE(colours.count(doubled.pixel(x, y))) << x << "," << y;
    if (doubled != cell.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::FastTransformation)) ++smoothed;
    // At ratio 1 the drawing itself.
    EXPECT_EQ(CrispIcon(cell).pixmap(QSize(16, 16), 1.0).toImage().convertToFormat(QImage::Format_ARGB32), cell);
  }
  EXPECT_GT(smoothed, kPreviewButtonCount / 2);  // most drawings have slanted edges
  // Plain doubling above the doubled drawings, on grey, for a person to compare.
  QImage sheet(32 * images.Count(), 64, QImage::Format_ARGB32);
  sheet.fill(0xFFC0C0C0u);
  {
    QPainter painter(&sheet);
    for (int i = 0; i < images.Count(); ++i) {
      painter.drawImage(32 * i, 0, images.Image(i).scaled(32, 32));
      painter.drawImage(32 * i, 32, DoublePixelArt(images.Image(i)));
    }
  }
  sheet.scaled(sheet.size() * 2).save(QStringLiteral(QUARLO_BINARY_DIR "/screenshots/toolbar_icons_2x.png"));

  TfrxReport report{nullptr};
  TfrxPreviewForm form(&report);
  const auto* print = form.Item(QStringLiteral("PrintB"));
  ASSERT_TRUE(print);
  EXPECT_EQ(print->action->icon().pixmap(QSize(16, 16), 2.0).size(), QSize(32, 32));
}

}  // namespace
}  // namespace quarlo
