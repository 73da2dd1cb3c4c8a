#include "preview/preview_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QComboBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>
#include <cmath>
#include <exception>
#include <optional>

#include "report/report.h"
#include "document/preview_pages.h"
#include "platform/qt/system_string.h"
#include "preview/dropped_report.h"
#include "preview/preview_control.h"
#include "preview/preview_status_panels.h"
#include "preview/text_search.h"
#include "preview/zoom_text.h"
#include "resources/qt/resource_text.h"
#include "platform/rounding.h"

namespace quarlo {

namespace {

constexpr QSize kInitialClientSize(803, 584);
// Per cent of the screen's free area a window meant to be maximised takes otherwise.
constexpr int kScreenShare = 90;
constexpr int kFirstPanelWidth = 200;

}  // namespace

QString FormatPageOf(const QString& pattern, int page, int count) {
  QString out;
  const int values[2] = {page, count};
  int used = 0;
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    if (used < 2 && pattern[i] == u'%' && i + 1 < pattern.size() && pattern[i + 1] == u'd') {
      out += QString::number(values[used++]);
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

TfrxPreviewForm::TfrxPreviewForm(TfrxReport* report, QWidget* parent) : QMainWindow(parent), report_(report) {
  FormCreate();
  if (report_) preview_->AssignReport(report_, &report_->PreviewPages());
}

TfrxPreviewForm::~TfrxPreviewForm() {
  qApp->removeEventFilter(this);
  if (TfrxReport* report = preview_->Report()) report->ForgetPreview(preview_);
  if (modalLoop_) modalLoop_->quit();
}

void TfrxPreviewForm::FormCreate() {
  setObjectName(QStringLiteral("TfrxPreviewForm"));
  QFont font(QStringLiteral("Tahoma"));
  font.setPointSize(8);
  setFont(font);
  resize(kInitialClientSize);
  setWindowTitle(ResText(100));

  preview_ = new TfrxPreview(this);
  preview_->setObjectName(QStringLiteral("Preview"));
  setCentralWidget(preview_);

  CreateToolBar();

  panels_ = new StatusPanels(this);
  auto* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar"));
  bar->setSizeGripEnabled(false);
  bar->addWidget(panels_, 1);
  const qreal dpi = screen() ? screen()->logicalDotsPerInch() : 96;
  bar->setFixedHeight(dpi > 96 ? 24 : 19);
  panels_->SetPanelWidth(0, kFirstPanelWidth);

  rightMenu_ = new QMenu(this);
  rightMenu_->setObjectName(QStringLiteral("RightMenu"));
  collapseMI_ = rightMenu_->addAction(ResText(601));
  collapseMI_->setObjectName(QStringLiteral("CollapseMI"));
  expandMI_ = rightMenu_->addAction(ResText(600));
  expandMI_->setObjectName(QStringLiteral("ExpandMI"));
  n1_ = rightMenu_->addSeparator();
  n1_->setObjectName(QStringLiteral("N1"));
  // Drill-down groups exist only in reports built from a template.
  for (QAction* a : {collapseMI_, expandMI_, n1_}) a->setVisible(false);
  hiddenMenu_ = new QMenu(this);
  hiddenMenu_->addAction(QStringLiteral("Showtemplate1"), this, [this] { preview_->ShowTemplate(); });

  connect(preview_, &TfrxPreview::PageChanged, this, &TfrxPreviewForm::ShowPageNumber);
  connect(preview_, &TfrxPreview::ZoomChanged, this, [this] { ShowZoom(); });
  connect(preview_, &TfrxPreview::RunningChanged, this, [this](bool running) {
    cancelB_->setText(ResText(running ? "clCancel" : "clClose"));
    if (!running) panels_->SetText(1, QString());
    RefreshButtons();
  });
  connect(preview_, &TfrxPreview::ReportOpened, this, [this] { UpdateCaption(); });
  connect(preview_, &TfrxPreview::StatusTextShown, this,
          [this](const QString& text, bool hint) { ShowStatusText(text.toStdString(), hint); });
  connect(preview_, &TfrxPreview::OutlineVisibleChanged, this, [this](bool v) {
    if (const ToolItem* item = Item(QStringLiteral("OutlineB"))) item->action->setChecked(v);
  });
  connect(preview_, &TfrxPreview::ThumbnailVisibleChanged, this, [this](bool v) {
    if (const ToolItem* item = Item(QStringLiteral("ThumbB"))) item->action->setChecked(v);
  });
  QPointer<TfrxPreviewForm> self(this);
  preview_->OnDblClick = [self] {
    if (self && self->fullScreen_) self->ToggleFullScreen();
  };
  preview_->setFocus();
  setAcceptDrops(true);
  // The window sees every key of its widgets before they do.
  qApp->installEventFilter(this);
  fullScreen_ = false;
}

PreviewControl& TfrxPreviewForm::Control() { return *preview_; }

int TfrxPreviewForm::ButtonsSet() const {
  return report_ ? report_->PreviewOptions().Buttons() : kDefaultPreviewButtons;
}

void TfrxPreviewForm::Setup() {
  preview_->Attach();
  const TfrxPreviewOptions defaults;
  const TfrxPreviewOptions& options = report_ ? report_->PreviewOptions() : defaults;
  if (options.Maximized()) setWindowState(windowState() | Qt::WindowMaximized);
  preview_->SetZoom(options.Zoom());
  preview_->SetZoomMode(options.ZoomMode());

  const int buttons = ButtonsSet();
  const auto has = [buttons](TfrxPreviewButton b) { return (buttons & PreviewButtonBit(b)) != 0; };
  if (const ToolItem* designer = Item(QStringLiteral("DesignerB"))) designer->action->setEnabled(options.AllowEdit());
  SetItemVisible(QStringLiteral("PrintB"), has(pbPrint));
  SetItemVisible(QStringLiteral("OpenB"), has(pbLoad));
  SetItemVisible(QStringLiteral("SaveB"), has(pbSave));
  // The PDF filter is the one export there is: the drop-down's item and the quick button.
  SetItemVisible(QStringLiteral("ExportB"), has(pbExport));
  exportPopup_->clear();
  QAction* pdfItem = exportPopup_->addAction(ResText(151) + QStringLiteral("..."));
  pdfItem->setObjectName(QStringLiteral("PdfExportMI"));
  connect(pdfItem, &QAction::triggered, this, &TfrxPreviewForm::PdfBClick);
  SetItemVisible(QStringLiteral("PdfB"), has(pbExportQuick));
  SetItemVisible(QStringLiteral("EmailB"), false);
  SetItemVisible(QStringLiteral("FindB"), has(pbFind));
  for (const char* name : {"Sep1", "ZoomPlusB", "Sep3", "ZoomMinusB"}) SetItemVisible(QString::fromLatin1(name), has(pbZoom));
  SetItemVisible(QStringLiteral("FullScreenBtn"), has(pbZoom) && !has(pbNoFullScreen));
  SetItemVisible(QStringLiteral("OutlineB"), has(pbOutline));
  SetItemVisible(QStringLiteral("ThumbB"), has(pbOutline));
  SetItemVisible(QStringLiteral("PageSettingsB"), has(pbPageSetup));
  SetItemVisible(QStringLiteral("DesignerB"), has(pbEdit));
  SetItemVisible(QStringLiteral("Sep2"), has(pbPageSetup) || has(pbEdit));
  for (const char* name : {"Sep5", "FirstB", "PriorB", "Sep4", "NextB", "LastB"}) {
    SetItemVisible(QString::fromLatin1(name), has(pbNavigator));
  }
  SetItemVisible(QStringLiteral("CancelB"), !has(pbNoClose));
  toolBar_->setToolButtonStyle(options.ShowCaptions() ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);

  UpdateCaption();
  BuildRightMenu();
  RefreshButtons();
  ShowZoom();
  ShowPageNumber(preview_->CurrentPage());
}

void TfrxPreviewForm::UpdateCaption() {
  const std::string name = report_ ? report_->ReportOptions().Name() : std::string();
  // The name is stored in the report's code page, as every non-text string of a file.
  setWindowTitle(name.empty() ? ResText(100) : SystemToQString(name));
}

void TfrxPreviewForm::RefreshButtons() {
  const bool idle = !preview_->Running();
  const bool pages = idle && preview_->PageCount() > 0;
  for (const char* name : {"PrintB", "OpenB", "SaveB", "ExportB", "PdfB", "EmailB", "FindB", "PageSettingsB"}) {
    SetButtonEnabled(QString::fromLatin1(name), pages);
  }
  SetButtonEnabled(QStringLiteral("DesignerB"), idle && report_ && report_->PreviewOptions().AllowEdit());
  for (QAction* a : {collapseMI_, expandMI_, n1_}) a->setVisible(false);
}

void TfrxPreviewForm::ShowPageNumber(int page) {
  const int count = preview_->PageCount();
  if (preview_->PreviewPages() && report_ && !report_->FinalPass() && preview_->Running()) {
    panels_->SetText(0, ResText("clFirstPass") + u' ' + QString::number(count));
  } else {
    panels_->SetText(0, FormatPageOf(ResText("clPageOf"), page, count));
  }
  pageE_->setText(QString::number(page));
}

void TfrxPreviewForm::ShowZoom() { zoomCB_->setEditText(ZoomText(preview_->Zoom())); }

void TfrxPreviewForm::ShowStatusText(const std::string& text, bool hint) {
  const QString value = QString::fromStdString(text);
  if (hint) {
    if (!value.isEmpty() || !panels_->Text(2).isEmpty()) panels_->SetText(2, value);
  } else {
    panels_->SetText(1, value);
  }
}

void TfrxPreviewForm::ToggleFullScreen() {
  const bool wasVisible = isVisible();
  if (!fullScreen_) {
    statusBar()->hide();
    toolBar_->hide();
    savedFlags_ = windowFlags();
    savedState_ = windowState();
    setWindowFlag(Qt::FramelessWindowHint, true);
    setWindowState(Qt::WindowMaximized);
    fullScreen_ = true;
  } else {
    setWindowState(savedState_);
    setWindowFlags(savedFlags_);
    statusBar()->show();
    toolBar_->show();
    fullScreen_ = false;
  }
  // Changing the frame re-creates the native window, which hides it.
  if (wasVisible) show();
}

// A window asked to open maximised gets most of the screen as its normal size first:
// without a window manager, or on a desktop that ignores the request, it stays at that
// size instead of the designed one, and un-maximising returns to it.
void TfrxPreviewForm::SizeForMaximising() {
  if (!(windowState() & Qt::WindowMaximized) || isVisible()) return;
  const QScreen* s = screen();
  if (!s) return;
  const QRect area = s->availableGeometry();
  const QSize size(area.width() * kScreenShare / 100, area.height() * kScreenShare / 100);
  // Giving a window a size ends its maximised state; it is asked for again.
  const Qt::WindowStates state = windowState();
  resize(size.expandedTo(kInitialClientSize).boundedTo(area.size()));
  move(area.center() - rect().center());
  setWindowState(state);
}

void TfrxPreviewForm::ShowModal() {
  SizeForMaximising();
  setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  modalLoop_ = &loop;
  show();
  loop.exec();
  modalLoop_ = nullptr;
}

void TfrxPreviewForm::ShowNonModal(bool ownTaskbarButton) {
  freeOnClose_ = true;
  setAttribute(Qt::WA_DeleteOnClose);
  // A top-level window without a parent has its own task bar entry; otherwise it stays
  // a tool of whatever window is active.
  if (!ownTaskbarButton) setWindowFlag(Qt::Tool, true);
  SizeForMaximising();
  if (centred_ && !(windowState() & Qt::WindowMaximized)) {
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
  }
  show();
}

void TfrxPreviewForm::closeEvent(QCloseEvent* event) {
  if (preview_->Running()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
  if (report_ && report_->Events().OnClosePreview) report_->Events().OnClosePreview(*report_);
  if (modalLoop_) modalLoop_->quit();
}

void TfrxPreviewForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
}

void TfrxPreviewForm::FormResize() {
  const int rest = RoundHalfEven((width() - panels_->PanelWidth(0)) / 2.0);
  panels_->SetPanelWidth(1, rest);
  panels_->SetPanelWidth(2, rest);
}

void TfrxPreviewForm::dragEnterEvent(QDragEnterEvent* event) {
  if (DroppedReportFile(event->mimeData()) && !preview_->Running()) event->acceptProposedAction();
}

void TfrxPreviewForm::dropEvent(QDropEvent* event) {
  const std::optional<QString> file = DroppedReportFile(event->mimeData());
  if (!file || preview_->Running()) return;
  event->acceptProposedAction();
  // Opened once the drop is over: the busy message and an error box run events.
  QPointer<TfrxPreviewForm> self(this);
  const QString path = *file;
  QTimer::singleShot(0, this, [self, path] {
    if (self) self->OpenDroppedFile(path);
  });
}

void TfrxPreviewForm::OpenDroppedFile(const QString& path) {
  try {
    preview_->OpenReport(QFile::encodeName(path).toStdString());
  } catch (const std::exception& error) {
    preview_->ShowError(error.what());
  }
}

void TfrxPreviewForm::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta != 0) preview_->WheelScroll(delta, false, event->modifiers() & Qt::ControlModifier);
  event->accept();
}

void TfrxPreviewForm::contextMenuEvent(QContextMenuEvent* event) {
  rightMenu_->popup(event->globalPos());
  event->accept();
}

void TfrxPreviewForm::keyPressEvent(QKeyEvent* event) {
  if (!preview_->HandleKey(event->key(), event->modifiers())) QMainWindow::keyPressEvent(event);
}

bool TfrxPreviewForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    // The edit button's right button offers the template behind the pages.
    const ToolItem* designer = Item(QStringLiteral("DesignerB"));
    QWidget* button = designer ? toolBar_->widgetForAction(designer->action) : nullptr;
    if (button && watched == button) {
      hiddenMenu_->popup(button->mapToGlobal(QPoint(0, 0)));
      return true;
    }
  }
  if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  switch (key->key()) {
    case Qt::Key_Escape:
      CancelBClick();
      return true;
    case Qt::Key_F11:
      ToggleFullScreen();
      return true;
    case Qt::Key_F1:
      frxResources().ShowHelp("TfrxPreviewForm");
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (widget == zoomCB_ || widget == zoomCB_->lineEdit()) {
        ZoomCBClick(-1);
        return true;
      }
      if (widget == pageE_) {
        PageEClick();
        return true;
      }
      return false;
    default:
      return false;
  }
}

PreviewWindow* PreviewFormHost::CreatePreviewWindow(TfrxReport& report) {
  return new TfrxPreviewForm(&report);
}

void PreviewFormHost::DestroyPreviewWindow(PreviewWindow* window) {
  delete static_cast<TfrxPreviewForm*>(window);
}

}  // namespace quarlo
