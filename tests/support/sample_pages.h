#pragma once
// Pages of the bundled sample report that live in files of their own, one per topic.
// BuildSampleReport (sample_report.cpp) calls each of them once.

namespace quarlo::testing {

class ReportGenerator;

void AddDotMatrixSamplePage(ReportGenerator& g);  // sample_pages_dmp.cpp
void AddMetafileSamplePage(ReportGenerator& g);   // sample_pages_metafile.cpp
void AddBarcodeSamplePage(ReportGenerator& g);    // sample_pages_barcode.cpp
void AddGradientSamplePage(ReportGenerator& g);   // sample_pages_gradient.cpp
void AddChartSamplePage(ReportGenerator& g);      // sample_pages_chart.cpp

}  // namespace quarlo::testing
