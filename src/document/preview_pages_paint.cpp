#include "document/preview_pages_paint.h"

#include "document/preview_pages.h"
#include "objects/page_draw.h"
#include "objects/report_page.h"

namespace quarlo {

void PaintPage(TfrxCustomPreviewPages& pages, int index, Canvas& canvas, double scaleX, double scaleY,
               double offsetX, double offsetY) {
  if (index < 0 || index >= pages.Count()) return;
  TfrxReportPage* page = pages.PageObject(index);
  if (!page) return;
  PageDrawContext context;
  context.totalPages = pages.Count();
  context.copyNo = pages.CurrentCopy;
  context.printScale = pages.PrintScale;
  DrawReportPage(*page, index, canvas, scaleX, scaleY, offsetX, offsetY, context);
}

}  // namespace quarlo
