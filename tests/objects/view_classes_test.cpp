// The view base and its frame as the file format sees them: which attributes a frame
// writes, how its lines follow it, and the compact attributes of WriteDifferences
// read back on top of a template.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "objects/serializer.h"
#include "objects/frame.h"
#include "objects/line_view.h"
#include "objects/memo_view.h"
#include "objects/picture_view.h"
#include "objects/shape_view.h"
#include "objects/standard_classes.h"
#include "platform/recording_canvas.h"
#include "support/published_values.h"

namespace quarlo {
namespace {

class ViewClasses : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterStandardClasses(nullptr); }
};

TEST_F(ViewClasses, FrameWritesLinesOnlyWhereTheyDifferFromTheFrame) {
  struct Case {
    const char* what;
    void (*change)(TfrxFrame&);
    const char* expected;
  } cases[] = {
      {"untouched frame writes nothing", [](TfrxFrame&) {}, ""},
      {"frame-wide colour reaches every line, only the frame is written",
       [](TfrxFrame& f) { f.SetColor(clRed); }, " Frame.Color=\"255\""},
      {"one line with its own colour",
       [](TfrxFrame& f) {
         f.SetColor(clRed);
         f.LeftLine().SetColor(clBlack);
       },
       // Black is the line's default, yet it must be written: reading Frame.Color
       // would otherwise turn the left line red.
       " Frame.Color=\"255\" Frame.LeftLine.Color=\"0\""},
      {"sides, style by name, width and shadow",
       [](TfrxFrame& f) {
         f.SetTyp(ftLeft | ftBottom);
         f.SetStyle(fsDouble);
         f.SetWidth(2.5);
         f.SetDropShadow(true);
         f.SetShadowWidth(3);
         f.BottomLine().SetWidth(1);
       },
       " Frame.DropShadow=\"True\" Frame.ShadowWidth=\"3\" Frame.Style=\"fsDouble\""
       " Frame.Typ=\"9\" Frame.Width=\"2.5\" Frame.BottomLine.Width=\"1\""},
  };
  for (const Case& c : cases) {
    TfrxShapeView shape(nullptr);
    c.change(shape.Frame());
    TfrxXMLSerializer s;
    std::string attrs = s.WriteProperties(shape);
    const size_t at = attrs.find(" Frame.");
    const size_t end = attrs.find(" Shape", at == std::string::npos ? 0 : at);
    std::string frameAttrs =
        at == std::string::npos ? "" : attrs.substr(at, (end == std::string::npos ? attrs.size() : end) - at);
    EXPECT_EQ(frameAttrs, c.expected) << c.what;

    // Whatever was written reads back into the same frame.
    TfrxShapeView back(nullptr);
    s.ApplyProperties(attrs, back);
    EXPECT_EQ(back.Frame(), shape.Frame()) << c.what;
  }
}

TEST_F(ViewClasses, CopiedFrameKeepsItsOwnLines) {
  TfrxFrame original;
  original.SetColor(clBlue);
  TfrxFrame copy(original);
  copy.SetColor(clGreen);
  EXPECT_EQ(copy.TopLine().Color(), clGreen);
  EXPECT_EQ(original.TopLine().Color(), clBlue);
  EXPECT_EQ(copy.TopLine().Frame(), &copy);

  TfrxFrame assigned;
  assigned = original;
  EXPECT_EQ(assigned, original);
  EXPECT_EQ(assigned.LeftLine().Frame(), &assigned);
}

