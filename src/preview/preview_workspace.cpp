#include "preview/preview_workspace.h"

#include <QApplication>
#include <QDateTime>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <exception>

#include "document/preview_pages.h"
#include "objects/report_page.h"
#include "objects/units.h"
#include "platform/qt/qpainter_canvas.h"
#include "preview/preview_control.h"
#include "preview/text_search.h"
#include "preview/text_selection.h"
#include "resources/cursor_ids.h"
#include "resources/qt/cursors.h"
#include "platform/rounding.h"

namespace quarlo {

namespace {

// Device pixels per logical pixel where the painter ends up: the screen's ratio, or
// that of an image the workspace is rendered into. Anything implausible counts as 1.
qreal DeviceRatio(const QPainter& painter) {
  const QTransform& t = painter.deviceTransform();
  const qreal ratio = std::sqrt(std::abs(t.determinant()));
  if (!std::isfinite(ratio) || std::abs(ratio - 1.0) < 1e-3 || ratio < 1.0) return 1.0;
  return std::min<qreal>(ratio, TfrxPreviewWorkspace::kMaxDeviceRatio);
}

QRect ToRect(const PageBox& b) { return QRect(QPoint(b.Left, b.Top), QPoint(b.Right - 1, b.Bottom - 1)); }

int PointerButton(Qt::MouseButton b) {
  if (b == Qt::RightButton) return kPointerRightButton;
  if (b == Qt::MiddleButton) return kPointerMiddleButton;
  return kPointerLeftButton;
}

unsigned ShiftState(Qt::KeyboardModifiers m, Qt::MouseButtons buttons) {
  unsigned s = 0;
  if (m & Qt::ShiftModifier) s |= 1u << 0;
  if (m & Qt::AltModifier) s |= 1u << 1;
  if (m & Qt::ControlModifier) s |= 1u << 2;
  if (buttons & Qt::LeftButton) s |= 1u << 3;
  if (buttons & Qt::RightButton) s |= 1u << 4;
  if (buttons & Qt::MiddleButton) s |= 1u << 5;
  return s;
}

}  // namespace

QColor ColorFromRef(unsigned color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

TfrxPreviewWorkspace::TfrxPreviewWorkspace(QWidget* parent)
    : QAbstractScrollArea(parent), search_(std::make_unique<TextSearchCursor>()) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setAutoFillBackground(false);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setMouseTracking(true);
  verticalScrollBar()->setSingleStep(kSmallChange);
  horizontalScrollBar()->setSingleStep(kSmallChange);
  viewport()->setCursor(frxCursor(crHand));
  UpdateScrollRanges();
}

TfrxPreviewWorkspace::~TfrxPreviewWorkspace() = default;

void TfrxPreviewWorkspace::SetPreviewPages(TfrxCustomPreviewPages* pages) { pages_ = pages; }

void TfrxPreviewWorkspace::SetPageErrorHandler(std::function<void(int, const std::string&)> handler) {
  pageError_ = std::move(handler);
}

void TfrxPreviewWorkspace::ForgetFailures() { failed_.clear(); }

void TfrxPreviewWorkspace::SetThumbnail(bool v) {
  thumbnail_ = v;
  if (v) zoom_ = kThumbnailZoom;
}

// --- scrolling ------------------------------------------------------------------------

void TfrxPreviewWorkspace::UpdateScrollRanges() {
  const ContentExtent size = list_.ContentSize();
  SetRanges(size.Width + kGap, size.Height + kGap);
}

void TfrxPreviewWorkspace::SetRanges(int horizontal, int vertical) {
  rangeX_ = std::max(0, horizontal);
  rangeY_ = std::max(0, vertical);
  ApplyScrollBars();
}

// Qt's scroll bar maximum is range - page; the position clamps itself to it.
void TfrxPreviewWorkspace::ApplyScrollBars() {
  const QSize page = viewport()->size();
  horizontalScrollBar()->setPageStep(std::max(1, page.width()));
  verticalScrollBar()->setPageStep(std::max(1, page.height()));
  horizontalScrollBar()->setRange(0, std::max(0, rangeX_ - page.width()));
  verticalScrollBar()->setRange(0, std::max(0, rangeY_ - page.height()));
}

void TfrxPreviewWorkspace::SetScrollPosition(Qt::Orientation axis, int position) {
  QScrollBar* bar = axis == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
  bar->setValue(std::clamp(position, bar->minimum(), bar->maximum()));
}

void TfrxPreviewWorkspace::scrollContentsBy(int dx, int dy) {
  offsetX_ = horizontalScrollBar()->value();
  offsetY_ = verticalScrollBar()->value();
  // The pixels already painted move; only the uncovered strip is painted again.
  viewport()->scroll(dx, dy);
  if (dy != 0 && !thumbnail_) TrackCurrentPage();
}

// Until its first layout for the shown window, where the view's stale layout scrolls to
// says nothing about the page the user is on: a page chosen before the window shows stays.
void TfrxPreviewWorkspace::TrackCurrentPage() {
  if (list_.Count() == 0 || (preview_ && !preview_->LaidOutForShownWindow())) return;
  SetCurrentFromPoint(list_.PageAtPoint(offsetY_, 0));
}

// The page the workspace itself reached (by scrolling or a click) becomes current
// without this workspace scrolling back to the page's top.
void TfrxPreviewWorkspace::SetCurrentFromPoint(int page) {
  if (!preview_) return;
  suppressScroll_ = true;
  preview_->SetCurrentPage(page + 1);
  suppressScroll_ = false;
}

void TfrxPreviewWorkspace::ScrollToPage(int n) {
  if (suppressScroll_) return;
  SetScrollPosition(Qt::Vertical, DocumentPageRect(n - 1).top() - kGap);
}

void TfrxPreviewWorkspace::ScrollToPosition(int n, int top) {
  if (!pages_) return;
  TfrxReportPage* page = nullptr;
  try {
    page = pages_->PageObject(n - 1);
  } catch (const std::exception& error) {
    Fail(n - 1, error.what());
    return;
  }
  if (!page) return;
  int extra = 0;
  if (top != 0) extra = RoundHalfEven((page->TopMargin() * fr01cm + top) * zoom_);
  SetScrollPosition(Qt::Vertical, DocumentPageRect(n - 1).top() + extra - kGap);
}

void TfrxPreviewWorkspace::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  ApplyScrollBars();
  if (preview_ && !thumbnail_) preview_->WorkspaceResized();
}

