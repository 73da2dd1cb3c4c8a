#include "report/report_classes.h"

#include "report/report.h"
#include "objects/special/dmp_classes.h"
#include "objects/special/special_classes.h"
#include "objects/standard_classes.h"

namespace quarlo {

void RegisterReportClasses() {
  RegisterStandardClasses(&TfrxReport::StaticClass());
  RegisterDotMatrixClasses();
  RegisterSpecialClasses();
}

}  // namespace quarlo
