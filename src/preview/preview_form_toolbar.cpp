// The preview window's toolbar, its right-click menu and the button handlers.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <exception>

#include "report/report.h"
#include "platform/errors.h"
#include "preview/crisp_icon.h"
#include "preview/preview_control.h"
#include "preview/preview_form.h"
#include "preview/zoom_text.h"
#include "resources/preview_buttons.h"
#include "resources/qt/preview_button_images.h"
#include "resources/qt/resource_text.h"

namespace quarlo {

namespace {

constexpr int kButtonHeight = 23;
constexpr int kZoomComboWidth = 49;
constexpr int kZoomListWidth = 100;
constexpr int kPageEditWidth = 37;
constexpr int kCancelWidth = 68;

QIcon ButtonIcon(int image) {
  try {
    // With a doubled drawing for screens of device pixel ratio 2.
    return CrispIcon(PreviewButtonImages().Image(image));
  } catch (const std::exception&) {
    // A damaged image strip leaves the buttons with their hints only.
    return QIcon();
  }
}

}  // namespace

void TfrxPreviewForm::CreateToolBar() {
  toolBar_ = addToolBar(QString());
  toolBar_->setObjectName(QStringLiteral("ToolBar"));
  toolBar_->setMovable(false);
  toolBar_->setFloatable(false);
  toolBar_->setContextMenuPolicy(Qt::PreventContextMenu);
  toolBar_->setIconSize(QSize(kPreviewButtonSize, kPreviewButtonSize));
  toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  toolBar_->setContentsMargins(2, 2, 2, 2);

  AddButton(QStringLiteral("PrintB"), pbiPrint, 101, 102, &TfrxPreviewForm::PrintBClick);
  AddButton(QStringLiteral("OpenB"), pbiOpen, 103, 104, &TfrxPreviewForm::OpenBClick);
  AddButton(QStringLiteral("SaveB"), pbiSave, 105, 106, &TfrxPreviewForm::SaveBClick);
  exportPopup_ = new QMenu(this);
  exportPopup_->setObjectName(QStringLiteral("ExportPopup"));
  QAction* exportB = AddButton(QStringLiteral("ExportB"), pbiExport, 107, 108, nullptr);
  exportB->setMenu(exportPopup_);
  AddButton(QStringLiteral("PdfB"), pbiPdf, 0, 151, &TfrxPreviewForm::PdfBClick);
  AddButton(QStringLiteral("EmailB"), pbiEmail, 0, 152, nullptr);
  AddButton(QStringLiteral("FindB"), pbiFind, 109, 110, &TfrxPreviewForm::FindBClick);
  AddSeparator(QStringLiteral("Sep1"));
  AddButton(QStringLiteral("ZoomPlusB"), pbiZoomIn, 124, 125, &TfrxPreviewForm::ZoomPlusBClick);

  zoomCB_ = new QComboBox;
  zoomCB_->setObjectName(QStringLiteral("ZoomCB"));
  zoomCB_->setEditable(true);
  zoomCB_->setInsertPolicy(QComboBox::NoInsert);
  // Typed per cents are read as typed: "10" must not complete to "100%".
  zoomCB_->setCompleter(nullptr);
  zoomCB_->setFixedWidth(kZoomComboWidth);
  zoomCB_->view()->setMinimumWidth(kZoomListWidth);
  zoomCB_->setToolTip(ResText(119));
  zoomCB_->addItems({QStringLiteral("25%"), QStringLiteral("50%"), QStringLiteral("75%"), QStringLiteral("100%"),
                     QStringLiteral("150%"), QStringLiteral("200%"), ResText("zmPageWidth"), ResText("zmWholePage")});
  connect(zoomCB_, &QComboBox::activated, this, &TfrxPreviewForm::ZoomCBClick);
  AddPanel(QStringLiteral("Sep3"), zoomCB_, 56);

  AddButton(QStringLiteral("ZoomMinusB"), pbiZoomOut, 126, 127, &TfrxPreviewForm::ZoomMinusBClick);
  AddButton(QStringLiteral("FullScreenBtn"), pbiFullScreen, 0, 150, &TfrxPreviewForm::FullScreenBtnClick);
  AddSeparator(QStringLiteral("Sep2"));
  AddButton(QStringLiteral("OutlineB"), pbiOutline, 128, 129, &TfrxPreviewForm::OutlineBClick, true);
  AddButton(QStringLiteral("ThumbB"), pbiThumbnails, 130, 131, &TfrxPreviewForm::ThumbBClick, true);
  AddButton(QStringLiteral("PageSettingsB"), pbiPageSetup, 120, 121, &TfrxPreviewForm::PageSettingsBClick);
  AddButton(QStringLiteral("DesignerB"), pbiEditPage, 132, 133, &TfrxPreviewForm::DesignerBClick);
  AddSeparator(QStringLiteral("Sep5"));
  AddButton(QStringLiteral("FirstB"), pbiFirstPage, 134, 135, &TfrxPreviewForm::FirstBClick);
  AddButton(QStringLiteral("PriorB"), pbiPriorPage, 136, 137, &TfrxPreviewForm::PriorBClick);

  pageE_ = new QLineEdit;
  pageE_->setObjectName(QStringLiteral("PageE"));
  pageE_->setFrame(false);
  pageE_->setFixedWidth(kPageEditWidth);
  pageE_->setToolTip(ResText(142));
  // Nine digits always fit an int; the page number is clamped by the control.
  pageE_->setMaxLength(9);
  pageE_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), pageE_));
  AddPanel(QStringLiteral("Sep4"), pageE_, 47);

  AddButton(QStringLiteral("NextB"), pbiNextPage, 138, 139, &TfrxPreviewForm::NextBClick);
  AddButton(QStringLiteral("LastB"), pbiLastPage, 140, 141, &TfrxPreviewForm::LastBClick);
  AddPanel(QStringLiteral("frTBPanel1"), new QWidget, 35);

  cancelB_ = new QToolButton;
  cancelB_->setObjectName(QStringLiteral("CancelB"));
  cancelB_->setText(ResText("clClose"));
  cancelB_->setAutoRaise(true);
  cancelB_->setFixedSize(kCancelWidth, kButtonHeight);
  connect(cancelB_, &QToolButton::clicked, this, &TfrxPreviewForm::CancelBClick);
  ToolItem item;
  item.name = QStringLiteral("CancelB");
  item.kind = ToolItem::Panel;
  item.action = toolBar_->addWidget(cancelB_);
  items_.push_back(item);
}

