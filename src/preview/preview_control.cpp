#include "preview/preview_control.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <exception>

#include "report/report.h"
#include "document/outline.h"
#include "document/preview_pages.h"
#include "document/preview_pages_export.h"
#include "objects/report_page.h"
#include "platform/codepage.h"
#include "platform/qt/system_string.h"
#include "preview/export_dialog.h"
#include "preview/preview_workspace.h"
#include "preview/report_link.h"
#include "print/qt/pdf_export.h"
#include "preview/search_dialog.h"
#include "preview/text_search.h"
#include "preview/text_selection.h"
#include "resources/qt/preview_button_images.h"
#include "resources/qt/resource_text.h"
#include "resources/resources.h"
#include "platform/rounding.h"

namespace quarlo {

namespace {

constexpr int kPageRole = Qt::UserRole;
constexpr int kTopRole = Qt::UserRole + 1;
constexpr PagePixelSize kVirtualA4{794, 1123};
// A zoom computed from a tiny window must still draw something.
constexpr double kMinFitZoom = 0.01;

QString FileFilter() { return ResText("clFP3files") + QStringLiteral(" (*.fp3)"); }

// The report's settings of one page that "apply to all pages" copies.
struct PaperSettings {
  TPrinterOrientation orientation;
  double width, height;
  int size;
  double left, top, right, bottom;
};

PaperSettings PaperOf(const TfrxReportPage& p) {
  return {p.Orientation(), p.PaperWidth(), p.PaperHeight(), p.PaperSize(),
          p.LeftMargin(),  p.TopMargin(),  p.RightMargin(), p.BottomMargin()};
}

void ApplyPaper(TfrxReportPage& p, const PaperSettings& s) {
  p.SetOrientation(s.orientation);
  p.SetPaperWidth(s.width);
  p.SetPaperHeight(s.height);
  p.SetPaperSize(s.size);
  p.SetLeftMargin(s.left);
  p.SetTopMargin(s.top);
  p.SetRightMargin(s.right);
  p.SetBottomMargin(s.bottom);
}

}  // namespace

TfrxPreview::TfrxPreview(QWidget* parent) : QWidget(parent), selection_(std::make_unique<TextSelection>()) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->setHandleWidth(4);
  splitter_->setChildrenCollapsible(false);
  layout->addWidget(splitter_);

  tree_ = new QTreeWidget(splitter_);
  tree_->setObjectName(QStringLiteral("OutlineTree"));
  tree_->setHeaderHidden(true);
  tree_->setFrameShape(QFrame::Box);
  tree_->setContextMenuPolicy(Qt::CustomContextMenu);
  tree_->hide();

  thumbnail_ = new TfrxPreviewWorkspace(splitter_);
  thumbnail_->setObjectName(QStringLiteral("Thumbnail"));
  thumbnail_->SetThumbnail(true);
  thumbnail_->SetPreview(this);
  thumbnail_->hide();

  workspace_ = new TfrxPreviewWorkspace(splitter_);
  workspace_->setObjectName(QStringLiteral("Workspace"));
  workspace_->SetPreview(this);
  splitter_->setStretchFactor(2, 1);

  for (TfrxPreviewWorkspace* ws : {workspace_, thumbnail_})
    ws->SetPageErrorHandler([this](int index, const std::string& text) { PageFailed(index, text); });

  outlineMenu_ = new QMenu(this);
  QIcon collapseIcon, expandIcon;
  try {
    collapseIcon = PreviewButtonImages().Icon(13);
    expandIcon = PreviewButtonImages().Icon(14);
  } catch (const std::exception&) {
    // A damaged image strip leaves the items with their texts.
  }
  outlineMenu_->addAction(collapseIcon, ResText(601), this, [this] { CollapseOutline(); });
  outlineMenu_->addAction(expandIcon, ResText(600), this, [this] { ExpandOutline(); });

  connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { OutlineClicked(item); });
  connect(tree_, &QTreeWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { outlineMenu_->popup(tree_->viewport()->mapToGlobal(pos)); });
  connect(splitter_, &QSplitter::splitterMoved, this, [this] { Relayout(); });

  messagePanel_ = new QFrame(this);
  static_cast<QFrame*>(messagePanel_)->setFrameShape(QFrame::Panel);
  static_cast<QFrame*>(messagePanel_)->setFrameShadow(QFrame::Raised);
  messagePanel_->setAutoFillBackground(true);
  messageLabel_ = new QLabel(messagePanel_);
  messageLabel_->setGeometry(4, 20, 255, 20);
  messageLabel_->setAlignment(Qt::AlignCenter);
  messagePanel_->hide();

  setFocusProxy(workspace_);
  resize(100, 100);
  SetOutlineWidth(outlineWidth_);
}

