#pragma once
// Named jump targets of a prepared report: "item" elements of the "anchors" section
// with text (the name), page and top. Several anchors may share a name.

#include <string>
#include <string_view>
#include <vector>

namespace quarlo {

class TfrxCustomPreviewPages;
class TfrxXMLItem;

struct AnchorEntry {
  std::string Text;  // code page bytes, unescaped
  int Page = 0;      // 0-based page index
  int Top = 0;       // report pixels
};

// The last anchor whose name equals name ignoring case; null when there is none.
// Looking does not create the section.
const TfrxXMLItem* FindAnchor(TfrxCustomPreviewPages& pages, std::string_view name);

// Every anchor in file order.
std::vector<AnchorEntry> ListAnchors(TfrxCustomPreviewPages& pages);

// Names compared the way anchors are: letters of either case match, also outside
// ASCII once the code page bytes are decoded.
bool SameAnchorName(std::string_view a, std::string_view b);

}  // namespace quarlo
