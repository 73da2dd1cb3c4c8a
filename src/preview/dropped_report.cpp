#include "preview/dropped_report.h"

#include <QMimeData>
#include <QUrl>

namespace quarlo {

std::optional<QString> DroppedReportFile(const QMimeData* data) {
  if (!data || !data->hasUrls()) return std::nullopt;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const QString path = url.toLocalFile();
    if (path.endsWith(QLatin1String(".fp3"), Qt::CaseInsensitive)) return path;
  }
  return std::nullopt;
}

}  // namespace quarlo