TfrxPreview::~TfrxPreview() {
  if (report_) report_->ForgetPreview(this);
}

// --- attaching ------------------------------------------------------------------------

void TfrxPreview::AssignReport(TfrxReport* report, TfrxPreviewPages* pages) {
  report_ = report;
  pages_ = report ? pages : nullptr;
  if (!pages_) {
    for (TfrxPreviewWorkspace* ws : {workspace_, thumbnail_}) {
      ws->SetPreviewPages(nullptr);
      ws->ClearLayout();
      ws->UpdateScrollRanges();
      ws->PaintPages(false);
    }
    tree_->clear();
  }
}

void TfrxPreview::SetPreviewPages(TfrxCustomPreviewPages* pages) {
  report_ = nullptr;
  pages_ = pages;
  Attach();
}

void TfrxPreview::ResetSearch() {
  SearchState().matchFound = false;
  SearchState().matchRecord = -1;
  workspace_->Search().Reset();
  findEnabled_ = false;
}

void TfrxPreview::Attach() {
  for (TfrxPreviewWorkspace* ws : {workspace_, thumbnail_}) {
    ws->SetPreviewPages(pages_);
    ws->ForgetFailures();
  }
  failedPages_.clear();
  announcedPages_.clear();
  ResetSearch();
  if (report_) {
    const TfrxPreviewOptions& options = report_->PreviewOptions();
    SetOutlineWidth(options.OutlineWidth());
    SetOutlineVisible(options.OutlineVisible());
    SetThumbnailVisible(options.ThumbnailVisible());
    zoomMode_ = options.ZoomMode();
    zoom_ = std::isfinite(options.Zoom()) ? std::clamp(options.Zoom(), kMinFitZoom, kMaxZoom) : 1.0;
  }
  if (PageCount() == 0) {
    // Relayout leaves an empty store alone; the pages shown before must go.
    for (TfrxPreviewWorkspace* ws : {workspace_, thumbnail_}) {
      ws->ClearLayout();
      ws->SetRanges(0, 0);
      ws->PaintPages(false);
    }
  }
  selection_->Clear();
  selection_->ForgetRecording();
  Relayout();
  ReloadOutline();
  FirstPage();
  emit ReportOpened();
}

// --- navigation -----------------------------------------------------------------------

int TfrxPreview::PageCount() const { return pages_ ? std::max(0, pages_->Count()) : 0; }

void TfrxPreview::SetCurrentPage(int page) {
  // Scrolling to the page makes the workspace report the page it reached; the page
  // asked for stays (the last page may never reach the window top).
  if (settingPage_) return;
  settingPage_ = true;
  if (page <= 0) page = 1;
  if (page > PageCount()) page = PageCount();
  const bool moved = page != currentPage_;
  currentPage_ = page;
  if (pages_) pages_->CurrentPreviewPage = page;
  for (TfrxPreviewWorkspace* ws : {workspace_, thumbnail_}) {
    ws->SetCurrentPageNumber(page);
    if (moved) ws->PaintPages(true);
  }
  for (TfrxPreviewWorkspace* ws : {workspace_, thumbnail_}) ws->ScrollToPage(page);
  settingPage_ = false;
  emit PageChanged(page);
  AnnounceLeftOutClasses(page - 1);
}

void TfrxPreview::AnnounceLeftOutClasses(int index) {
  auto* store = dynamic_cast<TfrxPreviewPages*>(pages_);
  if (!store || running_ || index < 0 || index >= PageCount() || announcedPages_.count(index)) return;
  try {
    store->PageObject(index);
  } catch (const std::exception&) {
    return;  // a page that does not build is told when it is painted
  }
  const auto found = store->LeftOutClasses().find(index);
  if (found == store->LeftOutClasses().end()) return;
  announcedPages_.insert(index);
  std::string classes;
  for (const std::string& name : found->second) classes += (classes.empty() ? "" : ", ") + name;
  ForwardStatusText("第 " + std::to_string(index + 1) + " 页未显示不支持的对象：" + classes, true);
}

void TfrxPreview::FirstPage() { SetCurrentPage(1); }
void TfrxPreview::NextPage() { SetCurrentPage(currentPage_ + 1); }
void TfrxPreview::PriorPage() { SetCurrentPage(currentPage_ - 1); }
void TfrxPreview::LastPage() { SetCurrentPage(PageCount()); }

void TfrxPreview::ShowPosition(int page, int top) {
  page = std::max(1, std::min(page, PageCount()));
  workspace_->ScrollToPosition(page, top);
}

// --- zoom and layout ------------------------------------------------------------------

QPoint TfrxPreview::ViewCentre() const {
  const QWidget* view = workspace_->viewport();
  return QPoint(view->width() / 2, view->height() / 2);
}

