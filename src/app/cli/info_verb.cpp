// quarlo-cli info FILE: what a prepared report holds, as JSON on standard output.
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/cli_input.h"
#include "app/cli/cli_json.h"
#include "app/cli/cli_verbs.h"
#include "app/cli/paper_names.h"
#include "objects/report_page.h"
#include "report/report.h"
#include "document/anchors.h"
#include "document/preview_pages.h"

namespace quarlo::cli {

namespace {

// "page" is the 0-based index the file stores; "pageNumber" the 1-based number users
// and the other verbs count with.
void WritePage(JsonWriter& json, int index) {
  json.Key("page");
  json.Integer(index);
  json.Key("pageNumber");
  json.Integer(static_cast<std::int64_t>(index) + 1);
}

// The paper as a printing tool describes it: size in millimetres, its name, orientation.
void WritePaper(JsonWriter& json, const TfrxReportPage& page) {
  json.Key("widthMm");
  json.Decimal(page.PaperWidth());
  json.Key("heightMm");
  json.Decimal(page.PaperHeight());
  json.Key("paper");
  const std::string_view name = PaperNameOfSize(page.PaperWidth(), page.PaperHeight());
  json.Utf8String(name.empty() ? std::string_view("custom") : name);
  json.Key("orientation");
  // By the paper's shape, as a PDF reader sees the page: a custom size stored with the
  // portrait setting but wider than tall prints as a landscape sheet.
  json.Utf8String(page.PaperWidth() > page.PaperHeight() ? "landscape" : "portrait");
}

void WriteOutline(TfrxOutline& outline, JsonWriter& json) {
  // Walked as the preview walks it, with a stack instead of recursion: a file may
  // nest its entries arbitrarily deep.
  struct Level {
    int count;
    int next;
  };
  outline.LevelRoot();
  json.BeginArray();
  std::vector<Level> levels{{outline.Count(), 0}};
  while (!levels.empty()) {
    Level& level = levels.back();
    if (level.next == level.count) {
      levels.pop_back();
      json.EndArray();
      if (levels.empty()) break;
      json.EndObject();
      outline.LevelUp();
      continue;
    }
    std::string text;
    int top = 0, page = 0;
    outline.ItemInfo(level.next, text, top, page);
    outline.LevelIn(level.next);
    ++level.next;
    json.BeginObject();
    json.Key("text");
    json.CodePageString(text);
    WritePage(json, page);
    json.Key("top");
    json.Integer(top);
    json.Key("children");
    json.BeginArray();
    levels.push_back({outline.Count(), 0});
  }
}

int Info(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Verb& self = *FindVerb("info");
  const auto parsed = ReadVerbArguments(self, args, err);
  if (!parsed) return kExitUsage;
  if (parsed->Operands().size() != 1) return UsageError(self, err, "expects one file name");
  const std::string& file = parsed->Operands()[0];
  PrepareDocumentClasses();
  TfrxReport report(nullptr);
  TfrxPreviewPages& pages = report.PreviewPages();
  LoadReportFile(pages, file);

  // Collected first, so a failure never leaves half a document on the output.
  std::ostringstream text;
  JsonWriter json(text);
  bool pageFailed = false;
  json.BeginObject();
  json.Key("file");
  json.Utf8String(file);
  json.Key("pageCount");
  json.Integer(pages.Count());
  json.Key("pages");
  json.BeginArray();
  for (int i = 0; i < pages.Count(); ++i) {
    json.BeginObject();
    json.Key("pageNumber");
    json.Integer(i + 1);
    try {
      const PagePixelSize extent = pages.PageExtent(i);
      json.Key("width");
      json.Integer(extent.Width);
      json.Key("height");
      json.Integer(extent.Height);
      if (const TfrxReportPage* page = pages.PageObject(i)) WritePaper(json, *page);
    } catch (const std::exception& e) {
      json.Key("error");
      json.Utf8String(e.what());
      WorkError(self, err, "page " + std::to_string(i + 1) + ": " + e.what());
      pageFailed = true;
    }
    json.EndObject();
  }
  json.EndArray();
  json.Key("report");
  json.BeginObject();
  json.Key("name");
  json.CodePageString(report.ReportOptions().Name());
  json.Key("dotMatrixReport");
  json.Bool(report.DotMatrixReport());
  json.Key("outlineVisible");
  json.Bool(report.PreviewOptions().OutlineVisible());
  json.Key("outlineWidth");
  json.Integer(report.PreviewOptions().OutlineWidth());
  json.EndObject();
  json.Key("outline");
  WriteOutline(pages.Outline(), json);
  json.Key("anchors");
  json.BeginArray();
  for (const AnchorEntry& a : ListAnchors(pages)) {
    json.BeginObject();
    json.Key("text");
    json.CodePageString(a.Text);
    WritePage(json, a.Page);
    json.Key("top");
    json.Integer(a.Top);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  out << text.str();
  return pageFailed ? kExitFailure : kExitOk;
}

}  // namespace

QUARLO_CLI_VERB(.name = "info", .usage = "FILE",
                .summary = "describe a prepared report as JSON",
                .details = "Prints the page count; for each page its pageNumber, width and height in\n"
                           "report pixels (96 per inch), widthMm and heightMm, the paper's name (A4,\n"
                           "Letter ..., or custom) and its orientation (landscape when wider than\n"
                           "tall); the report settings (name, dot-matrix flag, outline visibility and\n"
                           "width), the outline tree and the anchors. Their \"page\" is the 0-based\n"
                           "index the file stores; \"pageNumber\" beside it counts from 1, as the other\n"
                           "verbs do. A page that cannot be built gets an \"error\" member instead of\n"
                           "its size and the exit status is 1.",
                .run = &Info);

}  // namespace quarlo::cli
