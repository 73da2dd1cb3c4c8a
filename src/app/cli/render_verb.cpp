// quarlo-cli render FILE -o OUT.png [--page N|A-B] [--zoom Z]: pages drawn as the
// preview draws them (white paper, the page's objects, 96 dpi at zoom 1) into PNG files.
#include <QImage>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "app/cli/cli_verbs.h"
#include "report/report.h"
#include "document/preview_pages.h"
#include "document/preview_pages_paint.h"
#include "objects/image_decode.h"
#include "objects/report_page.h"
#include "objects/units.h"
#include "platform/qt/qpainter_canvas.h"

namespace quarlo::cli {

namespace {

constexpr double kMaxZoom = 16;

bool ParsePages(const std::string& text, int* first, int* last) {
  const std::size_t dash = text.find('-');
  try {
    std::size_t used = 0;
    *first = std::stoi(text.substr(0, dash), &used);
    if (used != (dash == std::string::npos ? text.size() : dash)) return false;
    *last = *first;
    if (dash != std::string::npos) {
      const std::string tail = text.substr(dash + 1);
      *last = std::stoi(tail, &used);
      if (used != tail.size()) return false;
    }
  } catch (const std::exception&) {
    return false;
  }
  return *first >= 1 && *last >= *first;
}

std::string NumberedName(const std::string& out, int page) {
  std::string stem = out;
  if (stem.size() > 4 && stem.compare(stem.size() - 4, 4, ".png") == 0) stem.resize(stem.size() - 4);
  return stem + "-" + std::to_string(page) + ".png";
}

CanvasImage ToCanvasImage(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  CanvasImage out;
  out.width = argb.width();
  out.height = argb.height();
  out.pixels.resize(out.Size());
  for (int y = 0; y < argb.height(); ++y) {
    const auto* line = reinterpret_cast<const std::uint32_t*>(argb.constScanLine(y));
    std::copy(line, line + argb.width(), out.pixels.begin() + static_cast<std::ptrdiff_t>(y) * argb.width());
  }
  return out;
}

int Render(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Verb& self = *FindVerb("render");
  std::string file, output;
  int first = 1, last = 1;
  bool range = false;
  double zoom = 1;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "-o" && hasValue) {
      output = args[++i];
    } else if (a == "--page" && hasValue) {
      if (!ParsePages(args[++i], &first, &last)) return UsageError(self, err, "--page takes N or A-B (1-based)");
      range = args[i].find('-') != std::string::npos;
    } else if (a == "--zoom" && hasValue) {
      try {
        zoom = std::stod(args[++i]);
      } catch (const std::exception&) {
        zoom = 0;
      }
      if (!(zoom > 0 && zoom <= kMaxZoom)) return UsageError(self, err, "--zoom takes a number above 0, at most 16");
    } else if (file.empty() && !a.empty() && a[0] != '-') {
      file = a;
    } else {
      return UsageError(self, err, "unexpected argument '" + a + "'");
    }
  }
  if (file.empty() || output.empty()) return UsageError(self, err, "expects FILE and -o OUT.png");

  PrepareDocumentClasses();
  TfrxReport report(nullptr);
  TfrxPreviewPages pages(&report);
  pages.LoadFromFile(file, true);
  if (last > pages.Count()) {
    err << "quarlo-cli render: the report has " << pages.Count() << " page(s)\n";
    return kExitFailure;
  }
  int status = kExitOk;
  for (int number = first; number <= last; ++number) {
    TfrxReportPage* page = pages.PageObject(number - 1);
    if (!page) {
      err << "quarlo-cli render: page " << number << " cannot be built\n";
      status = kExitFailure;
      continue;
    }
    const long long w = std::llround(page->PaperWidth() * fr01cm * zoom);
    const long long h = std::llround(page->PaperHeight() * fr01cm * zoom);
    if (std::string refused = CheckImageSize(w, h); !refused.empty()) {
      err << "quarlo-cli render: page " << number << ": " << refused << '\n';
      status = kExitFailure;
      continue;
    }
    QImage image(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainterCanvas canvas(image, 96, 96, CanvasKind::Screen);
      try {
        PaintPage(pages, number - 1, canvas, zoom, zoom, 0, 0);
      } catch (const std::exception& e) {
        // The rest of the page is drawn; the file is still written.
        err << "quarlo-cli render: page " << number << ": " << e.what() << '\n';
        status = kExitFailure;
      }
    }
    const std::string name = range ? NumberedName(output, number) : output;
    const std::string png = EncodePng(ToCanvasImage(image));
    std::ofstream stream(name, std::ios::binary | std::ios::trunc);
    if (png.empty() || !stream.write(png.data(), static_cast<std::streamsize>(png.size()))) {
      err << "quarlo-cli render: cannot write " << name << '\n';
      return kExitFailure;
    }
    out << name << '\n';
  }
  return status;
}

}  // namespace

QUARLO_CLI_VERB(.name = "render", .usage = "FILE -o OUT.png [--page N|A-B] [--zoom Z]",
                .summary = "draw pages into PNG images as the preview shows them",
                .details = "Page numbers are 1-based (default 1); a range A-B writes OUT-A.png ... OUT-B.png.\n"
                           "Zoom 1 (the default) is 96 dpi; at most 16.",
                .needsGui = true, .run = &Render);

}  // namespace quarlo::cli
