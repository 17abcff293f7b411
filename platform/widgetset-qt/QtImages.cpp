#include "widgetset-qt/QtImages.h"

#include "forms/TGraphics.h"

namespace QtImages {
QImage ImageOf(const TGraphic& graphic) {
  auto* bitmap = dynamic_cast<const TBitmap*>(&graphic);
  if (!bitmap || bitmap->Width() <= 0 || bitmap->Height() <= 0) return {};
  QImage image(bitmap->Width(), bitmap->Height(), QImage::Format_ARGB32);
  bool transparent = graphic.Transparent();
  TColor clear = bitmap->TransparentColor();
  for (int y = 0; y < bitmap->Height(); ++y)
    for (int x = 0; x < bitmap->Width(); ++x) {
      TColor c = bitmap->Pixel(x, y);
      int alpha = transparent && c == clear ? 0 : 255;
      image.setPixel(x, y, qRgba(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF, alpha));
    }
  return image;
}
} // namespace QtImages