// Until the window is shown the workspace has no size of its own: its parents lay it out
// only then, so the first layout the user sees is made here.
void TfrxPreviewWorkspace::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  if (preview_ && !thumbnail_) preview_->WorkspaceShown();
}

// --- geometry -------------------------------------------------------------------------

QRect TfrxPreviewWorkspace::DocumentPageRect(int index) const {
  return ToRect(list_.PageRect(index, viewport()->width(), false, zoom_));
}

QRect TfrxPreviewWorkspace::PageRect(int index) const {
  return DocumentPageRect(index).translated(-offsetX_, -offsetY_);
}

// --- painting -------------------------------------------------------------------------

void TfrxPreviewWorkspace::SetCurrentPageNumber(int page) {
  if (page == currentPage_) return;
  frameDamage_ += FrameRegion(currentPage_);
  currentPage_ = page;
  frameDamage_ += FrameRegion(currentPage_);
}

QRegion TfrxPreviewWorkspace::FrameRegion(int page) const {
  if (page < 1 || page > list_.Count()) return {};
  const QRect r = PageRect(page - 1);
  return QRegion(r.adjusted(-3, -3, 3, 3)) - QRegion(r.adjusted(2, 2, -2, -2));
}

void TfrxPreviewWorkspace::PaintPages(bool framesOnly) {
  if (!framesOnly) {
    frameDamage_ = QRegion();
    viewport()->update();
    return;
  }
  // Only the strips where the current-page frame was and is now are painted again.
  viewport()->update(frameDamage_);
  frameDamage_ = QRegion();
}

void TfrxPreviewWorkspace::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  PaintPagesNow(painter, event->region());
}

