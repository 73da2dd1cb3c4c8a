#pragma once
// TfrxPreview: the control that shows a report's pages and carries every preview
// action: paging, zoom, the outline and thumbnail panels, opening and saving prepared
// files, printing, page setup and text search. It owns the main workspace and the
// thumbnail strip and touches the pages only through the report's page store.
//
// A window hosting the control forwards its buttons and keys to these members and
// listens to the signals; the report object reaches it through PreviewControl.
#include <QWidget>
#include <QPoint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "report/preview_host.h"
#include "report/preview_options.h"
#include "document/preview_pages_pointer.h"
#include "preview/page_settings_form.h"

class QLabel;
class QMenu;
class QMouseEvent;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;
class QString;

namespace quarlo {

class CustomExportFilter;
class ExportDialog;

class TfrxCustomPreviewPages;
class TextSelection;
class TfrxPreviewWorkspace;

class TfrxPreview : public QWidget, public PreviewControl, public PreviewPointerHost {
  Q_OBJECT

 public:
  static constexpr double kMinZoom = 0.25;
  static constexpr double kMinWheelZoom = 0.3;
  // Pages are laid out in 32-bit pixels; beyond this zoom a large report would not fit.
  static constexpr double kMaxZoom = 8.0;
  static constexpr int kBusyWidth = 260;
  static constexpr int kBusyHeight = 75;

  explicit TfrxPreview(QWidget* parent = nullptr);
  ~TfrxPreview() override;

  // PreviewControl: the report object hands over its pages, then attaches.
  void AssignReport(TfrxReport* report, TfrxPreviewPages* pages) override;
  void Attach() override;

  TfrxReport* Report() const { return report_; }
  TfrxCustomPreviewPages* PreviewPages() const { return pages_; }
  // For a store without a report object (tools and tests): shown as Attach shows it.
  void SetPreviewPages(TfrxCustomPreviewPages* pages);

  // Navigation. Pages are 1-based; setting clamps to 1..PageCount (0 without pages)
  // and emits PageChanged even when the number stays.
  int PageCount() const;
  int CurrentPage() const { return currentPage_; }
  void SetCurrentPage(int page);
  void FirstPage();
  void NextPage();
  void PriorPage();
  void LastPage();
  // Shows page (clamped) with its printable area's top offset `top` report pixels.
  void ShowPosition(int page, int top) override;

  // Zoom: the setter stores at least kMinZoom and switches to zmDefault. A zoom change
  // keeps the point of the page at the centre of the view (or at `at`, a point of the
  // main workspace's viewport) where it was.
  double Zoom() const { return zoom_; }
  void SetZoom(double zoom);
  void SetZoomAt(double zoom, const QPoint& at);
  TfrxZoomMode ZoomMode() const { return zoomMode_; }
  void SetZoomMode(TfrxZoomMode mode);
  // One wheel step: scrolls by 20 pixels, or with zoom changes the zoom by 0.1
  // (never below kMinWheelZoom) around `at` (the view's centre when not given).
  void WheelScroll(int delta, bool horizontal, bool zoom, std::optional<QPoint> at = std::nullopt);

  // The main workspace reached a size the user sees: the first time it is shown, the
  // zoom modes and rows are laid out for it and the current page is scrolled to; later
  // resizes keep the page at the top of the view where it was.
  void WorkspaceShown();
  void WorkspaceResized();
  bool LaidOutForShownWindow() const { return shownLayout_; }

  // Text chosen on a page (Shift-drag, Ctrl+A) and copied with Ctrl+C.
  TextSelection& Selection() { return *selection_; }
  // Selects the text of the current page.
  void SelectPageText();
  // Puts the selected text on the clipboard; false when nothing is selected.
  bool CopySelection();

