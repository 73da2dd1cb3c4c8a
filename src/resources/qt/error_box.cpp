#include "resources/qt/error_box.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "resources/qt/io_error_text.h"
#include "resources/resources.h"

namespace quarlo {

void ShowErrorBox(const QString& message, QWidget* parent) {
  const QString caption = QString::fromStdString(frxResources().Get("mbError"));
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    std::fprintf(stderr, "%s: %s\n", caption.toUtf8().constData(), message.toUtf8().constData());
    return;
  }
  if (parent == nullptr) parent = QApplication::activeWindow();
  QMessageBox box(QMessageBox::Critical, caption, LocalizedIoMessage(message), QMessageBox::Ok, parent);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace quarlo
