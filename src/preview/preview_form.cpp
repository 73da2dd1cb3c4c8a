#include "preview/preview_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>
#include <exception>

#include "app/report/report.h"
#include "document/preview_pages.h"
#include "preview/preview_workspace.h"
#include "resources/preview_buttons.h"
#include "resources/qt/preview_button_images.h"
#include "resources/qt/resource_text.h"

namespace quarlo {

namespace {
constexpr double kZoomStep = 1.25;
}

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
  workspace_ = new TfrxPreviewWorkspace(this);
  setCentralWidget(workspace_);

  auto* bar = addToolBar(QString());
  bar->setObjectName(QStringLiteral("PreviewToolBar"));
  bar->setMovable(false);
  bar->setIconSize(QSize(kPreviewButtonSize, kPreviewButtonSize));
  bar->addAction(AddButton(pbiZoomIn, 124, &TfrxPreviewForm::ZoomIn));
  bar->addAction(AddButton(pbiZoomOut, 126, &TfrxPreviewForm::ZoomOut));
  bar->addSeparator();
  bar->addAction(AddButton(pbiFirstPage, 134, &TfrxPreviewForm::First));
  bar->addAction(AddButton(pbiPriorPage, 136, &TfrxPreviewForm::Prior));
  bar->addAction(AddButton(pbiNextPage, 138, &TfrxPreviewForm::Next));
  bar->addAction(AddButton(pbiLastPage, 140, &TfrxPreviewForm::Last));

  pageLabel_ = new QLabel(this);
  textLabel_ = new QLabel(this);
  hintLabel_ = new QLabel(this);
  pageLabel_->setMinimumWidth(120);
  statusBar()->addWidget(pageLabel_);
  statusBar()->addWidget(textLabel_);
  statusBar()->addWidget(hintLabel_, 1);

  connect(workspace_, &TfrxPreviewWorkspace::PageChanged, this, [this] { UpdatePageStatus(); });
  resize(800, 600);
  UpdateCaption();
  UpdatePageStatus();
  if (report_) AssignReport(report_, &report_->PreviewPages());
}

TfrxPreviewForm::~TfrxPreviewForm() {
  workspace_->SetPages(nullptr, nullptr);
  if (report_) report_->ForgetPreview(this);
  if (modalLoop_) modalLoop_->quit();
}

QAction* TfrxPreviewForm::AddButton(int image, int textNumber, void (TfrxPreviewForm::*slot)()) {
  QIcon icon;
  try {
    icon = PreviewButtonImages().Icon(image);
  } catch (const std::exception&) {
    // A damaged image strip leaves the buttons with their texts only.
  }
  auto* action = new QAction(icon, ResText(textNumber), this);
  action->setToolTip(ResText(textNumber + 1));
  connect(action, &QAction::triggered, this, slot);
  return action;
}

void TfrxPreviewForm::AssignReport(TfrxReport* report, TfrxPreviewPages* pages) {
  report_ = report;
  pages_ = report ? pages : nullptr;
  // The pages are shown again only on Attach; until then nothing is drawn from them.
  workspace_->SetPages(nullptr, nullptr);
  UpdateCaption();
}

void TfrxPreviewForm::Attach() {
  QPointer<TfrxPreviewForm> self(this);
  workspace_->SetPages(pages_, [self](const std::string& text) {
    if (self && self->report_) self->report_->ReportError(text);
  });
  UpdateCaption();
  UpdatePageStatus();
}

void TfrxPreviewForm::Setup() {
  Attach();
  if (!report_ || report_->PreviewOptions().Maximized()) setWindowState(windowState() | Qt::WindowMaximized);
}

void TfrxPreviewForm::ShowModal() {
  setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  modalLoop_ = &loop;
  show();
  loop.exec();
  modalLoop_ = nullptr;
}

void TfrxPreviewForm::ShowNonModal(bool ownTaskbarButton) {
  setAttribute(Qt::WA_DeleteOnClose);
  // A window of its own gets its own task bar entry; otherwise it stays a tool of
  // whatever window is active.
  if (!ownTaskbarButton) setWindowFlag(Qt::Tool, true);
  show();
}

void TfrxPreviewForm::ShowStatusText(const std::string& text, bool hint) {
  (hint ? hintLabel_ : textLabel_)->setText(QString::fromStdString(text));
}

void TfrxPreviewForm::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (modalLoop_) modalLoop_->quit();
}

void TfrxPreviewForm::UpdateCaption() {
  const std::string name = report_ ? report_->ReportOptions().Name() : std::string();
  setWindowTitle(name.empty() ? ResText(100) : QString::fromStdString(name));
}

void TfrxPreviewForm::UpdatePageStatus() {
  const int count = workspace_->PageCount();
  pageLabel_->setText(FormatPageOf(ResText("clPageOf"), count ? workspace_->PageNo() + 1 : 0, count));
}

void TfrxPreviewForm::ZoomIn() { workspace_->SetZoom(workspace_->Zoom() * kZoomStep); }
void TfrxPreviewForm::ZoomOut() { workspace_->SetZoom(workspace_->Zoom() / kZoomStep); }
void TfrxPreviewForm::First() { workspace_->SetPageNo(0); }
void TfrxPreviewForm::Prior() { workspace_->SetPageNo(workspace_->PageNo() - 1); }
void TfrxPreviewForm::Next() { workspace_->SetPageNo(workspace_->PageNo() + 1); }
void TfrxPreviewForm::Last() { workspace_->SetPageNo(workspace_->PageCount() - 1); }

TfrxPreviewWindow* TfrxPreviewFormHost::CreatePreviewWindow(TfrxReport& report) {
  return new TfrxPreviewForm(&report);
}

void TfrxPreviewFormHost::DestroyPreviewWindow(TfrxPreviewWindow* window) {
  delete static_cast<TfrxPreviewForm*>(window);
}

}  // namespace quarlo
