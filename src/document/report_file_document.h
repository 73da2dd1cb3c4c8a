#pragma once
// Reading and writing a prepared report document with its pages kept as text.
//
// A large report is mostly page elements, and a page is looked at only when it is
// shown or printed. As elements its objects would cost several times the file's size;
// so the objects of each page element (its children) are kept as their XML text, just
// as the writer would print them, and parsed when the page is built. Everything else
// (the page elements themselves and every other section) is an ordinary XML tree.
//
// The bytes written are those the XML tree would write for the same document: the
// texts are the writer's own spelling of the elements read.

#include <memory>
#include <string>
#include <unordered_map>

namespace quarlo {

class Stream;
class TfrxXMLDocument;
class TfrxXMLItem;

// The children of page elements as XML text, by page element.
using PageBodies = std::unordered_map<const TfrxXMLItem*, std::string>;

// Loads like TfrxXMLDocument::LoadFromStream (same errors, same tree), except that the
// children of the page elements of the first "previewpages" section of the root go
// into bodies instead of the tree.
void ReadReportDocument(Stream& stream, TfrxXMLDocument& document, PageBodies& bodies);

// Saves like TfrxXMLDocument::SaveToStream (one line), printing page bodies in place
// of children. A page element that has children of its own is printed from them.
void WriteReportDocument(Stream& stream, const TfrxXMLDocument& document,
                         const PageBodies& bodies);

// A page element with its objects as elements: a copy of its name and attribute text
// with the body parsed into children. Throws "Invalid file format" when the body is
// not well formed, which a body made by ReadReportDocument always is.
std::unique_ptr<TfrxXMLItem> ExpandPageElement(const TfrxXMLItem& element,
                                               const std::string& body);

}  // namespace quarlo
