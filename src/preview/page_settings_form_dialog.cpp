#include "preview/page_settings_form_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <utility>

#include "report/report.h"
#include "platform/settings_store.h"
#include "platform/errors.h"
#include "objects/report_page.h"
#include "preview/page_settings_pictures.h"
#include "preview/page_settings_units.h"
#include "platform/paper_table.h"
#include "print/printers.h"
#include "resources/resources.h"
#include "resources/qt/help_viewer.h"
#include "resources/qt/form_layout.h"
#include "resources/qt/resource_text.h"

namespace quarlo {

namespace {

using form::Named;
using form::MakeLabel;
using form::MakeGroup;

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QRect& geometry) {
  auto* edit = Named(new QLineEdit(parent), name);
  edit->setGeometry(geometry);
  return edit;
}

char SystemDecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  return !point.isEmpty() && point[0].unicode() < 0x80 ? static_cast<char>(point[0].unicode()) : '.';
}

double ReadEdit(const QLineEdit* edit, int units) { return UnitsToMm(ParseUnitValue(edit->text().toStdString()), units); }

void CheckPaperSide(double mm) {
  if (!(mm > 0) || mm > TfrxReportPage::kMaxPaperSide)
    throw EConvertError("Invalid paper size " + FormatUnitValue(mm, '.'));
}

void CheckMargin(double mm) {
  if (std::fabs(mm) > TfrxReportPage::kMaxPaperSide)
    throw EConvertError("Invalid margin " + FormatUnitValue(mm, '.'));
}

}  // namespace

TfrxPageSettingsForm::TfrxPageSettingsForm(TfrxReportPage& page, TfrxReport& report, TfrxPrinters& printers,
                                           QWidget* parent)
    : QDialog(parent), page_(page), report_(report), printers_(printers) {
  setObjectName(QStringLiteral("TfrxPageSettingsForm"));
  setFont(QFont(QStringLiteral("Tahoma"), 8));
  setFixedSize(kClientWidth, kClientHeight);
  setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);
  CreateControls();
  InstallHelpShortcut(this, "TfrxPageSettingsForm");
}

TfrxPageSettingsForm::~TfrxPageSettingsForm() = default;

void TfrxPageSettingsForm::CreateControls() {
  sizeL_ = MakeGroup(this, "SizeL", QString(), {8, 4, 270, 104});
  sizeCB_ = Named(new QComboBox(sizeL_), "SizeCB");
  sizeCB_->setGeometry(12, 20, 246, 22);
  sizeCB_->setMaxVisibleItems(16);
  connect(sizeCB_, &QComboBox::activated, this, [this] { SizeCBClick(); });
  widthL_ = MakeLabel(sizeL_, "WidthL", QString(), {12, 52, 56, 14});
  widthE_ = MakeEdit(sizeL_, "WidthE", {70, 48, 80, 21});
  heightL_ = MakeLabel(sizeL_, "HeightL", QString(), {12, 78, 56, 14});
  heightE_ = MakeEdit(sizeL_, "HeightE", {70, 74, 80, 21});
  for (QLineEdit* edit : {widthE_, heightE_}) connect(edit, &QLineEdit::textChanged, this, [this] { WidthEChange(); });

  orientationL_ = MakeGroup(this, "OrientationL", QString(), {8, 112, 270, 66});
  portraitRB_ = Named(new QRadioButton(orientationL_), "PortraitRB");
  portraitRB_->setGeometry(12, 20, 150, 18);
  portraitRB_->setChecked(true);
  landscapeRB_ = Named(new QRadioButton(orientationL_), "LandscapeRB");
  landscapeRB_->setGeometry(12, 42, 150, 18);
  for (QRadioButton* radio : {portraitRB_, landscapeRB_})
    connect(radio, &QRadioButton::clicked, this, [this] { PortraitRBClick(); });
  portraitImg_ = MakeLabel(orientationL_, "PortraitImg", QString(),
                           {214, 16, kOrientationPictureShort, kOrientationPictureLong});
  portraitImg_->setPixmap(QPixmap::fromImage(OrientationPicture(false)));
  landscapeImg_ = MakeLabel(orientationL_, "LandscapeImg", QString(),
                            {209, 21, kOrientationPictureLong, kOrientationPictureShort});
  landscapeImg_->setPixmap(QPixmap::fromImage(OrientationPicture(true)));
  landscapeImg_->setVisible(false);

  marginsL_ = MakeGroup(this, "MarginsL", QString(), {8, 182, 270, 78});
  leftL_ = MakeLabel(marginsL_, "LeftL", QString(), {12, 24, 26, 14});
  marginLeftE_ = MakeEdit(marginsL_, "MarginLeftE", {40, 20, 68, 21});
  topL_ = MakeLabel(marginsL_, "TopL", QString(), {140, 24, 26, 14});
  marginTopE_ = MakeEdit(marginsL_, "MarginTopE", {168, 20, 68, 21});
  rightL_ = MakeLabel(marginsL_, "RightL", QString(), {12, 50, 26, 14});
  marginRightE_ = MakeEdit(marginsL_, "MarginRightE", {40, 46, 68, 21});
  bottomL_ = MakeLabel(marginsL_, "BottomL", QString(), {140, 50, 26, 14});
  marginBottomE_ = MakeEdit(marginsL_, "MarginBottomE", {168, 46, 68, 21});

  const char* unitNames[6] = {"UnitL1", "UnitL2", "UnitL3", "UnitL4", "UnitL5", "UnitL6"};
  const QRect unitPlaces[6] = {{156, 52, 30, 14}, {156, 78, 30, 14}, {112, 24, 24, 14},
                               {240, 24, 24, 14}, {112, 50, 24, 14}, {240, 50, 24, 14}};
  QWidget* unitParents[6] = {sizeL_, sizeL_, marginsL_, marginsL_, marginsL_, marginsL_};
  for (int i = 0; i < 6; ++i) unitLabels_[i] = MakeLabel(unitParents[i], unitNames[i], QString(), unitPlaces[i]);

  otherL_ = MakeGroup(this, "OtherL", QString(), {8, 264, 270, 60});
  applyToCurRB_ = Named(new QRadioButton(otherL_), "ApplyToCurRB");
  applyToCurRB_->setGeometry(12, 18, 220, 18);
  applyToCurRB_->setChecked(true);
  applyToAllRB_ = Named(new QRadioButton(otherL_), "ApplyToAllRB");
  applyToAllRB_->setGeometry(12, 38, 220, 18);

  okB_ = Named(new QPushButton(this), "OKB");
  okB_->setGeometry(122, 330, 75, 25);
  okB_->setDefault(true);
  connect(okB_, &QPushButton::clicked, this, &QDialog::accept);
  cancelB_ = Named(new QPushButton(this), "CancelB");
  cancelB_->setGeometry(203, 330, 75, 25);
  connect(cancelB_, &QPushButton::clicked, this, &QDialog::reject);
}

