#pragma once
// Pages for reading printed sheets back: a word in each corner of each page, and a filled
// circle in the middle whose size is measured on the rendered sheet.
#include <QImage>
#include <QString>
#include <algorithm>
#include <string>
#include <vector>

#include "../print_job_fixture.h"
#include "objects/shape_view.h"
#include "support/qt/run_tool.h"

namespace quarlo::print_job_test {

constexpr double kPxPerMm = 3.77953;  // report pixels

struct MarkedPage {
  double width = 0, height = 0;  // mm; 0 x 0 takes the paper code
  int paper = kCustomPaperCode;
  double circle = 0;  // diameter in mm of a filled circle in the middle, 0 for none
  TPrinterOrientation orientation = TPrinterOrientation::poPortrait;  // of a paper code
};

// Pages with the words TL<n>, TR<n>, BL<n> and BR<n> 3 mm inside their four corners.
inline std::string MakeMarkedReport(const std::vector<MarkedPage>& specs) {
  ReportGenerator g;
  for (std::size_t i = 0; i < specs.size(); ++i) {
    const MarkedPage& s = specs[i];
    TfrxReportPage& page = g.AddCompletePage();
    if (s.paper != kCustomPaperCode) {
      page.SetOrientation(s.orientation);
      page.SetPaperSize(s.paper);
    } else {
      page.SetPaperWidth(s.width);
      page.SetPaperHeight(s.height);
    }
    for (auto set : {&TfrxReportPage::SetLeftMargin, &TfrxReportPage::SetTopMargin, &TfrxReportPage::SetRightMargin,
                     &TfrxReportPage::SetBottomMargin})
      (page.*set)(0);
    const double w = page.PaperWidth() * kPxPerMm, h = page.PaperHeight() * kPxPerMm;
    const double inset = 3 * kPxPerMm, boxW = 18 * kPxPerMm, boxH = 7 * kPxPerMm;
    const std::string n = std::to_string(i + 1);
    const struct {
      const char* name;
      double left, top;
    } corners[] = {{"TL", inset, inset},
                   {"TR", w - inset - boxW, inset},
                   {"BL", inset, h - inset - boxH},
                   {"BR", w - inset - boxW, h - inset - boxH}};
    for (const auto& c : corners) {
      auto* memo = new TfrxMemoView(&page);
      memo->SetBounds(c.left, c.top, boxW, boxH);
      memo->Memo().SetText(U16(c.name + n));
    }
    if (s.circle > 0) {
      auto* circle = new TfrxShapeView(&page);
      circle->SetShape(skEllipse);
      circle->SetColor(0);  // black
      const double d = s.circle * kPxPerMm;
      circle->SetBounds((w - d) / 2, (h - d) / 2, d, d);
    }
  }
  return g.Write();
}

// The dark run along the row and the column through the middle of a sheet rendered by
// pdftoppm, in mm from the sheet's top-left corner: the extent of a shape in the middle,
// whatever stands in the corners.
struct InkCross {
  double left = 0, right = 0, top = 0, bottom = 0;
};

inline InkCross MeasureInkCross(const std::string& pdf, int page, const QString& prefix) {
  constexpr int kDpi = 200;
  const QString p = QString::number(page);
  test::RunTool("pdftoppm", {"-r", QString::number(kDpi), "-gray", "-png", "-singlefile", "-f", p, "-l", p,
                             QString::fromStdString(pdf), prefix});
  const QImage image(prefix + ".png");
  auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
  const int midX = image.width() / 2, midY = image.height() / 2;
  int left = image.width(), right = -1, top = image.height(), bottom = -1;
  for (int x = 0; x < image.width(); ++x)
    if (dark(x, midY)) {
      left = std::min(left, x);
      right = std::max(right, x + 1);
    }
  for (int y = 0; y < image.height(); ++y)
    if (dark(midX, y)) {
      top = std::min(top, y);
      bottom = std::max(bottom, y + 1);
    }
  const double mm = 25.4 / kDpi;
  return {left * mm, right * mm, top * mm, bottom * mm};
}

}  // namespace quarlo::print_job_test
