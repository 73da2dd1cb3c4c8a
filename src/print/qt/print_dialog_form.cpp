#include "print/qt/print_dialog_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QValidator>

#include "report/report.h"
#include "platform/errors.h"
#include "document/preview_pages.h"
#include "print/qt/print_dialog_combo.h"
#include "print/qt/print_dialog_pictures.h"
#include "print/qt/print_dialog_sheets.h"
#include "print/printers.h"
#include "resources/resources.h"
#include "resources/qt/help_viewer.h"
#include "resources/qt/preview_button_images.h"
#include "resources/qt/form_layout.h"
#include "resources/qt/page_range_group.h"
#include "resources/qt/resource_text.h"

namespace quarlo {

namespace {

constexpr int kPrinterIconIndex = 2;
constexpr int kPrintModeItemHeight = 34;

// Accepts digits only; an empty text is allowed while typing.
class DigitsSpinBox : public QSpinBox {
 public:
  using QSpinBox::QSpinBox;

 protected:
  QValidator::State validate(QString& text, int& pos) const override {
    for (QChar c : text)
      if (!c.isDigit() || c.unicode() > 0x7F) return QValidator::Invalid;
    if (text.isEmpty()) return QValidator::Intermediate;
    return QSpinBox::validate(text, pos);
  }
};

// A control that only paints, through the dialog.
class PaintBox : public QWidget {
 public:
  PaintBox(std::function<void(QPainter&)> paint, QWidget* parent) : QWidget(parent), paint_(std::move(paint)) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    paint_(painter);
  }

 private:
  std::function<void(QPainter&)> paint_;
};

using form::MirrorChildren;
using form::Named;
using form::MakeLabel;
using form::MakeGroup;

QString DefaultFileChooser(QWidget* parent, const QString& title, const QString& filter) {
  return QFileDialog::getSaveFileName(parent, title, QString(), filter);
}

QComboBox* MakeList(QWidget* parent, const char* name, const QStringList& items, const QRect& geometry) {
  auto* list = Named(new QComboBox(parent), name);
  list->addItems(items);
  list->setGeometry(geometry);
  return list;
}

}  // namespace

QString QtFileFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString masks = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
    const QString& description = parts[i];
    filters << (description.contains(QLatin1Char('(') + masks + QLatin1Char(')'))
                    ? description
                    : description + QStringLiteral(" (") + masks + QLatin1Char(')'));
  }
  return filters.join(QStringLiteral(";;"));
}

TfrxPrintDialog::TfrxPrintDialog(TfrxPrinters& printers, QWidget* parent)
    : QDialog(parent), printers_(printers), fileChooser_(&DefaultFileChooser) {
  setObjectName(QStringLiteral("TfrxPrintDialog"));
  setWindowTitle(ResText(200));
  setFont(QFont(QStringLiteral("Tahoma"), 8));
  setFixedSize(kClientWidth, kClientHeight);
  setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);
  collateImg_ = CollatePicture(true);
  nonCollateImg_ = CollatePicture(false);
  for (TfrxPrintMode mode : {TfrxPrintMode::pmDefault, TfrxPrintMode::pmSplit, TfrxPrintMode::pmJoin,
                             TfrxPrintMode::pmScale})
    printModeImages_.push_back(PrintModePicture(mode));
  CreateControls();
  if (QGuiApplication::isRightToLeft()) MirrorChildren(this);
  InstallHelpShortcut(this, "TfrxPrintDialog");

  for (const std::string& name : printers_.Printers()) printersCB_->addItem(QString::fromStdString(name));
  printersCB_->setCurrentIndex(printers_.CurrentIndex());
  PrintersCBClick();
  rememberedIndex_ = printers_.CurrentIndex();
}

TfrxPrintDialog::~TfrxPrintDialog() = default;

