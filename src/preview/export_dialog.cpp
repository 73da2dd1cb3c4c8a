#include "preview/export_dialog.h"

#include <QEvent>
#include <QGuiApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/errors.h"
#include "print/page_list.h"
#include "resources/qt/form_layout.h"
#include "resources/qt/resource_text.h"
#include "resources/resources.h"

namespace quarlo {

namespace {

using form::Named;
using form::MirrorChildren;

}  // namespace

std::string ExportPageListFault(const std::string& text, int pageCount) {
  try {
    const TfrxPageList list = ParsePageList(text, pageCount);
    // An empty list is all pages, but "3-1" parses to no entries at all.
    const bool typed = text.find_first_not_of(' ') != std::string::npos;
    if (typed && list.Empty()) return "the page list names no page of the report";
    bool any = false;
    list.ForEachListedPage(pageCount, [&any](int) {
      any = true;
      return false;
    });
    if (!any) return "the page list names no page of the report (" + std::to_string(pageCount) + " pages)";
  } catch (const EConvertError& error) {
    return error.what();
  }
  return std::string();
}

ExportDialog::ExportDialog(int pageCount, int currentPage, QWidget* parent)
    : QDialog(parent), pageCount_(pageCount), currentPage_(currentPage) {
  setObjectName(QStringLiteral("ExportDialog"));
  setWindowTitle(ResText(151));
  setFont(QFont(QStringLiteral("Tahoma"), 8));
  setFixedSize(286, 157);
  setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);

  // The page group as the print dialog has it, so both read the same.
  label1_ = Named(new QGroupBox(ResText(7), this), "Label1");
  label1_->setGeometry(8, 4, 270, 112);
  allRB_ = Named(new QRadioButton(ResText(3), label1_), "AllRB");
  allRB_->setGeometry(12, 18, 200, 18);
  allRB_->setChecked(true);
  curPageRB_ = Named(new QRadioButton(ResText(4), label1_), "CurPageRB");
  curPageRB_->setGeometry(12, 38, 200, 18);
  pageNumbersRB_ = Named(new QRadioButton(ResText(5), label1_), "PageNumbersRB");
  pageNumbersRB_->setGeometry(12, 58, 62, 18);
  connect(pageNumbersRB_, &QRadioButton::clicked, this, [this] {
    if (isVisible()) pageNumbersE_->setFocus();
  });
  pageNumbersE_ = Named(new QLineEdit(label1_), "PageNumbersE");
  pageNumbersE_->setGeometry(76, 57, 182, 21);
  pageNumbersE_->installEventFilter(this);
  // Typing a list chooses it, also when the field got no focus event (tests, input methods).
  connect(pageNumbersE_, &QLineEdit::textEdited, this, [this] { pageNumbersRB_->setChecked(true); });
  descrL_ = Named(new QLabel(ResText(9), label1_), "DescrL");
  descrL_->setGeometry(12, 82, 246, 28);
  descrL_->setWordWrap(true);
  descrL_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  okB_ = Named(new QPushButton(ResText(1), this), "OkB");
  okB_->setGeometry(120, 124, 75, 25);
  okB_->setDefault(true);
  connect(okB_, &QPushButton::clicked, this, &QDialog::accept);
  cancelB_ = Named(new QPushButton(ResText(2), this), "CancelB");
  cancelB_->setGeometry(203, 124, 75, 25);
  connect(cancelB_, &QPushButton::clicked, this, &QDialog::reject);
  if (QGuiApplication::isRightToLeft()) MirrorChildren(this);
}

std::string ExportDialog::PageNumbers() const {
  if (curPageRB_->isChecked()) return std::to_string(currentPage_);
  if (pageNumbersRB_->isChecked()) return pageNumbersE_->text().toStdString();
  return std::string();
}

void ExportDialog::done(int result) {
  if (result == Accepted && pageNumbersRB_->isChecked()) {
    const std::string fault = ExportPageListFault(pageNumbersE_->text().toStdString(), pageCount_);
    if (!fault.empty()) {
      frxResources().ShowErrorMsg(fault);
      pageNumbersE_->setFocus();
      pageNumbersE_->selectAll();
      return;
    }
  }
  QDialog::done(result);
}

bool ExportDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == pageNumbersE_ && event->type() == QEvent::FocusIn) pageNumbersRB_->setChecked(true);
  return QDialog::eventFilter(watched, event);
}

}  // namespace quarlo
