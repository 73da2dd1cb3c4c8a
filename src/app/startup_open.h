#pragma once
// The launcher's open step for now: the chosen file is read into an XML tree. A
// missing file opens nothing; a malformed one leaves the tree empty and raises.
#include <memory>
#include <string>

#include "xml/xml_document.h"

namespace quarlo {

class XmlDocumentOpener {
 public:
  explicit XmlDocumentOpener(std::shared_ptr<TfrxXMLDocument> document)
      : document_(std::move(document)) {}
  void operator()(const std::string& path) const;

 private:
  std::shared_ptr<TfrxXMLDocument> document_;
};

}  // namespace quarlo
