#include "xml/xml_writer.h"

#include <vector>

#include "platform/stream.h"

namespace quarlo {

TfrxXMLWriter::TfrxXMLWriter(Stream& stream, bool indented) : stream_(stream), indented_(indented) {
  pending_.reserve(2 * kFlushSize);
}

void TfrxXMLWriter::Flush() {
  if (pending_.empty()) return;
  stream_.Write(pending_.data(), pending_.size());
  pending_.clear();
}

void TfrxXMLWriter::StartLine(int depth) {
  if (indented_) pending_.append(static_cast<size_t>(depth) * 2, ' ');
}

void TfrxXMLWriter::EndLine() {
  if (indented_) Put("\r\n");
  FlushIfFull();
}

void TfrxXMLWriter::WriteHeader(std::string_view header) {
  Put(header.empty() ? std::string_view("<?xml version=\"1.0\" encoding=\"utf-8\"?>") : header);
  EndLine();
}

void TfrxXMLWriter::WriteRootItem(const TfrxXMLItem& root) {
  // Each entry is an element whose start line is written, with the next child to visit.
  struct Open {
    const TfrxXMLItem* item;
    int next;
  };
  std::vector<Open> open;
  const TfrxXMLItem* item = &root;
  for (;;) {
    if (item) {
      const int depth = static_cast<int>(open.size());
      StartLine(depth);
      Put("<");
      Put(item->Name);
      if (!item->Text.empty()) {
        if (item->Text.front() != ' ') Put(" ");
        Put(item->Text);
      }
      if (item->Count() == 0) {
        Put("/>");
        EndLine();
      } else {
        Put(">");
        EndLine();
        open.push_back({item, 0});
      }
    }
    if (open.empty()) return;
    Open& top = open.back();
    if (top.next < top.item->Count()) {
      item = top.item->Items(top.next++);
      continue;
    }
    const TfrxXMLItem* done = top.item;
    open.pop_back();
    StartLine(static_cast<int>(open.size()));
    Put("</");
    Put(done->Name);
    Put(">");
    EndLine();
    item = nullptr;
  }
}

}  // namespace quarlo
