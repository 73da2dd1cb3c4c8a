#include <cstdio>

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
  CodePageStrings = reader.ReadHeader();
  reader.ReadRootItem(*root_);
}

void TfrxXMLDocument::SaveToStream(Stream& stream) const {
  TfrxXMLWriter writer(stream, Indented);
  writer.WriteHeader();
  writer.WriteRootItem(*root_);
  writer.Flush();
}

void TfrxXMLDocument::LoadFromFile(const std::string& path) {
  FileStream stream(path, FileStream::Mode::Read);
  LoadFromStream(stream);
}

void TfrxXMLDocument::SaveToFile(const std::string& path) const {
  const std::string partial = path + ".partial";
  try {
    FileStream stream(partial, FileStream::Mode::Create);
    SaveToStream(stream);
    stream.Close();
  } catch (...) {
    std::remove(partial.c_str());
    throw;
  }
  if (std::rename(partial.c_str(), path.c_str()) != 0) {
    std::remove(partial.c_str());
    throw EStreamError("Cannot create file \"" + path + "\"");
  }
}

}  // namespace quarlo
