// Pictures, lines and shapes as documents hold them: the picture's binary "Data"
// property in the forms other producers write, sizes from image headers, and the
// published settings of lines and shapes.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "objects/prop_data.h"
#include "objects/serializer.h"
#include "objects/line_view.h"
#include "objects/picture_view.h"
#include "objects/shape_view.h"
#include "objects/standard_classes.h"
#include "support/report_generator_pictures.h"

namespace quarlo {
namespace {

class GraphicClasses : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterStandardClasses(nullptr); }
};

std::string LE32(std::uint32_t n) {
  std::string s;
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
  return s;
}

// The "Data" property as a PropData buffer: class name, optional length, image.
std::string DataProperty(const std::string& className, const std::string& image, bool withLength) {
  std::string value(1, static_cast<char>(className.size()));
  value += className;
  if (withLength) value += LE32(static_cast<std::uint32_t>(image.size()));
  value += image;
  PropDataWriter w;
  w.WritePropName("Data");
  w.WriteBinary(value);
  return w.Bytes();
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

TEST_F(GraphicClasses, PictureDataIsRecognisedByItsBytesWhateverItsClassSays) {
  struct Case {
    const char* what;
    std::string className;
    std::string image;
    bool withLength;
    TGraphicKind kind;
    int width, height;
  } cases[] = {
      {"bitmap with length", "TBitmap", testing::MakeBmp(5, 3), true, TGraphicKind::Bitmap, 5, 3},
      {"bitmap without length", "TBitmap", testing::MakeBmp(5, 3), false, TGraphicKind::Bitmap, 5, 3},
      {"JPEG", "TJPEGImage", testing::MakeJpeg(17, 9), true, TGraphicKind::Jpeg, 17, 9},
      {"PNG", "TPngObject", testing::MakePng(6, 11), false, TGraphicKind::Png, 6, 11},
      {"PNG named a bitmap", "TBitmap", testing::MakePng(6, 11), true, TGraphicKind::Png, 6, 11},
      {"placeable metafile (1440 twips = 96 px)", "TMetafile",
       testing::MakePlaceableMetafile(1440, 720), false, TGraphicKind::Metafile, 96, 48},
  };
  for (const Case& c : cases) {
    TfrxPictureView view(nullptr);
    TfrxXMLSerializer s;
    s.ApplyProperties("Picture.PropData=\"" + Hex(DataProperty(c.className, c.image, c.withLength)) + "\"",
                      view);
    EXPECT_EQ(view.Picture().Kind(), c.kind) << c.what;
    EXPECT_EQ(view.Picture().Data(), c.image) << c.what;
    EXPECT_EQ(view.Picture().Width(), c.width) << c.what;
    EXPECT_EQ(view.Picture().Height(), c.height) << c.what;

    // Written back under the class name of its kind, and read again unchanged.
    const std::string attrs = s.WriteProperties(view);
    TfrxPictureView back(nullptr);
    s.ApplyProperties(attrs, back);
    EXPECT_EQ(back.Picture(), view.Picture()) << c.what;
    const std::string expectedName(GraphicClassName(c.kind));
    EXPECT_NE(WritePropData(view.Picture()).find(expectedName), std::string::npos) << c.what;
  }
}

TEST_F(GraphicClasses, UnknownPictureDataIsKeptForSaving) {
  const std::string data = DataProperty("TGIFImage", "GIF89a\x01\x00\x01\x00", false);
  TfrxPictureView view(nullptr);
  TfrxXMLSerializer s;
  s.ApplyProperties("Picture.PropData=\"" + Hex(data) + "\"", view);
  EXPECT_TRUE(view.Picture().Empty());
  EXPECT_EQ(WritePropData(view.Picture()), data);
}

TEST_F(GraphicClasses, AutoSizeTakesThePicturesPixelSize) {
  TfrxPictureView view(nullptr);
  view.SetBounds(0, 0, 10, 10);
  view.Picture().LoadFromData(testing::MakePng(30, 20));
  EXPECT_EQ(view.Width(), 10) << "without AutoSize the object keeps its size";
  view.SetAutoSize(true);
  EXPECT_EQ(view.Width(), 30);
  EXPECT_EQ(view.Height(), 20);
  view.Picture().LoadFromData(testing::MakeBmp(7, 8));
  EXPECT_EQ(view.Width(), 7);
  EXPECT_EQ(view.Height(), 8);
  EXPECT_TRUE(view.PictureChanged());
}

TEST_F(GraphicClasses, PictureStorageRules) {
  TfrxPictureView view(nullptr);
  view.SetImageIndex(4);
  ASSERT_TRUE(view.Picture().LoadFromData(testing::MakeBmp(2, 2)));
  TfrxXMLSerializer s;
  std::string attrs = s.WriteProperties(view);
  // ImageIndex belongs to compact objects only; the picture itself is inline.
  EXPECT_EQ(attrs.find("ImageIndex"), std::string::npos) << attrs;
  EXPECT_NE(attrs.find("Picture.PropData"), std::string::npos) << attrs;
  view.SetPictureStored(false);
  attrs = s.WriteProperties(view);
  EXPECT_EQ(attrs.find("Picture"), std::string::npos) << attrs;

  // Compact form: ImageIndex always, Transparent only when set, colour only when not white.
  TfrxPictureView tmpl(nullptr);
  EXPECT_EQ(view.WriteDifferences(tmpl), " ImageIndex=\"4\"");
  view.SetTransparent(true);
  view.SetTransparentColor(clBlack);
  EXPECT_EQ(view.WriteDifferences(tmpl), " ImageIndex=\"4\" Transparent=\"1\" TransparentColor=\"0\"");
}

TEST_F(GraphicClasses, LineAndShapeSettings) {
  TfrxXMLSerializer s;
  TfrxLineView line(nullptr);
  EXPECT_EQ(s.WriteObjectLine(line), "TfrxLineView Left=\"0\" Top=\"0\" Width=\"0\" Height=\"0\"");
  line.SetArrowStart(true);
  line.SetArrowLength(30);
  line.SetArrowWidth(5);
  line.SetDiagonal(true);
  EXPECT_EQ(s.WriteProperties(line),
            " Left=\"0\" Top=\"0\" Width=\"0\" Height=\"0\" ArrowLength=\"30\" ArrowStart=\"True\""
            " Diagonal=\"True\"");

  TfrxShapeView shape(nullptr);
  s.ApplyProperties("Shape=\"skTriangle\" Curve=\"4\" BrushStyle=\"3\" Cursor=\"-21\"", shape);
  EXPECT_EQ(shape.Shape(), skTriangle);
  EXPECT_EQ(shape.Curve(), 4);
  EXPECT_EQ(shape.BrushStyle(), bsVertical);
  EXPECT_EQ(shape.Cursor(), -21);
  // A line publishes no fill: its colour settings are not read.
  s.ApplyProperties("Color=\"255\" BrushStyle=\"2\"", line);
  EXPECT_EQ(line.Color(), clTransparent);
  EXPECT_EQ(line.BrushStyle(), bsSolid);
}

}  // namespace
}  // namespace quarlo