void TfrxPreviewWorkspace::PaintPagesNow(QPainter& painter, const QRegion& clip) {
  const QColor back = ColorFromRef(backColor_);
  const QRect client = viewport()->rect();
  if (locked_ || list_.Count() == 0 || !pages_) {
    painter.fillRect(client, back);
    return;
  }
  const int first = list_.PageAtPoint(offsetY_, 0);
  const int from = std::max(0, first - kPaintWindow);
  const int to = std::min(list_.Count() - 1, first + kPaintWindow);
  auto visible = [&](const QRect& r) {
    return r.top() <= client.height() && r.bottom() >= 0 && clip.intersects(r);
  };

  // The pages are cut out of the background, so no pixel is painted twice.
  QRegion background = clip;
  for (int i = from; i <= to; ++i) {
    const QRect r = PageRect(i);
    if (visible(r)) background -= r;
  }
  painter.setClipRegion(background);
  painter.fillRect(client, back);
  painter.setClipping(false);

  const QRect current = PageRect(currentPage_ - 1);
  QPen activePen(ColorFromRef(activeFrameColor_), 2);
  activePen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(activePen);
  painter.setBrush(Qt::NoBrush);
  const int l = current.left(), t = current.top(), r = current.right() + 1, b = current.bottom() + 1;
  const QPoint frame[] = {{l - 1, t - 1}, {r + 1, t - 1}, {r + 1, b + 1}, {l - 1, b + 1}, {l - 1, t - 2}};
  painter.drawPolyline(frame, 5);

  for (int i = from; i <= to; ++i) {
    const QRect r = PageRect(i);
    if (visible(r.adjusted(0, 0, 0, 1))) DrawPage(painter, clip, i, r);
  }
}

void TfrxPreviewWorkspace::DrawPage(QPainter& painter, const QRegion& clip, int index, const QRect& r) {
  painter.setPen(QPen(ColorFromRef(frameColor_), 0));
  painter.setBrush(Qt::white);
  painter.drawRect(r.adjusted(0, 0, -1, -1));
  if (!failed_.count(index)) {
    const qreal ratio = DeviceRatio(painter);
    painter.save();
    painter.setClipRegion(clip.intersected(r));
    if (ratio == 1.0) {
      try {
        ++pagesPainted_;
        QPainterCanvas canvas(painter, CanvasKind::Screen, 96, 96);
        pages_->PaintPage(index, canvas, zoom_, zoom_, r.left(), r.top());
      } catch (const std::exception& error) {
        Fail(index, error.what());
      }
    } else {
      DrawPageAtRatio(painter, clip.intersected(r).boundingRect(), index, r, ratio);
    }
    painter.restore();
  }
  if (thumbnail_) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    painter.setFont(font);
    const QString label = QStringLiteral(" %1 ").arg(index + 1);
    const QRect labelRect(r.left() + 1, r.top() + 1, painter.fontMetrics().horizontalAdvance(label),
                          painter.fontMetrics().height());
    painter.fillRect(labelRect, ColorFromRef(backColor_));
    painter.setPen(Qt::white);
    painter.drawText(labelRect, Qt::AlignLeft | Qt::AlignTop, label);
  }
  if (!thumbnail_) DrawSelection(painter, index, r);
  const TextSearchState& state = SearchState();
  if (!thumbnail_ && state.matchFound && index == search_->MatchPage()) {
    QPainterCanvas canvas(painter, CanvasKind::Screen, 96, 96);
    DrawMatchHighlight(canvas, CanvasRect{r.left(), r.top(), r.right() + 1, r.bottom() + 1}, state.matchRect, zoom_);
  }
}

void TfrxPreviewWorkspace::DrawSelection(QPainter& painter, int index, const QRect& r) {
  if (!preview_) return;
  const TextSelection& selection = preview_->Selection();
  if (selection.Page() != index || selection.Empty()) return;
  // One region, so text operations that overlap are inverted once, one pixel wider on
  // each side as the search shows its match.
  QRegion marked;
  for (const CanvasRect& rect : selection.Rects()) {
    const CanvasRect m = ScaledMatchRect(rect, zoom_);
    marked += QRect(QPoint(r.left() + m.left - 1, r.top() + m.top), QPoint(r.left() + m.right + 1, r.top() + m.bottom));
  }
  painter.save();
  painter.setClipRegion(marked.intersected(r));
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.fillRect(marked.boundingRect(), Qt::white);
  painter.restore();
}

