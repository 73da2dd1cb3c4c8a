// quarlo-cli thumbnail [-s SIZE] FILE -o OUT.png: the first page fitted into a square of
// SIZE pixels, for file managers (the freedesktop thumbnailer runs it). The page is drawn
// at twice the size and scaled down smoothly, so thin lines and small text stay visible.
#include <QBuffer>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "app/cli/cli_input.h"
#include "app/cli/cli_output.h"
#include "app/cli/cli_verbs.h"
#include "document/preview_pages.h"
#include "objects/report_page.h"
#include "objects/units.h"
#include "platform/qt/qpainter_canvas.h"
#include "report/report.h"

namespace quarlo::cli {

namespace {

constexpr int kDefaultSize = 128;
constexpr int kMaxSize = 2048;
// A file manager asks for thumbnails of every file it lists: a file this large is left
// without one rather than loaded (a gigabyte takes seconds and more memory than that).
constexpr std::uintmax_t kMaxInputBytes = 64u << 20;
constexpr int kOversampling = 2;

std::string EncodePngImage(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return {};
  return bytes.toStdString();
}

constexpr CliOption kThumbnailOptions[] = {
    {"-s --size", "SIZE", "the square's side in pixels, 1 to 2048 (default 128)"},
    {"-o --output", "FILE", "write the PNG image into FILE"},
};

int Thumbnail(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Verb& self = *FindVerb("thumbnail");
  const auto a = ReadVerbArguments(self, args, err);
  if (!a) return kExitUsage;
  if (a->Operands().size() != 1 || !a->Value("-o")) return UsageError(self, err, "expects FILE and -o OUT.png");
  const std::string& file = a->Operands()[0];
  const std::string& output = *a->Value("-o");
  int size = kDefaultSize;
  if (const std::string* v = a->Value("-s"); v && !ParseWholeNumber(*v, 1, kMaxSize, &size))
    return UsageError(self, err, "-s takes a whole number from 1 to 2048");
  std::error_code error;
  const std::uintmax_t bytes = std::filesystem::file_size(file, error);
  if (!error && bytes > kMaxInputBytes)
    return WorkError(self, err, file + " is larger than 64 MB; no thumbnail is made");

  PrepareDocumentClasses();
  TfrxReport report(nullptr);
  TfrxPreviewPages& pages = report.PreviewPages();
  LoadReportFile(pages, file);
  TfrxReportPage* page = pages.Count() > 0 ? pages.PageObject(0) : nullptr;
  if (!page) return WorkError(self, err, file + " has no page to show");
  const double width = page->PaperWidth() * fr01cm;
  const double height = page->PaperHeight() * fr01cm;
  if (!(width >= 1 && height >= 1)) return WorkError(self, err, "the first page has no size");
  const double zoom = size / std::max(width, height);
  const int w = std::clamp(static_cast<int>(std::lround(width * zoom)), 1, size);
  const int h = std::clamp(static_cast<int>(std::lround(height * zoom)), 1, size);
  QImage image(w * kOversampling, h * kOversampling, QImage::Format_RGB32);
  image.fill(Qt::white);
  int status = kExitOk;
  {
    QPainterCanvas canvas(image, 96, 96, CanvasKind::Screen);
    try {
      pages.PaintPage(0, canvas, zoom * kOversampling, zoom * kOversampling, 0, 0);
    } catch (const std::exception& e) {
      // What was drawn still makes a thumbnail.
      err << "quarlo-cli thumbnail: page 1: " << e.what() << '\n';
      status = kExitFailure;
    }
  }
  const QImage thumbnail = image.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  const std::string png = EncodePngImage(thumbnail);
  if (png.empty()) return WorkError(self, err, "cannot encode the thumbnail");
  if (std::string problem = WriteOutputFile(output, png); !problem.empty())
    return WorkError(self, err, problem);
  out << output << '\n';
  return status;
}

}  // namespace

QUARLO_CLI_VERB(.name = "thumbnail", .usage = "[-s SIZE] FILE -o OUT.png",
                .summary = "draw the first page fitted into a square, for file managers",
                .details = "The longer side of the page becomes SIZE pixels (default 128, at most 2048).\n"
                           "Files larger than 64 MB get no thumbnail (exit status 1).",
                .needsGui = true, .run = &Thumbnail, .options = kThumbnailOptions);

}  // namespace quarlo::cli
