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
#include "resources/qt/page_range_group.h"
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
  pageRange_ = form::MakePageRangeGroup(this, ResText(7), {8, 4, 270, 112}, this);
  connect(pageRange_.numbers, &QRadioButton::clicked, this, [this] {
    if (isVisible()) pageRange_.edit->setFocus();
  });
  // Typing a list chooses it, also when the field got no focus event (tests, input methods).
  connect(pageRange_.edit, &QLineEdit::textEdited, this, [this] { pageRange_.numbers->setChecked(true); });

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
  if (pageRange_.current->isChecked()) return std::to_string(currentPage_);
  if (pageRange_.numbers->isChecked()) return pageRange_.edit->text().toStdString();
  return std::string();
}

void ExportDialog::done(int result) {
  if (result == Accepted && pageRange_.numbers->isChecked()) {
    const std::string fault = ExportPageListFault(pageRange_.edit->text().toStdString(), pageCount_);
    if (!fault.empty()) {
      frxResources().ShowErrorMsg(fault);
      pageRange_.edit->setFocus();
      pageRange_.edit->selectAll();
      return;
    }
  }
  QDialog::done(result);
}

bool ExportDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == pageRange_.edit && event->type() == QEvent::FocusIn) pageRange_.numbers->setChecked(true);
  return QDialog::eventFilter(watched, event);
}

}  // namespace quarlo
