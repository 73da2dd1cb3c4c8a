#pragma once
// Exporting belongs to the layers above the store, which define the filters (a PDF
// writer, say); the store only hands a filter its pages. A registered handler may wrap
// every export (the user interface does, to lock the view around it); without one the
// filter simply runs.
#include <functional>
#include <string>

namespace quarlo {

class TfrxCustomPreviewPages;

class CustomExportFilter {
 public:
  virtual ~CustomExportFilter() = default;
  CustomExportFilter() = default;
  CustomExportFilter(const CustomExportFilter&) = delete;
  CustomExportFilter& operator=(const CustomExportFilter&) = delete;

  // The class name ("TfrxPDFExport") and the description a menu shows.
  virtual std::string ClassName() const = 0;
  virtual std::string Description() const = 0;
  // Writes the pages; false when it was cancelled or failed (LastError says why).
  virtual bool Run(TfrxCustomPreviewPages& pages) = 0;
  virtual const std::string& LastError() const = 0;
};

using ExportPagesHandler = std::function<bool(TfrxCustomPreviewPages&, CustomExportFilter&)>;

void SetExportPagesHandler(ExportPagesHandler handler);
const ExportPagesHandler& GetExportPagesHandler();

}  // namespace quarlo
