#pragma once
// The page store of one prepared report. Pages stay XML elements of one in-memory
// document until they are shown or printed; PageObject turns an element into a page
// component and keeps the most recently built ones in a small cache.
//
// A page returned by PageObject belongs to the cache: it is valid until the next
// PageObject call for another page, an edit, Clear or a load. Use it at once.

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <map>
#include <set>
#include <vector>

#include "document/dictionary.h"
#include "document/outline.h"
#include "document/picture_cache.h"
#include "document/report_file_document.h"
#include "xml/xml_document.h"

namespace quarlo {

class Canvas;
class Stream;
class TfrxComponent;
class PreviewPointerHost;
class CustomExportFilter;
class TfrxReportPage;
class TfrxXMLSerializer;

struct PagePixelSize {
  int Width = 0;
  int Height = 0;
  bool operator==(const PagePixelSize&) const = default;
};

class TfrxCustomPreviewPages {
 public:
  // The report object is not owned and may be null (the settings then keep their
  // defaults and the report element is written with them).
  explicit TfrxCustomPreviewPages(TfrxComponent* report);
  virtual ~TfrxCustomPreviewPages();
  TfrxCustomPreviewPages(const TfrxCustomPreviewPages&) = delete;
  TfrxCustomPreviewPages& operator=(const TfrxCustomPreviewPages&) = delete;

  TfrxComponent* Report() const { return report_; }
  TfrxOutline& Outline() { return *outline_; }
  // The document the pages, outline and anchors live in.
  virtual TfrxXMLDocument& XMLDocument() = 0;

  virtual int Count() const = 0;
  virtual TfrxReportPage* PageObject(int index) = 0;
  virtual PagePixelSize PageExtent(int index) = 0;
  virtual void Clear() = 0;
  virtual void InsertBlankPage(int index) = 0;
  virtual void RemovePage(int index) = 0;
  virtual void ReplacePage(int index, TfrxReportPage& page) = 0;
  virtual void LoadFromStream(Stream& stream, bool allowPartialLoading = false) = 0;
  virtual void SaveToStream(Stream& stream) = 0;
  // Whether the file exists; a missing file raises only with exceptionIfNotFound.
  virtual bool LoadFromFile(const std::string& fileName, bool exceptionIfNotFound = false) = 0;
  virtual void SaveToFile(const std::string& fileName) = 0;
  // Runs the registered print job over the pages (preview_pages_print.h).
  virtual bool PrintPages() = 0;
  // Runs an export filter over the pages (preview_pages_export.h); true when it wrote them.
  virtual bool ExportPages(CustomExportFilter& filter);
  // Draws page `index` with its paper's top-left corner at device (offsetX, offsetY),
  // scales in device pixels per report pixel (preview_pages_paint.cpp): the page is built
  // (or taken from the cache) and drawn with the page count, copy and print scale the
  // store holds. An index without a page draws nothing. When a view fails to draw, the
  // rest of the page is still drawn and the first error is raised afterwards.
  virtual void PaintPage(int index, Canvas& canvas, double scaleX, double scaleY, double offsetX,
                         double offsetY);

  // The pointer at device (x, y) over page `index`, painted at `scale` with the paper's
  // corner at the offsets: sets cursor for the topmost view there, shows its link and
  // hint, and on a click follows its link and raises the click events (preview_pages_pointer.h).
  void HandlePointer(int index, int x, int y, int button, unsigned shift, double scale, double offsetX,
                     double offsetY, bool click, int& cursor, bool doubleClick, PreviewPointerHost& host);

  // The 1-based page the preview shows, for "current page" print ranges.
  int CurrentPreviewPage = 0;
  // Set by the print job and handed to text objects while painting.
  double PrintScale = 1;
  int CurrentCopy = 0;
  // Index of the page a report engine is building; -1 after Clear.
  int CurrentPage() const { return currentPage_; }

 protected:
  int currentPage_ = -1;

 private:
  TfrxComponent* report_;
  std::unique_ptr<TfrxOutline> outline_;
};

class TfrxPreviewPages : public TfrxCustomPreviewPages {
 public:
  explicit TfrxPreviewPages(TfrxComponent* report);
  ~TfrxPreviewPages() override;