QAction* TfrxPreviewForm::AddButton(const QString& name, int image, int caption, int hint,
                                    void (TfrxPreviewForm::*click)(), bool check) {
  auto* action = new QAction(ButtonIcon(image), caption ? ResText(caption) : QString(), this);
  action->setObjectName(name);
  action->setToolTip(ResText(hint));
  action->setCheckable(check);
  if (click) connect(action, &QAction::triggered, this, click);
  toolBar_->addAction(action);
  ToolItem item;
  item.name = name;
  item.kind = check ? ToolItem::CheckButton : ToolItem::Button;
  item.action = action;
  items_.push_back(item);
  return action;
}

QAction* TfrxPreviewForm::AddSeparator(const QString& name, int) {
  QAction* action = toolBar_->addSeparator();
  action->setObjectName(name);
  ToolItem item;
  item.name = name;
  item.kind = ToolItem::Separator;
  item.action = action;
  items_.push_back(item);
  return action;
}

QAction* TfrxPreviewForm::AddPanel(const QString& name, QWidget* content, int width) {
  auto* panel = new QWidget;
  panel->setObjectName(name);
  panel->setFixedSize(width, kButtonHeight);
  content->setParent(panel);
  content->move(0, (kButtonHeight - content->sizeHint().height()) / 2);
  if (content->width() > width || content->sizeHint().width() > width) content->setFixedWidth(width);
  QAction* action = toolBar_->addWidget(panel);
  action->setObjectName(name);
  ToolItem item;
  item.name = name;
  item.kind = ToolItem::Panel;
  item.action = action;
  items_.push_back(item);
  return action;
}

const TfrxPreviewForm::ToolItem* TfrxPreviewForm::Item(const QString& name) const {
  for (const ToolItem& item : items_) {
    if (item.name == name) return &item;
  }
  return nullptr;
}

std::vector<QString> TfrxPreviewForm::VisibleToolItems() const {
  std::vector<QString> names;
  for (const ToolItem& item : items_) {
    if (item.action->isVisible()) names.push_back(item.name);
  }
  return names;
}

void TfrxPreviewForm::SetItemVisible(const QString& name, bool visible) {
  if (const ToolItem* item = Item(name)) item->action->setVisible(visible);
}

void TfrxPreviewForm::SetButtonEnabled(const QString& name, bool enabled) {
  const ToolItem* item = Item(name);
  if (!item) return;
  item->action->setEnabled(enabled);
  if (item->kind == ToolItem::Button) item->action->setChecked(false);
  if (item->menuItem) item->menuItem->setEnabled(enabled);
}

