// The picture cache: one entry per "picturecache" item, pictures handed to objects by
// ImageIndex straight from the shared buffers, and the section written back in upper
// case hexadecimal whatever case it was read in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/picture_cache.h"
#include "xml/xml_document.h"
#include "objects/picture_view_graphic.h"
#include "support/report_generator_pictures.h"

namespace quarlo {
namespace {

using testing::MakeBmp;
using testing::MakeJpeg;
using testing::MakePng;

std::string Hex(const std::string& bytes, bool lower = false) {
  const char* digits = lower ? "0123456789abcdef" : "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

// A "picturecache" element whose items carry the given stream texts as they stand.
void FillSection(TfrxXMLItem& section, const std::vector<std::string>& streams) {
  section.Name = "picturecache";
  for (const std::string& s : streams) {
    TfrxXMLItem* item = section.Add();
    item->Name = "item";
    item->Text = "stream=\"" + s + "\"";
  }
}

class PictureCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bmp = MakeBmp(3, 2);
    png = MakePng(5, 4);
    jpeg = MakeJpeg(16, 8);
    FillSection(section, {Hex(bmp), Hex(png, true), Hex(jpeg)});
    cache.LoadFromXML(section);
  }
  std::string bmp, png, jpeg;
  TfrxXMLItem section;
  TfrxPictureCache cache;
};

TEST_F(PictureCacheTest, ImageIndexSelectsTheItemAndOutOfRangeLeavesThePictureEmpty) {
  struct Case {
    int imageIndex;
    TGraphicKind kind;
    int width, height;
  };
  const Case cases[] = {
      {1, TGraphicKind::Bitmap, 3, 2}, {2, TGraphicKind::Png, 5, 4},
      {3, TGraphicKind::Jpeg, 16, 8},  {4, TGraphicKind::None, 0, 0},
      {0, TGraphicKind::None, 0, 0},   {-1, TGraphicKind::None, 0, 0},
  };
  ASSERT_EQ(cache.Count(), 3);
  for (const Case& c : cases) {
    TPicture picture;
    picture.LoadFromData(MakeBmp(1, 1));  // something to be replaced or emptied
    cache.GetPicture(picture, c.imageIndex);
    EXPECT_EQ(picture.Kind(), c.kind) << "ImageIndex " << c.imageIndex;
    EXPECT_EQ(picture.Width(), c.width) << "ImageIndex " << c.imageIndex;
    EXPECT_EQ(picture.Height(), c.height) << "ImageIndex " << c.imageIndex;
  }
  TPicture picture;
  cache.GetPicture(picture, 2);
  EXPECT_EQ(picture.Data(), png);
}

TEST_F(PictureCacheTest, PictureBytesAreASliceOfTheSharedBufferNotACopy) {
  const auto first = cache.PictureBytes(2);
  const auto again = cache.PictureBytes(2);
  ASSERT_TRUE(first && again);
  EXPECT_EQ(first->data(), again->data());
  EXPECT_EQ(std::string(*first), png);
  // Neighbours end exactly where the next one starts.
  EXPECT_EQ(cache.PictureBytes(1)->data() + bmp.size(), first->data());
  EXPECT_FALSE(cache.PictureBytes(4));
}

TEST_F(PictureCacheTest, SavingWritesEveryItemInUpperCaseAndReplacesOldChildren) {
  TfrxXMLItem out;
  FillSection(out, {"00", "11", "22", "33", "44"});
  cache.SaveToXML(out);
  ASSERT_EQ(out.Count(), 3);
  EXPECT_EQ(out.Items(0)->Name, "item");
  EXPECT_EQ(out.Items(0)->Prop("stream"), Hex(bmp));
  EXPECT_EQ(out.Items(1)->Prop("stream"), Hex(png));  // was lower case
  EXPECT_EQ(out.Items(2)->Prop("stream"), Hex(jpeg));
  // Saving does not change the cache.
  EXPECT_EQ(std::string(*cache.PictureBytes(3)), jpeg);
}

TEST(PictureCacheHexTest, OddDigitsInvalidPairsAndEmptyStreams) {
  struct Case {
    const char* stream;
    std::string bytes;
  };
  const Case cases[] = {
      {"", ""},
      {"4142", "AB"},
      {"41424", "AB"},      // odd trailing digit ignored
      {"4a4B", "JK"},       // either case
      {"41zz42", "A"},      // decoding stops at the first pair that is no hex
      {"41 42", "A"},
  };
  for (const Case& c : cases) {
    TfrxXMLItem section;
    FillSection(section, {c.stream});
    TfrxPictureCache cache;
    cache.LoadFromXML(section);
    ASSERT_EQ(cache.Count(), 1) << c.stream;
    EXPECT_EQ(std::string(*cache.PictureBytes(1)), c.bytes) << c.stream;
  }
}

TEST(PictureCacheHexTest, AZeroByteItemGivesAnEmptyPictureButKeepsItsPlace) {
  TfrxXMLItem section;
  FillSection(section, {"", Hex(MakeBmp(2, 2))});
  TfrxPictureCache cache;
  cache.LoadFromXML(section);
  TPicture picture;
  cache.GetPicture(picture, 1);
  EXPECT_TRUE(picture.Empty());
  cache.GetPicture(picture, 2);
  EXPECT_EQ(picture.Kind(), TGraphicKind::Bitmap);
}

TEST(PictureCacheBuffersTest, ANewBufferStartsOnlyOnceTheLastIsOverTheLimit) {
  // With a limit of 10 bytes: 6 + 6 fill the first buffer past the limit, so the
  // third picture starts a second one; its neighbour's end is its buffer's end.
  TfrxXMLItem section;
  FillSection(section, {"414141414141", "424242424242", "4343", "4444444444444444444444"});
  TfrxPictureCache cache(10);
  cache.LoadFromXML(section);
  EXPECT_EQ(cache.BufferCount(), 2);
  const char* expected[] = {"AAAAAA", "BBBBBB", "CC", "DDDDDDDDDDD"};
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(std::string(*cache.PictureBytes(i)), expected[i - 1]) << i;
  }
  TfrxXMLItem out;
  cache.SaveToXML(out);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(out.Items(i)->Prop("stream"), section.Items(i)->Prop("stream"));
}

TEST(PictureCacheAddTest, AddingAppendsAndAnEmptyPictureGetsIndexZero) {
  TfrxPictureCache cache;
  TPicture empty, picture;
  picture.LoadFromData(MakePng(2, 2));
  EXPECT_EQ(cache.AddPicture(empty), 0);
  EXPECT_EQ(cache.AddPicture(picture), 1);
  EXPECT_EQ(cache.AddPicture(picture), 2);
  EXPECT_EQ(cache.Count(), 2);
  cache.Clear();
  EXPECT_EQ(cache.Count(), 0);
  EXPECT_FALSE(cache.PictureBytes(1));
}

}  // namespace
}  // namespace quarlo
