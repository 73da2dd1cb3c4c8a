#include "support/sample_report.h"

#include <string>
#include <string_view>

#include "objects/band.h"
#include "objects/frame.h"
#include "objects/line_view.h"
#include "objects/memo_view.h"
#include "objects/picture_view.h"
#include "objects/report_page.h"
#include "objects/shape_view.h"
#include "platform/codepage.h"
#include "platform/utf_text.h"
#include "support/report_generator.h"
#include "support/report_generator_pictures.h"
#include "support/sample_pages.h"

namespace quarlo::testing {

namespace {

constexpr int kGb2312Charset = 134;

// Code page bytes of a UTF-8 literal: names, hints, URLs and outline texts are 8-bit.
std::string Cp(std::string_view utf8) { return Utf8ToSystem(utf8); }

TFont MakeFont(std::string_view utf8Name, int size, int style = 0, TColor color = clBlack) {
  TFont f;
  f.SetName(Cp(utf8Name));
  f.SetSize(size);
  f.SetStyle(style);
  f.SetColor(color);
  if (utf8Name != "Arial") f.SetCharset(kGb2312Charset);
  return f;
}

template <class T>
T* Template(TfrxComponent* parent, const char* name, double l, double t, double w, double h) {
  auto* c = new T(parent);
  c->SetName(name);
  c->SetBounds(l, t, w, h);
  return c;
}

void SetText(TfrxComponent& memo, std::u16string_view text) {
  static_cast<TfrxCustomMemoView&>(memo).Memo().SetText(text);
}

// Source page 0, A4 portrait with 10 mm margins: the templates of the report pages.
void BuildSourcePage(TfrxReportPage& page) {
  SetMargins(page, 10);
  page.Frame().SetTyp(ftAll);
  page.Frame().SetColor(clSilver);

  auto* title = Template<TfrxReportTitle>(&page, "ReportTitle1", 0, 0, 718, 90);
  auto* titleMemo = Template<TfrxMemoView>(title, "TitleMemo", 0, 10, 718, 40);
  titleMemo->SetFont(MakeFont("黑体", 20, fsBold, clNavy));
  titleMemo->SetHAlign(haCenter);
  titleMemo->SetVAlign(vaCenter);
  auto* subtitle = Template<TfrxMemoView>(title, "SubtitleMemo", 0, 52, 718, 24);
  subtitle->SetFont(MakeFont("宋体", 11, fsItalic, clGray));
  subtitle->SetHAlign(haCenter);
  auto* logo = Template<TfrxPictureView>(title, "Logo", 0, 4, 64, 64);
  logo->SetStretched(true);
  logo->SetKeepAspectRatio(true);
  auto* rule = Template<TfrxLineView>(title, "TitleRule", 0, 84, 718, 0);
  rule->Frame().SetWidth(2);
  rule->Frame().SetColor(clNavy);

  auto* header = Template<TfrxPageHeader>(&page, "PageHeader1", 0, 110, 718, 26);
  auto* headerCell = Template<TfrxMemoView>(header, "HeaderCell", 0, 0, 179.5, 26);
  headerCell->SetFont(MakeFont("宋体", 10, fsBold, clWhite));
  headerCell->SetColor(clNavy);
  headerCell->SetVAlign(vaCenter);
  headerCell->Frame().SetTyp(ftAll);

  auto* data = Template<TfrxMasterData>(&page, "MasterData1", 0, 150, 718, 24);
  auto* cell = Template<TfrxMemoView>(data, "Cell", 0, 0, 179.5, 24);
  cell->SetFont(MakeFont("宋体", 10));
  cell->SetVAlign(vaCenter);
  cell->Frame().SetTyp(ftLeft | ftRight | ftBottom);
  cell->Frame().SetColor(clGray);
  auto* shape = Template<TfrxShapeView>(data, "Shape1", 0, 0, 100, 60);
  shape->SetColor(clSkyBlue);
  auto* line = Template<TfrxLineView>(data, "Line1", 0, 0, 100, 0);
  line->Frame().SetColor(clMaroon);
  // Compact pictures and lines carry only their position, size, frame, colour and
  // picture (or arrows nothing at all): each way of fitting a picture and each kind
  // of arrow needs a template of its own.
  const struct {
    const char* name;
    bool stretched, keepAspect, center;
  } pictureKinds[] = {{"Picture1", true, true, false},
                      {"PictureFill", true, false, false},
                      {"PictureCentered", true, true, true},
                      {"PictureNatural", false, true, false},
                      {"PictureNaturalCentered", false, true, true}};
  for (const auto& kind : pictureKinds) {
    auto* picture = Template<TfrxPictureView>(data, kind.name, 0, 0, 120, 90);
    picture->Frame().SetTyp(ftAll);
    picture->SetStretched(kind.stretched);
    picture->SetKeepAspectRatio(kind.keepAspect);
    picture->SetCenter(kind.center);
  }
  const struct {
    const char* name;
    bool start, end, solid, diagonal;
  } lineKinds[] = {{"LineArrow", false, true, false, false},
                   {"LineArrows", true, true, true, false},
                   {"LineDiagonal", false, true, true, true}};
  for (const auto& kind : lineKinds) {
    auto* arrow = Template<TfrxLineView>(data, kind.name, 0, 0, 100, 0);
    arrow->Frame().SetColor(clMaroon);
    arrow->SetArrowStart(kind.start);
    arrow->SetArrowEnd(kind.end);
    arrow->SetArrowSolid(kind.solid);
    arrow->SetDiagonal(kind.diagonal);
  }
  auto* caption = Template<TfrxMemoView>(data, "Caption", 0, 0, 160, 20);
  caption->SetFont(MakeFont("宋体", 9, 0, clGray));
  caption->SetHAlign(haCenter);

  auto* footer = Template<TfrxPageFooter>(&page, "PageFooter1", 0, 1000, 718, 30);
  auto* footerMemo = Template<TfrxMemoView>(footer, "FooterMemo", 0, 6, 718, 20);
  footerMemo->SetFont(MakeFont("宋体", 9, 0, clGray));
  footerMemo->SetHAlign(haRight);
  footerMemo->Frame().SetTyp(ftTop);
}

void AddFooter(ReportGenerator& g, TfrxReportPage& page, int number) {
  auto& footer = g.Place(page, "PageFooter1");
  auto& memo = g.Place(page, "FooterMemo", &footer);
  const std::u16string n = Utf8ToUtf16(std::to_string(number));
  SetText(memo, u"第 " + n + u" 页 / Page " + n);
}

void AddTitle(ReportGenerator& g, TfrxReportPage& page, std::u16string_view title,
              std::u16string_view subtitle, const std::string& logoPng) {
  auto& band = g.Place(page, "ReportTitle1");
  SetText(g.Place(page, "TitleMemo", &band), title);
  SetText(g.Place(page, "SubtitleMemo", &band), subtitle);
  g.Place<TfrxPictureView>(page, "Logo", &band).Picture().LoadFromData(logoPng);
  g.Place(page, "TitleRule", &band);
}

// Page 1: a table of Chinese and Latin text with a shared logo.
void BuildTablePage(ReportGenerator& g, const std::string& logoPng) {
  TfrxReportPage& page = g.AddCompactPage(0);
  AddTitle(g, page, u"季度销售报告", u"Quarterly sales report · 2024 年第三季度", logoPng);

  auto& header = g.Place(page, "PageHeader1");
  const std::u16string heads[] = {u"产品 Product", u"地区 Region", u"数量 Qty", u"金额 Amount"};
  for (int i = 0; i < 4; ++i) {
    auto& cell = g.Place<TfrxMemoView>(page, "HeaderCell", &header);
    cell.SetLeft(i * 179.5);
    cell.SetHAlign(i >= 2 ? haRight : haLeft);
    SetText(cell, heads[i]);
  }
  struct Row {
    const char16_t* product;
    const char16_t* region;
    int quantity;
    const char16_t* amount;
  };
  const Row rows[] = {
      {u"绿茶 Green tea", u"华东 East", 1200, u"¥36,000.00"},
      {u"乌龙茶 Oolong", u"华南 South", 860, u"¥30,960.00"},
      {u"普洱茶 Pu'er", u"西南 Southwest", 420, u"¥29,400.00"},
      {u"红茶 Black tea", u"华北 North", 975, u"¥26,325.00"},
      {u"白茶 White tea", u"华东 East", 310, u"¥21,700.00"},
      {u"花茶 Jasmine", u"华中 Central", 1530, u"¥22,950.00"},
  };
  double top = 150;
  for (const Row& r : rows) {
    auto& band = g.Place(page, "MasterData1");
    band.SetTop(top);
    top += 24;
    const std::u16string texts[] = {r.product, r.region, Utf8ToUtf16(std::to_string(r.quantity)),
                                    r.amount};
    for (int i = 0; i < 4; ++i) {
      auto& cell = g.Place<TfrxMemoView>(page, "Cell", &band);
      cell.SetLeft(i * 179.5);
      cell.SetHAlign(i >= 2 ? haRight : haLeft);
      if (r.quantity > 1000 && i == 2) {
        cell.SetColor(clMoneyGreen);
      }
      SetText(cell, texts[i]);
    }
  }
  auto& total = g.Place(page, "MasterData1");
  total.SetTop(top + 10);
  auto& totalCell = g.Place<TfrxMemoView>(page, "Cell", &total);
  totalCell.SetWidth(718);
  totalCell.SetHAlign(haRight);
  totalCell.SetFont(MakeFont("宋体", 11, fsBold));
  totalCell.Frame().SetTyp(ftTop | ftBottom);
  totalCell.Frame().SetStyle(fsDouble);
  totalCell.Frame().SetWidth(2);
  SetText(totalCell, u"合计 Total: 5,295 件 · ¥167,335.00");

  auto& notes = g.Place(page, "MasterData1");
  notes.SetTop(top + 50);
  notes.SetHeight(120);
  auto& note = g.Place<TfrxMemoView>(page, "Cell", &notes);
  note.SetBounds(0, 0, 718, 110);
  note.SetWordWrap(true);
  note.SetVAlign(vaTop);
  note.Frame().SetTyp(0);
  SetText(note, u"说明：本报表由示例数据生成，金额含税。单击下方链接跳到图形页或图片页。\r\n"
                u"Notes: figures are sample data. The links below jump to the shapes page and "
                u"the pictures page; the last one opens a web address.");
  const struct {
    const char16_t* text;
    const char* url;
  } links[] = {{u"→ 图形与线条 Shapes and lines", "@2"},
               {u"→ 图片 Pictures", "#pictures"},
               {u"→ 项目主页 Project page", "https://example.com/quarlo"}};
  for (int i = 0; i < 3; ++i) {
    auto& link = g.Place(page, "MasterData1");
    link.SetTop(top + 180 + i * 24);
    auto& memo = g.Place<TfrxMemoView>(page, "Cell", &link);
    memo.SetWidth(360);
    memo.Frame().SetTyp(0);
    TFont f = MakeFont("宋体", 10, fsUnderline, clBlue);
    memo.SetFont(f);
    memo.SetURL(links[i].url);
    memo.SetCursor(-21);
    SetText(memo, links[i].text);
  }
  AddFooter(g, page, 1);
}

// Page 2: every shape kind, lines with arrows and the frame styles.
void BuildShapesPage(ReportGenerator& g, const std::string& logoPng) {
  TfrxReportPage& page = g.AddCompactPage(0);
  AddTitle(g, page, u"图形与线条", u"Shapes, lines and frames", logoPng);
  auto& band = g.Place(page, "MasterData1");
  band.SetHeight(800);

  const struct {
    TfrxShapeKind kind;
    const char16_t* name;
    TBrushStyle brush;
    TColor color;
  } shapes[] = {
      {skRectangle, u"矩形 Rectangle", bsSolid, clSkyBlue},
      {skRoundRectangle, u"圆角矩形 Rounded", bsSolid, clMoneyGreen},
      {skEllipse, u"椭圆 Ellipse", bsSolid, clCream},
      {skTriangle, u"三角形 Triangle", bsSolid, clYellow},
      {skDiamond, u"菱形 Diamond", bsDiagCross, clTeal},
      {skDiagonal1, u"对角线 Diagonal 1", bsSolid, clTransparent},
      {skDiagonal2, u"对角线 Diagonal 2", bsSolid, clTransparent},
      {skRectangle, u"阴影线 Hatched", bsCross, clRed},
  };
  for (int i = 0; i < 8; ++i) {
    const double left = (i % 4) * 180 + 20, top = (i / 4) * 130 + 10;
    auto& shape = g.Place<TfrxShapeView>(page, "Shape1", &band);
    shape.SetBounds(left, top, 140, 80);
    shape.SetShape(shapes[i].kind);
    shape.SetBrushStyle(shapes[i].brush);
    shape.SetColor(shapes[i].color);
    shape.Frame().SetWidth(i % 2 ? 2 : 1);
    auto& caption = g.Place<TfrxMemoView>(page, "Caption", &band);
    caption.SetBounds(left - 10, top + 86, 160, 20);
    SetText(caption, shapes[i].name);
  }

  const struct {
    const char* templateName;
    double width, height;
    TfrxFrameStyle style;
    const char16_t* name;
  } lines[] = {
      {"Line1", 300, 0, fsSolid, u"实线 Solid"},
      {"LineArrow", 300, 0, fsDash, u"虚线与箭头 Dash, arrow"},
      {"LineArrows", 300, 0, fsDot, u"点线与实心箭头 Dot, solid arrows"},
      {"Line1", 300, 0, fsDashDot, u"点划线 Dash-dot"},
      {"Line1", 300, 0, fsDouble, u"双线 Double"},
      {"LineDiagonal", 200, 40, fsSolid, u"斜线 Diagonal"},
  };
  for (int i = 0; i < 6; ++i) {
    const double top = 290 + i * 48;
    auto& line = g.Place<TfrxLineView>(page, lines[i].templateName, &band);
    line.SetBounds(40, top, lines[i].width, lines[i].height);
    line.Frame().SetStyle(lines[i].style);
    line.Frame().SetWidth(lines[i].style == fsDouble ? 3 : 2);
    auto& caption = g.Place<TfrxMemoView>(page, "Caption", &band);
    caption.SetBounds(400, top - 10, 260, 20);
    caption.SetHAlign(haLeft);
    SetText(caption, lines[i].name);
  }

  const struct {
    TfrxFrameStyle style;
    const char16_t* name;
  } frames[] = {{fsSolid, u"实线框 Solid"},   {fsDash, u"虚线框 Dash"},
                {fsDot, u"点线框 Dot"},       {fsDashDotDot, u"双点划线 Dash-dot-dot"},
                {fsDouble, u"双线框 Double"}, {fsAltDot, u"交替点 Alt-dot"},
                {fsSquare, u"方点 Square"}};
  for (int i = 0; i < 7; ++i) {
    auto& memo = g.Place<TfrxMemoView>(page, "Cell", &band);
    memo.SetBounds(20 + (i % 4) * 180, 600 + (i / 4) * 60, 150, 40);
    memo.SetHAlign(haCenter);
    memo.Frame().SetTyp(ftAll);
    memo.Frame().SetStyle(frames[i].style);
    memo.Frame().SetColor(clNavy);
    memo.Frame().SetWidth(frames[i].style == fsDouble ? 3 : 1);
    if (i == 0) {
      memo.Frame().SetDropShadow(true);
      memo.Frame().SetShadowWidth(4);
    }
    SetText(memo, frames[i].name);
  }
  AddFooter(g, page, 2);
}

// Page 3: one picture of each decodable kind, and the ways a picture fits its box.
void BuildPicturesPage(ReportGenerator& g, const std::string& logoPng) {
  TfrxReportPage& page = g.AddCompactPage(0);
  AddTitle(g, page, u"图片", u"Pictures: bitmap, PNG and JPEG", logoPng);
  auto& band = g.Place(page, "MasterData1");
  band.SetHeight(760);
  const std::string bmp = MakeBmp(80, 60, {0x2060c0, 0xffffff, 10});
  const std::string jpeg = MakeJpeg(160, 80, {0x208040, 0xf0f0d0, 16});
  const std::string png = MakePng(60, 120, {0xc04080, 0xffffff, 12});
  const struct {
    const std::string* bytes;
    const char* templateName;
    const char16_t* name;
  } pictures[] = {
      {&bmp, "PictureFill", u"位图，拉伸 BMP stretched"},
      {&jpeg, "Picture1", u"JPEG 保持比例 keep aspect"},
      {&png, "PictureCentered", u"PNG 居中 centred"},
      {&bmp, "PictureNatural", u"原始大小 natural size"},
      {&jpeg, "PictureNaturalCentered", u"原始大小居中 natural, centred"},
      {&logoPng, "PictureCentered", u"标志 logo"},
  };
  for (int i = 0; i < 6; ++i) {
    const double left = (i % 3) * 240 + 20, top = (i / 3) * 200 + 10;
    auto& view = g.Place<TfrxPictureView>(page, pictures[i].templateName, &band);
    view.SetBounds(left, top, 200, 140);
    view.Picture().LoadFromData(*pictures[i].bytes);
    auto& caption = g.Place<TfrxMemoView>(page, "Caption", &band);
    caption.SetBounds(left, top + 146, 200, 20);
    SetText(caption, pictures[i].name);
  }
  AddFooter(g, page, 3);
}

// Page 4: a complete page of its own paper (A5 landscape), written in full.
void BuildCompletePage(ReportGenerator& g) {
  TfrxReportPage& page = g.AddCompletePage();
  page.SetPaperSize(11);  // A5
  page.SetOrientation(TPrinterOrientation::poLandscape);
  page.SetLeftMargin(12);
  page.SetRightMargin(12);
  page.SetTopMargin(12);
  page.SetBottomMargin(12);
  page.SetColor(clCream);
  auto* band = new TfrxMasterData(&page);
  band->SetName("MasterData1");
  band->SetBounds(0, 0, 703, 480);
  const struct {
    TfrxHAlign h;
    TfrxVAlign v;
    const char16_t* text;
  } cells[] = {
      {haLeft, vaTop, u"左上 Top left"},
      {haCenter, vaCenter, u"居中 Centre"},
      {haRight, vaBottom, u"右下 Bottom right"},
      {haBlock, vaTop, u"两端对齐的段落文字会在宽度内折行。Justified text wraps within the "
                       u"width of its box and fills each line but the last."},
  };
  for (int i = 0; i < 4; ++i) {
    auto* memo = new TfrxMemoView(band);
    memo->SetName("Memo" + std::to_string(i + 1));
    memo->SetBounds((i % 2) * 350 + 10, (i / 2) * 150 + 20, 330, 130);
    memo->SetHAlign(cells[i].h);
    memo->SetVAlign(cells[i].v);
    memo->SetWordWrap(true);
    memo->SetFont(MakeFont(i == 3 ? "Arial" : "宋体", 12));
    memo->Frame().SetTyp(ftAll);
    memo->SetColor(clWhite);
    memo->Memo().SetText(cells[i].text);
  }
  auto* rotated = new TfrxMemoView(band);
  rotated->SetName("Memo5");
  rotated->SetBounds(10, 330, 40, 130);
  rotated->SetRotation(90);
  rotated->SetFont(MakeFont("宋体", 11, fsBold, clMaroon));
  rotated->Memo().SetText(u"竖排 Rotated");
  auto* back = new TfrxMemoView(band);
  back->SetName("Memo6");
  back->SetBounds(70, 330, 620, 40);
  back->SetFont(MakeFont("宋体", 12, fsUnderline, clBlue));
  back->SetURL("@1");
  back->SetHint(Cp("回到销售表 / back to the sales table"));
  back->SetShowHint(true);
  back->SetCursor(-21);
  back->Memo().SetText(u"↩ 返回第一页 Back to page 1");
  auto* shape = new TfrxShapeView(band);
  shape->SetName("Shape1");
  shape->SetBounds(70, 390, 620, 60);
  shape->SetShape(skRoundRectangle);
  shape->SetColor(clMoneyGreen);
}

}  // namespace

void BuildSampleReport(ReportGenerator& g) {
  BuildSourcePage(g.AddSourcePage());
  const std::string logo = MakePng(64, 64, {0x1f4e9c, 0xf2c94c, 16});
  BuildTablePage(g, logo);
  BuildShapesPage(g, logo);
  BuildPicturesPage(g, logo);
  BuildCompletePage(g);
  AddMetafileSamplePage(g);
  AddBarcodeSamplePage(g);
  AddGradientSamplePage(g);
  AddDotMatrixSamplePage(g);
  AddChartSamplePage(g);

  g.settings.name = Cp("示例报表 Sample report");
  g.settings.outlineVisible = true;
  g.settings.outlineWidth = 160;
  GeneratedOutlineItem root{Cp("示例报表"), 0, 0, {}};
  root.children.push_back({Cp("销售表 Sales table"), 0, 110, {}});
  root.children.push_back({Cp("图形与线条 Shapes"), 1, 0, {}});
  GeneratedOutlineItem pictures{Cp("图片 Pictures"), 2, 0, {}};
  pictures.children.push_back({Cp("自然大小 Natural size"), 2, 210, {}});
  root.children.push_back(pictures);
  root.children.push_back({Cp("完整页 Complete page"), 3, 0, {}});
  g.outline.push_back(root);
  g.AddAnchor("pictures", 2, 0);
  g.AddAnchor("totals", 0, 330);
}

std::string SampleReportBytes() {
  ReportGenerator g;
  BuildSampleReport(g);
  return g.Write();
}

std::string SampleReportPath() { return std::string(QUARLO_SOURCE_DIR) + "/samples/sample.fp3"; }

}  // namespace quarlo::testing
