#include "resources/qt/form_layout.h"

#include <QGroupBox>
#include <QLabel>

namespace quarlo::form {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
  auto* label = Named(new QLabel(text, parent), name);
  label->setGeometry(geometry);
  return label;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& title, const QRect& geometry) {
  auto* group = Named(new QGroupBox(title, parent), name);
  group->setGeometry(geometry);
  return group;
}

void MirrorChildren(QWidget* parent) {
  for (QObject* o : parent->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w->isWindow() || w->objectName().isEmpty()) continue;
    w->move(parent->width() - w->x() - w->width(), w->y());
    if (qobject_cast<QGroupBox*>(w)) MirrorChildren(w);
  }
}

}  // namespace quarlo::form