void TfrxPrintDialog::CreateControls() {
  label12_ = MakeGroup(this, "Label12", ResText(201), {8, 4, 541, 78});
  nameL_ = MakeLabel(label12_, "NameL", ResText(212), {12, 23, 50, 14});
  printersCB_ = Named(new OwnerDrawCombo(logicalDpiY() > 96 ? 19 : 16, label12_), "PrintersCB");
  printersCB_->setGeometry(64, 19, 344, 22);
  printersCB_->SetDrawItem([this](QPainter& p, const QRect& r, int i, bool) { PrintersCBDrawItem(p, r, i); });
  connect(printersCB_, &QComboBox::activated, this, [this] { PrintersCBClick(); });
  propButton_ = Named(new QPushButton(ResText(209), label12_), "PropButton");
  propButton_->setGeometry(420, 17, 109, 25);
  connect(propButton_, &QPushButton::clicked, this, [this] { PropButtonClick(); });
  whereL_ = MakeLabel(label12_, "WhereL", ResText(208), {12, 52, 50, 14});
  whereL1_ = MakeLabel(label12_, "WhereL1", QString(), {64, 52, 344, 14});
  fileCB_ = Named(new QCheckBox(ResText(210), label12_), "FileCB");
  fileCB_->setGeometry(420, 50, 115, 18);

  pageRange_ = form::MakePageRangeGroup(this, ResText(202), {8, 86, 270, 112}, this);
  connect(pageRange_.numbers, &QRadioButton::clicked, this, [this] { PageNumbersRBClick(); });

  label2_ = MakeGroup(this, "Label2", ResText(205), {286, 86, 263, 112});
  copiesL_ = MakeLabel(label2_, "CopiesL", ResText(203), {12, 25, 60, 14});
  copiesE_ = Named(new DigitsSpinBox(label2_), "CopiesE");
  copiesE_->setGeometry(76, 21, 64, 22);
  copiesE_->setRange(1, kMaxDeviceCopies);
  copiesE_->setValue(1);
  collateCB_ = Named(new QCheckBox(ResText(204), label2_), "CollateCB");
  collateCB_->setGeometry(12, 64, 130, 18);
  collateCB_->setChecked(true);
  connect(collateCB_, &QCheckBox::toggled, this, [this] { CollateCBClick(); });
  copiesPB_ = Named(new PaintBox([this](QPainter& p) { CopiesPBPaint(p); }, label2_), "CopiesPB");
  copiesPB_->setGeometry(156, 52, kCollatePictureWidth, kCollatePictureHeight);

  scaleGB_ = MakeGroup(this, "ScaleGB", ResText(213), {8, 204, 270, 96});
  printModeCB_ = Named(new OwnerDrawCombo(kPrintModeItemHeight, scaleGB_), "PrintModeCB");
  printModeCB_->setGeometry(12, 18, 246, 40);
  printModeCB_->setIconSize(QSize(kPrintModePictureWidth, kPrintModePictureHeight));
  printModeCB_->addItems({ResText("pmDefault"), ResText("pmSplit"), ResText("pmJoin"), ResText("pmScale")});
  printModeCB_->setCurrentIndex(0);
  printModeCB_->SetDrawItem([this](QPainter& p, const QRect& r, int i, bool) { PrintModeCBDrawItem(p, r, i); });
  connect(printModeCB_, &QComboBox::activated, this, [this] { PrintModeCBClick(); });
  pagSizeL_ = MakeLabel(scaleGB_, "PagSizeL", ResText(214), {12, 68, 62, 14});
  pagPageSizeCB_ = MakeList(scaleGB_, "PagPageSizeCB", {}, {76, 64, 182, 22});
  pagPageSizeCB_->setEnabled(false);

  otherGB_ = MakeGroup(this, "OtherGB", ResText(207), {286, 204, 263, 96});
  printL_ = MakeLabel(otherGB_, "PrintL", ResText(206), {12, 22, 60, 14});
  printPagesCB_ = MakeList(otherGB_, "PrintPagesCB", {ResText("ppAll"), ResText("ppOdd"), ResText("ppEven")},
                           {76, 18, 175, 22});
  orderL_ = MakeLabel(otherGB_, "OrderL", ResText(211), {12, 47, 60, 14});
  orderCB_ = MakeList(otherGB_, "OrderCB", {ResText("poDirect"), ResText("poReverse")}, {76, 43, 175, 22});
  duplexL_ = MakeLabel(otherGB_, "DuplexL", ResText(216), {12, 72, 60, 14});
  duplexCB_ = MakeList(otherGB_, "DuplexCB",
                       {ResText("dupDefault"), ResText("dupVert"), ResText("dupHorz"), ResText("dupSimpl")},
                       {76, 68, 175, 22});
  printPagesCB_->setCurrentIndex(0);
  orderCB_->setCurrentIndex(0);
  duplexCB_->setCurrentIndex(0);

  okB_ = Named(new QPushButton(ResText(1), this), "OkB");
  okB_->setGeometry(390, 304, 75, 25);
  okB_->setDefault(true);
  connect(okB_, &QPushButton::clicked, this, &QDialog::accept);
  cancelB_ = Named(new QPushButton(ResText(2), this), "CancelB");
  cancelB_->setGeometry(474, 304, 75, 25);
  connect(cancelB_, &QPushButton::clicked, this, &QDialog::reject);
}

