#pragma once
// Hand-made prepared report documents for the page store tests: a header, the
// sections given, and two source pages whose templates the compact pages name.

#include <string>

#include "report/report_classes.h"

namespace quarlo::store_fixtures {

inline void RegisterClasses() {
  static const bool once = (RegisterReportClasses(), true);
  (void)once;
}

inline const char* kHeader = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

// Source page 0: A4 with a master band (MasterData1) holding Memo1 (text "template",
// at 5,6 size 100x20) and Picture1; source page 1: A5 landscape, yellow, with Memo2.
inline std::string SourcePages() {
  return "<sourcepages>"
         "<TfrxReportPage PaperWidth=\"210\" PaperHeight=\"297\" PaperSize=\"9\">"
         "<TfrxMasterData Name=\"MasterData1\" Left=\"0\" Top=\"20\" Width=\"718\" Height=\"40\">"
         "<TfrxMemoView Name=\"Memo1\" Left=\"5\" Top=\"6\" Width=\"100\" Height=\"20\" "
         "Text=\"template\"/>"
         "<TfrxPictureView Name=\"Picture1\" Left=\"200\" Top=\"0\" Width=\"30\" Height=\"30\"/>"
         "</TfrxMasterData></TfrxReportPage>"
         "<TfrxReportPage Orientation=\"poLandscape\" PaperWidth=\"210\" PaperHeight=\"148\" "
         "PaperSize=\"11\" Color=\"65535\">"
         "<TfrxMemoView Name=\"Memo2\" Left=\"1\" Top=\"2\" Width=\"50\" Height=\"10\"/>"
         "</TfrxReportPage>"
         "</sourcepages>";
}

inline std::string Dictionary() {
  return "<dictionary><b1 name=\"Page0.MasterData1\"/><m1 name=\"Page0.Memo1\"/>"
         "<p1 name=\"Page0.Picture1\"/><m2 name=\"Page1.Memo2\"/></dictionary>";
}

// A whole document: the pages section's inner text, then any other sections.
inline std::string Document(const std::string& pages, const std::string& more = "") {
  return std::string(kHeader) + "<preparedreport><previewpages>" + pages + "</previewpages>" +
         SourcePages() + Dictionary() + more + "</preparedreport>";
}

}  // namespace quarlo::store_fixtures
