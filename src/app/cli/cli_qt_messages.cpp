#include "app/cli/cli_qt_messages.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>

namespace quarlo::cli {

namespace {

void HandleQtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtCriticalMsg && type != QtFatalMsg) return;
  std::fprintf(stderr, "quarlo-cli: %s\n", message.toUtf8().constData());
}

}  // namespace

void InstallQtMessageHandler() { qInstallMessageHandler(&HandleQtMessage); }

}  // namespace quarlo::cli
