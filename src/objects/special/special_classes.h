#pragma once
// Start-up registration of the special report objects (barcode, gradient and the
// other views outside the standard set), so that documents naming them can be read.

namespace quarlo {

// Registers every special view class; registering again is harmless.
void RegisterSpecialClasses();

}  // namespace quarlo
