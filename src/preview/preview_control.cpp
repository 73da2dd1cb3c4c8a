#include "preview/preview_control.h"

#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QTreeWidget>

#include "preview/preview_workspace.h"

namespace quarlo {

TfrxPreview::TfrxPreview(QWidget* parent) : QWidget(parent) {
  splitter_ = new QSplitter(this);
  tree_ = new QTreeWidget(splitter_);
  thumbnail_ = new TfrxPreviewWorkspace(splitter_);
  workspace_ = new TfrxPreviewWorkspace(splitter_);
  outlineMenu_ = new QMenu(this);
  messagePanel_ = new QWidget(this);
  messageLabel_ = new QLabel(messagePanel_);
  messagePanel_->hide();
}

TfrxPreview::~TfrxPreview() = default;

void TfrxPreview::AssignReport(TfrxReport* report, TfrxPreviewPages* pages) {
  report_ = report;
  pages_ = reinterpret_cast<TfrxCustomPreviewPages*>(pages);
}
void TfrxPreview::Attach() {}
void TfrxPreview::SetPreviewPages(TfrxCustomPreviewPages* pages) { pages_ = pages; }
int TfrxPreview::PageCount() const { return 0; }
void TfrxPreview::SetCurrentPage(int) {}
void TfrxPreview::FirstPage() {}
void TfrxPreview::NextPage() {}
void TfrxPreview::PriorPage() {}
void TfrxPreview::LastPage() {}
void TfrxPreview::ShowPosition(int, int) {}
void TfrxPreview::SetZoom(double) {}
void TfrxPreview::SetZoomMode(TfrxZoomMode) {}
void TfrxPreview::WheelScroll(int, bool, bool) {}
void TfrxPreview::SetOutlineVisible(bool) {}
void TfrxPreview::SetThumbnailVisible(bool) {}
void TfrxPreview::SetOutlineWidth(int) {}
void TfrxPreview::Relayout() {}
void TfrxPreview::ReloadOutline() {}
bool TfrxPreview::HandleKey(int, Qt::KeyboardModifiers) { return false; }
void TfrxPreview::PrintReport() {}
void TfrxPreview::SaveWithDialog() {}
void TfrxPreview::SaveReport(const std::string&) {}
void TfrxPreview::OpenWithDialog() {}
void TfrxPreview::OpenReport(const std::string&) {}
void TfrxPreview::PageSetup() {}
void TfrxPreview::FindText() {}
void TfrxPreview::FindNext() {}
void TfrxPreview::ClearPages() {}
void TfrxPreview::CancelBuild() {}
void TfrxPreview::LockView() {}
void TfrxPreview::UnlockView() {}
void TfrxPreview::Rebuild() {}
void TfrxPreview::BuildStarted() {}
void TfrxPreview::BuildProgress(int) {}
void TfrxPreview::BuildFinished() {}
void TfrxPreview::ShowBusyMessage(const QString&) {}
void TfrxPreview::HideBusyMessage() {}
unsigned TfrxPreview::ActiveFrameColor() const { return 8405024; }
void TfrxPreview::SetActiveFrameColor(unsigned) {}
unsigned TfrxPreview::BackColor() const { return 8421504; }
void TfrxPreview::SetBackColor(unsigned) {}
unsigned TfrxPreview::FrameColor() const { return 0; }
void TfrxPreview::SetFrameColor(unsigned) {}
void TfrxPreview::ShowStatusText(const std::string&, bool) {}
void TfrxPreview::ShowTooltip(const std::string&) {}
void TfrxPreview::HideTooltip() {}
void TfrxPreview::OpenURL(const std::string&) {}
bool TfrxPreview::ClickObject(TfrxView*, int, unsigned, bool) { return false; }
void TfrxPreview::MouseOverObject(TfrxView*) {}
void TfrxPreview::ToggleDrillDown(const std::string&) {}
void TfrxPreview::PageModified() {}
void TfrxPreview::ShowError(const std::string&) {}
void TfrxPreview::keyPressEvent(QKeyEvent* event) { QWidget::keyPressEvent(event); }
void TfrxPreview::resizeEvent(QResizeEvent* event) { QWidget::resizeEvent(event); }
void TfrxPreview::AttachPages() {}
void TfrxPreview::StoreCurrentPage(int, bool) {}
void TfrxPreview::OutlineClicked(QTreeWidgetItem*) {}
void TfrxPreview::CollapseOutline() {}
void TfrxPreview::ExpandOutline() {}
void TfrxPreview::UpdateLeftPanel() {}
void TfrxPreview::LayoutBusyMessage() {}
bool TfrxPreview::HasButton(TfrxPreviewButton) const { return false; }

}  // namespace quarlo
