#pragma once
// Helpers for tests that print through the real spooler: the PDF queue that
// scripts/spooler.sh sets up, waiting for a job's PDF, and reading it back with poppler's
// tools (pdfinfo for pages and sizes, pdftotext for text and word positions).
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace quarlo::spooler {

struct Queue {
  std::string name;    // QUARLO_PDF_QUEUE
  std::string pdfDir;  // QUARLO_PDF_DIR: one job_<id>-<title>.pdf per job
};

// The test queue when the test script set one up and the spooler knows it.
std::optional<Queue> TestQueue();

// Submits a file with lp; returns the job id, 0 on failure.
int SubmitFile(const Queue& queue, const std::string& path, const std::string& title,
               const std::vector<std::string>& options = {});

// Waits until the job has left the queue and its PDF is written; the PDF's path, or
// nothing after the timeout or when the job ended without one.
std::optional<std::string> WaitForJobPdf(const Queue& queue, int jobId,
                                         std::chrono::seconds timeout = std::chrono::seconds(60));

struct PdfPage {
  double width = 0, height = 0;  // points, as shown (rotation applied)
  int rotation = 0;
};

struct PdfInfo {
  int pages = 0;
  std::vector<PdfPage> sizes;
  std::string title;
};

std::optional<PdfInfo> ReadPdfInfo(const std::string& path);

// Text of one page (1-based), in reading layout.
std::string PdfPageText(const std::string& path, int page);

struct PdfWord {
  std::string text;
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;  // points from the top-left corner
};
std::vector<PdfWord> PdfPageWords(const std::string& path, int page);

// Runs a shell command; its standard output, and the exit status in *status.
std::string RunCommand(const std::string& command, int* status = nullptr);
std::string ShellQuote(const std::string& text);

}  // namespace quarlo::spooler

// Skips the test when no spooler queue is available (outside scripts/test.sh).
#define QUARLO_REQUIRE_SPOOLER(queue)                                                \
  const std::optional<::quarlo::spooler::Queue> queue = ::quarlo::spooler::TestQueue(); \
  if (!queue) GTEST_SKIP() << "no test print queue: run through scripts/test.sh"
