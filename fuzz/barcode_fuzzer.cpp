// The barcode pattern builder: first byte the symbology, second the ratio and check
// digit switch, the rest the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/errors.h"
#include "fuzz_support.h"
#include "objects/special/barcode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarlo;
  if (size < 2) return 0;
  const int types = static_cast<int>(bcCodeEAN128C) + 1;
  TfrxBarcode barcode;
  barcode.SetTyp(static_cast<TfrxBarcodeType>(data[0] % types));
  barcode.SetRatio(1.0 + (data[1] & 0x3F) / 16.0);
  barcode.SetChecksum((data[1] & 0x40) != 0);
  barcode.SetText(std::string(fuzz::AsText(data + 2, size - 2)));
  try {
    (void)barcode.BuildPattern();
  } catch (const Exception&) {
  }
  return 0;
}
