#pragma once
// TfrxPageSettingsForm: the modal dialog that edits one page's paper, orientation and
// margins in the user's units, choosing the paper from the current printer's list, and
// says whether the result is for this page or for all pages.
#include <QDialog>
#include <QString>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quarlo {

class TfrxPrinters;
class TfrxReport;
class TfrxReportPage;

// The page settings as read from the edits, in millimetres.
struct PageSettingsValues {
  double paperWidth = 0, paperHeight = 0;
  double leftMargin = 0, rightMargin = 0, topMargin = 0, bottomMargin = 0;
};

class TfrxPageSettingsForm : public QDialog {
 public:
  static constexpr int kClientWidth = 286;
  static constexpr int kClientHeight = 359;

  TfrxPageSettingsForm(TfrxReportPage& page, TfrxReport& report, TfrxPrinters& printers,
                       QWidget* parent = nullptr);
  ~TfrxPageSettingsForm() override;

  // FormShow, the modal run and, on OK, FormHide; the result.
  int Execute();
  bool ApplyToAll() const;
  int UnitCode() const { return units_; }

  // The dialog's rules, callable on their own.
  void FormShow();
  // Writes the page; only for OK. Throws EConvertError for an edit that is no number or
  // a paper side out of range, before anything is written.
  void FormHide();
  void PortraitRBClick();
  // The paper chosen: its size, in the orientation chosen, into the edits; the user's
  // own size keeps the values.
  void SizeCBClick();
  void WidthEChange();

  // The edits read and checked; throws as FormHide does.
  PageSettingsValues ReadValues() const;

 protected:
  void done(int result) override;

 private:
  void CreateControls();
  QString UnitText(double mm) const;
  void SetSizeEdits(double widthMm, double heightMm);
  int ChosenPaperCode() const;
  // Asks the printer for the chosen paper's size in the chosen orientation;
  // orientationChanged exchanges the sides of a user size.
  void MeasurePaper(bool orientationChanged);
  double ReadValue(const QLineEdit* edit) const;
  // Nothing differs from what FormShow put into the dialog.
  bool Unchanged() const;

  // An edit's text as FormShow wrote it and the page's value behind it.
  struct ShownValue {
    QLineEdit* edit = nullptr;
    double mm = 0;
    QString text;
  };
  std::vector<ShownValue> shown_;
  int shownPaperIndex_ = -1;
  bool shownLandscape_ = false;

  TfrxReportPage& page_;
  TfrxReport& report_;
  TfrxPrinters& printers_;
  int units_ = 0;
  bool updating_ = false;

  QGroupBox* sizeL_ = nullptr;
  QComboBox* sizeCB_ = nullptr;
  QLabel* widthL_ = nullptr;
  QLineEdit* widthE_ = nullptr;
  QLabel* heightL_ = nullptr;
  QLineEdit* heightE_ = nullptr;
  QGroupBox* orientationL_ = nullptr;
  QRadioButton* portraitRB_ = nullptr;
  QRadioButton* landscapeRB_ = nullptr;
  QLabel* portraitImg_ = nullptr;
  QLabel* landscapeImg_ = nullptr;
  QGroupBox* marginsL_ = nullptr;
  QLabel* leftL_ = nullptr;
  QLineEdit* marginLeftE_ = nullptr;
  QLabel* topL_ = nullptr;
  QLineEdit* marginTopE_ = nullptr;
  QLabel* rightL_ = nullptr;
  QLineEdit* marginRightE_ = nullptr;
  QLabel* bottomL_ = nullptr;
  QLineEdit* marginBottomE_ = nullptr;
  QLabel* unitLabels_[6] = {};
  QGroupBox* otherL_ = nullptr;
  QRadioButton* applyToCurRB_ = nullptr;
  QRadioButton* applyToAllRB_ = nullptr;
  QPushButton* okB_ = nullptr;
  QPushButton* cancelB_ = nullptr;
};

}  // namespace quarlo
