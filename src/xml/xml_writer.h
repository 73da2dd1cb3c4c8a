#pragma once
// Stream printer of the XML tree: output gathers in memory and goes to the stream
// whenever more than 4096 bytes are pending, and once at the end.
#include <string>
#include <string_view>

#include "xml/xml_document.h"

namespace quarlo {

class TfrxXMLWriter {
 public:
  static constexpr size_t kFlushSize = 4096;

  TfrxXMLWriter(Stream& stream, bool indented);
  TfrxXMLWriter(const TfrxXMLWriter&) = delete;
  TfrxXMLWriter& operator=(const TfrxXMLWriter&) = delete;

  // The standard header, or the given header tag as it was read.
  void WriteHeader(std::string_view header = {});
  // Writes item and everything below it; walks the tree without recursion.
  void WriteRootItem(const TfrxXMLItem& item);
  void Flush();

 private:
  void Put(std::string_view bytes) { pending_.append(bytes); }
  void StartLine(int depth);
  void EndLine();
  void FlushIfFull() {
    if (pending_.size() > kFlushSize) Flush();
  }

  Stream& stream_;
  bool indented_;
  std::string pending_;
};

}  // namespace quarlo
