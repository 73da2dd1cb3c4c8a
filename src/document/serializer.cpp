#include "document/serializer.h"

#include "document/errors.h"

namespace quarlo {

TfrxXMLSerializer::TfrxXMLSerializer(Stream* stream) : stream_(stream) {}
TfrxXMLSerializer::~TfrxXMLSerializer() = default;

std::string TfrxXMLSerializer::WriteProperties(TPersistent&, const std::string&, TPersistent*) {
  return {};
}
void TfrxXMLSerializer::ApplyProperties(std::string_view, TPersistent&) {}
void TfrxXMLSerializer::WriteObjectTree(TfrxComponent&, bool, TfrxXMLItem*) {}
void TfrxXMLSerializer::ReadObjectTree(TfrxComponent&, TfrxXMLItem*) {}
std::string TfrxXMLSerializer::WriteObjectLine(TPersistent&) { return {}; }
TfrxComponent* TfrxXMLSerializer::ReadObjectLine(TfrxComponent*, std::string_view) {
  return nullptr;
}
void TfrxXMLSerializer::WriteComponent(TPersistent&) {}
void TfrxXMLSerializer::ReadPersistent(std::string_view, TPersistent&) {}
void TfrxXMLSerializer::ResolveReferences() {}

std::string FloatToXML(double value) { return std::to_string(value); }
double XMLToFloat(std::string_view) { return 0; }
std::int64_t XMLToInt(std::string_view) { return 0; }

}  // namespace quarlo
