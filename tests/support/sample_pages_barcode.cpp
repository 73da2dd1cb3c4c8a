// The sample's barcode page: every symbology a scanner reads, each with its caption,
// an EAN-13 symbol with its add-ons, the four rotations, one object whose text cannot
// be encoded (it shows the message in red) and one on a coloured background.
#include <algorithm>
#include <cmath>
#include <string>

#include "objects/band.h"
#include "objects/report_page.h"
#include "objects/memo_view.h"
#include "objects/special/barcode_view.h"
#include "support/report_generator.h"
#include "support/sample_pages.h"

namespace quarlo::testing {

namespace {

struct Symbol {
  TfrxBarcodeType type;
  const char* text;
  bool checksum;
  const char16_t* caption;
};

void Caption(TfrxComponent* band, int n, double left, double top, double width, const char16_t* text) {
  auto* memo = new TfrxMemoView(band);
  memo->SetName("BarcodeCaption" + std::to_string(n));
  memo->SetBounds(left, top, width, 18);
  memo->Memo().SetText(text);
}

TfrxBarCodeView* Barcode(TfrxComponent* band, int n, const Symbol& s, double left, double top, double maxWidth,
                         double height) {
  auto* view = new TfrxBarCodeView(band);
  view->SetName("BarCode" + std::to_string(n));
  view->SetBarType(s.type);
  view->SetText(s.text);
  view->SetCalcCheckSum(s.checksum);
  // As large as fits the column, at most two pixels per module; the object takes its
  // width from the symbol when drawn.
  TfrxBarcode probe;
  probe.SetTyp(s.type);
  probe.SetText(s.text);
  probe.SetChecksum(s.checksum);
  view->SetZoom(std::clamp(std::floor(maxWidth / probe.Width() * 4) / 4, 1.0, 2.0));
  view->SetBounds(left, top, probe.Width() * view->Zoom(), height);
  return view;
}

}  // namespace

void AddBarcodeSamplePage(ReportGenerator& g) {
  TfrxReportPage& page = g.AddCompletePage();
  SetMargins(page, 10);
  auto* band = new TfrxMasterData(&page);
  band->SetName("MasterData1");
  band->SetBounds(0, 0, 718, 1040);

  auto* title = new TfrxMemoView(band);
  title->SetName("BarcodeTitle");
  title->SetBounds(0, 0, 718, 30);
  title->Font().SetSize(16);
  title->Font().SetStyle(fsBold);
  title->Memo().SetText(u"条形码 Barcodes");

  const Symbol symbols[] = {
      {bcCodeEAN8, "1234567", true, u"EAN-8"},
      {bcCodeEAN13, "400638133393", true, u"EAN-13"},
      {bcCodeUPC_A, "03600029145", true, u"UPC-A"},
      {bcCodeUPC_E0, "425261", true, u"UPC-E"},
      {bcCode39, "CODE 39", false, u"Code 39"},
      {bcCode39Extended, "Code 39", false, u"Code 39 extended"},
      {bcCode93, "TEST93", false, u"Code 93"},
      {bcCode93Extended, "Code 93", false, u"Code 93 extended"},
      {bcCode128A, "CODE 128", false, u"Code 128 A"},
      {bcCode128B, "Code 128", false, u"Code 128 B"},
      {bcCode128C, "12345678", false, u"Code 128 C"},
      {bcCodeEAN128C, "0109501101020917", false, u"EAN-128 C"},
      {bcCode_2_5_interleaved, "12345", true, u"Interleaved 2 of 5"},
      {bcCodeCodabar, "40156", false, u"Codabar"},
      {bcCodeMSI, "1234567", true, u"MSI"},
  };
  int n = 0;
  const double columnWidth = 239, rowHeight = 100, top0 = 40;
  for (const Symbol& s : symbols) {
    const double left = (n % 3) * columnWidth + 10, top = top0 + (n / 3) * rowHeight;
    ++n;
    Caption(band, n, left, top, columnWidth - 20, s.caption);
    Barcode(band, n, s, left + 8, top + 20, columnWidth - 30, 64);
  }

  // EAN-13 with its five- and two-digit add-ons standing beside it.
  double top = top0 + 5 * rowHeight;
  Caption(band, ++n, 10, top, 400, u"EAN-13 + 5 / + 2 附加码 add-ons");
  auto* main = Barcode(band, n, {bcCodeEAN13, "978020137962", true, nullptr}, 18, top + 20, 200, 64);
  auto* five = Barcode(band, ++n, {bcCodeUPC_Supp5, "52495", false, nullptr}, main->Left() + 190 + 18, top + 20,
                       200, 64);
  Barcode(band, ++n, {bcCodeUPC_Supp2, "12", false, nullptr}, five->Left() + five->Width() + 30, top + 20, 200, 64);

  // A text that cannot be encoded shows the generator's message; a coloured object
  // paints its spaces and background in its colour.
  Caption(band, ++n, 488, top, 220, u"错误 Error / 背景 Colour");
  auto* error = Barcode(band, n, {bcCodeEAN13, "4006381333931", false, nullptr}, 488, top + 20, 100, 64);
  error->SetText("ABC");
  error->SetBounds(488, top + 20, 100, 64);
  error->Frame().SetTyp(15);
  error->Frame().SetColor(clRed);
  auto* coloured = Barcode(band, ++n, {bcCode128B, "Quarlo", false, nullptr}, 600, top + 20, 110, 64);
  coloured->SetColor(clSkyBlue);

  // The four rotations of one symbol.
  top += rowHeight + 10;
  Caption(band, ++n, 10, top, 700, u"旋转 Rotation 0 / 90 / 180 / 270");
  const int rotations[] = {0, 90, 180, 270};
  double left = 18;
  for (int rotation : rotations) {
    auto* view = Barcode(band, ++n, {bcCodeEAN13, "590123412345", true, nullptr}, left, top + 24, 150, 80);
    view->SetZoom(1.5);
    view->SetRotation(rotation);
    if (rotation == 90 || rotation == 270) {
      view->SetBounds(left, top + 24, 80, 95 * 1.5);
    } else {
      view->SetBounds(left, top + 24, 95 * 1.5, 80);
    }
    left += view->Width() + 36;
  }
}

}  // namespace quarlo::testing
