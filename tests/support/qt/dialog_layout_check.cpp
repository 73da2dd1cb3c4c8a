#include "support/qt/dialog_layout_check.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>

namespace quarlo::testing {

namespace {

std::string NameOf(const QWidget* w) {
  return w->objectName().isEmpty() ? std::string(w->metaObject()->className()) : w->objectName().toStdString();
}

QString WithoutAccelerator(QString text) { return text.remove(QRegularExpression(QStringLiteral("&(?!&)"))); }

// Controls the dialog's code placed: named ones, not the parts inside Qt's own widgets.
std::vector<QWidget*> PlacedChildren(QWidget* parent, QWidget& dialog) {
  std::vector<QWidget*> result;
  for (QObject* o : parent->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (w && !w->isWindow() && !w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")) &&
        w->isVisibleTo(&dialog))
      result.push_back(w);
  }
  return result;
}

void CheckCaption(QWidget* w, std::vector<std::string>& faults) {
  QString text;
  int room = w->width();
  if (auto* label = qobject_cast<QLabel*>(w)) {
    if (label->pixmap().isNull() && !label->text().isEmpty()) {
      if (label->wordWrap()) {
        if (label->heightForWidth(label->width()) > label->height())
          faults.push_back(NameOf(w) + ": wrapped text taller than the label");
        return;
      }
      text = label->text();
    }
  } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
    text = check->text();
    room -= check->style()->pixelMetric(QStyle::PM_IndicatorWidth) + 6;
  } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
    text = radio->text();
    room -= radio->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) + 6;
  } else if (auto* button = qobject_cast<QPushButton*>(w)) {
    text = button->text();
    room -= 8;
  } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
    text = group->title();
    room -= 16;
  }
  if (text.isEmpty()) return;
  const int needed = w->fontMetrics().horizontalAdvance(WithoutAccelerator(text));
  if (needed > room)
    faults.push_back(NameOf(w) + ": caption needs " + std::to_string(needed) + " px, has " + std::to_string(room));
}

void CheckLevel(QWidget* parent, QWidget& dialog, std::vector<std::string>& faults) {
  const std::vector<QWidget*> children = PlacedChildren(parent, dialog);
  for (std::size_t i = 0; i < children.size(); ++i) {
    QWidget* w = children[i];
    if (!parent->rect().contains(w->geometry()))
      faults.push_back(NameOf(w) + ": outside " + NameOf(parent));
    for (std::size_t j = i + 1; j < children.size(); ++j)
      if (w->geometry().intersects(children[j]->geometry()))
        faults.push_back(NameOf(w) + " overlaps " + NameOf(children[j]));
    CheckCaption(w, faults);
    if (qobject_cast<QGroupBox*>(w)) CheckLevel(w, dialog, faults);
  }
}

}  // namespace

std::vector<std::string> DialogLayoutFaults(QWidget& dialog) {
  std::vector<std::string> faults;
  CheckLevel(&dialog, dialog, faults);
  return faults;
}

QString SaveDialogPicture(QWidget& dialog, const QString& name) {
  const QString dir = QStringLiteral(QUARLO_BINARY_DIR "/screenshots");
  if (!QDir().mkpath(dir)) return {};
  const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".png");
  return dialog.grab().save(path) ? path : QString();
}

}  // namespace quarlo::testing
