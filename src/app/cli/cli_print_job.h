#pragma once
// The print job as the pdf and print verbs run it: no dialog boxes, every problem a
// line on standard error in English.
#include <iosfwd>

#include "print/print_job.h"

namespace quarlo {
class TfrxPreviewPages;
}

namespace quarlo::cli {

struct Verb;

// Runs PrintReportPages with the services given (their showError is replaced). The
// printer layer's errors, the job's messages and the errors collected while printing
// pages are written on err as "quarlo-cli VERB: ...". True when the job ran and met no
// error.
bool RunPrintJob(const Verb& verb, TfrxPreviewPages& pages, PrintJobServices services, std::ostream& err);

}  // namespace quarlo::cli
