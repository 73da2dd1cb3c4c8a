#include "support/spooler.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <thread>

namespace quarlo::spooler {
namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

std::optional<std::string> FindJobPdf(const Queue& queue, int jobId) {
  const std::string prefix = "job_" + std::to_string(jobId) + "-";
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(queue.pdfDir, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) == 0 && entry.path().extension() == ".pdf") return entry.path().string();
  }
  return std::nullopt;
}

// "not-completed" lists pending, held and processing jobs.
bool JobPending(const Queue& queue, int jobId) {
  const std::string out = RunCommand("lpstat -W not-completed -o " + ShellQuote(queue.name) + " 2>/dev/null");
  const std::string id = queue.name + "-" + std::to_string(jobId);
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind(id + " ", 0) == 0) return true;
  return false;
}

double ToDouble(const std::string& s) { return std::strtod(s.c_str(), nullptr); }

}  // namespace

std::string ShellQuote(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'') out += "'\\''";
    else out += c;
  }
  return out + "'";
}

std::string RunCommand(const std::string& command, int* status) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) {
    if (status) *status = -1;
    return out;
  }
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  const int rc = pclose(pipe);
  if (status) *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  return out;
}

std::optional<Queue> TestQueue() {
  Queue q{Env("QUARLO_PDF_QUEUE"), Env("QUARLO_PDF_DIR")};
  if (q.name.empty() || q.pdfDir.empty() || Env("CUPS_SERVER").empty()) return std::nullopt;
  int status = 0;
  RunCommand("lpstat -p " + ShellQuote(q.name) + " >/dev/null 2>&1", &status);
  if (status != 0) return std::nullopt;
  return q;
}

int SubmitFile(const Queue& queue, const std::string& path, const std::string& title,
               const std::vector<std::string>& options) {
  std::string command = "lp -d " + ShellQuote(queue.name) + " -t " + ShellQuote(title);
  for (const std::string& o : options) command += " -o " + ShellQuote(o);
  command += " " + ShellQuote(path) + " 2>&1";
  const std::string out = RunCommand(command);
  std::smatch m;
  const std::regex id("request id is [^ ]*-([0-9]+)");
  return std::regex_search(out, m, id) ? std::atoi(m[1].str().c_str()) : 0;
}

std::optional<std::string> WaitForJobPdf(const Queue& queue, int jobId, std::chrono::seconds timeout) {
  if (jobId <= 0) return std::nullopt;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    if (!JobPending(queue, jobId)) {
      // The backend writes the file before the job completes; allow the directory a moment.
      for (int i = 0; i < 20; ++i) {
        if (auto pdf = FindJobPdf(queue, jobId)) return pdf;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
      }
      return std::nullopt;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return std::nullopt;
}

std::optional<PdfInfo> ReadPdfInfo(const std::string& path) {
  int status = 0;
  const std::string out = RunCommand("pdfinfo -f 1 -l 100000 " + ShellQuote(path) + " 2>/dev/null", &status);
  if (status != 0) return std::nullopt;
  PdfInfo info;
  std::istringstream lines(out);
  const std::regex pages("^Pages: +([0-9]+)");
  const std::regex size("^Page +([0-9]+) size: +([0-9.]+) x ([0-9.]+) pts");
  const std::regex rot("^Page +([0-9]+) rot: +([0-9]+)");
  const std::regex title("^Title: +(.*)$");
  for (std::string line; std::getline(lines, line);) {
    std::smatch m;
    if (std::regex_search(line, m, pages)) {
      info.pages = std::atoi(m[1].str().c_str());
    } else if (std::regex_search(line, m, size)) {
      info.sizes.push_back({ToDouble(m[2]), ToDouble(m[3]), 0});
    } else if (std::regex_search(line, m, rot)) {
      const std::size_t i = static_cast<std::size_t>(std::atoi(m[1].str().c_str())) - 1;
      if (i < info.sizes.size()) info.sizes[i].rotation = std::atoi(m[2].str().c_str());
    } else if (std::regex_search(line, m, title)) {
      info.title = m[1];
    }
  }
  for (PdfPage& p : info.sizes)
    if (p.rotation % 180 == 90) std::swap(p.width, p.height);
  return info;
}

std::string PdfPageText(const std::string& path, int page) {
  const std::string p = std::to_string(page);
  return RunCommand("pdftotext -f " + p + " -l " + p + " -layout " + ShellQuote(path) + " - 2>/dev/null");
}

std::vector<PdfWord> PdfPageWords(const std::string& path, int page) {
  const std::string p = std::to_string(page);
  const std::string out =
      RunCommand("pdftotext -f " + p + " -l " + p + " -bbox " + ShellQuote(path) + " - 2>/dev/null");
  std::vector<PdfWord> words;
  const std::regex word(
      "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>");
  for (auto it = std::sregex_iterator(out.begin(), out.end(), word); it != std::sregex_iterator(); ++it) {
    const std::smatch& m = *it;
    words.push_back({m[5], ToDouble(m[1]), ToDouble(m[2]), ToDouble(m[3]), ToDouble(m[4])});
  }
  return words;
}

}  // namespace quarlo::spooler
