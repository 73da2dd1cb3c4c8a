#pragma once
// The page group the print and export dialogs share: all pages, the current page, or
// a list typed into the field, with the list syntax explained below it.
#include <QRect>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QObject;
class QRadioButton;
class QWidget;

namespace quarlo::form {

struct PageRangeGroup {
  QGroupBox* box = nullptr;              // "Label1"
  QRadioButton* all = nullptr;           // "AllRB", checked at first
  QRadioButton* current = nullptr;       // "CurPageRB"
  QRadioButton* numbers = nullptr;       // "PageNumbersRB"
  QLineEdit* edit = nullptr;             // "PageNumbersE"
  QLabel* description = nullptr;         // "DescrL"
};

// The group at geometry in parent; editFilter watches the field (focus chooses the list).
PageRangeGroup MakePageRangeGroup(QWidget* parent, const QString& title, const QRect& geometry,
                                  QObject* editFilter);

}  // namespace quarlo::form