// Compact attributes: enumerations as ordinals, booleans as 1 or 0, and the frame line
// rule that keeps lines right after a frame-level attribute resets them.
TEST_F(ViewClasses, ViewDifferencesSpellingAndOrder) {
  struct Case {
    const char* what;
    void (*change)(TfrxShapeView&);
    const char* expected;
  } cases[] = {
      {"nothing", [](TfrxShapeView&) {}, ""},
      {"fill and alignment",
       [](TfrxShapeView& v) {
         v.SetBrushStyle(bsCross);
         v.SetAlign(baClient);
         v.SetColor(clYellow);
       },
       " BrushStyle=\"6\" Align=\"6\" Color=\"65535\""},
      {"cursor, printable, text fields",
       [](TfrxShapeView& v) {
         v.SetCursor(-21);
         v.SetPrintable(false);
         v.SetTagStr("a<b");
         v.SetURL("@3");
       },
       " Cursor=\"-21\" Printable=\"0\" TagStr=\"a&#60;b\" URL=\"@3\""},
      {"frame level attributes",
       [](TfrxShapeView& v) {
         v.Frame().SetDropShadow(true);
         v.Frame().SetStyle(fsDot);
         v.Frame().SetTyp(ftAll);
       },
       // The lines took the new style too, so each differs from the template's line.
       " Frame.DropShadow=\"1\" Frame.Style=\"2\" Frame.Typ=\"15\" Frame.LeftLine.Style=\"2\""
       " Frame.TopLine.Style=\"2\" Frame.RightLine.Style=\"2\" Frame.BottomLine.Style=\"2\""},
      {"a line equal to the template but not to the new frame colour",
       [](TfrxShapeView& v) {
         v.Frame().SetColor(clRed);
         v.Frame().LeftLine().SetColor(clBlack);
       },
       " Frame.Color=\"255\" Frame.LeftLine.Color=\"0\" Frame.TopLine.Color=\"255\""
       " Frame.RightLine.Color=\"255\" Frame.BottomLine.Color=\"255\""},
      {"a line of its own width", [](TfrxShapeView& v) { v.Frame().RightLine().SetWidth(3); },
       " Frame.RightLine.Width=\"3\""},
      {"shape kind", [](TfrxShapeView& v) { v.SetShape(skEllipse); }, " Shape=\"2\""},
  };
  for (const Case& c : cases) {
    TfrxShapeView tmpl(nullptr), view(nullptr);
    tmpl.SetBounds(1, 2, 30, 40);
    view.SetBounds(1, 2, 30, 40);
    c.change(view);
    EXPECT_EQ(view.WriteDifferences(tmpl), c.expected) << c.what;
  }
}