TfrxPreview::ViewAnchor TfrxPreview::AnchorAt(const QPoint& window) const {
  ViewAnchor anchor;
  anchor.window = window;
  if (workspace_->PageList().Count() == 0) return anchor;
  const int x = window.x() + workspace_->OffsetX();
  const int y = window.y() + workspace_->OffsetY();
  // PageAtPoint reads x = 0 as "by height only"; a point in the gaps gets the page of its row.
  anchor.page = std::max(0, workspace_->PageAtPoint(y, std::max(1, x)));
  const QRect r = workspace_->DocumentPageRect(anchor.page);
  const double zoom = workspace_->Zoom() > 0 ? workspace_->Zoom() : 1;
  anchor.x = (x - r.left()) / zoom;
  anchor.y = (y - r.top()) / zoom;
  return anchor;
}

void TfrxPreview::RestoreAnchor(const ViewAnchor& anchor, bool horizontal) {
  if (anchor.page < 0 || anchor.page >= workspace_->PageList().Count()) return;
  const QRect r = workspace_->DocumentPageRect(anchor.page);
  const double zoom = workspace_->Zoom();
  if (horizontal)
    workspace_->SetScrollPosition(Qt::Horizontal, RoundHalfEven(r.left() + anchor.x * zoom) - anchor.window.x());
  workspace_->SetScrollPosition(Qt::Vertical, RoundHalfEven(r.top() + anchor.y * zoom) - anchor.window.y());
}

void TfrxPreview::SetZoom(double zoom) { SetZoomAt(zoom, ViewCentre()); }

void TfrxPreview::SetZoomAt(double zoom, const QPoint& at) {
  if (!(zoom >= kMinZoom)) zoom = kMinZoom;
  const ViewAnchor anchor = AnchorAt(at);
  zoom_ = std::min(zoom, kMaxZoom);
  zoomMode_ = zmDefault;
  Relayout();
  RestoreAnchor(anchor, true);
}

void TfrxPreview::SetZoomMode(TfrxZoomMode mode) {
  const ViewAnchor anchor = AnchorAt(ViewCentre());
  zoomMode_ = mode;
  Relayout();
  // A whole page is shown from its top; the other modes keep the centre in place.
  if (mode != zmWholePage) RestoreAnchor(anchor, true);
}

void TfrxPreview::WorkspaceShown() {
  if (shownLayout_) return;
  shownLayout_ = true;
  const int page = currentPage_;
  Relayout();
  if (PageCount() > 0) SetCurrentPage(page);
}

void TfrxPreview::WorkspaceResized() {
  if (!shownLayout_ || inResize_) return;
  inResize_ = true;
  const ViewAnchor anchor = AnchorAt(QPoint(0, 0));
  Relayout();
  if (zoomMode_ != zmWholePage) RestoreAnchor(anchor, false);
  inResize_ = false;
}

void TfrxPreview::WheelScroll(int delta, bool horizontal, bool zoom, std::optional<QPoint> at) {
  if (delta == 0) return;
  const int sign = delta > 0 ? 1 : -1;
  if (zoom) {
    double z = zoom_ + sign / 10.0;
    if (z < kMinWheelZoom) z = kMinWheelZoom;
    SetZoomAt(z, at.value_or(ViewCentre()));
    return;
  }
  const Qt::Orientation axis = horizontal ? Qt::Horizontal : Qt::Vertical;
  const int position = horizontal ? workspace_->OffsetX() : workspace_->OffsetY();
  workspace_->SetScrollPosition(axis, position - sign * 20);
}

