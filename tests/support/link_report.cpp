#include "link_report.h"

namespace quarlo::testing {

namespace {

std::string Memo(const char* name, int top, const std::string& more) {
  return "<TfrxMemoView Name=\"" + std::string(name) + "\" Left=\"0\" Top=\"" + std::to_string(top) +
         "\" Width=\"100\" Height=\"20\" Text=\"" + name + "\" " + more + "/>";
}

std::string Page(const std::string& objects) {
  return "<TfrxReportPage PaperWidth=\"210\" PaperHeight=\"297\" LeftMargin=\"0\" TopMargin=\"0\" "
         "RightMargin=\"0\" BottomMargin=\"0\">" +
         objects + "</TfrxReportPage>";
}

}  // namespace

std::string LinkReportXml() {
  std::string first = Memo("PageLink", 0, "URL=\"@3\"") + Memo("AnchorLink", 40, "URL=\"#target\"") +
                      Memo("WebLink", 80, "URL=\"https://example.invalid/a\"") +
                      Memo("HintView", 120, "Hint=\"short|long\" ShowHint=\"True\"") +
                      "<TfrxGroupHeader Name=\"G1\" Left=\"0\" Top=\"160\" Width=\"100\" Height=\"20\" "
                      "DrillDown=\"True\" DrillName=\"g1\"/>" +
                      Memo("CursorView", 200, "Cursor=\"-3\"") + Memo("MissingAnchor", 240, "URL=\"#missing\"");
  std::string pages = Page(first);
  for (int i = 1; i < kLinkReportPages; ++i) pages += Page(Memo("Body", 0, ""));
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport><previewpages>" + pages +
         "</previewpages>"
         "<outline><item text=\"Chapter\" page=\"1\" top=\"0\"><item text=\"Section\" page=\"3\" top=\"50\"/>"
         "</item><item text=\"Tail\" page=\"4\" top=\"0\"/></outline>"
         "<anchors><item text=\"TARGET\" page=\"1\" top=\"0\"/><item text=\"target\" page=\"3\" top=\"100\"/>"
         "</anchors></preparedreport>";
}

}  // namespace quarlo::testing
