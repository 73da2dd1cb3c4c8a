#pragma once
// Building blocks of the dialogs laid out by hand at fixed places: every control carries
// the component name the tests and the help look it up by.
#include <QRect>
#include <QString>

class QGroupBox;
class QLabel;
class QWidget;

namespace quarlo::form {

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry);
QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& title, const QRect& geometry);

// Right-to-left desktops read a dialog from the right: every named control takes the
// mirrored place in its parent, inside the groups as well.
void MirrorChildren(QWidget* parent);

}  // namespace quarlo::form
