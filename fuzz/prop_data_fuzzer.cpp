// The binary property stream read onto a new object of every registered class.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/errors.h"
#include "objects/prop_data.h"
#include "fuzz_support.h"
#include "objects/class_registry.h"
#include "objects/component.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarlo;
  fuzz::EnsureInitialised();
  for (const ClassInfo* info : RegisteredClasses()) {
    if (!info->CanCreate()) continue;
    std::unique_ptr<TPersistent> object(info->Create()(nullptr));
    if (!object) continue;
    try {
      std::vector<PropDataReference> references;
      (void)ReadPropData(*object, fuzz::AsText(data, size), &references);
      (void)WritePropData(*object);
    } catch (const Exception&) {
    }
  }
  return 0;
}