  // Left panel: outline tree or thumbnail strip, never both.
  bool OutlineVisible() const { return outlineVisible_; }
  void SetOutlineVisible(bool visible);
  bool ThumbnailVisible() const { return thumbnailVisible_; }
  void SetThumbnailVisible(bool visible);
  int OutlineWidth() const { return outlineWidth_; }
  void SetOutlineWidth(int width);

  void Relayout();
  void ReloadOutline();
  // The preview keys (arrows, page keys, Home/End, F3, Ctrl+P/S/F/O, Ctrl+A/C); returns whether
  // the key was one of them.
  bool HandleKey(int key, Qt::KeyboardModifiers modifiers);

  // Actions; the file, print, page setup and clearing actions do nothing while Running.
  void PrintReport();
  // Runs an export filter over the pages through the store's ExportPages; a failure is
  // shown as an error.
  void ExportReport(CustomExportFilter& filter);
  // Asks which pages (ExportPagesDialog when set), then for a .pdf file (ExportFileDialog
  // when set), and exports those pages into it.
  void ExportToPdf();
  void SaveWithDialog();
  void SaveReport(const std::string& fileName);
  void OpenWithDialog();
  void OpenReport(const std::string& fileName);
  void PageSetup();
  void FindText();
  void FindNext();
  void ClearPages();
  void CancelBuild();
  // Without a report designer these do nothing.
  void EditPage() {}
  void ShowTemplate() {}

  void LockView() override;
  void UnlockView() override;
  bool Locked() const { return locked_; }
  void Rebuild();

  // Hooks for a report engine building pages into the store.
  void BuildStarted();
  void BuildProgress(int page);
  void BuildFinished();
  bool Running() const { return running_; }
  // Builds the report's prepared pages again from its template; unset without an
  // engine, and then Rebuild keeps the pages it has.
  std::function<void()> BuildReport;

  void ShowBusyMessage(const QString& text);
  void HideBusyMessage();

  bool FindEnabled() const { return findEnabled_; }
  bool UseReportHints() const override { return useReportHints_; }
  void SetUseReportHints(bool v) { useReportHints_ = v; }

  // Colours as 0x00BBGGRR, kept by the main workspace.
  unsigned ActiveFrameColor() const;
  void SetActiveFrameColor(unsigned color);
  unsigned BackColor() const;
  void SetBackColor(unsigned color);
  unsigned FrameColor() const;
  void SetFrameColor(unsigned color);

  // Published mouse handlers, run by the main workspace before its own handling.
  std::function<void(QMouseEvent*)> OnMouseDown;
  std::function<void()> OnClick;
  std::function<void()> OnDblClick;

  TfrxPreviewWorkspace& Workspace() { return *workspace_; }
  TfrxPreviewWorkspace& ThumbnailWorkspace() { return *thumbnail_; }
  QTreeWidget& OutlineTree() { return *tree_; }
  QMenu& OutlineMenu() { return *outlineMenu_; }
  QWidget& MessagePanel() { return *messagePanel_; }
  QLabel& MessageLabel() { return *messageLabel_; }

  // PreviewPointerHost: what a pointer over a page asks of the preview.
  void ShowStatusText(const std::string& text, bool hint) override;
  void ShowTooltip(const std::string& text) override;
  void HideTooltip() override;
  void OpenURL(const std::string& url) override;
  bool ClickObject(TfrxView* view, int button, unsigned shift, bool doubleClick) override;
  void MouseOverObject(TfrxView* view) override;
  void ToggleDrillDown(const std::string& drillName) override;
  void PageModified() override;

  // Shown when a page cannot be drawn or a file cannot be read: through the report
  // (its silent mode decides), else to the user in a message box. UTF-8.
  void ShowError(const std::string& text);
  // A page that cannot be built or drawn: its error is shown once until the pages change.
  void PageFailed(int index, const std::string& text);
  // Says once per page, in the status bar, which classes the page could not show.
  void AnnounceLeftOutClasses(int index);
  void AnnouncePrintedLeftOutClasses();