void TfrxPreviewForm::BuildRightMenu() {
  // Items of an earlier Setup go; the outline items at the top stay.
  for (ToolItem& item : items_) {
    if (item.menuItem) {
      rightMenu_->removeAction(item.menuItem);
      delete item.menuItem;
      item.menuItem = nullptr;
    }
  }
  for (QAction* a : rightMenu_->actions()) {
    if (a != collapseMI_ && a != expandMI_ && a != n1_) {
      rightMenu_->removeAction(a);
      delete a;
    }
  }
  // Buttons up to the second separator, each as an item captioned with its hint.
  bool separatorPassed = false;
  for (ToolItem& item : items_) {
    if (item.kind == ToolItem::Separator) {
      if (separatorPassed) break;
      separatorPassed = true;
      rightMenu_->addSeparator();
      continue;
    }
    if (item.kind != ToolItem::Button || !item.action->isVisible() || item.action->toolTip().isEmpty()) continue;
    QAction* source = item.action;
    QAction* menuItem = rightMenu_->addAction(source->icon(), source->toolTip());
    menuItem->setObjectName(item.name + QStringLiteral("MI"));
    connect(menuItem, &QAction::triggered, source, &QAction::trigger);
    if (QMenu* drop = source->menu()) {
      auto* copy = new QMenu(rightMenu_);
      for (QAction* entry : drop->actions()) {
        QAction* c = copy->addAction(entry->text());
        c->setData(entry->data());
        connect(c, &QAction::triggered, entry, &QAction::trigger);
      }
      menuItem->setMenu(copy);
    }
    item.menuItem = menuItem;
  }
}

void TfrxPreviewForm::PrintBClick() {
  preview_->PrintReport();
  // The progress window disables the window that was active when it appeared.
  setEnabled(true);
}

void TfrxPreviewForm::OpenBClick() {
  preview_->OpenWithDialog();
  UpdateCaption();
}

void TfrxPreviewForm::SaveBClick() { preview_->SaveWithDialog(); }
void TfrxPreviewForm::PdfBClick() {
  preview_->ExportToPdf();
  // The progress window disables the window that was active when it appeared.
  setEnabled(true);
}
void TfrxPreviewForm::FindBClick() { preview_->FindText(); }
void TfrxPreviewForm::PageSettingsBClick() { preview_->PageSetup(); }
void TfrxPreviewForm::DesignerBClick() { preview_->EditPage(); }
void TfrxPreviewForm::ZoomPlusBClick() { preview_->SetZoom(preview_->Zoom() + 0.25); }
void TfrxPreviewForm::ZoomMinusBClick() { preview_->SetZoom(preview_->Zoom() - 0.25); }

void TfrxPreviewForm::ZoomCBClick(int index) {
  preview_->setFocus();
  if (index == 6) {
    preview_->SetZoomMode(zmPageWidth);
  } else if (index == 7) {
    preview_->SetZoomMode(zmWholePage);
  } else {
    try {
      // A chosen list item is read as the combo shows it once the list closes.
      const QString text = index >= 0 && index < zoomCB_->count() ? zoomCB_->itemText(index) : zoomCB_->currentText();
      if (const std::optional<double> zoom = ParseZoomText(text)) preview_->SetZoom(*zoom);
    } catch (const Exception& error) {
      // The typed text stays for the user to correct; so does the zoom.
      frxResources().ShowErrorMsg(error.what());
      return;
    }
  }
  // Once the list has closed the combo shows the zoom the control settled on.
  QTimer::singleShot(0, this, [this] { ShowZoom(); });
}

void TfrxPreviewForm::PageEClick() {
  preview_->SetCurrentPage(pageE_->text().toInt());
  preview_->setFocus();
}

void TfrxPreviewForm::FirstBClick() { preview_->FirstPage(); }
void TfrxPreviewForm::PriorBClick() { preview_->PriorPage(); }
void TfrxPreviewForm::NextBClick() { preview_->NextPage(); }
void TfrxPreviewForm::LastBClick() { preview_->LastPage(); }

void TfrxPreviewForm::OutlineBClick() {
  if (const ToolItem* item = Item(QStringLiteral("OutlineB"))) preview_->SetOutlineVisible(item->action->isChecked());
}

void TfrxPreviewForm::ThumbBClick() {
  if (const ToolItem* item = Item(QStringLiteral("ThumbB"))) preview_->SetThumbnailVisible(item->action->isChecked());
}

void TfrxPreviewForm::CancelBClick() {
  if (preview_->Running()) {
    preview_->CancelBuild();
  } else {
    close();
  }
}

}  // namespace quarlo
