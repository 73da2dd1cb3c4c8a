#pragma once
// Start-up registration of every class a prepared report may name: the standard
// report object classes (with the report object in its place) and the dot-matrix
// classes. Barcode, gradient and chart objects register their own classes.

namespace quarlo {

void RegisterReportClasses();

}  // namespace quarlo