void TfrxPreview::Relayout() {
  if (locked_ || PageCount() == 0) return;
  findEnabled_ = false;
  workspace_->Search().ForgetRecording();
  selection_->ForgetRecording();

  PagePixelSize current = kVirtualA4;
  try {
    current = pages_->PageExtent(currentPage_ - 1);
  } catch (const std::exception& error) {
    PageFailed(currentPage_ - 1, error.what());
  }
  if (current.Height <= 0) return;
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const double w = current.Width > 0 ? current.Width : 1;
  const double h = current.Height;
  const double fitWidth = (workspace_->width() - scrollBar - 26) / w;
  switch (zoomMode_) {
    case zmWholePage:
      if (h / std::max(1, height()) >= w / std::max(1, width()))
        zoom_ = (workspace_->height() - 26) / h;
      else
        zoom_ = fitWidth;
      break;
    case zmPageWidth: zoom_ = fitWidth; break;
    default: break;
  }
  zoom_ = std::clamp(zoom_, kMinFitZoom, kMaxZoom);

  workspace_->SetWorkspaceZoom(zoom_);
  thumbnail_->SetWorkspaceZoom(TfrxPreviewWorkspace::kThumbnailZoom);
  workspace_->ClearLayout();
  thumbnail_->ClearLayout();
  const int count = PageCount();
  for (int i = 0; i < count; ++i) {
    PagePixelSize e = kVirtualA4;
    try {
      e = pages_->PageExtent(i);
    } catch (const std::exception& error) {
      PageFailed(i, error.what());
    }
    workspace_->AppendPage(e.Width, e.Height);
    if (!running_) thumbnail_->AppendPage(e.Width, e.Height);
  }
  workspace_->LayOut(workspace_->width() - scrollBar - 26);
  if (!running_) thumbnail_->LayOut(thumbnail_->width() - scrollBar - 26);
  workspace_->UpdateScrollRanges();
  thumbnail_->UpdateScrollRanges();
  workspace_->SetScrollPosition(Qt::Horizontal, workspace_->OffsetX());
  workspace_->SetScrollPosition(Qt::Vertical, workspace_->OffsetY());
  if (zoomMode_ == zmWholePage) workspace_->ScrollToPage(currentPage_);
  if (!refreshing_) {
    workspace_->PaintPages(false);
    thumbnail_->PaintPages(false);
    emit ZoomChanged(zoom_);
  }
}

void TfrxPreview::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutBusyMessage();
  // The workspaces get their new size from the layout first; once shown, the main
  // workspace's own resize lays the pages out again.
  if (layout()) layout()->activate();
  if (!shownLayout_) Relayout();
}

// --- outline and the left panel -------------------------------------------------------

void TfrxPreview::ReloadOutline() {
  tree_->setUpdatesEnabled(false);
  tree_->clear();
  if (pages_) {
    TfrxOutline& outline = pages_->Outline();
    outline.LevelRoot();
    // Walked with an explicit stack: a hostile file may nest its items very deeply.
    struct Level {
      QTreeWidgetItem* parent;
      int index;
      int count;
    };
    std::vector<Level> levels{{nullptr, 0, outline.Count()}};
    while (!levels.empty()) {
      Level& level = levels.back();
      if (level.index >= level.count) {
        levels.pop_back();
        if (!levels.empty()) outline.LevelUp();
        continue;
      }
      const int i = level.index++;
      QTreeWidgetItem* parent = level.parent;
      std::string text;
      int top = 0;
      int page = 0;
      outline.ItemInfo(i, text, top, page);
      auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
      node->setText(0, SystemToQString(text));
      node->setData(0, kPageRole, page + 1);
      node->setData(0, kTopRole, top);
      outline.LevelIn(i);
      levels.push_back({node, 0, outline.Count()});
    }
    outline.LevelRoot();
  }
  if (report_ && report_->PreviewOptions().OutlineExpand()) tree_->expandAll();
  if (tree_->topLevelItemCount() > 0) tree_->scrollToItem(tree_->topLevelItem(0));
  tree_->setUpdatesEnabled(true);
}

void TfrxPreview::OutlineClicked(QTreeWidgetItem* item) {
  if (!item) return;
  ShowPosition(item->data(0, kPageRole).toInt(), item->data(0, kTopRole).toInt());
  workspace_->setFocus();
}

void TfrxPreview::CollapseOutline() {
  tree_->collapseAll();
  workspace_->setFocus();
}

void TfrxPreview::ExpandOutline() {
  tree_->expandAll();
  if (tree_->topLevelItemCount() > 0) tree_->scrollToItem(tree_->topLevelItem(0));
  workspace_->setFocus();
}

void TfrxPreview::SetOutlineVisible(bool visible) {
  const bool was = outlineVisible_;
  outlineVisible_ = visible;
  tree_->setVisible(visible);
  if (visible && thumbnailVisible_) {
    thumbnailVisible_ = false;
    thumbnail_->hide();
    emit ThumbnailVisibleChanged(false);
  }
  UpdateLeftPanel();
  emit OutlineVisibleChanged(visible);
  if (visible != was) Relayout();
}

void TfrxPreview::SetThumbnailVisible(bool visible) {
  const bool was = thumbnailVisible_;
  thumbnailVisible_ = visible;
  thumbnail_->setVisible(visible);
  if (visible && outlineVisible_) {
    outlineVisible_ = false;
    tree_->hide();
    emit OutlineVisibleChanged(false);
  }
  UpdateLeftPanel();
  if (visible) {
    thumbnail_->SetScrollPosition(Qt::Horizontal, thumbnail_->OffsetX());
    thumbnail_->SetScrollPosition(Qt::Vertical, thumbnail_->OffsetY());
  }
  emit ThumbnailVisibleChanged(visible);
  if (visible != was) Relayout();
}

