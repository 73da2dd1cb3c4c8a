#include "objects/special/special_classes.h"

#include "objects/class_registry.h"
#include "objects/special/barcode_view.h"
#include "objects/special/chart_view.h"
#include "objects/special/gradient_view.h"

namespace quarlo {

void RegisterSpecialClasses() {
  RegisterClass<TfrxBarCodeView>();
  RegisterClass<TfrxGradientView>();
  RegisterClass<TfrxChartView>();
}

}  // namespace quarlo