int TfrxPrintDialog::Execute() {
  FormShow();
  return FormHide(exec());
}

void TfrxPrintDialog::FormShow() {
  if (!TargetReport) return;
  const TfrxPrintOptions& options = TargetReport->PrintOptions();
  copiesE_->setValue(options.Copies());
  collateCB_->setChecked(options.Collate());
  pageRange_.edit->setText(QString::fromStdString(options.PageNumbers()));
  if (!options.PageNumbers().empty()) pageRange_.numbers->setChecked(true);
  printPagesCB_->setCurrentIndex(static_cast<int>(options.PrintPages()));
  orderCB_->setCurrentIndex(options.Reverse() ? 1 : 0);
  printModeCB_->setCurrentIndex(static_cast<int>(options.PrintMode()));
  duplexCB_->setCurrentIndex(static_cast<int>(DuplexChoice));
  PrintModeCBClick();
  if (options.PrintMode() != TfrxPrintMode::pmDefault) {
    if (const TfrxCustomPrinter* printer = printers_.CurrentPrinter())
      pagPageSizeCB_->setCurrentIndex(SheetPaperIndex(*printer, options.PrintOnSheet()));
  }
}

void TfrxPrintDialog::PrintersCBClick() {
  const TfrxCustomPrinter* old = printers_.CurrentPrinter();
  const int sheetIndex = pagPageSizeCB_->currentIndex();
  const int rememberedCode =
      sheetIndex > 0 && old ? old->PaperCodeOf(pagPageSizeCB_->currentText().toStdString()) : -1;
  // Without printers the list is empty and the stand-in printer stays current.
  if (printersCB_->count() > 0 && printersCB_->currentIndex() >= 0)
    printers_.SetCurrentIndex(printersCB_->currentIndex());
  const TfrxCustomPrinter* printer = printers_.CurrentPrinter();
  whereL1_->setText(printer ? QString::fromStdString(printer->Port()) : QString());
  pagPageSizeCB_->clear();
  if (!printer) return;
  for (const std::string& name : SheetPaperNames(*printer)) pagPageSizeCB_->addItem(QString::fromStdString(name));
  pagPageSizeCB_->setCurrentIndex(SheetPaperIndex(*printer, rememberedCode));
}

void TfrxPrintDialog::PrintModeCBClick() {
  if (printModeCB_->currentIndex() <= 0) {
    pagPageSizeCB_->setCurrentIndex(0);
    pagPageSizeCB_->setEnabled(false);
    return;
  }
  pagPageSizeCB_->setEnabled(true);
  if (pagPageSizeCB_->currentIndex() <= 0) {
    if (const TfrxCustomPrinter* printer = printers_.CurrentPrinter())
      pagPageSizeCB_->setCurrentIndex(SheetPaperIndex(*printer, kA4PaperCode));
  }
}

void TfrxPrintDialog::PropButtonClick() {
  TfrxCustomPrinter* printer = printers_.CurrentPrinter();
  if (!printer) return;
  printer->ShowProperties();
  const int index = DuplexIndexOfOverride(printer->DuplexOverride());
  if (index > 0) {
    duplexCB_->setCurrentIndex(index);
    DuplexChoice = static_cast<TfrxDuplexMode>(index);
  }
}

void TfrxPrintDialog::PageNumbersRBClick() {
  if (isVisible()) pageRange_.edit->setFocus();
}

void TfrxPrintDialog::CollateCBClick() { copiesPB_->update(); }

bool TfrxPrintDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == pageRange_.edit && event->type() == QEvent::FocusIn) pageRange_.numbers->setChecked(true);
  return QDialog::eventFilter(watched, event);
}

