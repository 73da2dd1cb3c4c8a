#pragma once
// The bundled sample report (samples/sample.fp3): a few pages that show every kind of
// object the viewer draws, in Chinese and Latin text. Whoever adds a kind of object
// to the viewer adds it here too and writes the sample again with quarlo-make-sample.

#include <string>

namespace quarlo::testing {

class ReportGenerator;

// Fills an empty generator with the sample.
void BuildSampleReport(ReportGenerator& generator);
// The sample's bytes as the generator writes them.
std::string SampleReportBytes();
// Where the committed sample lives in the source tree.
std::string SampleReportPath();

}  // namespace quarlo::testing
