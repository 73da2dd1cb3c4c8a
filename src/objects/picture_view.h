#pragma once
// Picture objects: an image scaled into the object's rectangle. In prepared pages the
// image usually lives in the document's picture cache and the object names it by
// ImageIndex; a complete page written by this system carries it inline.

#include <string>

#include "objects/picture_recognition.h"
#include "objects/picture_view_graphic.h"
#include "objects/view.h"

namespace quarlo {

class Stream;

class TfrxPictureView : public TfrxView {
  QUARLO_CLASS(TfrxPictureView)
 public:
  explicit TfrxPictureView(TComponent* owner);
  ~TfrxPictureView() override;

  TPicture& Picture() { return picture_; }
  const TPicture& Picture() const { return picture_; }
  TPicture* PictureObject() const { return const_cast<TPicture*>(&picture_); }

  bool AutoSize() const { return autoSize_; }
  // With AutoSize the object takes the picture's pixel size (now and on every change).
  void SetAutoSize(bool v);
  bool Center() const { return center_; }
  void SetCenter(bool v) { center_ = v; }
  const std::string& FileLink() const { return fileLink_; }
  void SetFileLink(const std::string& v) { fileLink_ = v; }
  // 1-based position in the picture cache; 0 for none.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v) { imageIndex_ = v; }
  bool KeepAspectRatio() const { return keepAspectRatio_; }
  void SetKeepAspectRatio(bool v) { keepAspectRatio_ = v; }
  bool Stretched() const { return stretched_; }
  void SetStretched(bool v) { stretched_ = v; }
  bool HightQuality() const { return hightQuality_; }
  void SetHightQuality(bool v) { hightQuality_ = v; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v; }
  TColor TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(TColor v) { transparentColor_ = v; }

  // Whether Picture and ImageIndex are written as published properties. Only a report
  // engine changes them (it moves pictures into the cache of the prepared report).
  bool IsPictureStored() const { return pictureStored_; }
  void SetPictureStored(bool v) { pictureStored_ = v; }
  bool IsImageIndexStored() const { return imageIndexStored_; }
  void SetImageIndexStored(bool v) { imageIndexStored_ = v; }
  // Set by every picture change; cleared by whoever stores the picture in a cache.
  bool PictureChanged() const { return pictureChanged_; }
  void SetPictureChanged(bool v) { pictureChanged_ = v; }

  // Reads the rest of the stream (from its beginning or its position) as a picture:
  // 0 on success, E_INVALIDARG (and an empty picture) when it is not recognised.
  int LoadPicture(Stream& stream, bool fromBeginning);

  void Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
            double offsetY) override;
  std::string GetDescription() const override;
  // View attributes, then always ImageIndex, Transparent when set and
  // TransparentColor when not white.
  std::string WriteDifferences(const TfrxComponent& tmpl) const override;

 private:
  void OnPictureChanged();

  TPicture picture_;
  bool autoSize_ = false;
  bool center_ = false;
  std::string fileLink_;
  int imageIndex_ = 0;
  bool keepAspectRatio_ = true;
  bool stretched_ = true;
  bool hightQuality_ = false;
  bool transparent_ = false;
  TColor transparentColor_ = clWhite;
  bool pictureStored_ = true;
  bool imageIndexStored_ = false;
  bool pictureChanged_ = false;
};

}  // namespace quarlo
