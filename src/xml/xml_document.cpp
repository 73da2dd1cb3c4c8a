#include <cstdio>

#include "platform/output_file.h"
#include "platform/stream.h"
#include "xml/xml_document.h"
#include "xml/xml_reader.h"
#include "xml/xml_writer.h"

namespace quarlo {

TfrxXMLDocument::TfrxXMLDocument() : root_(std::make_unique<TfrxXMLItem>()) {}

TfrxXMLDocument::~TfrxXMLDocument() = default;

void TfrxXMLDocument::Clear() { root_->Clear(); }

void TfrxXMLDocument::LoadFromStream(Stream& stream) {
  root_->Clear();
  root_->Name.clear();
  root_->Text.clear();
  TfrxXMLReader reader(stream);
  CodePageStrings = reader.ReadHeader(&Header);
  if (CodePageStrings) Header.clear();
  reader.ReadRootItem(*root_);
}

void TfrxXMLDocument::SaveToStream(Stream& stream) const {
  TfrxXMLWriter writer(stream, Indented);
  writer.WriteHeader(CodePageStrings ? std::string_view() : std::string_view(Header));
  writer.WriteRootItem(*root_);
  writer.Flush();
}

void TfrxXMLDocument::LoadFromFile(const std::string& path) {
  FileStream stream(path, FileStream::Mode::Read);
  LoadFromStream(stream);
}

void TfrxXMLDocument::SaveToFile(const std::string& path) const {
  WriteOutput(path, [this](Stream& stream) { SaveToStream(stream); });
}

}  // namespace quarlo