int TfrxPageSettingsForm::Execute() {
  FormShow();
  const int result = exec();
  if (result == Accepted) FormHide();
  return result;
}

bool TfrxPageSettingsForm::ApplyToAll() const { return applyToAllRB_->isChecked(); }

QString TfrxPageSettingsForm::UnitText(double mm) const {
  return QString::fromStdString(FormatUnitValue(MmToUnits(mm, units_), SystemDecimalSeparator()));
}

void TfrxPageSettingsForm::SetSizeEdits(double widthMm, double heightMm) {
  const bool wasUpdating = updating_;
  updating_ = true;
  widthE_->setText(UnitText(widthMm));
  heightE_->setText(UnitText(heightMm));
  updating_ = wasUpdating;
}

void TfrxPageSettingsForm::FormShow() {
  updating_ = true;
  setWindowTitle(ResText(400));
  sizeL_->setTitle(ResText(403));
  widthL_->setText(ResText(401));
  heightL_->setText(ResText(402));
  orientationL_->setTitle(ResText(404));
  portraitRB_->setText(ResText(410));
  landscapeRB_->setText(ResText(411));
  marginsL_->setTitle(ResText(409));
  leftL_->setText(ResText(405));
  topL_->setText(ResText(406));
  rightL_->setText(ResText(407));
  bottomL_->setText(ResText(408));
  otherL_->setTitle(ResText(412));
  applyToCurRB_->setText(ResText(413));
  applyToAllRB_->setText(ResText(414));
  okB_->setText(ResText(1));
  cancelB_->setText(ResText(2));

  units_ = report_.SettingsStore()->ReadInteger(kUnitsSection, kUnitsKey, 0);
  const std::string_view unitName = UnitLabelName(units_);
  for (QLabel* label : unitLabels_) label->setText(unitName.empty() ? QString() : ResText(unitName));

  // Each entry carries its paper code: names need not be unique or even present, and
  // the choice is never looked up by its text.
  sizeCB_->clear();
  if (const TfrxCustomPrinter* printer = printers_.CurrentPrinter()) {
    for (const PrinterListEntry& paper : printer->Papers())
      sizeCB_->addItem(QString::fromStdString(paper.name), paper.code);
    int index = printer->PaperIndexOf(page_.PaperSize());
    if (index < 0) index = printer->PaperIndexOf(kCustomPaperCode);
    sizeCB_->setCurrentIndex(index);
  }

  const bool landscape = page_.Orientation() == TPrinterOrientation::poLandscape;
  (landscape ? landscapeRB_ : portraitRB_)->setChecked(true);
  shown_.clear();
  const std::pair<QLineEdit*, double> values[] = {
      {widthE_, page_.PaperWidth()},      {heightE_, page_.PaperHeight()},  {marginLeftE_, page_.LeftMargin()},
      {marginRightE_, page_.RightMargin()}, {marginTopE_, page_.TopMargin()}, {marginBottomE_, page_.BottomMargin()}};
  for (const auto& [edit, mm] : values) {
    shown_.push_back({edit, mm, UnitText(mm)});
    edit->setText(shown_.back().text);
  }
  shownPaperIndex_ = sizeCB_->currentIndex();
  shownLandscape_ = landscape;
  PortraitRBClick();
  updating_ = false;
}

