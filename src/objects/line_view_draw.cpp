// Drawing of lines. Until the line painter exists a line draws as a plain view.

#include "objects/line_view.h"

namespace quarlo {

void TfrxCustomLineView::Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
                              double offsetY) {
  TfrxView::Draw(canvas, scaleX, scaleY, offsetX, offsetY);
}

}  // namespace quarlo
