// Drawing of shapes. Until the shape painter exists a shape draws as a plain view.

#include "objects/shape_view.h"

namespace quarlo {

void TfrxShapeView::Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
                         double offsetY) {
  TfrxView::Draw(canvas, scaleX, scaleY, offsetX, offsetY);
}

}  // namespace quarlo
