// Cursors by number: the three drawn ones are bitmaps with their hot spot on the
// drawing, and the platform numbers map to the matching standard shapes.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "resources/qt/cursors.h"

namespace quarlo {
namespace {

TEST(Cursors, DrawnCursorsAreOutlinedBitmapsWithTheHotSpotOnTheDrawing) {
  LoadCursors();
  for (TCursor id : {crHand, crZoom, crFormat}) {
    QPoint hotSpot;
    const QImage image = CustomCursorImage(id, &hotSpot);
    ASSERT_FALSE(image.isNull()) << id;
    EXPECT_LE(image.width(), 32);
    EXPECT_LE(image.height(), 32);
    int black = 0, white = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QRgb p = image.pixel(x, y);
        if (qAlpha(p) == 0) continue;
        black += p == qRgb(0, 0, 0);
        white += p == qRgb(255, 255, 255);
      }
    EXPECT_GT(black, 20) << id;
    EXPECT_GT(white, 10) << id;
    EXPECT_EQ(qAlpha(image.pixel(image.width() - 1, image.height() - 1)) == 0 ||
                  qAlpha(image.pixel(0, 0)) == 0,
              true)
        << id << ": the drawing leaves transparent corners";
    ASSERT_TRUE(image.rect().contains(hotSpot)) << id;
    EXPECT_NE(qAlpha(image.pixel(hotSpot)), 0) << id << ": the hot spot is on the drawing";

    const QCursor cursor = frxCursor(id);
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor) << id;
    EXPECT_EQ(cursor.hotSpot(), hotSpot) << id;
    EXPECT_EQ(cursor.pixmap().size(), image.size()) << id;
  }
  EXPECT_NE(CustomCursorImage(crHand), CustomCursorImage(crZoom));

  // Set QUARLO_DUMP_DIR to look at the three drawings enlarged, hot spots in red.
  if (const char* dir = std::getenv("QUARLO_DUMP_DIR")) {
    QImage sheet(3 * 24, 24, QImage::Format_ARGB32);
    sheet.fill(QColor(150, 170, 190));
    QPainter painter(&sheet);
    int left = 2;
    for (TCursor id : {crHand, crZoom, crFormat}) {
      QPoint hotSpot;
      painter.drawImage(left, 2, CustomCursorImage(id, &hotSpot));
      painter.fillRect(left + hotSpot.x(), 2 + hotSpot.y(), 1, 1, Qt::red);
      left += 24;
    }
    painter.end();
    sheet.scaled(sheet.size() * 8).save(QString::fromLocal8Bit(dir) + "/cursors.png");
  }
  EXPECT_TRUE(CustomCursorImage(crHandPoint).isNull());
  EXPECT_TRUE(CustomCursorImage(153).isNull());
}

TEST(Cursors, PlatformNumbersGiveTheStandardShapes) {
  struct Case {
    TCursor id;
    Qt::CursorShape shape;
  };
  const Case cases[] = {
      {crDefault, Qt::ArrowCursor},   {crArrow, Qt::ArrowCursor},        {crNone, Qt::BlankCursor},
      {crHandPoint, Qt::PointingHandCursor}, {crIBeam, Qt::IBeamCursor}, {crCross, Qt::CrossCursor},
      {crSizeWE, Qt::SizeHorCursor},  {crSizeNS, Qt::SizeVerCursor},     {crHourGlass, Qt::WaitCursor},
      {crSizeAll, Qt::SizeAllCursor}, {crNo, Qt::ForbiddenCursor},       {crHelp, Qt::WhatsThisCursor},
      {149, Qt::ArrowCursor},         {153, Qt::ArrowCursor},            {-1000, Qt::ArrowCursor},
  };
  for (const Case& c : cases) EXPECT_EQ(frxCursor(c.id).shape(), c.shape) << c.id;
}

}  // namespace
}  // namespace quarlo
