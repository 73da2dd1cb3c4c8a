// quarlo-make-sample [OUT]: writes the bundled sample report (default: the source
// tree's samples/sample.fp3). Run it after changing tests/support/sample_report.cpp.
#include <cstdio>
#include <exception>
#include <string>

#include "report/report_classes.h"
#include "platform/output_file.h"
#include "platform/stream.h"
#include "support/sample_report.h"

int main(int argc, char** argv) {
  const std::string out = argc > 1 ? argv[1] : quarlo::testing::SampleReportPath();
  try {
    quarlo::RegisterReportClasses();
    const std::string bytes = quarlo::testing::SampleReportBytes();
    quarlo::WriteOutput(out, [&](quarlo::Stream& s) { s.Write(bytes); });
    std::printf("%s: %zu bytes\n", out.c_str(), bytes.size());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quarlo-make-sample: %s\n", e.what());
    return 1;
  }
}
