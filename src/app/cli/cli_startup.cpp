#include "app/cli/cli_verbs.h"

#include "report/report_classes.h"

namespace quarlo::cli {

void PrepareDocumentClasses() {
  static const bool done = (RegisterReportClasses(), true);
  (void)done;
}

}  // namespace quarlo::cli
