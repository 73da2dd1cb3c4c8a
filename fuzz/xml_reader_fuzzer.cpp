// The XML reader and writer on arbitrary bytes, and attribute unescaping.
#include <cstddef>
#include <cstdint>

#include "platform/errors.h"
#include "platform/stream.h"
#include "xml/xml_document.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarlo;
  try {
    (void)frxUnescape(fuzz::AsText(data, size));
  } catch (const Exception&) {
    // a reference whose digits are no number is reported, as in any attribute
  }
  TfrxXMLDocument document;
  ByteViewStream in(reinterpret_cast<const char*>(data), size);
  try {
    document.LoadFromStream(in);
  } catch (const Exception&) {
    return 0;
  }
  MemoryStream out;
  document.SaveToStream(out);
  return 0;
}
