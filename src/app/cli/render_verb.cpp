// quarlo-cli render FILE -o OUT.png [--pages LIST] [--zoom Z | --dpi N]: pages drawn as
// the preview draws them (white paper, the page's objects, 96 dpi at zoom 1) into PNG files.
#include <QImage>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "app/cli/cli_input.h"
#include "app/cli/cli_output.h"
#include "app/cli/cli_pages.h"
#include "app/cli/cli_verbs.h"
#include "app/cli/render_names.h"
#include "document/preview_pages.h"
#include "objects/image_decode.h"
#include "objects/report_page.h"
#include "objects/units.h"
#include "platform/output_file.h"
#include "platform/qt/qpainter_canvas.h"
#include "report/report.h"

namespace quarlo::cli {

namespace {

constexpr CliOption kRenderOptions[] = {
    {"-o --output", "FILE", "write the image into FILE (several pages: FILE-N.png, see below)"},
    {"--pages --page", "LIST", kPagesOption.help},
    {"--zoom", "Z", "scale: 1 (the default) is 96 dots per inch"},
    {"--dpi -r", "N", "resolution in dots per inch, instead of --zoom"},
};

// The page's image size at a zoom, in pixels.
struct PixelSize {
  long long width, height;
};
PixelSize ImageSizeAt(const TfrxReportPage& page, double zoom) {
  return {std::llround(page.PaperWidth() * fr01cm * zoom), std::llround(page.PaperHeight() * fr01cm * zoom)};
}

// The largest zoom, to two decimals, at which the page's image stays within the
// pixel limits; 0 when not even 0.01 fits.
double LargestZoom(const TfrxReportPage& page) {
  const double w = page.PaperWidth() * fr01cm, h = page.PaperHeight() * fr01cm;
  if (!(w > 0 && h > 0)) return 0;
  double zoom = std::min({kMaxImageSide / w, kMaxImageSide / h, std::sqrt(kMaxImagePixels / (w * h))});
  zoom = std::floor(zoom * 100) / 100;
  while (zoom > 0 && !CheckImageSize(ImageSizeAt(page, zoom).width, ImageSizeAt(page, zoom).height).empty())
    zoom -= 0.01;
  return zoom > 0 ? zoom : 0;
}

std::string TooLargeText(const TfrxReportPage& page, PixelSize size) {
  char largest[32];
  std::snprintf(largest, sizeof largest, "%.2f", LargestZoom(page));
  return "the image would be " + std::to_string(size.width) + " x " + std::to_string(size.height) +
         " pixels, above the limit of " + std::to_string(kMaxImageSide) + " pixels a side and " +
         std::to_string(kMaxImagePixels) + " pixels in all; the largest zoom for this page is " + largest;
}

// Empty on success, else why the file was not written.
std::string WritePng(const QImage& image, const std::string& name) {
  const std::string png = EncodePng(reinterpret_cast<const std::uint32_t*>(image.constBits()), image.width(),
                                    image.height(), static_cast<std::size_t>(image.bytesPerLine()) / 4);
  if (png.empty()) return "cannot write " + name + ": the image cannot be encoded";
  return WriteOutputFile(name, png);
}

int Render(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Verb& self = *FindVerb("render");
  const auto a = ReadVerbArguments(self, args, err);
  if (!a) return kExitUsage;
  if (a->Operands().size() != 1 || !a->Value("-o")) return UsageError(self, err, "expects FILE and -o OUT.png");
  const std::string& file = a->Operands()[0];
  const std::string& output = *a->Value("-o");
  const std::string list = a->ValueOr("--pages", "");
  if (std::string problem = PageListProblem(list); !problem.empty()) return UsageError(self, err, problem);
  if (a->Has("--zoom") && a->Has("--dpi")) return UsageError(self, err, "--zoom and --dpi exclude each other");
  double zoom = 1;
  if (const std::string* z = a->Value("--zoom"); z && !ParsePositiveNumber(*z, &zoom))
    return UsageError(self, err, "--zoom takes a number above 0, such as 2 or 0.5");
  if (const std::string* d = a->Value("--dpi")) {
    double dpi = 0;
    if (!ParsePositiveNumber(*d, &dpi)) return UsageError(self, err, "--dpi takes a number above 0, such as 150");
    zoom = dpi / 96;
  }

  PrepareDocumentClasses();
  TfrxReport report(nullptr);
  TfrxPreviewPages& pages = report.PreviewPages();
  LoadReportFile(pages, file);
  const std::vector<int> listed = ListedPages(list, pages.Count());
  if (listed.empty()) return WorkError(self, err, NoListedPageText(list, pages.Count()));
  if (listed.size() > 1 && IsStandardStreamName(output)) return UsageError(self, err, "-o - takes one page");
  const RenderNames names(output, pages.Count(), listed.size() > 1);
  int status = kExitOk;
  QImage image;  // one paper for every page of its size: no fresh allocation per page
  for (int index : listed) {
    const int number = index + 1;
    const std::string where = "page " + std::to_string(number) + ": ";
    TfrxReportPage* page = nullptr;
    try {
      page = pages.PageObject(index);
    } catch (const std::exception& e) {
      // A page that cannot be built is reported; the other pages are still drawn.
      status = WorkError(self, err, where + e.what());
      continue;
    }
    if (!page) {
      status = WorkError(self, err, where + "cannot be built");
      continue;
    }
    const PixelSize size = ImageSizeAt(*page, zoom);
    if (!CheckImageSize(size.width, size.height).empty()) {
      status = WorkError(self, err, where + TooLargeText(*page, size));
      continue;
    }
    if (image.width() != size.width || image.height() != size.height)
      image = QImage(static_cast<int>(size.width), static_cast<int>(size.height), QImage::Format_RGB32);
    if (image.isNull()) {
      status = WorkError(self, err, where + "not enough memory for the image");
      continue;
    }
    image.fill(Qt::white);
    {
      QPainterCanvas canvas(image, 96, 96, CanvasKind::Screen);
      try {
        pages.PaintPage(index, canvas, zoom, zoom, 0, 0);
      } catch (const std::exception& e) {
        // The rest of the page is drawn; the file is still written.
        status = WorkError(self, err, where + e.what());
      }
    }
    const std::string name = names.ForPage(number);
    if (std::string problem = WritePng(image, name); !problem.empty()) return WorkError(self, err, problem);
    ReportWritten(out, name);
  }
  WarnLeftOutClasses(err, "render", pages);
  return status;
}

}  // namespace

QUARLO_CLI_VERB(.name = "render", .usage = "FILE -o OUT.png [--pages LIST] [--zoom Z | --dpi N]",
                .summary = "draw pages into PNG images as the preview shows them",
                .details = "Without --pages every page is drawn. One page is written into OUT exactly;\n"
                           "several into OUT-N.png (a final .png of OUT is not repeated), N padded with\n"
                           "zeros to the width of the report's last page number: OUT-01.png ... OUT-12.png.\n"
                           "--page N is the same as --pages N. Prints the name of each file written.\n"
                           "FILE - reads standard input; -o - writes one page to standard output.\n"
                           "An image has at most 30000 pixels a side and 67108864 pixels in all; a page\n"
                           "beyond that is refused with the largest zoom it allows. A page that cannot\n"
                           "be drawn is reported with its number, the others are still written, and\n"
                           "the exit status is 1.",
                .needsGui = true, .run = &Render, .options = kRenderOptions);

}  // namespace quarlo::cli