void TfrxPreview::SetOutlineWidth(int width) {
  outlineWidth_ = std::clamp(width, 0, 100000);
  UpdateLeftPanel();
}

// The splitter shows its handle only beside a visible panel; the panel keeps its width.
void TfrxPreview::UpdateLeftPanel() {
  const int total = std::max(0, splitter_->width());
  const int panel = outlineVisible_ || thumbnailVisible_ ? outlineWidth_ : 0;
  splitter_->setSizes({outlineVisible_ ? outlineWidth_ : 0, thumbnailVisible_ ? outlineWidth_ : 0,
                       std::max(1, total - panel - splitter_->handleWidth())});
}

// --- keys -----------------------------------------------------------------------------

bool TfrxPreview::HasButton(TfrxPreviewButton button) const {
  if (report_) return report_->PreviewOptions().HasButton(button);
  return TfrxPreviewOptions().HasButton(button);
}

bool TfrxPreview::HandleKey(int key, Qt::KeyboardModifiers modifiers) {
  const bool ctrl = modifiers & Qt::ControlModifier;
  auto scroll = [this](Qt::Orientation axis, int by) {
    const int from = axis == Qt::Horizontal ? workspace_->OffsetX() : workspace_->OffsetY();
    workspace_->SetScrollPosition(axis, from + by);
  };
  switch (key) {
    case Qt::Key_Up: scroll(Qt::Vertical, -TfrxPreviewWorkspace::kSmallChange); return true;
    case Qt::Key_Down: scroll(Qt::Vertical, TfrxPreviewWorkspace::kSmallChange); return true;
    case Qt::Key_Left: scroll(Qt::Horizontal, -TfrxPreviewWorkspace::kSmallChange); return true;
    case Qt::Key_Right: scroll(Qt::Horizontal, TfrxPreviewWorkspace::kSmallChange); return true;
    case Qt::Key_PageUp:
      if (ctrl)
        PriorPage();
      else
        scroll(Qt::Vertical, -TfrxPreviewWorkspace::kLargeChange);
      return true;
    case Qt::Key_PageDown:
      if (ctrl)
        NextPage();
      else
        scroll(Qt::Vertical, TfrxPreviewWorkspace::kLargeChange);
      return true;
    case Qt::Key_Home: FirstPage(); return true;
    case Qt::Key_End: LastPage(); return true;
    case Qt::Key_F3:
      if (!HasButton(pbFind)) return false;
      FindNext();
      return true;
    default: break;
  }
  if (!ctrl) return false;
  switch (key) {
    case Qt::Key_P:
      if (!HasButton(pbPrint)) return false;
      PrintReport();
      return true;
    case Qt::Key_S:
      if (!HasButton(pbSave)) return false;
      SaveWithDialog();
      return true;
    case Qt::Key_F:
      if (!HasButton(pbFind)) return false;
      FindText();
      return true;
    case Qt::Key_O:
      if (!HasButton(pbLoad)) return false;
      OpenWithDialog();
      return true;
    case Qt::Key_A:
      SelectPageText();
      return true;
    case Qt::Key_C:
      return CopySelection();
    default: return false;
  }
}

void TfrxPreview::keyPressEvent(QKeyEvent* event) {
  if (HandleKey(event->key(), event->modifiers()))
    event->accept();
  else
    QWidget::keyPressEvent(event);
}

// --- text selection -----------------------------------------------------------------

void TfrxPreview::SelectPageText() {
  if (!pages_ || PageCount() == 0) return;
  selection_->Select(*pages_, currentPage_ - 1, std::nullopt);
  workspace_->viewport()->update();
}

bool TfrxPreview::CopySelection() {
  if (selection_->Empty()) return false;
  QApplication::clipboard()->setText(QString::fromStdU16String(selection_->Text()));
  return true;
}

// --- locking and the busy message -----------------------------------------------------

void TfrxPreview::LockView() {
  locked_ = true;
  workspace_->SetLocked(true);
  thumbnail_->SetLocked(true);
}

void TfrxPreview::UnlockView() {
  HideBusyMessage();
  locked_ = false;
  workspace_->SetLocked(false);
  thumbnail_->SetLocked(false);
  Relayout();
  workspace_->PaintPages(false);
  thumbnail_->PaintPages(false);
}

void TfrxPreview::LayoutBusyMessage() {
  messagePanel_->setGeometry((width() - kBusyWidth) / 2, (height() - kBusyHeight) / 3, kBusyWidth, kBusyHeight);
}

void TfrxPreview::ShowBusyMessage(const QString& text) {
  LayoutBusyMessage();
  messageLabel_->setText(text);
  messagePanel_->show();
  messagePanel_->raise();
  messagePanel_->repaint();
}

void TfrxPreview::HideBusyMessage() { messagePanel_->hide(); }

