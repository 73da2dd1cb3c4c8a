#pragma once
// The page choice of an export, laid out as the print dialog's page group: all pages,
// the current page, or a typed page list read by the print job's parser. A list that
// cannot be read or names no page of the report keeps the dialog open with an error box.
#include <QDialog>
#include <string>

#include "resources/qt/page_range_group.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quarlo {

class ExportDialog : public QDialog {
 public:
  // currentPage is 1-based, as the preview shows it.
  ExportDialog(int pageCount, int currentPage, QWidget* parent = nullptr);

  // The chosen pages for the export filter: empty for all, the current page's number,
  // or the list as typed. Meaningful once the dialog was accepted.
  std::string PageNumbers() const;

  QRadioButton& AllRB() { return *pageRange_.all; }
  QRadioButton& CurPageRB() { return *pageRange_.current; }
  QRadioButton& PageNumbersRB() { return *pageRange_.numbers; }
  QLineEdit& PageNumbersE() { return *pageRange_.edit; }
  QPushButton& OkB() { return *okB_; }
  QPushButton& CancelB() { return *cancelB_; }

  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int pageCount_;
  int currentPage_;
  form::PageRangeGroup pageRange_;
  QPushButton* okB_ = nullptr;
  QPushButton* cancelB_ = nullptr;
};

// Why a typed page list cannot be exported from a report of pageCount pages, or empty
// when it can. An empty list means all pages, as in printing.
std::string ExportPageListFault(const std::string& text, int pageCount);

}  // namespace quarlo
