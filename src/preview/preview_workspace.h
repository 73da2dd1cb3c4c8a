#pragma once
// The scrolling area in which the pages are laid out and painted: the preview's main
// view, or its thumbnail strip at zoom 0.1. It keeps the page rectangles, the scroll
// offsets and the current-page frame, asks the page store to draw the visible pages,
// and turns the mouse into drag scrolling, page changes and the store's pointer
// handling (links, hints, cursors).
//
// A TfrxPreview drives it: lays it out, sets its zoom and current page, and hears back
// the page it scrolled or was clicked to.
#include <QAbstractScrollArea>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "preview/preview_page_list.h"

class QPainter;

namespace quarlo {

class TextSearchCursor;
class TfrxCustomPreviewPages;
class TfrxPreview;

class TfrxPreviewWorkspace final : public QAbstractScrollArea {
  Q_OBJECT

 public:
  static constexpr int kGap = PreviewPageList::kGap;
  static constexpr double kThumbnailZoom = 0.1;
  // Pages this far before and after the first visible one are the only ones painted.
  static constexpr int kPaintWindow = 40;
  static constexpr int kSmallChange = 8;
  static constexpr int kLargeChange = 300;
  static constexpr unsigned kDefaultBackColor = 8421504;
  static constexpr unsigned kDefaultFrameColor = 0;
  static constexpr unsigned kDefaultActiveFrameColor = 8405024;
  // Beyond this device pixel ratio pages are drawn at it and scaled by the painter.
  static constexpr double kMaxDeviceRatio = 4.0;

  explicit TfrxPreviewWorkspace(QWidget* parent = nullptr);
  ~TfrxPreviewWorkspace() override;

  // --- driven by the preview control ---
  void SetPreview(TfrxPreview* preview) { preview_ = preview; }
  void SetPreviewPages(TfrxCustomPreviewPages* pages);
  TfrxCustomPreviewPages* PreviewPages() const { return pages_; }
  // A page that failed to draw goes here (once per page, after the paint).
  void SetPageErrorHandler(std::function<void(int page, const std::string&)> handler);
  // Forgets which pages failed, so a new document reports its own failures.
  void ForgetFailures();

  bool IsThumbnail() const { return thumbnail_; }
  void SetThumbnail(bool v);
  bool Locked() const { return locked_; }
  void SetLocked(bool v) { locked_ = v; }
  void SetWorkspaceZoom(double zoom) { zoom_ = zoom; }
  int CurrentPageNumber() const { return currentPage_; }
  // Remembers where the frame moves; PaintPages(true) then repaints just there.
  void SetCurrentPageNumber(int page);

  void AppendPage(int width, int height) { list_.AppendPage(width, height, zoom_); }
  void LayOut(int availableWidth) { list_.LayoutRows(availableWidth); }
  void UpdateScrollRanges();
  void ClearLayout() { list_.Clear(); }
  // Scrolls page n's top 10 pixels below the window top, unless this workspace is
  // itself moving the current page by its scrolling.
  void ScrollToPage(int n);
  // Page n at `top` report pixels into its printable area.
  void ScrollToPosition(int n, int top);
  // Repaints; with framesOnly just where the current-page frames were and are.
  void PaintPages(bool framesOnly);
  void SetScrollPosition(Qt::Orientation axis, int position);
  int OffsetX() const { return offsetX_; }
  int OffsetY() const { return offsetY_; }
  int HorizontalRange() const { return rangeX_; }
  int VerticalRange() const { return rangeY_; }
  void SetRanges(int horizontal, int vertical);

  // The page rectangle in document coordinates (virtual A4 outside the list).
  QRect DocumentPageRect(int index) const;
  // The same in window (viewport) coordinates at the present scroll.
  QRect PageRect(int index) const;
  // 0-based page at a document point, -1 above the first page.
  int PageAtPoint(int y, int x) const { return list_.PageAtPoint(y, x); }
  const PreviewPageList& PageList() const { return list_; }

  unsigned BackColor() const { return backColor_; }
  void SetBackColor(unsigned c) { backColor_ = c; viewport()->update(); }
  unsigned FrameColor() const { return frameColor_; }
  void SetFrameColor(unsigned c) { frameColor_ = c; viewport()->update(); }
  unsigned ActiveFrameColor() const { return activeFrameColor_; }
  void SetActiveFrameColor(unsigned c) { activeFrameColor_ = c; viewport()->update(); }

  // The text search of this view: its page, its cached recording.
  TextSearchCursor& Search() { return *search_; }
  // Finds the next match and scrolls it into view; false when there is none.
  bool FindNextMatch();

  // The store's PaintPage calls made since construction, for measuring.
  long long PagesPainted() const { return pagesPainted_; }

  double Zoom() const { return zoom_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void PaintPagesNow(QPainter& painter, const QRegion& clip);
  // The left button went down (a press, or the second press of a double click).
  void StartDrag(QMouseEvent* event);
  // Shift-drag: the text meeting the rectangle from the press to pos is selected.
  void SelectTextTo(const QPoint& pos);
  // The selected text of page index (window rectangle r) shown inverted.
  void DrawSelection(QPainter& painter, int index, const QRect& r);
  void DrawPage(QPainter& painter, const QRegion& clip, int index, const QRect& r);
  // Page index (window rectangle r) drawn at `ratio` device pixels per logical pixel,
  // just inside `area`.
  void DrawPageAtRatio(QPainter& painter, const QRect& area, int index, const QRect& r, qreal ratio);
  void ApplyScrollBars();
  void TrackCurrentPage();
  void SetCurrentFromPoint(int page);
  void PagePointer(const QPoint& pos, int button, unsigned shift, bool click, bool doubleClick);
  void Fail(int index, const std::string& text);
  QRegion FrameRegion(int page) const;

  TfrxPreview* preview_ = nullptr;
  TfrxCustomPreviewPages* pages_ = nullptr;
  std::function<void(int, const std::string&)> pageError_;
  std::set<int> failed_;
  PreviewPageList list_;
  std::unique_ptr<TextSearchCursor> search_;
  double zoom_ = 1.0;
  int offsetX_ = 0;
  int offsetY_ = 0;
  int rangeX_ = 0;
  int rangeY_ = 0;
  int currentPage_ = 1;
  unsigned backColor_ = kDefaultBackColor;
  unsigned frameColor_ = kDefaultFrameColor;
  unsigned activeFrameColor_ = kDefaultActiveFrameColor;
  bool locked_ = false;
  bool thumbnail_ = false;
  bool dragging_ = false;
  bool selecting_ = false;
  // Where a Shift-drag started: page index and the document point.
  int selectPage_ = -1;
  QPoint selectFrom_;
  bool suppressScroll_ = false;
  QRegion frameDamage_;
  QPoint lastPoint_;
  qint64 lastClickTime_ = 0;
  long long pagesPainted_ = 0;
};

// A colour kept as 0x00BBGGRR.
QColor ColorFromRef(unsigned color);

}  // namespace quarlo
