#include "document/preview_pages_print.h"

#include <utility>

#include "document/preview_pages.h"

namespace quarlo {

namespace {
PrintPagesHandler& Handler() {
  static PrintPagesHandler handler;
  return handler;
}
}  // namespace

void SetPrintPagesHandler(PrintPagesHandler handler) { Handler() = std::move(handler); }
const PrintPagesHandler& GetPrintPagesHandler() { return Handler(); }

bool TfrxPreviewPages::PrintPages() {
  const PrintPagesHandler& handler = Handler();
  return handler ? handler(*this) : false;
}

}  // namespace quarlo
