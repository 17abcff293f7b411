#include "forms/TGraphics.h"

#include "forms/TControl.h"

QUELM_DEFINE_CLASS(TGraphic, TPersistent)
QUELM_DEFINE_CLASS(TBitmap, TGraphic, b.DefaultFactory())
QUELM_DEFINE_CLASS(TPicture, TPersistent, b.DefaultFactory())

void TBitmap::SetSize(int width, int height, TColor fill) {
  FWidth = width < 0 ? 0 : width;
  FHeight = height < 0 ? 0 : height;
  FPixels.assign(static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight), fill);
}

TColor TBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) throw EInvalidOperation("Pixel outside the bitmap");
  return FPixels[static_cast<size_t>(y) * static_cast<size_t>(FWidth) + static_cast<size_t>(x)];
}

void TBitmap::SetPixel(int x, int y, TColor color) {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) throw EInvalidOperation("Pixel outside the bitmap");
  FPixels[static_cast<size_t>(y) * static_cast<size_t>(FWidth) + static_cast<size_t>(x)] = color;
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(this);
  return copy;
}

void TBitmap::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TBitmap*>(source)) {
    FWidth = other->FWidth;
    FHeight = other->FHeight;
    FPixels = other->FPixels;
    SetTransparent(other->Transparent());
    return;
  }
  TGraphic::Assign(source);
}

TBitmap& TPicture::Bitmap() {
  auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get());
  if (!bitmap) {
    FGraphic = std::make_unique<TBitmap>();
    bitmap = static_cast<TBitmap*>(FGraphic.get());
  }
  return *bitmap;
}

void TPicture::Assign(const TPersistent* source) {
  if (!source) {
    FGraphic.reset();
    return;
  }
  if (auto* picture = dynamic_cast<const TPicture*>(source)) {
    SetGraphic(picture->Graphic());
    return;
  }
  if (auto* graphic = dynamic_cast<const TGraphic*>(source)) {
    SetGraphic(graphic);
    return;
  }
  TPersistent::Assign(source);
}
