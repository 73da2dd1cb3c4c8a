#pragma once
// A compact picture of an XML tree for comparing in tests: name[text]{children},
// children separated by commas; [text] is left out when the text is empty.
#include <string>
#include <vector>

#include "xml/xml_document.h"

namespace quarlo::testing {

inline std::string DumpTree(const TfrxXMLItem& root) {
  std::string out;
  struct Open {
    const TfrxXMLItem* item;
    int next;
  };
  std::vector<Open> open;
  const TfrxXMLItem* item = &root;
  for (;;) {
    if (item) {
      out += item->Name;
      if (!item->Text.empty()) out += "[" + item->Text + "]";
      if (item->Count() > 0) {
        out += "{";
        open.push_back({item, 0});
      }
    }
    if (open.empty()) return out;
    Open& top = open.back();
    if (top.next < top.item->Count()) {
      if (top.next > 0) out += ",";
      item = top.item->Items(top.next++);
      continue;
    }
    out += "}";
    open.pop_back();
    item = nullptr;
  }
}

inline const std::string kHeader = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

}  // namespace quarlo::testing
