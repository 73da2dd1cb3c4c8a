#pragma once
// TPicture: the image held by a picture view, a page background or the report
// options. It keeps the image file bytes as they were read (bitmap, JPEG, PNG,
// Windows or enhanced metafile, icon), recognised by their signature, with the pixel
// size read from the file header. Decoding for drawing happens elsewhere.
//
// In documents the picture is the custom binary property "Data": the graphic class
// name as a length-prefixed string, then that class's data, which is the image file,
// in some classes preceded by its 32-bit length.

#include <functional>
#include <string>
#include <string_view>

#include "objects/property_model.h"

namespace quarlo {

enum class TGraphicKind { None, Bitmap, Jpeg, Png, Metafile, Icon };

// The kind of image that starts at the beginning of bytes, by signature, in the order
// bitmap, JPEG, PNG, placeable metafile, enhanced metafile, icon; None when unknown.
TGraphicKind RecogniseGraphic(std::string_view bytes);
// Class name written for a kind: "TBitmap", "TJPEGImage", "TPngObject", "TMetafile",
// "TIcon" ("" for None).
std::string_view GraphicClassName(TGraphicKind kind);

class TPicture : public TPersistent {
  QUARLO_CLASS(TPicture)
 public:
  TPicture() = default;
  TPicture(const TPicture& other);
  TPicture& operator=(const TPicture& other);  // copies the image, keeps OnChange
  bool operator==(const TPicture& other) const;

  bool Empty() const { return kind_ == TGraphicKind::None; }
  TGraphicKind Kind() const { return kind_; }
  // The image file bytes (empty for an empty picture).
  const std::string& Data() const { return data_; }
  // Pixel size from the image header; 0 when the header does not tell.
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Recognises and takes an image; an 8-byte container header (16-bit 1 and 256,
  // then the 32-bit length of the rest) is skipped first. Unknown bytes leave the
  // picture empty and return false.
  bool LoadFromData(std::string_view bytes);
  void Clear();

  // Runs after every change of the image.
  std::function<void()> OnChange;

  void DefineProperties(PropDataFiler& filer) override;

 private:
  void Changed();
  void ReadData(const std::string& bytes);
  std::string WriteData() const;

  TGraphicKind kind_ = TGraphicKind::None;
  std::string data_;
  int width_ = 0;
  int height_ = 0;
  // "Data" of a graphic class this system cannot recognise, kept verbatim so that
  // saving a document does not lose it. It draws as an empty picture.
  std::string foreignData_;
};

}  // namespace quarlo
