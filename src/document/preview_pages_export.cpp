#include "document/preview_pages_export.h"

#include <utility>

#include "document/preview_pages.h"

namespace quarlo {

namespace {
ExportPagesHandler& Handler() {
  static ExportPagesHandler handler;
  return handler;
}
}  // namespace

void SetExportPagesHandler(ExportPagesHandler handler) { Handler() = std::move(handler); }
const ExportPagesHandler& GetExportPagesHandler() { return Handler(); }

bool TfrxCustomPreviewPages::ExportPages(CustomExportFilter& filter) {
  const ExportPagesHandler& handler = Handler();
  return handler ? handler(*this, filter) : filter.Run(*this);
}

}  // namespace quarlo
