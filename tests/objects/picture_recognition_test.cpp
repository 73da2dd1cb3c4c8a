// LoadPicture: where reading starts, the 8-byte container header and the result code
// for data of no known format.
#include <gtest/gtest.h>

#include <string>

#include "platform/stream.h"
#include "objects/picture_recognition.h"
#include "objects/picture_view_graphic.h"
#include "support/report_generator_pictures.h"

namespace quarlo {
namespace {

std::string ContainerHeader(size_t length) {
  std::string h("\x01\x00\x00\x01", 4);
  for (int i = 0; i < 4; ++i) h.push_back(static_cast<char>((length >> (8 * i)) & 0xff));
  return h;
}

TEST(LoadPictureTest, ContainerHeaderIsSkippedOnlyWhenItsLengthMatches) {
  const std::string jpeg = testing::MakeJpeg(8, 8);
  struct Case {
    const char* what;
    std::string bytes;
    TGraphicKind kind;
  };
  const Case cases[] = {
      {"plain JPEG", jpeg, TGraphicKind::Jpeg},
      {"JPEG after a matching header", ContainerHeader(jpeg.size()) + jpeg, TGraphicKind::Jpeg},
      // A wrong length: the header stays and 01 00 00 01 is no known signature.
      {"header with a wrong length", ContainerHeader(jpeg.size() + 1) + jpeg, TGraphicKind::None},
  };
  for (const Case& c : cases) {
    TPicture picture;
    MemoryStream stream(c.bytes);
    EXPECT_EQ(LoadPicture(picture, stream, true), c.kind == TGraphicKind::None ? E_INVALIDARG : 0)
        << c.what;
    EXPECT_EQ(picture.Kind(), c.kind) << c.what;
  }
}

TEST(LoadPictureTest, UnknownBytesGiveInvalidArgumentAndAnEmptyPicture) {
  TPicture picture;
  picture.LoadFromData(testing::MakeBmp(2, 2));
  MemoryStream stream(std::string("\x05\x04\x03\x02\x01", 5));
  EXPECT_EQ(LoadPicture(picture, stream, true), E_INVALIDARG);
  EXPECT_TRUE(picture.Empty());
  MemoryStream empty;
  EXPECT_EQ(LoadPicture(picture, empty, true), E_INVALIDARG);
}

TEST(LoadPictureTest, ReadingFromTheCurrentPositionTakesTheRestOfTheStream) {
  const std::string png = testing::MakePng(3, 7);
  const std::string prefix = "garbage";
  MemoryStream stream(prefix + ContainerHeader(png.size()) + png);
  stream.SetPosition(static_cast<int64_t>(prefix.size()));
  TPicture picture;
  ASSERT_EQ(LoadPicture(picture, stream, false), 0);
  EXPECT_EQ(picture.Kind(), TGraphicKind::Png);
  EXPECT_EQ(picture.Data(), png);
  EXPECT_EQ(picture.Height(), 7);
  // From the beginning the same stream starts with the garbage.
  EXPECT_EQ(LoadPicture(picture, stream, true), E_INVALIDARG);
}

}  // namespace
}  // namespace quarlo
