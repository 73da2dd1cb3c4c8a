// quarlo-cli info FILE: what a prepared report holds, as JSON on standard output.
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/cli_json.h"
#include "app/cli/cli_verbs.h"
#include "report/report.h"
#include "document/anchors.h"
#include "document/preview_pages.h"

namespace quarlo::cli {

namespace {

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
    json.Key("page");
    json.Integer(page);
    json.Key("top");
    json.Integer(top);
    json.Key("children");
    json.BeginArray();
    levels.push_back({outline.Count(), 0});
  }
}

int Info(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Verb& self = *FindVerb("info");
  if (args.size() != 1) return UsageError(self, err, "expects one file name");
  PrepareDocumentClasses();
  TfrxReport report(nullptr);
  TfrxPreviewPages& pages = report.PreviewPages();
  pages.LoadFromFile(args[0], true);

  // Collected first, so a failure never leaves half a document on the output.
  std::ostringstream text;
  JsonWriter json(text);
  bool pageFailed = false;
  json.BeginObject();
  json.Key("file");
  json.Utf8String(args[0]);
  json.Key("pageCount");
  json.Integer(pages.Count());
  json.Key("pages");
  json.BeginArray();
  for (int i = 0; i < pages.Count(); ++i) {
    json.BeginObject();
    try {
      const TfrxPageExtent extent = pages.PageExtent(i);
      json.Key("width");
      json.Integer(extent.Width);
      json.Key("height");
      json.Integer(extent.Height);
    } catch (const std::exception& e) {
      json.Key("error");
      json.Utf8String(e.what());
      err << "quarlo-cli info: page " << i + 1 << ": " << e.what() << '\n';
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
  for (const TfrxAnchor& a : ListAnchors(pages)) {
    json.BeginObject();
    json.Key("text");
    json.CodePageString(a.Text);
    json.Key("page");
    json.Integer(a.Page);
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
                .details = "Prints the page count, each page's width and height in report pixels\n"
                           "(96 per inch), the report settings (name, dot-matrix flag, outline\n"
                           "visibility and width), the outline tree and the anchors. Page indexes\n"
                           "are 0-based, as in the file. A page that cannot be built gets an\n"
                           "\"error\" member instead of its size and the exit status is 1.",
                .run = &Info);

}  // namespace quarlo::cli
