#include "support/qt/run_tool.h"

#include <QProcess>

namespace quarlo::test {

QString RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(30000)) return QString();
  return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace quarlo::test