// What WriteDifferences produces, read through ReadObjectLine over the template's
// complete line, gives back the object.
TEST_F(ViewClasses, CompactFormsReadBackOverTheTemplate) {
  struct Case {
    const char* what;
    std::unique_ptr<TfrxView> (*make)();
    void (*change)(TfrxView&);
  } cases[] = {
      {"shape with frame lines",
       [] { return std::unique_ptr<TfrxView>(new TfrxShapeView(nullptr)); },
       [](TfrxView& v) {
         auto& s = static_cast<TfrxShapeView&>(v);
         s.SetBounds(7.25, 8, 90, 12.5);
         s.SetShape(skDiamond);
         s.SetColor(clAqua);
         s.SetBrushStyle(bsDiagCross);
         s.Frame().SetColor(clNavy);
         s.Frame().SetWidth(2);
         s.Frame().TopLine().SetColor(clLime);
         s.Frame().BottomLine().SetWidth(0.5);
         s.Frame().LeftLine().SetStyle(fsAltDot);
         s.SetURL("#anchor");
         s.SetVisible(false);
       }},
      {"memo with text and settings",
       [] { return std::unique_ptr<TfrxView>(new TfrxMemoView(nullptr)); },
       [](TfrxView& v) {
         auto& m = static_cast<TfrxMemoView&>(v);
         m.SetLeft(3);
         m.Memo().SetText(u"第一行\r\n\"two\" & <three>\r\n");
         m.SetHAlign(haBlock);
         m.SetVAlign(vaCenter);
         m.SetGapX(4);
         m.SetLineSpacing(0);
         m.SetRotation(270);
         m.SetWordWrap(false);
         m.SetUnderlines(true);
         m.Highlight().SetActive(true);
         m.DisplayFormat().SetKind(fkNumeric);
         m.DisplayFormat().SetFormatStr("%2.2f");
         m.DisplayFormat().SetDecimalSeparator(",");
         TFont f = m.Font();
         f.SetName("SimSun");
         f.SetSize(14);
         f.SetStyle(fsBold | fsUnderline);
         f.SetCharset(134);
         m.SetFont(f);
       }},
      {"auto-width memo does not carry its width",
       [] { return std::unique_ptr<TfrxView>(new TfrxMemoView(nullptr)); },
       [](TfrxView& v) {
         auto& m = static_cast<TfrxMemoView&>(v);
         m.SetAutoWidth(true);
         m.SetTop(50);
         m.Memo().SetText(u"x");
       }},
      {"line",
       [] { return std::unique_ptr<TfrxView>(new TfrxLineView(nullptr)); },
       [](TfrxView& v) {
         v.SetBounds(0, 10, 200, 0);
         v.Frame().SetStyle(fsDouble);
         v.Frame().SetTyp(ftTop);
         v.SetTagStr("t");
       }},
      {"picture with cache index",
       [] { return std::unique_ptr<TfrxView>(new TfrxPictureView(nullptr)); },
       [](TfrxView& v) {
         auto& p = static_cast<TfrxPictureView&>(v);
         p.SetImageIndex(3);
         p.SetTransparent(true);
         p.SetTransparentColor(clFuchsia);
         p.SetHeight(77);
       }},
  };
  for (const Case& c : cases) {
    auto tmpl = c.make();
    tmpl->SetBounds(1, 2, 30, 40);
    auto view = c.make();
    view->Assign(*tmpl);
    c.change(*view);
    TfrxXMLSerializer s;
    const std::string line = s.WriteObjectLine(*tmpl) + view->WriteDifferences(*tmpl);
    std::unique_ptr<TfrxComponent> back(s.ReadObjectLine(nullptr, line));
    ASSERT_TRUE(back) << c.what;
    EXPECT_TRUE(s.Errors().empty()) << c.what << ": " << *s.Errors().begin();
    if (auto* memo = As<TfrxCustomMemoView>(view.get()); memo && memo->AutoWidth()) {
      // The width is left to the template: an auto-width text recomputes it.
      EXPECT_DOUBLE_EQ(back->Width(), tmpl->Width()) << c.what;
      back->SetWidth(view->Width());
    }
    EXPECT_EQ(testing::FirstDifference(testing::PublishedValues(*back), testing::PublishedValues(*view)), "") << c.what;
  }
}

TEST_F(ViewClasses, PreparingADrawRoundsToDevicePixelsHalfToEven) {
  struct Case {
    double left, width, scale, offset;
    bool shadow;
    int deviceLeft, deviceRight;
  } cases[] = {
      {10, 20, 1.5, 0.25, false, 15, 45},
      {0.5, 2, 1, 0, false, 0, 2},    // 0.5 and 2.5 both go to the even neighbour
      {1.5, 2, 1, 0, false, 2, 4},    // 1.5 -> 2, 3.5 -> 4
      {0, 100, 1, 0, true, 0, 96},    // the shadow strip is cut off the object
  };
  for (const Case& c : cases) {
    TfrxShapeView v(nullptr);
    v.SetBounds(c.left, 0, c.width, 10);
    v.Frame().SetDropShadow(c.shadow);
    RecordingCanvas canvas;
    v.PrepareDraw(canvas, c.scale, c.scale, c.offset, 0);
    EXPECT_EQ(v.DeviceLeft(), c.deviceLeft) << c.left << " x " << c.scale;
    EXPECT_EQ(v.DeviceRight(), c.deviceRight) << c.left << " x " << c.scale;
  }
}

}  // namespace
}  // namespace quarlo
