#pragma once
// The PDF export filter of the preview: the listed pages as they are, each on paper of
// its own size, in list order, with the outline as bookmarks and the links as link
// annotations (WritePdfPagesToFile); the report's print options do not apply. The file is written beside the target under another name and renamed over it
// only when every page is in, so a cancelled or failed export leaves no partial file and
// an older file of that name untouched.
#include <string>

#include "document/preview_pages_export.h"

namespace quarlo {

class TfrxPDFExport final : public CustomExportFilter {
 public:
  std::string ClassName() const override { return "TfrxPDFExport"; }
  std::string Description() const override;
  // Writes FileName; a page list that is not valid raises EConvertError before any file
  // is touched. With the report owning the pages, the report's progress operations
  // (kind ptExporting) show the pages as they go and its Terminated flag cancels.
  bool Run(TfrxCustomPreviewPages& pages) override;
  const std::string& LastError() const override { return lastError_; }

  std::string FileName;
  // As typed in the print dialog ("1,3,5-12"); empty: all pages.
  std::string PageNumbers;
  int Dpi = 600;
  // Archival PDF/A-1b instead of plain PDF.
  bool PdfA = false;

  // Pages written by the last run.
  int PagesWritten() const { return pagesWritten_; }
  // What the last run's file leaves out of the report's structure (the limits on
  // bookmarks and links); empty when nothing.
  const std::string& StructureNote() const { return structureNote_; }

 private:
  std::string lastError_;
  std::string structureNote_;
  int pagesWritten_ = 0;
};

}  // namespace quarlo
