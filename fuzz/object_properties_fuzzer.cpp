// Attribute text applied to a new object of every registered class, then an object
// tree read from the same bytes as XML below a page, and the objects written back.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/errors.h"
#include "objects/serializer.h"
#include "platform/stream.h"
#include "xml/xml_document.h"
#include "fuzz_support.h"
#include "objects/class_registry.h"
#include "objects/component.h"
#include "objects/report_page.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarlo;
  fuzz::EnsureInitialised();
  const std::string_view text = fuzz::AsText(data, size);
  for (const ClassInfo* info : RegisteredClasses()) {
    if (!info->CanCreate()) continue;
    std::unique_ptr<TPersistent> object(info->Create()(nullptr));
    if (!object) continue;
    TfrxXMLSerializer serializer;
    try {
      serializer.ApplyProperties(text, *object);
      (void)serializer.WriteProperties(*object);
    } catch (const Exception&) {
    }
  }
  TfrxXMLDocument document;
  ByteViewStream in(text.data(), text.size());
  try {
    document.LoadFromStream(in);
  } catch (const Exception&) {
    return 0;
  }
  TfrxReportPage page(nullptr);
  TfrxXMLSerializer serializer;
  try {
    if (!document.Root()) return 0;
    serializer.ReadObjectTree(page, document.Root());
    serializer.ResolveReferences();
    MemoryStream out;
    TfrxXMLSerializer writer(&out);
    writer.WriteComponent(page);
  } catch (const Exception&) {
  }
  return 0;
}
