#pragma once
// Start-up registration of the dot-matrix page and its three object classes.

namespace quarlo {

void RegisterDotMatrixClasses();

}  // namespace quarlo