void TfrxPageSettingsForm::PortraitRBClick() {
  portraitImg_->setVisible(portraitRB_->isChecked());
  landscapeImg_->setVisible(landscapeRB_->isChecked());
  MeasurePaper(true);
}

void TfrxPageSettingsForm::SizeCBClick() { MeasurePaper(false); }

int TfrxPageSettingsForm::ChosenPaperCode() const {
  const QVariant code = sizeCB_->currentData();
  return code.isValid() ? code.toInt() : kCustomPaperCode;
}

void TfrxPageSettingsForm::MeasurePaper(bool orientationChanged) {
  if (updating_) return;
  TfrxCustomPrinter* printer = printers_.CurrentPrinter();
  if (!printer) return;
  const int code = ChosenPaperCode();
  const TPrinterOrientation orientation =
      landscapeRB_->isChecked() ? TPrinterOrientation::poLandscape : TPrinterOrientation::poPortrait;
  double w = 0, h = 0;
  try {
    w = ReadEdit(widthE_, units_);
    h = ReadEdit(heightE_, units_);
  } catch (const EConvertError&) {
    // A user size needs both numbers; leave the edits for the user to correct. A
    // standard paper brings its own size.
    if (code == kCustomPaperCode) return;
    w = h = 0;
  }
  if (code == kCustomPaperCode) {
    if (!PlausiblePaperSize(w, h)) return;
    // Turning the paper exchanges the sides of a user size; choosing the user size
    // keeps the values shown.
    if (orientationChanged) std::swap(w, h);
    printer->ApplyViewPaper(kCustomPaperCode, w, h, orientation);
  } else {
    printer->ApplyViewPaper(code, w, h, orientation);
  }
  SetSizeEdits(printer->PaperWidth(), printer->PaperHeight());
}

void TfrxPageSettingsForm::WidthEChange() {
  if (updating_) return;
  if (sizeCB_->count() > 0) sizeCB_->setCurrentIndex(0);
}

double TfrxPageSettingsForm::ReadValue(const QLineEdit* edit) const {
  // A value the user left as shown keeps the page's own, not the rounded text.
  for (const ShownValue& v : shown_)
    if (v.edit == edit && edit->text() == v.text) return v.mm;
  return ReadEdit(edit, units_);
}

bool TfrxPageSettingsForm::Unchanged() const {
  if (sizeCB_->currentIndex() != shownPaperIndex_ || landscapeRB_->isChecked() != shownLandscape_) return false;
  return std::all_of(shown_.begin(), shown_.end(), [](const ShownValue& v) { return v.edit->text() == v.text; });
}

PageSettingsValues TfrxPageSettingsForm::ReadValues() const {
  PageSettingsValues v;
  v.paperWidth = ReadValue(widthE_);
  v.paperHeight = ReadValue(heightE_);
  v.leftMargin = ReadValue(marginLeftE_);
  v.rightMargin = ReadValue(marginRightE_);
  v.topMargin = ReadValue(marginTopE_);
  v.bottomMargin = ReadValue(marginBottomE_);
  CheckPaperSide(v.paperWidth);
  CheckPaperSide(v.paperHeight);
  for (double m : {v.leftMargin, v.rightMargin, v.topMargin, v.bottomMargin}) CheckMargin(m);
  return v;
}

void TfrxPageSettingsForm::done(int result) {
  // Text that is no number keeps the dialog open rather than half-editing the page.
  if (result == Accepted) {
    try {
      ReadValues();
    } catch (const EConvertError& e) {
      frxResources().ShowErrorMsg(e.what());
      return;
    }
  }
  QDialog::done(result);
}

void TfrxPageSettingsForm::FormHide() {
  const PageSettingsValues v = ReadValues();
  // OK on what was shown leaves the page as it was.
  if (Unchanged()) return;
  page_.SetOrientation(landscapeRB_->isChecked() ? TPrinterOrientation::poLandscape
                                                 : TPrinterOrientation::poPortrait);
  page_.SetPaperWidth(v.paperWidth);
  page_.SetPaperHeight(v.paperHeight);
  if (printers_.CurrentPrinter()) page_.SetPaperSize(ChosenPaperCode());
  page_.SetLeftMargin(v.leftMargin);
  page_.SetRightMargin(v.rightMargin);
  page_.SetTopMargin(v.topMargin);
  page_.SetBottomMargin(v.bottomMargin);
  page_.ArrangeChildren();
}

}  // namespace quarlo
