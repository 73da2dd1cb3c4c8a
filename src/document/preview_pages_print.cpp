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
  if (!handler) return false;
  printedPages_.clear();
  printing_ = true;
  struct EndPrinting {
    bool& flag;
    ~EndPrinting() { flag = false; }
  } endPrinting{printing_};
  return handler(*this);
}

void TfrxPreviewPages::PaintPage(int index, Canvas& canvas, double scaleX, double scaleY, double offsetX,
                                 double offsetY) {
  if (printing_) printedPages_.insert(index);
  TfrxCustomPreviewPages::PaintPage(index, canvas, scaleX, scaleY, offsetX, offsetY);
}

std::map<int, std::vector<std::string>> TfrxPreviewPages::LeftOutClassesPrinted() const {
  std::map<int, std::vector<std::string>> printed;
  for (const auto& [index, classes] : leftOut_) {
    if (printedPages_.count(index)) printed.emplace(index, classes);
  }
  return printed;
}

}  // namespace quarlo
