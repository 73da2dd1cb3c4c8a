#include "objects/special/dmp_classes.h"

#include "objects/class_registry.h"
#include "objects/special/dmp_command.h"
#include "objects/special/dmp_line_view.h"
#include "objects/special/dmp_memo_view.h"
#include "objects/special/dmp_page.h"

namespace quarlo {

void RegisterDotMatrixClasses() {
  RegisterClass<TfrxDMPPage>();
  RegisterClass<TfrxDMPMemoView>();
  RegisterClass<TfrxDMPLineView>();
  RegisterClass<TfrxDMPCommand>();
}

}  // namespace quarlo
