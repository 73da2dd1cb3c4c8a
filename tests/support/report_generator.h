#pragma once
// Writes prepared reports the way a report engine does, through the project's own
// serializer: source pages with template objects, compact pages that name their
// objects by dictionary aliases and write only what differs from the template,
// complete pages, pictures stored once in the picture cache, outline, anchors and the
// report settings. For tests, benchmarks and the bundled sample.
//
//   ReportGenerator g;
//   TfrxReportPage& source = g.AddSourcePage();
//   auto* band = new TfrxMasterData(&source);  band->SetName("MasterData1");
//   auto* memo = new TfrxMemoView(band);       memo->SetName("Memo1");
//   TfrxReportPage& page = g.AddCompactPage(0);
//   auto& copy = g.Place<TfrxMemoView>(page, "Memo1", &g.Place(page, "MasterData1"));
//   copy.Memo().SetText(u"你好");
//   std::string fp3 = g.Write();

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "objects/report_page.h"

namespace quarlo::testing {

struct GeneratedReportSettings {
  std::string name;  // ReportOptions.Name, code page bytes
  bool dotMatrix = false;
  bool outlineVisible = false;
  int outlineWidth = 120;
};

struct GeneratedOutlineItem {
  std::string text;  // code page bytes
  int page = 0;
  int top = 0;
  std::vector<GeneratedOutlineItem> children;
};

// A compact object spelled directly, for reports too large to build as components.
struct RawCompactObject {
  std::string templateName;
  std::string attributes;  // compact attribute text, e.g. t="12" u="text"
  std::vector<RawCompactObject> children;
};

class ReportGenerator {
 public:
  ReportGenerator();
  ~ReportGenerator();
  ReportGenerator(const ReportGenerator&) = delete;
  ReportGenerator& operator=(const ReportGenerator&) = delete;

  GeneratedReportSettings settings;
  std::vector<GeneratedOutlineItem> outline;

  // A source page; the caller adds the template objects (unique names) to it.
  TfrxReportPage& AddSourcePage(bool dotMatrix = false);
  TfrxReportPage& SourcePage(int index) { return *sources_[static_cast<size_t>(index)]; }

  // A page that refers to source page `source`; fill it with Place().
  TfrxReportPage& AddCompactPage(int source);
  // A copy of the template named templateName on the compact page's source page,
  // placed under parent (the page when null). Adjust the copy; only what then differs
  // from the template is written. A picture loaded into a copied picture view goes
  // to the picture cache and the copy carries its ImageIndex.
  TfrxComponent& Place(TfrxReportPage& page, std::string_view templateName,
                       TfrxComponent* parent = nullptr);
  template <class T>
  T& Place(TfrxReportPage& page, std::string_view templateName, TfrxComponent* parent = nullptr) {
    return static_cast<T&>(Place(page, templateName, parent));
  }
  // A compact page spelled as raw elements (fast, for large generated reports).
  void AddRawCompactPage(int source, const std::vector<RawCompactObject>& objects);

  // A complete page: written in full, its pictures inline.
  TfrxReportPage& AddCompletePage(bool dotMatrix = false);

  // Stores picture bytes once and returns their ImageIndex (the same bytes give the
  // same index).
  int AddPicture(const std::string& bytes);

  void AddAnchor(std::string text, int page, int top);
  // A section the reader does not know, kept by it: <name><item .../></name>.
  void AddUnknownSection(std::string name, std::string itemAttributes);
  // A "logicalpagenumbers" section with one entry per page.
  bool writeLogicalPageNumbers = false;

  int PageCount() const { return static_cast<int>(pages_.size()); }

  // The whole file, one line.
  std::string Write();
  void WriteFile(const std::string& path);

 private:
  struct PageEntry {
    enum Kind { Compact, Complete, Raw } kind;
    int source;
    std::unique_ptr<TfrxReportPage> page;      // Compact and Complete
    std::vector<RawCompactObject> raw;         // Raw
  };
  const std::string& AliasOf(int source, const TfrxComponent& templ);

  std::vector<std::unique_ptr<TfrxReportPage>> sources_;
  std::vector<PageEntry> pages_;
  // Placed copy -> its template.
  std::unordered_map<const TfrxComponent*, const TfrxComponent*> templates_;
  // Template -> alias, and alias -> source name, in the order aliases were given.
  std::unordered_map<const TfrxComponent*, std::string> aliases_;
  std::vector<std::pair<std::string, std::string>> dictionary_;
  std::unordered_map<char, int> aliasCounters_;
  std::vector<std::string> pictures_;
  std::unordered_map<std::string, int> pictureIndexes_;
  struct Anchor {
    std::string text;
    int page, top;
  };
  std::vector<Anchor> anchors_;
  std::vector<std::pair<std::string, std::string>> unknownSections_;
};

// The same margin on all four sides of the page, in millimetres.
void SetMargins(TfrxReportPage& page, double millimetres);

}  // namespace quarlo::testing
