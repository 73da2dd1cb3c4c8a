#include "preview/search_dialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "resources/qt/help_viewer.h"
#include "resources/qt/resource_text.h"

namespace quarlo {

namespace {

QString& LastText() {
  static QString text;
  return text;
}

std::function<void()>& NotFoundHandler() {
  static std::function<void()> handler;
  return handler;
}

}  // namespace

TfrxSearchDialog::TfrxSearchDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TfrxSearchDialog"));
  setWindowTitle(ResText(300));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  QFont font(QStringLiteral("Tahoma"));
  font.setPointSize(8);
  setFont(font);

  auto* textPanel = new QWidget(this);
  textPanel->setObjectName(QStringLiteral("Panel2"));
  auto* textLayout = new QVBoxLayout(textPanel);
  textLayout->setContentsMargins(0, 0, 0, 0);
  auto* textL = new QLabel(ResText(301), textPanel);
  textL->setObjectName(QStringLiteral("TextL"));
  textE_ = new QLineEdit(textPanel);
  textE_->setObjectName(QStringLiteral("TextE"));
  textL->setBuddy(textE_);
  textLayout->addWidget(textL);
  textLayout->addWidget(textE_);

  replacePanel_ = new QWidget(this);
  replacePanel_->setObjectName(QStringLiteral("ReplacePanel"));
  auto* replaceLayout = new QVBoxLayout(replacePanel_);
  replaceLayout->setContentsMargins(0, 0, 0, 0);
  auto* replaceL = new QLabel(ResText(303), replacePanel_);
  replaceL->setObjectName(QStringLiteral("ReplaceL"));
  replaceE_ = new QLineEdit(replacePanel_);
  replaceE_->setObjectName(QStringLiteral("ReplaceE"));
  replaceLayout->addWidget(replaceL);
  replaceLayout->addWidget(replaceE_);
  replacePanel_->hide();

  auto* optionsPanel = new QWidget(this);
  optionsPanel->setObjectName(QStringLiteral("Panel3"));
  auto* optionsLayout = new QHBoxLayout(optionsPanel);
  optionsLayout->setContentsMargins(0, 0, 0, 0);
  auto* searchL = new QGroupBox(ResText(302), optionsPanel);
  searchL->setObjectName(QStringLiteral("SearchL"));
  auto* boxLayout = new QVBoxLayout(searchL);
  topCB_ = new QCheckBox(ResText(304), searchL);
  topCB_->setObjectName(QStringLiteral("TopCB"));
  caseCB_ = new QCheckBox(ResText(305), searchL);
  caseCB_->setObjectName(QStringLiteral("CaseCB"));
  boxLayout->addWidget(topCB_);
  boxLayout->addWidget(caseCB_);
  auto* buttons = new QVBoxLayout;
  okB_ = new QPushButton(ResText(1), optionsPanel);
  okB_->setObjectName(QStringLiteral("OkB"));
  okB_->setDefault(true);
  cancelB_ = new QPushButton(ResText(2), optionsPanel);
  cancelB_->setObjectName(QStringLiteral("CancelB"));
  buttons->addWidget(okB_);
  buttons->addWidget(cancelB_);
  buttons->addStretch();
  optionsLayout->addWidget(searchL, 1);
  optionsLayout->addLayout(buttons);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(textPanel);
  layout->addWidget(replacePanel_);
  layout->addWidget(optionsPanel);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(okB_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelB_, &QPushButton::clicked, this, &QDialog::reject);
  InstallHelpShortcut(this, "TfrxSearchDialog");
}

QString TfrxSearchDialog::LastSearchText() { return LastText(); }
void TfrxSearchDialog::SetLastSearchText(const QString& text) { LastText() = text; }

void TfrxSearchDialog::showEvent(QShowEvent* event) {
  textE_->setText(LastText());
  QDialog::showEvent(event);
}

bool TfrxSearchDialog::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    textE_->setFocus();
    textE_->selectAll();
  }
  return QDialog::event(event);
}

void TfrxSearchDialog::done(int result) {
  if (result == QDialog::Accepted) LastText() = textE_->text();
  QDialog::done(result);
}

void ShowTextNotFound(QWidget* parent) {
  if (NotFoundHandler()) {
    NotFoundHandler()();
    return;
  }
  QMessageBox::information(parent, QString(), ResText("clStrNotFound"));
}

void SetTextNotFoundHandler(std::function<void()> handler) { NotFoundHandler() = std::move(handler); }

}  // namespace quarlo
