// The toolbar image list as the preview's widgets get it: 25 icons of 16 x 16 whose
// key colour has become transparent, the same cells as the decoded strip.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <cstdlib>

#include "resources/preview_buttons.h"
#include "resources/qt/image_list.h"
#include "resources/qt/preview_button_images.h"

namespace quarlo {
namespace {

TEST(PreviewButtonImages, TwentyFiveTransparentCellsMatchingTheStrip) {
  const ImageList& list = PreviewButtonImages();
  ASSERT_EQ(list.Count(), kPreviewButtonCount);
  EXPECT_EQ(list.CellSize(), QSize(16, 16));
  EXPECT_EQ(&list, &PreviewButtonImages()) << "decoded once and kept";

  const std::vector<ImageCell> cells = DecodeButtonImages(PreviewButtonsContainer());
  for (int i = 0; i < list.Count(); ++i) {
    const QImage image = list.Image(i);
    const ImageCell& cell = cells[static_cast<size_t>(i)];
    EXPECT_EQ(qAlpha(image.pixel(0, 15)), 0) << "image " << i << ": bottom-left is the transparent colour";
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const uint32_t source = cell.Image.At(x, y);
        const QRgb pixel = image.pixel(x, y);
        if (source == cell.TransparentColor) {
          ASSERT_EQ(qAlpha(pixel), 0) << "image " << i << " at " << x << "," << y;
        } else {
          ASSERT_EQ(pixel, 0xFF000000u | source) << "image " << i << " at " << x << "," << y;
        }
      }
    }
    EXPECT_FALSE(list.Icon(i).isNull());
  }
  EXPECT_TRUE(list.Image(-1).isNull());
  EXPECT_TRUE(list.Image(kPreviewButtonCount).isNull());
  EXPECT_TRUE(list.Icon(kPreviewButtonCount).isNull());

  // Set QUARLO_DUMP_DIR to look at the strip enlarged.
  const QImage strip = list.Strip();
  EXPECT_EQ(strip.size(), QSize(400, 16));
  EXPECT_EQ(strip.pixel(2 * 16 + 5, 7), list.Image(2).pixel(5, 7));
  if (const char* dir = std::getenv("QUARLO_DUMP_DIR")) {
    QImage shown(strip.size(), QImage::Format_ARGB32);
    shown.fill(QColor(240, 240, 240));
    QPainter(&shown).drawImage(0, 0, strip);
    shown.scaled(strip.size() * 6).save(QString::fromLocal8Bit(dir) + "/preview_buttons.png");
  }
}

TEST(PreviewButtonImages, DrawingPaintsOnlyTheOpaquePixels) {
  const ImageList& list = PreviewButtonImages();
  QImage canvas(20, 20, QImage::Format_ARGB32);
  canvas.fill(QColor(10, 200, 30));
  {
    QPainter painter(&canvas);
    list.Draw(painter, 2, 3, pbiPrint);
    list.Draw(painter, 0, 0, 99);  // outside the list: nothing
  }
  const QImage print = list.Image(pbiPrint);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const QRgb expected = qAlpha(print.pixel(x, y)) == 0 ? qRgb(10, 200, 30) : print.pixel(x, y);
      ASSERT_EQ(canvas.pixel(x + 2, y + 3), expected) << x << "," << y;
    }
  EXPECT_EQ(canvas.pixel(0, 0), qRgb(10, 200, 30));

  QImage disabled(16, 16, QImage::Format_ARGB32);
  disabled.fill(Qt::white);
  {
    QPainter painter(&disabled);
    list.Draw(painter, 0, 0, pbiPrint, false);
  }
  EXPECT_NE(disabled, canvas.copy(2, 3, 16, 16)) << "a disabled button looks different";
}

}  // namespace
}  // namespace quarlo
