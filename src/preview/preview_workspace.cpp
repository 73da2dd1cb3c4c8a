#include "preview/preview_workspace.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <climits>
#include <cmath>
#include <exception>

#include "document/preview_pages.h"
#include "document/preview_pages_paint.h"
#include "platform/qt/qpainter_canvas.h"

namespace quarlo {

namespace {

// A page size outside this range is damaged input; it is drawn at the nearest bound
// so one absurd page cannot make the layout overflow.
constexpr int kMaxPageSide = 100000;
constexpr QSize kFallbackPage(794, 1123);  // A4 at 96 dpi

int ClampToInt(qint64 v) { return static_cast<int>(std::clamp<qint64>(v, INT_MIN / 2, INT_MAX / 2)); }

}  // namespace

TfrxPreviewWorkspace::TfrxPreviewWorkspace(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setAutoFillBackground(false);
  verticalScrollBar()->setSingleStep(20);
  horizontalScrollBar()->setSingleStep(20);
}

void TfrxPreviewWorkspace::SetPages(TfrxCustomPreviewPages* pages,
                                    std::function<void(const std::string&)> reportError) {
  pages_ = pages;
  reportError_ = std::move(reportError);
  Refresh();
}

void TfrxPreviewWorkspace::Refresh() {
  extents_.clear();
  failed_.clear();
  const int count = pages_ ? std::max(0, pages_->Count()) : 0;
  extents_.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    QSize size = kFallbackPage;
    try {
      const TfrxPageExtent e = pages_->PageExtent(i);
      size = QSize(std::clamp(e.Width, 1, kMaxPageSide), std::clamp(e.Height, 1, kMaxPageSide));
    } catch (const std::exception& error) {
      Fail(i, error.what());
    }
    extents_.push_back(size);
  }
  Relayout();
  current_ = -1;
  SetPageNo(0);
  viewport()->update();
}

void TfrxPreviewWorkspace::Relayout() {
  tops_.resize(extents_.size());
  qint64 y = kGap;
  qint64 widest = 0;
  for (size_t i = 0; i < extents_.size(); ++i) {
    tops_[i] = y;
    y += static_cast<qint64>(std::llround(extents_[i].height() * zoom_)) + kGap;
    widest = std::max<qint64>(widest, std::llround(extents_[i].width() * zoom_));
  }
  contentHeight_ = y;
  contentWidth_ = widest + 2 * kGap;
  const QSize view = viewport()->size();
  verticalScrollBar()->setPageStep(view.height());
  horizontalScrollBar()->setPageStep(view.width());
  verticalScrollBar()->setRange(0, ClampToInt(std::max<qint64>(0, contentHeight_ - view.height())));
  horizontalScrollBar()->setRange(0, ClampToInt(std::max<qint64>(0, contentWidth_ - view.width())));
}

QRect TfrxPreviewWorkspace::PageRect(int index) const {
  if (index < 0 || index >= PageCount()) return {};
  const QSize e = extents_[static_cast<size_t>(index)];
  const qint64 w = std::llround(e.width() * zoom_);
  const qint64 h = std::llround(e.height() * zoom_);
  const qint64 area = std::max<qint64>(contentWidth_, viewport()->width());
  const qint64 x = (area - w) / 2 - horizontalScrollBar()->value();
  const qint64 y = tops_[static_cast<size_t>(index)] - verticalScrollBar()->value();
  return QRect(ClampToInt(x), ClampToInt(y), ClampToInt(w), ClampToInt(h));
}

void TfrxPreviewWorkspace::SetPageNo(int index) {
  if (extents_.empty()) {
    SetCurrent(-1);
    return;
  }
  index = std::clamp(index, 0, PageCount() - 1);
  navigating_ = true;
  verticalScrollBar()->setValue(ClampToInt(tops_[static_cast<size_t>(index)] - kGap));
  navigating_ = false;
  SetCurrent(index);
  viewport()->update();
}

