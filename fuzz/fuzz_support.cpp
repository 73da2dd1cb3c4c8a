#include "fuzz_support.h"

#include "report/report_classes.h"

namespace quarlo::fuzz {

void EnsureInitialised() {
  static const bool done = [] {
    RegisterReportClasses();
    return true;
  }();
  (void)done;
}

}  // namespace quarlo::fuzz
