#pragma once
// The sections of a prepared report file: children of the root element, each used
// once (the first of a name wins), unknown ones kept in place.

#include <string_view>

namespace quarlo {

class TfrxXMLItem;

inline constexpr std::string_view kRootElement = "preparedreport";
inline constexpr std::string_view kPagesSection = "previewpages";
inline constexpr std::string_view kOutlineSection = "outline";
inline constexpr std::string_view kAnchorsSection = "anchors";
inline constexpr std::string_view kLogicalPageNumbersSection = "logicalpagenumbers";
inline constexpr std::string_view kReportSection = "report";
inline constexpr std::string_view kSourcePagesSection = "sourcepages";
inline constexpr std::string_view kDictionarySection = "dictionary";
inline constexpr std::string_view kPictureCacheSection = "picturecache";

// The sections every loaded document has, in the order missing ones are appended.
struct ReportFileSections {
  TfrxXMLItem* pages;
  TfrxXMLItem* report;
  TfrxXMLItem* sourcePages;
  TfrxXMLItem* dictionary;
  TfrxXMLItem* pictureCache;
};
ReportFileSections FindOrCreateSections(TfrxXMLItem& root);

// Page element kinds, told apart by name ignoring case.
enum class PageElementKind { ReportPage, DotMatrixPage, SourceReference };
PageElementKind PageElementKindOf(std::string_view elementName);

}  // namespace quarlo