  TfrxXMLDocument& XMLDocument() override { return document_; }
  // The "previewpages" section: one element per page. The objects of a loaded page are
  // kept as text (report_file_document.h) until the page is built, so a page element
  // read from a file has no children of its own there.
  TfrxXMLItem* PagesSection();

  int Count() const override;
  TfrxReportPage* PageObject(int index) override;
  // The classes each page built so far left out because this program cannot make them
  // (page index to class names, in UTF-8), kept until the next load or edit.
  const std::map<int, std::vector<std::string>>& LeftOutClasses() const { return leftOut_; }
  PagePixelSize PageExtent(int index) override;
  void Clear() override;
  void InsertBlankPage(int index) override;
  void RemovePage(int index) override;
  void ReplacePage(int index, TfrxReportPage& page) override;
  void LoadFromStream(Stream& stream, bool allowPartialLoading = false) override;
  void SaveToStream(Stream& stream) override;
  bool LoadFromFile(const std::string& fileName, bool exceptionIfNotFound = false) override;
  // Writes a temporary file beside the target and renames it over the target only
  // when the whole document was written; on failure the old file is untouched and
  // the error is raised.
  void SaveToFile(const std::string& fileName) override;
  bool PrintPages() override;
  // Notes the pages painted while PrintPages runs, for LeftOutClassesPrinted.
  void PaintPage(int index, Canvas& canvas, double scaleX, double scaleY, double offsetX,
                 double offsetY) override;
  // LeftOutClasses of the pages the last PrintPages painted.
  std::map<int, std::vector<std::string>> LeftOutClassesPrinted() const;

  const std::vector<std::unique_ptr<TfrxReportPage>>& SourcePages() const { return sourcePages_; }
  TfrxDictionary& Dictionary() { return dictionary_; }
  TfrxPictureCache& PictureCache() { return pictureCache_; }
  // Indexes of the built pages, most recently inserted first.
  std::vector<int> PagesInCache() const;
  // Drops every built page, so the next PageObject builds afresh (the print job does this
  // after each sheet, so page-count and copy texts are computed for the copy at hand).
  void EmptyBuiltPages() { ClearBuiltPages(); }

 private:
  struct BuiltPage {
    int index;
    std::unique_ptr<TfrxReportPage> page;
  };

  void ClearBuiltPages();
  std::unique_ptr<TfrxReportPage> BuildPage(int index);
  TfrxXMLItem& ElementWithObjects(int index, std::unique_ptr<TfrxXMLItem>& expanded);
  std::unique_ptr<TfrxReportPage> BuildFromSource(const TfrxXMLItem& element);
  void BuildObjects(const TfrxXMLItem& element, TfrxComponent& parent,
                    TfrxXMLSerializer& serializer);
  TfrxReportPage& SourcePageOf(const TfrxXMLItem& element);
  void ReadReportSettings(TfrxXMLItem& section, TfrxXMLSerializer& serializer);
  void ReadSourcePages(TfrxXMLItem& section, TfrxXMLSerializer& serializer);
  void WriteReportSettings(TfrxXMLItem& section) const;
  int PagesInCacheLimit() const;

  // Where "previewpages" sits among the root's children. Count and every page access
  // need it; a file may put any number of sections before it.
  int PagesSectionIndex() const;

  TfrxXMLDocument document_;
  mutable int pagesAt_ = -1;
  mutable const TfrxXMLItem* pagesItem_ = nullptr;
  PageBodies pageBodies_;
  std::vector<std::unique_ptr<TfrxReportPage>> sourcePages_;
  // Each source object's class name and complete attribute text: the line a
  // compact object starts from before its own attributes are applied.
  std::unordered_map<const TfrxComponent*, std::string> sourceLines_;
  bool printing_ = false;
  std::set<int> printedPages_;
  // The report's settings (name and escaped value, in published order) before and after
  // the last file's were applied, so the next load can take back what that file set.
  using Setting = std::pair<std::string, std::string>;
  std::vector<std::pair<Setting, Setting>> fileSettings_;
  std::map<int, std::vector<std::string>> leftOut_;
  TfrxDictionary dictionary_;
  TfrxPictureCache pictureCache_;
  std::vector<BuiltPage> builtPages_;
};

}  // namespace quarlo
