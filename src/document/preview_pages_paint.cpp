// Painting one page of the store onto a canvas.
#include "document/preview_pages.h"
#include "objects/page_draw.h"
#include "objects/report_page.h"

namespace quarlo {

void TfrxCustomPreviewPages::PaintPage(int index, Canvas& canvas, double scaleX, double scaleY,
                                       double offsetX, double offsetY) {
  if (index < 0 || index >= Count()) return;
  TfrxReportPage* page = PageObject(index);
  if (!page) return;
  PageDrawContext context;
  context.totalPages = Count();
  context.copyNo = CurrentCopy;
  context.printScale = PrintScale;
  DrawReportPage(*page, index, canvas, scaleX, scaleY, offsetX, offsetY, context);
}

}  // namespace quarlo