  // The file dialogs of OpenWithDialog and SaveWithDialog; unset uses the platform's.
  // Returns the chosen name, empty when cancelled.
  std::function<QString(bool save, const QString& filter)> ChooseFile;
  // The page settings dialog of PageSetup; unset uses ShowPageSettingsForm.
  std::function<PageSettingsResult(TfrxReportPage& page, TfrxReport& report)> PageSettingsDialog;
  // The target of ExportToPdf; empty when the user cancelled.
  std::function<std::string()> ExportFileDialog;
  // Runs ExportToPdf's page dialog and returns its result; unset shows it modally.
  std::function<int(ExportDialog&)> ExportPagesDialog;
  // The tooltip a view's hint switched on; empty when off.
  const QString& TooltipText() const { return tooltip_; }
  // Drill-down groups toggled by clicks since the last build.
  const std::set<std::string>& ToggledDrillDowns() const { return toggledDrillDowns_; }

 signals:
  // OnPageChanged: the current page was set (1-based).
  void PageChanged(int page);
  // After each layout; the window shows the zoom.
  void ZoomChanged(double zoom);
  void OutlineVisibleChanged(bool visible);
  void ThumbnailVisibleChanged(bool visible);
  // Running switched; the window updates its buttons and its close caption.
  void RunningChanged(bool running);
  // Texts a pointer over the pages shows; a window that is the report's preview window
  // already receives them through the report, others may listen here.
  void StatusTextShown(const QString& text, bool hint);
  // Another file was opened or the report's pages were attached again; the window
  // captions itself again.
  void ReportOpened();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  friend class TfrxPreviewWorkspace;
  // Status texts asked for while the store walks a page are shown once it is done:
  // showing them lets pending events run, which must not rebuild the page being walked.
  void BeginPointer() { inPointer_ = true; }
  void EndPointer();
  void ForwardStatusText(const std::string& utf8, bool hint);
  void ResetSearch();
  // A point of the view held at its place on its page while the layout changes: page
  // index, report pixels from the page's top-left corner, the viewport point.
  struct ViewAnchor {
    int page = -1;
    double x = 0, y = 0;
    QPoint window;
  };
  ViewAnchor AnchorAt(const QPoint& window) const;
  void RestoreAnchor(const ViewAnchor& anchor, bool horizontal);
  QPoint ViewCentre() const;
  void OutlineClicked(QTreeWidgetItem* item);
  void CollapseOutline();
  void ExpandOutline();
  void UpdateLeftPanel();
  void LayoutBusyMessage();
  bool HasButton(TfrxPreviewButton button) const;

  TfrxReport* report_ = nullptr;
  TfrxCustomPreviewPages* pages_ = nullptr;
  TfrxPreviewWorkspace* workspace_ = nullptr;
  TfrxPreviewWorkspace* thumbnail_ = nullptr;
  QTreeWidget* tree_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QMenu* outlineMenu_ = nullptr;
  QWidget* messagePanel_ = nullptr;
  QLabel* messageLabel_ = nullptr;

  int currentPage_ = 1;
  double zoom_ = 1.0;
  TfrxZoomMode zoomMode_ = zmDefault;
  bool locked_ = false;
  bool running_ = false;
  bool refreshing_ = false;
  bool findEnabled_ = false;
  bool useReportHints_ = true;
  bool outlineVisible_ = false;
  bool thumbnailVisible_ = false;
  int outlineWidth_ = 120;
  qint64 buildTick_ = 0;
  int updateInterval_ = 50;
  bool inPointer_ = false;
  bool settingPage_ = false;
  bool shownLayout_ = false;
  bool inResize_ = false;
  std::unique_ptr<TextSelection> selection_;
  std::vector<std::pair<std::string, bool>> pendingStatus_;
  std::set<int> failedPages_;
  std::set<int> announcedPages_;
  std::set<std::string> toggledDrillDowns_;
  QString tooltip_;
};

}  // namespace quarlo
