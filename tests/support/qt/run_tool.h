#pragma once
// Runs a command-line tool the tests read results with (poppler's pdfinfo, pdftotext).
#include <QString>
#include <QStringList>

namespace quarlo::test {

// The tool's standard output, or an empty text when it did not finish within 30 s.
QString RunTool(const QString& program, const QStringList& args);

}  // namespace quarlo::test
