#pragma once
// fp3topdf, the print server's filter from prepared reports to PDF. It follows the
// filter conventions of the spooler:
//   fp3topdf JOB USER TITLE COPIES OPTIONS [FILE]
// reads FILE or, without it, standard input; writes the PDF on standard output, one copy
// (the spooler's own filters make the copies, page ranges, n-up and sides); tells the
// spooler what happens in "INFO:", "WARNING:" and "ERROR:" lines on standard error; and
// exits 0 when the PDF is complete, 1 when the job has to fail.
// The pages are written as the PDF export writes them, each on paper of its own size;
// the print settings stored in the file are ignored.
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace quarlo::filter {

// A print server takes files from every client: a report larger than this is refused
// before it is read (it takes about 1.3 times its size in memory while it prints). The
// spooler's administrator may set another limit in megabytes with
// "SetEnv QUARLO_MAX_REPORT_MB N" in cupsd.conf.
inline constexpr std::uint64_t kDefaultMaxReportMegabytes = 512;
std::uint64_t MaxReportMegabytes();

// args are the program's arguments after its name. input is read when no FILE is named,
// the PDF goes to output, the messages to messages. Returns the exit status.
int RunFilter(const std::vector<std::string>& args, int inputFd, int outputFd, std::ostream& messages);

}  // namespace quarlo::filter
