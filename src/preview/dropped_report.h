#pragma once
// What a drag over a window carries, as a report to open: the first local file whose
// name ends in ".fp3" (any letter case). Files dragged from a file manager arrive as
// file:// URLs.
#include <QString>
#include <optional>

class QMimeData;

namespace quarlo {

std::optional<QString> DroppedReportFile(const QMimeData* data);

}  // namespace quarlo
