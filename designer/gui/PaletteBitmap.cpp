#include "PaletteBitmap.h"

#include "rtl/Resources.h"

#include <QPainter>

#include <algorithm>
#include <cctype>

QImage WithKeyColourTransparent(const QImage& bitmap) {
  QImage image = bitmap.convertToFormat(QImage::Format_ARGB32);
  if (image.isNull()) return image;
  const QRgb key = image.pixel(0, image.height() - 1) | 0xFF000000u;
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if ((line[x] | 0xFF000000u) == key) line[x] = qRgba(0, 0, 0, 0);
  }
  return image;
}

namespace {

// "TDataSource" shows as "DS": the capitals after the leading T.
QString Initials(const std::string& className) {
  QString initials;
  for (size_t i = 1; i < className.size() && initials.size() < 2; ++i)
    if (std::isupper(static_cast<unsigned char>(className[i]))) initials += QChar(className[i]);
  return initials.isEmpty() ? QStringLiteral("?") : initials;
}

uint32_t U32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

// A bitmap resource is a device-independent bitmap without the file header
// a .bmp file starts with; the image reader wants the header.
QImage FromDib(const uint8_t* dib, size_t size) {
  if (size < 40) return {};
  uint32_t headerSize = U32(dib);
  unsigned bitCount = dib[14] | dib[15] << 8;
  uint32_t compression = U32(dib + 16);
  uint32_t colours = U32(dib + 32);
  if (colours == 0 && bitCount <= 8) colours = 1u << bitCount;
  uint32_t bits = 14 + headerSize + colours * 4 + (compression == 3 && headerSize == 40 ? 12 : 0);
  QByteArray file("BM", 2);
  auto put32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) file.append(static_cast<char>(v >> (8 * i) & 0xFF));
  };
  put32(static_cast<uint32_t>(14 + size));
  put32(0);
  put32(bits);
  file.append(reinterpret_cast<const char*>(dib), static_cast<qsizetype>(size));
  return QImage::fromData(file, "BMP");
}

QImage DrawnTile(const std::string& className) {
  QImage image(PaletteBitmapSize, PaletteBitmapSize, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QColor(90, 100, 120));
  p.setBrush(QColor(222, 228, 238));
  p.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 3, 3);
  QFont font = p.font();
  font.setPixelSize(9);
  font.setBold(true);
  p.setFont(font);
  p.drawText(QRect(0, 0, PaletteBitmapSize, PaletteBitmapSize), Qt::AlignCenter, Initials(className));
  return image;
}

} // namespace

QImage PaletteBitmap(const TResourceTable* resources, const std::string& className) {
  if (resources) {
    std::string name = className;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
    if (const TResourceEntry* entry = resources->Find("BITMAP", name)) {
      QImage bitmap = FromDib(entry->Data, entry->Size);
      if (!bitmap.isNull()) return WithKeyColourTransparent(bitmap);
    }
  }
  return DrawnTile(className);
}
