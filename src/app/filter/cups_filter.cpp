#include "app/filter/cups_filter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <ostream>

#include "document/preview_pages.h"
#include "print/qt/pdf_export.h"
#include "report/report.h"

namespace quarlo::filter {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;

// Temporary files the filter made, removed however it ends: a cancelled job ends the
// filter with SIGTERM, and the spooler's temporary folder is shared by every job.
struct TemporaryFiles {
  static constexpr int kMax = 2;
  char paths[kMax][4096] = {};
  volatile sig_atomic_t count = 0;
};
TemporaryFiles temporaries;

void RemoveTemporaries() {
  for (int i = 0; i < temporaries.count; ++i) unlink(temporaries.paths[i]);
}

extern "C" void OnTerminate(int) {
  RemoveTemporaries();
  _exit(kExitFailed);
}

// A new empty file in the spooler's temporary folder; "" when none can be made.
std::string MakeTemporary(const char* suffix) {
  const char* dir = std::getenv("TMPDIR");
  std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/fp3topdf-XXXXXX" + suffix;
  if (pattern.size() >= sizeof temporaries.paths[0] || temporaries.count >= TemporaryFiles::kMax) return {};
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkstemps(name.data(), static_cast<int>(std::strlen(suffix)));
  if (fd < 0) return {};
  close(fd);
  std::memcpy(temporaries.paths[temporaries.count], name.data(), name.size());
  temporaries.count = temporaries.count + 1;
  return name.data();
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Copies from one descriptor to another, at most limit bytes; the result says why it stopped.
enum class Copy { Done, TooLarge, ReadFailed, WriteFailed };
Copy CopyData(int from, int to, std::uint64_t limit) {
  std::vector<char> buffer(1 << 16);
  std::uint64_t total = 0;
  for (;;) {
    const ssize_t n = read(from, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Copy::ReadFailed;
    if (n == 0) return Copy::Done;
    total += static_cast<std::uint64_t>(n);
    if (total > limit) return Copy::TooLarge;
    if (!WriteAll(to, buffer.data(), static_cast<std::size_t>(n))) return Copy::WriteFailed;
  }
}

std::string SizeLimitText() { return "the report is larger than " + std::to_string(MaxReportMegabytes()) + " MB"; }

std::uint64_t MaxReportBytes() { return MaxReportMegabytes() << 20; }

// The report's path: FILE, or standard input kept in a temporary file.
bool ReportInput(const std::vector<std::string>& args, int inputFd, std::string& path, std::ostream& messages) {
  if (args.size() == 6) {
    path = args[5];
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
      messages << "ERROR: cannot read " << path << ": " << std::strerror(errno) << '\n';
      return false;
    }
    if (S_ISREG(st.st_mode) && static_cast<std::uint64_t>(st.st_size) > MaxReportBytes()) {
      messages << "ERROR: " << SizeLimitText() << '\n';
      return false;
    }
    return true;
  }
  path = MakeTemporary(".fp3");
  const int fd = path.empty() ? -1 : open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) {
    messages << "ERROR: cannot make a temporary file: " << std::strerror(errno) << '\n';
    return false;
  }
  const Copy copied = CopyData(inputFd, fd, MaxReportBytes());
  const bool closed = close(fd) == 0;
  switch (copied) {
    case Copy::Done:
      if (closed) return true;
      [[fallthrough]];
    case Copy::WriteFailed:
      messages << "ERROR: cannot keep the report in a temporary file: " << std::strerror(errno) << '\n';
      return false;
    case Copy::ReadFailed:
      messages << "ERROR: cannot read the report from standard input: " << std::strerror(errno) << '\n';
      return false;
    case Copy::TooLarge:
      messages << "ERROR: " << SizeLimitText() << '\n';
      return false;
  }
  return false;
}

int Convert(const std::vector<std::string>& args, int inputFd, int outputFd, std::ostream& messages) {
  std::string input;
  if (!ReportInput(args, inputFd, input, messages)) return kExitFailed;

  TfrxReport report(nullptr);
  TfrxPreviewPages& pages = report.PreviewPages();
  try {
    pages.LoadFromFile(input, true);
  } catch (const std::exception& e) {
    messages << "ERROR: " << e.what() << '\n';
    return kExitFailed;
  }
  if (pages.Count() == 0) {
    messages << "ERROR: the report has no pages\n";
    return kExitFailed;
  }
  // Problems are told on standard error, never in a window.
  report.EngineOptions().SetNewSilentMode(simSilent);
  messages << "INFO: converting " << pages.Count() << " page(s) to PDF\n";

  const std::string pdf = MakeTemporary(".pdf");
  if (pdf.empty()) {
    messages << "ERROR: cannot make a temporary file: " << std::strerror(errno) << '\n';
    return kExitFailed;
  }
  TfrxPDFExport pdfExport;
  pdfExport.FileName = pdf;
  bool written = false;
  try {
    written = pdfExport.Run(pages);
  } catch (const std::exception& e) {
    messages << "ERROR: " << e.what() << '\n';
    return kExitFailed;
  }
  for (const std::string& problem : report.Errors()) messages << "WARNING: " << problem << '\n';
  if (!pdfExport.StructureNote().empty()) messages << "WARNING: " << pdfExport.StructureNote() << '\n';
  if (!written) {
    messages << "ERROR: " << (pdfExport.LastError().empty() ? "no PDF was written" : pdfExport.LastError()) << '\n';
    return kExitFailed;
  }
  const int fd = open(pdf.c_str(), O_RDONLY | O_CLOEXEC);
  const Copy sent = fd < 0 ? Copy::ReadFailed : CopyData(fd, outputFd, UINT64_MAX);
  if (fd >= 0) close(fd);
  if (sent != Copy::Done) {
    messages << "ERROR: cannot send the PDF on: " << std::strerror(errno) << '\n';
    return kExitFailed;
  }
  messages << "INFO: " << pdfExport.PagesWritten() << " page(s) converted\n";
  return kExitOk;
}

}  // namespace

std::uint64_t MaxReportMegabytes() {
  const char* text = std::getenv("QUARLO_MAX_REPORT_MB");
  if (!text || !*text) return kDefaultMaxReportMegabytes;
  char* end = nullptr;
  const unsigned long long v = std::strtoull(text, &end, 10);
  return *end == '\0' && v >= 1 && v <= (1u << 20) ? v : kDefaultMaxReportMegabytes;
}

int RunFilter(const std::vector<std::string>& args, int inputFd, int outputFd, std::ostream& messages) {
  if (args.size() != 5 && args.size() != 6) {
    messages << "ERROR: usage: fp3topdf job-id user title copies options [file]\n";
    return kExitFailed;
  }
  struct sigaction action {};
  action.sa_handler = OnTerminate;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  const int status = Convert(args, inputFd, outputFd, messages);
  RemoveTemporaries();
  temporaries.count = 0;
  return status;
}

}  // namespace quarlo::filter
