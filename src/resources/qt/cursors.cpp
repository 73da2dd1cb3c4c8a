#include "resources/qt/cursors.h"

#include <QPixmap>
#include <algorithm>
#include <map>
#include <mutex>
#include <string_view>

namespace quarlo {
namespace {

struct CursorDrawing {
  TCursor id;
  QPoint hotSpot;
  const char* const* rows;
};

// An open hand: the preview's cursor for dragging the pages around.
constexpr const char* kHand[] = {
    ".........KKK.........",
    "........KWWWKKKK.....",
    ".....KKKKWWWKWWWK....",
    "....KWWWKWWWKWWWKKKK.",
    "....KWWWKWWWKWWWKWWWK",
    "....KWWWKWWWKWWWKWWWK",
    "....KWWWKWWWKWWWKWWWK",
    ".KK.KWWWKWWWKWWWKWWWK",
    "KWWKKWWWKWWWKWWWKWWWK",
    "KWWWKWWWKWWWKWWWKWWWK",
    ".KWWWWWWWWWWWWWWWWWWK",
    "..KWWWWWWWWWWWWWWWWWK",
    "...KWWWWWWWWWWWWWWWWK",
    "....KWWWWWWWWWWWWWWK.",
    ".....KWWWWWWWWWWWWK..",
    "......KWWWWWWWWWWWK..",
    "......KWWWWWWWWWWWK..",
    "......KKKKKKKKKKKKK..",
    nullptr};

// A magnifier with a plus; the hot spot is the centre of the lens.
constexpr const char* kZoom[] = {
    "....KKKKK.........",
    "..KKWWWWWKK.......",
    ".KWWWWWWWWWK......",
    ".KWWWWKWWWWK......",
    "KWWWWWKWWWWWK.....",
    "KWWWWWKWWWWWK.....",
    "KWWKKKKKKKWWK.....",
    "KWWWWWKWWWWWK.....",
    "KWWWWWKWWWWWK.....",
    ".KWWWWKWWWWK......",
    ".KWWWWWWWWWKK.....",
    "..KKWWWWWKKWWK....",
    "....KKKKK.KWWWK...",
    "...........KWWWK..",
    "............KWWWK.",
    ".............KWWWK",
    "..............KWWK",
    "...............KK.",
    nullptr};

// A brush for copying a format; the hot spot is the tip of the bristles.
constexpr const char* kFormat[] = {
    "...........KKK..",
    "..........KWWWK.",
    ".........KWWWWK.",
    "........KWWWWK..",
    ".......KWWWWK...",
    "......KKWWWK....",
    ".....KWKKWK.....",
    "....KWWWKK......",
    "...KWWWWWK......",
    "..KWKWKWK.......",
    ".KWKWKWK........",
    ".KWKWKK.........",
    "KWKWKK..........",
    "KWWKK...........",
    "KKKK............",
    nullptr};

constexpr CursorDrawing kDrawings[] = {
    {crHand, QPoint(11, 10), kHand},
    {crZoom, QPoint(6, 6), kZoom},
    {crFormat, QPoint(0, 14), kFormat},
};

QImage Render(const char* const* rows) {
  int height = 0;
  int width = 0;
  for (; rows[height] != nullptr; ++height) width = std::max(width, static_cast<int>(std::string_view(rows[height]).size()));
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  for (int y = 0; y < height; ++y) {
    const std::string_view row(rows[y]);
    for (int x = 0; x < static_cast<int>(row.size()); ++x) {
      if (row[x] == 'K') image.setPixel(x, y, qRgb(0, 0, 0));
      if (row[x] == 'W') image.setPixel(x, y, qRgb(255, 255, 255));
    }
  }
  return image;
}

Qt::CursorShape PlatformShape(TCursor cursor) {
  switch (cursor) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crDrag: return Qt::DragCopyCursor;
    case crNoDrop: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crMultiDrag: return Qt::DragCopyCursor;
    case crSQLWait: return Qt::BusyCursor;
    case crNo: return Qt::ForbiddenCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
  }
}

std::mutex& CursorMutex() {
  static std::mutex mutex;
  return mutex;
}

std::map<TCursor, QCursor>& LoadedCursors() {
  static std::map<TCursor, QCursor> cursors;
  return cursors;
}

}  // namespace

QImage CustomCursorImage(TCursor cursor, QPoint* hotSpot) {
  for (const CursorDrawing& drawing : kDrawings) {
    if (drawing.id != cursor) continue;
    if (hotSpot != nullptr) *hotSpot = drawing.hotSpot;
    return Render(drawing.rows);
  }
  return {};
}

void LoadCursors() {
  std::lock_guard lock(CursorMutex());
  auto& cursors = LoadedCursors();
  if (!cursors.empty()) return;
  for (const CursorDrawing& drawing : kDrawings)
    cursors.emplace(drawing.id, QCursor(QPixmap::fromImage(Render(drawing.rows)), drawing.hotSpot.x(), drawing.hotSpot.y()));
}

QCursor frxCursor(TCursor cursor) {
  if (cursor >= crHand && cursor <= crFormat) {
    LoadCursors();
    std::lock_guard lock(CursorMutex());
    return LoadedCursors().at(cursor);
  }
  return QCursor(PlatformShape(cursor));
}

}  // namespace quarlo
