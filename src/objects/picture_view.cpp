#include "objects/picture_view.h"

#include "objects/property_differences.h"
#include "resources/resources.h"

namespace quarlo {

const ClassInfo& TfrxPictureView::StaticClass() {
  static const ClassInfo info = [] {
    using P = TfrxPictureView;
    auto b = QUARLO_CLASS_BUILDER(TfrxPictureView, TfrxView);
    PublishViewProperty(b, "Cursor");
    b.Bool("AutoSize", &P::AutoSize, &P::SetAutoSize).Default(false);
    b.Bool("Center", &P::Center, &P::SetCenter).Default(false);
    PublishViewProperty(b, "DataField");
    PublishViewProperty(b, "DataSet");
    PublishViewProperty(b, "DataSetName");
    PublishViewProperty(b, "Frame");
    b.String("FileLink", &P::FileLink, &P::SetFileLink);
    b.Integer("ImageIndex", &P::ImageIndex, &P::SetImageIndex)
        .StoredWhen<P>([](const P& p) { return p.imageIndexStored_; });
    b.Bool("KeepAspectRatio", &P::KeepAspectRatio, &P::SetKeepAspectRatio).Default(true);
    b.Object<TPicture>("Picture", &P::PictureObject).StoredWhen<P>([](const P& p) {
      return p.pictureStored_;
    });
    b.Bool("Stretched", &P::Stretched, &P::SetStretched).Default(true);
    PublishViewProperty(b, "TagStr");
    PublishViewProperty(b, "URL");
    b.Bool("HightQuality", &P::HightQuality, &P::SetHightQuality).Default(false);
    b.Bool("Transparent", &P::Transparent, &P::SetTransparent).Default(false);
    b.Integer("TransparentColor", &P::TransparentColor, &P::SetTransparentColor)
        .Default(clWhite);
    return b.Build();
  }();
  return info;
}

TfrxPictureView::TfrxPictureView(TComponent* owner) : TfrxView(owner) {
  picture_.OnChange = [this] { OnPictureChanged(); };
}

TfrxPictureView::~TfrxPictureView() { picture_.OnChange = nullptr; }

void TfrxPictureView::OnPictureChanged() {
  pictureChanged_ = true;
  if (autoSize_ && !picture_.Empty()) {
    SetWidth(picture_.Width());
    SetHeight(picture_.Height());
  }
}

void TfrxPictureView::SetAutoSize(bool v) {
  autoSize_ = v;
  if (autoSize_ && !picture_.Empty()) {
    SetWidth(picture_.Width());
    SetHeight(picture_.Height());
  }
}

int TfrxPictureView::LoadPicture(Stream& stream, bool fromBeginning) {
  return quarlo::LoadPicture(picture_, stream, fromBeginning);
}

std::string TfrxPictureView::GetDescription() const { return frxResources().Get("obPicture"); }

std::string TfrxPictureView::WriteDifferences(const TfrxComponent& tmpl) const {
  // Adding a changed picture to the prepared report's picture cache (which assigns
  // ImageIndex) is the business of the report engine that writes compact pages.
  std::string s = TfrxView::WriteDifferences(tmpl);
  DifferenceWriter w;
  w.Always("ImageIndex", std::to_string(imageIndex_));
  if (transparent_) w.Always("Transparent", "1");
  if (transparentColor_ != clWhite) w.Always("TransparentColor", std::to_string(transparentColor_));
  return s + w.Result();
}

}  // namespace quarlo
