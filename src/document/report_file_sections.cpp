#include "document/report_file_sections.h"

#include "xml/xml_document.h"
#include "platform/same_text.h"

namespace quarlo {

ReportFileSections FindOrCreateSections(TfrxXMLItem& root) {
  ReportFileSections s{};
  s.pages = root.FindItem(kPagesSection);
  s.report = root.FindItem(kReportSection);
  s.sourcePages = root.FindItem(kSourcePagesSection);
  s.dictionary = root.FindItem(kDictionarySection);
  s.pictureCache = root.FindItem(kPictureCacheSection);
  return s;
}

PageElementKind PageElementKindOf(std::string_view elementName) {
  if (SameText(elementName, "TfrxReportPage")) return PageElementKind::ReportPage;
  if (SameText(elementName, "TfrxDMPPage")) return PageElementKind::DotMatrixPage;
  return PageElementKind::SourceReference;
}

}  // namespace quarlo
