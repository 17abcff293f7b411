#include "forms/TImage.h"

QUELM_DEFINE_CLASS(TImage, TGraphicControl, b.ComponentFactory();
                   b.Property("AutoSize", TypeInfoBoolean(), &TImage::AutoSize, &TImage::SetAutoSize).Default(0);
                   b.Property("Center", TypeInfoBoolean(), &TImage::Center, &TImage::SetCenter).Default(0);
                   b.Property("Picture", TPicture::StaticClass().TypeInfo(), &TImage::Picture, &TImage::SetPicture);
                   b.Property("Stretch", TypeInfoBoolean(), &TImage::Stretch, &TImage::SetStretch).Default(0);
                   b.Property("Transparent", TypeInfoBoolean(), &TImage::Transparent, &TImage::SetTransparent)
                       .Default(0);
                   b.Event("OnClick", TypeInfoNotifyEvent(), &TImage::OnClick))

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(std::make_unique<TPicture>()) {
  SetBounds(0, 0, 105, 105);
}
