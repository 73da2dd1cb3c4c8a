// The page list of the print dialog: parsed for a page count taken from the input,
// then walked forwards and backwards (a walk that never ends is a hang, found by the
// fuzzer's time limit).
#include <cstddef>
#include <cstdint>

#include "platform/errors.h"
#include "fuzz_support.h"
#include "print/page_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarlo;
  if (size < 2) return 0;
  const int pageCount = (data[0] << 8 | data[1]) % 5000;
  try {
    const TfrxPageList list = TfrxPageList::Parse(fuzz::AsText(data + 2, size - 2), pageCount);
    long visited = 0;
    list.ForEachListedPage(pageCount, [&](int) { return ++visited < 100000; });
    list.ForEachListedPageReversed(pageCount, [&](int) { return ++visited < 200000; });
    const std::int64_t length = list.SequenceLength(pageCount);
    for (std::int64_t i = 0; i < length && i < 64; ++i) (void)list.PageIndexAt(i, pageCount);
  } catch (const Exception&) {
  }
  return 0;
}