bool TfrxPrintDialog::CopiesValue(int& copies) const {
  return ParseCopies(copiesE_->cleanText().toStdString(), kMaxDeviceCopies, copies);
}

void TfrxPrintDialog::done(int result) {
  // A copies text that is no number keeps the dialog open instead of ending the job.
  int copies = 0;
  if (result == Accepted && !CopiesValue(copies)) {
    frxResources().ShowErrorMsg("'" + copiesE_->cleanText().toStdString() + "' is not a valid integer value");
    copiesE_->setFocus();
    copiesE_->selectAll();
    return;
  }
  QDialog::done(result);
}

int TfrxPrintDialog::FormHide(int result) {
  TfrxCustomPrinter* printer = printers_.CurrentPrinter();
  int copies = 1;
  if (result == Accepted) {
    if (!CopiesValue(copies))
      throw EConvertError("'" + copiesE_->cleanText().toStdString() + "' is not a valid integer value");
    if (printer) printer->SetOutputFileName(std::string());
    if (fileCB_->isChecked()) {
      const QString fileName = fileChooser_(this, ResText(507), QtFileFilter(ResText(510)));
      if (fileName.isEmpty())
        result = Rejected;  // the printer chosen here stays current
      else if (printer)
        printer->SetOutputFileName(ChangeFileExt(fileName.toStdString(), ".prn"));
    }
  } else if (printers_.CurrentIndex() != rememberedIndex_ && rememberedIndex_ >= 0) {
    printers_.SetCurrentIndex(rememberedIndex_);
  }
  if (result != Accepted || !TargetReport) return result;

  TfrxPrintOptions& options = TargetReport->PrintOptions();
  options.SetCopies(copies);
  options.SetCollate(collateCB_->isChecked());
  if (pageRange_.all->isChecked())
    options.SetPageNumbers(std::string());
  else if (pageRange_.current->isChecked())
    options.SetPageNumbers(std::to_string(TargetReport->PreviewPages().CurrentPreviewPage));
  else
    options.SetPageNumbers(pageRange_.edit->text().toStdString());
  options.SetPrintPages(static_cast<TfrxPrintPages>(std::max(0, printPagesCB_->currentIndex())));
  DuplexChoice = static_cast<TfrxDuplexMode>(std::max(0, duplexCB_->currentIndex()));
  options.SetReverse(orderCB_->currentIndex() == 1);
  options.SetPrintMode(static_cast<TfrxPrintMode>(std::max(0, printModeCB_->currentIndex())));
  // "默认" is no paper of the printer, so it comes out as the user-defined size.
  options.SetPrintOnSheet(printer ? printer->PaperCodeOf(pagPageSizeCB_->currentText().toStdString())
                                  : kCustomPaperCode);
  return result;
}

void TfrxPrintDialog::PrintersCBDrawItem(QPainter& painter, const QRect& rect, int index) {
  try {
    PreviewButtonImages().Draw(painter, rect.left() + 2, rect.top(), kPrinterIconIndex);
  } catch (const std::exception&) {
    // A damaged image container costs the icon, not the printer list.
  }
  painter.drawText(QRect(rect.left() + 24, rect.top() + 1, rect.width() - 24, rect.height() - 1),
                   Qt::AlignLeft | Qt::AlignTop, printersCB_->itemText(index));
}

void TfrxPrintDialog::PrintModeCBDrawItem(QPainter& painter, const QRect& rect, int index) {
  if (index >= 0 && index < static_cast<int>(printModeImages_.size()))
    painter.drawImage(rect.left() + 2, rect.top() + 1, printModeImages_[static_cast<std::size_t>(index)]);
  painter.drawText(QRect(rect.left() + 74, rect.top() + 10, rect.width() - 74, rect.height() - 10),
                   Qt::AlignLeft | Qt::AlignTop, printModeCB_->itemText(index));
}

void TfrxPrintDialog::CopiesPBPaint(QPainter& painter) {
  painter.fillRect(copiesPB_->rect(), palette().color(QPalette::Window));
  painter.drawImage(0, 0, collateCB_->isChecked() ? collateImg_ : nonCollateImg_);
}

}  // namespace quarlo