// --- files ----------------------------------------------------------------------------

void TfrxPreview::SaveReport(const std::string& fileName) {
  if (running_ || !pages_) return;
  LockView();
  ShowBusyMessage(ResText("clSaving"));
  try {
    pages_->SaveToFile(fileName);
  } catch (...) {
    UnlockView();
    throw;
  }
  UnlockView();
}

void TfrxPreview::SaveWithDialog() {
  if (running_ || !pages_) return;
  QString name = ChooseFile ? ChooseFile(true, FileFilter())
                            : QFileDialog::getSaveFileName(nullptr, QString(), QString(), FileFilter());
  if (name.isEmpty()) return;
  const QFileInfo info(name);
  name = info.dir().filePath(info.completeBaseName() + QStringLiteral(".fp3"));
  workspace_->PaintPages(false);
  try {
    SaveReport(name.toStdString());
  } catch (const std::exception& error) {
    ShowError(error.what());
  }
}

void TfrxPreview::OpenReport(const std::string& fileName) {
  if (running_ || !pages_) return;
  LockView();
  ShowBusyMessage(ResText("clLoading"));
  auto finish = [this] {
    for (TfrxPreviewWorkspace* ws : {workspace_, thumbnail_}) ws->ForgetFailures();
    failedPages_.clear();
  announcedPages_.clear();
    ResetSearch();
    selection_->Clear();
    selection_->ForgetRecording();
    FirstPage();
    ReloadOutline();
    UnlockView();
    emit ReportOpened();
  };
  try {
    pages_->LoadFromFile(fileName, false);
  } catch (...) {
    // A document that failed half-way is not shown: the store is emptied.
    try {
      pages_->Clear();
    } catch (const std::exception&) {
    }
    for (TfrxPreviewWorkspace* ws : {workspace_, thumbnail_}) {
      ws->ClearLayout();
      ws->SetRanges(0, 0);
    }
    finish();
    throw;
  }
  finish();
}

void TfrxPreview::OpenWithDialog() {
  if (running_ || !pages_) return;
  const QString name = ChooseFile ? ChooseFile(false, FileFilter())
                                  : QFileDialog::getOpenFileName(nullptr, QString(), QString(), FileFilter(),
                                                                 nullptr, QFileDialog::ReadOnly);
  if (name.isEmpty()) return;
  workspace_->PaintPages(false);
  try {
    OpenReport(name.toStdString());
  } catch (const std::exception& error) {
    ShowError(error.what());
  }
}

// --- printing and page setup ----------------------------------------------------------

void TfrxPreview::PrintReport() {
  if (running_ || !pages_) return;
  pages_->CurrentPreviewPage = currentPage_;
  bool printed = false;
  try {
    printed = pages_->PrintPages();
  } catch (const std::exception& error) {
    UnlockView();
    ShowError(error.what());
    return;
  }
  UnlockView();
  if (printed) AnnouncePrintedLeftOutClasses();
}

// One status line after the job, naming the printed pages that left objects out.
void TfrxPreview::AnnouncePrintedLeftOutClasses() {
  auto* store = dynamic_cast<TfrxPreviewPages*>(pages_);
  if (!store) return;
  const std::map<int, std::vector<std::string>> leftOut = store->LeftOutClassesPrinted();
  if (leftOut.empty()) return;
  constexpr size_t kPagesNamed = 5;
  std::string text = "打印的页面未输出不支持的对象：";
  size_t named = 0;
  for (const auto& [index, classes] : leftOut) {
    if (named == kPagesNamed) {
      text += "；另有 " + std::to_string(leftOut.size() - named) + " 页";
      break;
    }
    text += named++ ? "；第 " : "第 ";
    text += std::to_string(index + 1) + " 页 ";
    for (size_t i = 0; i < classes.size(); ++i) text += (i ? ", " : "") + classes[i];
  }
  ForwardStatusText(text, true);
}

void TfrxPreview::ExportReport(CustomExportFilter& filter) {
  if (running_ || !pages_) return;
  pages_->CurrentPreviewPage = currentPage_;
  try {
    const bool written = pages_->ExportPages(filter);
    UnlockView();
    if (!written && !filter.LastError().empty()) ShowError(filter.LastError());
  } catch (const std::exception& error) {
    UnlockView();
    ShowError(error.what());
  }
}

