#pragma once
// The scrolling area of the preview window: the store's pages one under another,
// centred, painted at the zoom only where they are visible.
#include <QAbstractScrollArea>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace quarlo {

class TfrxCustomPreviewPages;

class TfrxPreviewWorkspace final : public QAbstractScrollArea {
  Q_OBJECT

 public:
  static constexpr int kGap = 10;
  static constexpr double kMinZoom = 0.25;
  static constexpr double kMaxZoom = 8.0;

  explicit TfrxPreviewWorkspace(QWidget* parent = nullptr);

  // pages is not owned; null shows nothing. reportError receives a page's failure
  // once, after the paint that found it (never from inside a paint).
  void SetPages(TfrxCustomPreviewPages* pages, std::function<void(const std::string&)> reportError);
  // Reads the page sizes again and forgets earlier failures; shows the first page.
  void Refresh();

  int PageCount() const { return static_cast<int>(extents_.size()); }
  // 0-based; -1 without pages.
  int PageNo() const { return current_; }
  void SetPageNo(int index);
  double Zoom() const { return zoom_; }
  void SetZoom(double zoom);
  // Device rectangle of a page in viewport coordinates at the present scroll.
  QRect PageRect(int index) const;

 signals:
  void PageChanged(int index);
  void ZoomChanged(double zoom);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void Relayout();
  void TrackCurrentPage();
  void SetCurrent(int index);
  void Fail(int index, const std::string& text);

  TfrxCustomPreviewPages* pages_ = nullptr;
  std::function<void(const std::string&)> reportError_;
  std::vector<QSize> extents_;   // report pixels
  std::vector<qint64> tops_;     // device pixels from the content top, at the zoom
  qint64 contentWidth_ = 0;
  qint64 contentHeight_ = 0;
  std::set<int> failed_;
  double zoom_ = 1.0;
  int current_ = -1;
  bool navigating_ = false;
};

}  // namespace quarlo