void TfrxPreviewWorkspace::SetZoom(double zoom) {
  if (!std::isfinite(zoom)) return;
  zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
  if (zoom == zoom_) return;
  // The part of the current page at the top of the view stays there.
  double offset = 0;
  if (current_ >= 0) offset = (verticalScrollBar()->value() - tops_[static_cast<size_t>(current_)]) / zoom_;
  zoom_ = zoom;
  Relayout();
  if (current_ >= 0) {
    navigating_ = true;
    verticalScrollBar()->setValue(
        ClampToInt(tops_[static_cast<size_t>(current_)] + static_cast<qint64>(std::llround(offset * zoom_))));
    navigating_ = false;
  }
  viewport()->update();
  emit ZoomChanged(zoom_);
}

void TfrxPreviewWorkspace::SetCurrent(int index) {
  if (index == current_) return;
  current_ = index;
  if (pages_) pages_->CurrentPreviewPage = index + 1;
  emit PageChanged(index);
}

void TfrxPreviewWorkspace::TrackCurrentPage() {
  if (navigating_ || extents_.empty()) return;
  const qint64 top = verticalScrollBar()->value();
  // The first page reaching below the view's top edge is the one being read.
  int index = PageCount() - 1;
  auto it = std::upper_bound(tops_.begin(), tops_.end(), top + kGap);
  if (it != tops_.begin()) index = static_cast<int>(it - tops_.begin()) - 1;
  const QSize e = extents_[static_cast<size_t>(index)];
  if (tops_[static_cast<size_t>(index)] + std::llround(e.height() * zoom_) <= top && index + 1 < PageCount()) ++index;
  SetCurrent(index);
}

void TfrxPreviewWorkspace::scrollContentsBy(int, int) {
  TrackCurrentPage();
  viewport()->update();
}

void TfrxPreviewWorkspace::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  Relayout();
}

void TfrxPreviewWorkspace::Fail(int index, const std::string& text) {
  if (!failed_.insert(index).second) return;
  if (!reportError_) return;
  // A message box must not open inside a paint, so the report hears of it afterwards.
  QPointer<TfrxPreviewWorkspace> self(this);
  QTimer::singleShot(0, this, [self, text] {
    if (!self || !self->reportError_) return;
    try {
      self->reportError_(text);
    } catch (const std::exception&) {
      // A report set to raise its errors has nobody to raise them to here.
    }
  });
}

void TfrxPreviewWorkspace::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.fillRect(event->rect(), QColor(128, 128, 128));
  const QRect view = viewport()->rect();
  for (int i = 0; i < PageCount(); ++i) {
    const QRect page = PageRect(i);
    if (page.top() > view.bottom()) break;
    if (page.bottom() < view.top() || !page.intersects(event->rect())) continue;
    painter.fillRect(page, Qt::white);
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(page.adjusted(-1, -1, 0, 0));
    if (!pages_ || failed_.count(i)) continue;
    painter.save();
    painter.setClipRect(page);
    try {
      QPainterCanvas canvas(painter, CanvasKind::Screen, 96, 96);
      PaintPage(*pages_, i, canvas, zoom_, zoom_, page.left(), page.top());
    } catch (const std::exception& error) {
      Fail(i, error.what());
      viewport()->update(page);
    }
    painter.restore();
  }
}

void TfrxPreviewWorkspace::wheelEvent(QWheelEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) SetZoom(zoom_ * std::pow(1.25, std::clamp(steps, -8, 8)));
    event->accept();
    return;
  }
  QAbstractScrollArea::wheelEvent(event);
}

void TfrxPreviewWorkspace::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_PageUp: SetPageNo(current_ - 1); break;
    case Qt::Key_PageDown: SetPageNo(current_ + 1); break;
    case Qt::Key_Home: SetPageNo(0); break;
    case Qt::Key_End: SetPageNo(PageCount() - 1); break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
  }
  event->accept();
}

}  // namespace quarlo