void TfrxPreview::ExportToPdf() {
  if (running_ || !pages_ || PageCount() == 0) return;
  ExportDialog pagesDialog(PageCount(), currentPage_, this);
  const int chosen = ExportPagesDialog ? ExportPagesDialog(pagesDialog) : pagesDialog.exec();
  if (chosen != QDialog::Accepted) return;
  std::string target;
  if (ExportFileDialog) {
    target = ExportFileDialog();
  } else {
    QString name = QFileDialog::getSaveFileName(this, ResText(151), QString(), QStringLiteral("PDF (*.pdf)"));
    if (!name.isEmpty() && !name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) name += QStringLiteral(".pdf");
    target = name.toStdString();
  }
  if (target.empty()) return;
  TfrxPDFExport filter;
  filter.FileName = target;
  filter.PageNumbers = pagesDialog.PageNumbers();
  ExportReport(filter);
}

void TfrxPreview::PageSetup() {
  if (running_ || !pages_ || !report_ || PageCount() == 0) return;
  const int index = currentPage_ - 1;
  try {
    TfrxReportPage* page = pages_->PageObject(index);
    if (!page) return;
    const PageSettingsResult result =
        PageSettingsDialog ? PageSettingsDialog(*page, *report_) : ShowPageSettingsForm(*page, *report_, this);
    if (!result.Accepted) return;
    LockView();
    try {
      if (result.ApplyToAll) {
        // Without a report engine there is no template to build from again, so the
        // settings go onto every prepared page instead.
        const PaperSettings settings = PaperOf(*page);
        for (int i = 0; i < PageCount(); ++i) {
          TfrxReportPage* p = pages_->PageObject(i);
          if (!p) continue;
          ApplyPaper(*p, settings);
          pages_->ReplacePage(i, *p);
        }
      } else {
        pages_->ReplacePage(index, *page);
      }
    } catch (...) {
      UnlockView();
      throw;
    }
    UnlockView();
  } catch (const std::exception& error) {
    ShowError(error.what());
  }
}

// --- search ---------------------------------------------------------------------------

void TfrxPreview::FindText() {
  if (!pages_) return;
  TfrxSearchDialog dialog(this);
  if (dialog.exec() == QDialog::Accepted) {
    TextSearchState& state = SearchState();
    state.searchText = dialog.TextE().text().toStdU16String();
    state.caseSensitive = dialog.CaseCB().isChecked();
    state.matchRecord = -1;
    workspace_->Search().SetMatchPage(dialog.TopCB().isChecked() ? 0 : currentPage_ - 1);
    if (!workspace_->FindNextMatch()) {
      workspace_->PaintPages(false);
      ShowTextNotFound(this);
    }
  }
  findEnabled_ = true;
}

void TfrxPreview::FindNext() {
  if (!findEnabled_ || !pages_) return;
  if (!workspace_->FindNextMatch()) ShowTextNotFound(this);
}

// --- clearing, rebuilding and the build hooks -----------------------------------------

void TfrxPreview::ClearPages() {
  if (running_ || !pages_) return;
  LockView();
  pages_->Clear();
  UnlockView();
  workspace_->ClearLayout();
  thumbnail_->ClearLayout();
  ReloadOutline();
  FirstPage();
  workspace_->SetRanges(0, 0);
  if (thumbnailVisible_) thumbnail_->SetRanges(0, 0);
  workspace_->PaintPages(false);
  thumbnail_->PaintPages(false);
}

void TfrxPreview::CancelBuild() {
  if (report_) report_->SetTerminated(true);
}

void TfrxPreview::Rebuild() {
  // Without a report engine there is no template to build from; the pages stay.
  if (!report_ || !BuildReport) return;
  const int offsetX = workspace_->OffsetX();
  const int offsetY = workspace_->OffsetY();
  const int page = currentPage_;
  LockView();
  refreshing_ = true;
  try {
    BuildReport();
  } catch (const std::exception& error) {
    refreshing_ = false;
    UnlockView();
    ShowError(error.what());
    return;
  }
  refreshing_ = false;
  locked_ = false;
  thumbnail_->SetLocked(false);
  currentPage_ = PageCount() < page ? 1 : page;
  Relayout();
  ReloadOutline();
  workspace_->SetScrollPosition(Qt::Horizontal, offsetX);
  workspace_->SetScrollPosition(Qt::Vertical, offsetY);
  workspace_->SetLocked(false);
  workspace_->PaintPages(false);
  thumbnail_->PaintPages(false);
  if (PageCount() < page) FirstPage();
}

void TfrxPreview::BuildStarted() {
  if (refreshing_) return;
  ClearPages();
  toggledDrillDowns_.clear();
  running_ = true;
  emit RunningChanged(true);
}

