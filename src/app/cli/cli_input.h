#pragma once
// The report file a verb reads, named on the command line.
#include <string>

namespace quarlo {
class TfrxPreviewPages;
}

namespace quarlo::cli {

// Loads the file into pages. A file that cannot be read (missing, a directory, an
// input/output error) raises EStreamError naming it and the reason, instead of the
// format error its empty or partial content would give.
void LoadReportFile(TfrxPreviewPages& pages, const std::string& file);

}  // namespace quarlo::cli
