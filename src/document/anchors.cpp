#include "document/anchors.h"

#include <algorithm>

#include "document/outline.h"
#include "document/preview_pages.h"
#include "document/report_file_sections.h"
#include "xml/xml_document.h"
#include "platform/codepage.h"
#include "platform/same_text.h"

namespace quarlo {

namespace {

bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Simple case folding of the scripts anchor names are written in besides Chinese.
char16_t Fold(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
      (c >= 0x410 && c <= 0x42F)) {
    return static_cast<char16_t>(c + 32);
  }
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 80);
  return c;
}

const TfrxXMLItem* AnchorsSection(TfrxCustomPreviewPages& pages) {
  const TfrxXMLItem* root = pages.XMLDocument().Root();
  const int at = root->Find(kAnchorsSection);
  return at < 0 ? nullptr : root->Items(at);
}

}  // namespace

bool SameAnchorName(std::string_view a, std::string_view b) {
  // Multi-byte characters must be compared whole: a trail byte may look like an
  // ASCII letter.
  if (IsAscii(a) && IsAscii(b)) return SameText(a, b);
  const std::u16string wa = DecodeCodePage(a, CP_ACP), wb = DecodeCodePage(b, CP_ACP);
  return wa.size() == wb.size() &&
         std::equal(wa.begin(), wa.end(), wb.begin(),
                    [](char16_t x, char16_t y) { return Fold(x) == Fold(y); });
}

const TfrxXMLItem* FindAnchor(TfrxCustomPreviewPages& pages, std::string_view name) {
  const TfrxXMLItem* section = AnchorsSection(pages);
  if (!section) return nullptr;
  for (int i = section->Count() - 1; i >= 0; --i) {
    const TfrxXMLItem* item = section->Items(i);
    if (SameAnchorName(ReadItemText(*item, pages.XMLDocument()), name)) return item;
  }
  return nullptr;
}

std::vector<AnchorEntry> ListAnchors(TfrxCustomPreviewPages& pages) {
  std::vector<AnchorEntry> anchors;
  const TfrxXMLItem* section = AnchorsSection(pages);
  if (!section) return anchors;
  anchors.reserve(static_cast<size_t>(section->Count()));
  for (int i = 0; i < section->Count(); ++i) {
    const TfrxXMLItem& item = *section->Items(i);
    AnchorEntry a;
    a.Text = ReadItemText(item, pages.XMLDocument());
    ReadItemPosition(item, a.Top, a.Page);
    anchors.push_back(std::move(a));
  }
  return anchors;
}

}  // namespace quarlo