void TfrxPreview::BuildProgress(int page) {
  if (refreshing_) {
    emit PageChanged(currentPage_);
    return;
  }
  const bool finalPass = !report_ || report_->FinalPass();
  if (finalPass && page < 50 && pages_ && page >= 0) {
    PagePixelSize e = kVirtualA4;
    try {
      e = pages_->PageExtent(page);
    } catch (const std::exception& error) {
      PageFailed(page, error.what());
    }
    workspace_->AppendPage(e.Width, e.Height);
    workspace_->LayOut(workspace_->width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 26);
  }
  const qint64 now = QDateTime::currentMSecsSinceEpoch();
  if (page == 0) {
    FirstPage();
    if (finalPass) Relayout();
    buildTick_ = now;
  } else if (page == 1) {
    const qint64 elapsed = now - buildTick_;
    updateInterval_ = elapsed <= 4 ? 50 : elapsed < 10 ? 20 : 5;
    FirstPage();
    if (finalPass) Relayout();
  } else if (updateInterval_ > 0 && page % updateInterval_ == 0) {
    emit PageChanged(currentPage_);
    if (finalPass) workspace_->UpdateScrollRanges();
  }
  QCoreApplication::processEvents();
}

void TfrxPreview::BuildFinished() {
  if (refreshing_) return;
  running_ = false;
  emit PageChanged(currentPage_);
  workspace_->UpdateScrollRanges();
  thumbnail_->UpdateScrollRanges();
  Relayout();
  ReloadOutline();
  emit RunningChanged(false);
}

// --- colours --------------------------------------------------------------------------

unsigned TfrxPreview::ActiveFrameColor() const { return workspace_->ActiveFrameColor(); }
void TfrxPreview::SetActiveFrameColor(unsigned color) { workspace_->SetActiveFrameColor(color); }
unsigned TfrxPreview::BackColor() const { return workspace_->BackColor(); }
void TfrxPreview::SetBackColor(unsigned color) { workspace_->SetBackColor(color); }
unsigned TfrxPreview::FrameColor() const { return workspace_->FrameColor(); }
void TfrxPreview::SetFrameColor(unsigned color) { workspace_->SetFrameColor(color); }

// --- the pointer over the pages -------------------------------------------------------

void TfrxPreview::ShowStatusText(const std::string& text, bool hint) {
  const std::string utf8 = SystemToUtf8(text);
  if (inPointer_)
    pendingStatus_.emplace_back(utf8, hint);
  else
    ForwardStatusText(utf8, hint);
}

void TfrxPreview::ForwardStatusText(const std::string& utf8, bool hint) {
  emit StatusTextShown(QString::fromStdString(utf8), hint);
  if (report_) report_->ShowStatusText(utf8, hint);
}

void TfrxPreview::EndPointer() {
  inPointer_ = false;
  std::vector<std::pair<std::string, bool>> texts;
  texts.swap(pendingStatus_);
  // Only the last text of each area shows; the earlier ones were cleared by it.
  const std::pair<std::string, bool>* last[2] = {nullptr, nullptr};
  for (const auto& t : texts) last[t.second ? 1 : 0] = &t;
  for (const auto* t : last)
    if (t) ForwardStatusText(t->first, t->second);
}

void TfrxPreview::ShowTooltip(const std::string& text) {
  tooltip_ = SystemToQString(text);
  workspace_->viewport()->setToolTip(tooltip_);
}

void TfrxPreview::HideTooltip() {
  tooltip_.clear();
  workspace_->viewport()->setToolTip(QString());
}

void TfrxPreview::OpenURL(const std::string& url) {
  FollowReportLink(SystemToQString(url), DesktopReportLinkServices(this));
}

bool TfrxPreview::ClickObject(TfrxView* view, int button, unsigned shift, bool doubleClick) {
  bool modified = false;
  if (report_) report_->ClickObject(view, static_cast<TMouseButton>(button), shift, modified, doubleClick);
  return modified;
}

void TfrxPreview::MouseOverObject(TfrxView* view) {
  if (report_ && report_->Events().OnMouseOverObject) report_->Events().OnMouseOverObject(view);
}

void TfrxPreview::ToggleDrillDown(const std::string& drillName) {
  if (!toggledDrillDowns_.erase(drillName)) toggledDrillDowns_.insert(drillName);
  Rebuild();
}

void TfrxPreview::PageModified() {
  workspace_->PaintPages(false);
  thumbnail_->PaintPages(false);
}

// --- errors ---------------------------------------------------------------------------

void TfrxPreview::ShowError(const std::string& text) {
  try {
    if (report_)
      report_->ReportError(text);
    else
      frxResources().ShowErrorMsg(text);
  } catch (const std::exception&) {
    // A report set to raise its errors has nobody to raise them to in the preview.
  }
}

void TfrxPreview::PageFailed(int index, const std::string& text) {
  if (!failedPages_.insert(index).second) return;
  // Shown once the present layout or paint is over: a message box runs events.
  QPointer<TfrxPreview> self(this);
  QTimer::singleShot(0, this, [self, text] {
    if (self) self->ShowError(text);
  });
}

}  // namespace quarlo
