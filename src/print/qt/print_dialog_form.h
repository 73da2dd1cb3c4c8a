#pragma once
// TfrxPrintDialog: the modal dialog that settles a print job's printer, page range,
// copies, page selection, order, duplex and print mode. It works on a printer list
// (the process-wide one in the program, a made-up one in tests) and writes the choices
// into the report's PrintOptions on OK.
#include <QDialog>
#include <QImage>
#include <QString>
#include <functional>
#include <vector>

#include "resources/qt/page_range_group.h"
#include "platform/print_modes.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace quarlo {

class OwnerDrawCombo;
class TfrxPrinters;
class TfrxReport;

class TfrxPrintDialog : public QDialog {
 public:
  static constexpr int kClientWidth = 557;
  static constexpr int kClientHeight = 333;

  // Asks for the ".prn" file of a print to a file: parent, title, Qt filter; an empty
  // result means cancelled.
  using FileChooser = std::function<QString(QWidget*, const QString&, const QString&)>;

  // FormCreate: every caption and list filled, the current printer of printers chosen.
  TfrxPrintDialog(TfrxPrinters& printers, QWidget* parent = nullptr);
  ~TfrxPrintDialog() override;

  TfrxReport* TargetReport = nullptr;
  TfrxDuplexMode DuplexChoice = TfrxDuplexMode::dmNone;

  // FormShow, the modal run and FormHide; the final result (Accepted or Rejected).
  int Execute();

  // The dialog's rules, callable on their own.
  void FormShow();
  // Closing with result: the output file, the printer on cancel, PrintOptions on OK.
  // Returns the result, which becomes Rejected when the file chooser is cancelled.
  // Throws EConvertError when the copies text is no number (nothing is written then).
  int FormHide(int result);
  void PrintersCBClick();
  void PrintModeCBClick();
  void PropButtonClick();
  void PageNumbersRBClick();
  void CollateCBClick();

  void SetFileChooser(FileChooser chooser) { fileChooser_ = std::move(chooser); }
  // The printer index current when the dialog was created.
  int RememberedPrinterIndex() const { return rememberedIndex_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void done(int result) override;

 private:
  void CreateControls();
  void PrintersCBDrawItem(QPainter& painter, const QRect& rect, int index);
  void PrintModeCBDrawItem(QPainter& painter, const QRect& rect, int index);
  void CopiesPBPaint(QPainter& painter);
  // The copies text as a number; false when it is none.
  bool CopiesValue(int& copies) const;

  TfrxPrinters& printers_;
  int rememberedIndex_ = -1;
  FileChooser fileChooser_;
  QImage collateImg_, nonCollateImg_;
  std::vector<QImage> printModeImages_;

  QGroupBox* label12_ = nullptr;
  QLabel* nameL_ = nullptr;
  OwnerDrawCombo* printersCB_ = nullptr;
  QPushButton* propButton_ = nullptr;
  QLabel* whereL_ = nullptr;
  QLabel* whereL1_ = nullptr;
  QCheckBox* fileCB_ = nullptr;
  form::PageRangeGroup pageRange_;
  QGroupBox* label2_ = nullptr;
  QLabel* copiesL_ = nullptr;
  QSpinBox* copiesE_ = nullptr;
  QCheckBox* collateCB_ = nullptr;
  QWidget* copiesPB_ = nullptr;
  QGroupBox* scaleGB_ = nullptr;
  OwnerDrawCombo* printModeCB_ = nullptr;
  QLabel* pagSizeL_ = nullptr;
  QComboBox* pagPageSizeCB_ = nullptr;
  QGroupBox* otherGB_ = nullptr;
  QLabel* printL_ = nullptr;
  QComboBox* printPagesCB_ = nullptr;
  QLabel* orderL_ = nullptr;
  QComboBox* orderCB_ = nullptr;
  QLabel* duplexL_ = nullptr;
  QComboBox* duplexCB_ = nullptr;
  QPushButton* okB_ = nullptr;
  QPushButton* cancelB_ = nullptr;
};

// Delphi-style "description|mask|..." filter text as a Qt file dialog filter.
QString QtFileFilter(const QString& filter);

}  // namespace quarlo
