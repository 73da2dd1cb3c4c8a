#pragma once
// Painting one page of the store onto a canvas: the page is built (or taken from the
// cache) and drawn with the page count, copy and print scale the store holds. The
// store's PaintPage member does the work; the free function is kept for callers that
// hold a store by reference.

#include "platform/canvas.h"

namespace quarlo {

class TfrxCustomPreviewPages;

// Offsets are the device position of the paper's top-left corner, scales device pixels
// per report pixel. An index without a page draws nothing. When a view fails to draw,
// the rest of the page is still drawn and the first error is raised afterwards.
void PaintPage(TfrxCustomPreviewPages& pages, int index, Canvas& canvas, double scaleX, double scaleY,
               double offsetX, double offsetY);

}  // namespace quarlo
