#pragma once
// Stream parser of the XML tree: reads tags through a 4096-byte buffer and builds
// elements with an explicit chain of open elements, so depth costs heap, not stack.
#include <string>
#include <string_view>

#include "xml/xml_document.h"

namespace quarlo {

class TfrxXMLReader {
 public:
  static constexpr size_t kBufferSize = 4096;

  explicit TfrxXMLReader(Stream& stream);
  // Puts the stream back just after the last byte the reader consumed.
  ~TfrxXMLReader();
  TfrxXMLReader(const TfrxXMLReader&) = delete;
  TfrxXMLReader& operator=(const TfrxXMLReader&) = delete;

  // Reads the "?xml" header and returns whether strings are code page bytes; the
  // whole tag is put into header when one is given.
  bool ReadHeader(std::string* header = nullptr);
  // Reads one element with everything below it into item (Name, Text, children).
  void ReadRootItem(TfrxXMLItem& item);

  // One tag: false at the end of the input (outside a tag or inside a comment).
  // name and text point into the reader and stay valid until the next call.
  bool ReadTag(std::string_view& name, std::string_view& text);

 private:
  bool Fill();
  int NextByte();
  bool SkipComment();
  // Name and attribute text of a tag's bytes between "<" and ">".
  static void SplitTag(std::string_view tag, std::string_view& name, std::string_view& text);

  Stream& stream_;
  char buffer_[kBufferSize];
  size_t pos_ = 0;
  size_t end_ = 0;
  std::string tag_;  // a tag that spans buffer refills, or one shorter than three bytes
};

}  // namespace quarlo