void TfrxPreviewWorkspace::DrawPageAtRatio(QPainter& painter, const QRect& area, int index, const QRect& r,
                                           qreal ratio) {
  if (area.isEmpty()) return;
  // The canvas places lines and glyphs on whole device pixels of its own painter, so
  // it draws into an image of the screen's real pixels with the ratio in its scale; the
  // layout around it stays in logical pixels. Only the damaged part of the page is drawn,
  // which keeps the image within the viewport's size.
  QImage image(QSize(int(std::ceil(area.width() * ratio)), int(std::ceil(area.height() * ratio))),
               QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return;
  image.fill(Qt::transparent);
  {
    QPainter imagePainter(&image);
    try {
      ++pagesPainted_;
      QPainterCanvas canvas(imagePainter, CanvasKind::Screen, 96, 96);
      pages_->PaintPage(index, canvas, zoom_ * ratio, zoom_ * ratio, (r.left() - area.left()) * ratio,
                (r.top() - area.top()) * ratio);
    } catch (const std::exception& error) {
      Fail(index, error.what());
    }
  }
  image.setDevicePixelRatio(ratio);
  painter.drawImage(area.topLeft(), image);
}

void TfrxPreviewWorkspace::Fail(int index, const std::string& text) {
  if (!failed_.insert(index).second) return;
  // A message box must not open inside a paint, so the error is passed on afterwards.
  QPointer<TfrxPreviewWorkspace> self(this);
  QTimer::singleShot(0, this, [self, index, text] {
    if (!self) return;
    try {
      if (self->pageError_) self->pageError_(index, text);
    } catch (const std::exception&) {
      // A report set to raise its errors has nobody to raise them to here.
    }
  });
}

// --- search ---------------------------------------------------------------------------

bool TfrxPreviewWorkspace::FindNextMatch() {
  if (!pages_) return false;
  if (!search_->FindNextMatch(*pages_)) return false;
  const MatchScroll scroll = ScrollForMatch(
      [&] {
        const QRect r = DocumentPageRect(search_->MatchPage());
        return CanvasRect{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
      }(),
      SearchState().matchRect, zoom_, offsetX_, offsetY_, viewport()->width(), viewport()->height());
  if (scroll.vertical) SetScrollPosition(Qt::Vertical, scroll.verticalPosition);
  if (scroll.horizontal) SetScrollPosition(Qt::Horizontal, scroll.horizontalPosition);
  viewport()->update();
  return true;
}

// --- mouse and keys -------------------------------------------------------------------

void TfrxPreviewWorkspace::mousePressEvent(QMouseEvent* event) {
  if (preview_ && !thumbnail_ && preview_->OnMouseDown) preview_->OnMouseDown(event);
  StartDrag(event);
}

void TfrxPreviewWorkspace::StartDrag(QMouseEvent* event) {
  if (list_.Count() == 0 || locked_ || event->button() != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  if (!thumbnail_ && preview_ && pages_ && (event->modifiers() & Qt::ShiftModifier)) {
    selecting_ = true;
    selectFrom_ = pos + QPoint(offsetX_, offsetY_);
    selectPage_ = std::max(0, list_.PageAtPoint(selectFrom_.y(), std::max(1, selectFrom_.x())));
    SelectTextTo(pos);
    return;
  }
  dragging_ = true;
  lastPoint_ = pos;
}

void TfrxPreviewWorkspace::SelectTextTo(const QPoint& pos) {
  const QRect page = DocumentPageRect(selectPage_);
  const QPoint to = pos + QPoint(offsetX_, offsetY_);
  const double zoom = zoom_ > 0 ? zoom_ : 1;
  // The dragged rectangle in report pixels of the page at scale 1.
  auto report = [&](int v, int origin) { return static_cast<int>(std::floor((v - origin) / zoom)); };
  const CanvasRect area{report(std::min(selectFrom_.x(), to.x()), page.left()),
                        report(std::min(selectFrom_.y(), to.y()), page.top()),
                        report(std::max(selectFrom_.x(), to.x()), page.left()) + 1,
                        report(std::max(selectFrom_.y(), to.y()), page.top()) + 1};
  preview_->Selection().Select(*pages_, selectPage_, area);
  viewport()->update();
}

void TfrxPreviewWorkspace::mouseMoveEvent(QMouseEvent* event) {
  if (thumbnail_ || locked_ || list_.Count() == 0) return;
  const QPoint p = event->position().toPoint();
  if (selecting_) {
    SelectTextTo(p);
    return;
  }
  if (dragging_) {
    const QPoint last = lastPoint_;
    lastPoint_ = p;
    SetScrollPosition(Qt::Horizontal, horizontalScrollBar()->value() - (p.x() - last.x()));
    SetScrollPosition(Qt::Vertical, verticalScrollBar()->value() - (p.y() - last.y()));
    return;
  }
  PagePointer(p, kPointerLeftButton, 0, false, false);
}

void TfrxPreviewWorkspace::PagePointer(const QPoint& pos, int button, unsigned shift, bool click, bool doubleClick) {
  if (!pages_ || !preview_) return;
  const int page = list_.PageAtPoint(offsetY_ + pos.y(), offsetX_ + pos.x());
  const QRect r = DocumentPageRect(page);
  int cursor = crHand;
  QPointer<TfrxPreviewWorkspace> self(this);
  TfrxPreview* preview = preview_;
  QPointer<TfrxPreview> previewAlive(preview);
  preview->BeginPointer();
  std::string failure;
  try {
    pages_->HandlePointer(page, pos.x(), pos.y(), button, shift, zoom_, r.left() - offsetX_, r.top() - offsetY_,
                          click, cursor, doubleClick, *preview);
  } catch (const std::exception& error) {
    // A click handler's failure ends that click; the preview stays usable.
    failure = error.what();
  }
  if (!previewAlive) return;
  preview->EndPointer();
  if (!failure.empty()) preview->ShowError(failure);
  if (self) viewport()->setCursor(frxCursor(cursor));
}

void TfrxPreviewWorkspace::mouseReleaseEvent(QMouseEvent* event) {
  if (preview_ && !thumbnail_ && preview_->OnClick) preview_->OnClick();
  if (list_.Count() == 0 || locked_) return;
  dragging_ = false;
  const QPoint pos = event->position().toPoint();
  if (selecting_) {
    selecting_ = false;
    SelectTextTo(pos);
    return;
  }
  const int page = list_.PageAtPoint(pos.y() + offsetY_, pos.x() + offsetX_);
  QPointer<TfrxPreviewWorkspace> self(this);
  SetCurrentFromPoint(page);
  if (!self || thumbnail_ || event->button() == Qt::RightButton) return;
  const qint64 now = QDateTime::currentMSecsSinceEpoch();
  const bool doubleClick = now - lastClickTime_ <= QApplication::doubleClickInterval();
  lastClickTime_ = doubleClick ? 0 : now;
  PagePointer(pos, PointerButton(event->button()), ShiftState(event->modifiers(), event->buttons()), true,
              doubleClick);
}

// The second press of a double click arrives here instead of as a press: it starts a
// drag too, so a drag begun right after a click still scrolls.
void TfrxPreviewWorkspace::mouseDoubleClickEvent(QMouseEvent* event) {
  if (preview_ && !thumbnail_) {
    QPointer<TfrxPreviewWorkspace> self(this);
    if (preview_->OnDblClick) preview_->OnDblClick();
    if (self) StartDrag(event);
    return;
  }
  QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void TfrxPreviewWorkspace::wheelEvent(QWheelEvent* event) {
  if (preview_ && !thumbnail_) {
    preview_->WheelScroll(event->angleDelta().y(), false, event->modifiers() & Qt::ControlModifier,
                          event->position().toPoint());
    event->accept();
    return;
  }
  QAbstractScrollArea::wheelEvent(event);
}

void TfrxPreviewWorkspace::keyPressEvent(QKeyEvent* event) {
  if (preview_ && preview_->HandleKey(event->key(), event->modifiers())) {
    event->accept();
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

}  // namespace quarlo
