#include "forms/DibBitmap.h"

#include "rtl/Exceptions.h"

#include <cstdint>
#include <string>

namespace {
constexpr size_t InfoHeaderSize = 40;
constexpr int MaxSide = 1 << 14;

uint32_t U32(std::string_view b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
         uint32_t(uint8_t(b[at + 3])) << 24;
}
uint16_t U16(std::string_view b, size_t at) { return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8); }

[[noreturn]] void Fail(size_t offset, const std::string& reason) {
  throw EInvalidGraphic("bitmap, offset " + std::to_string(offset) + ": " + reason);
}

TColor Rgb(uint8_t red, uint8_t green, uint8_t blue) { return TColor(red | green << 8 | blue << 16); }
} // namespace

std::unique_ptr<TBitmap> BitmapFromDib(std::string_view bytes) {
  if (bytes.size() < InfoHeaderSize) Fail(bytes.size(), "the info header is cut short");
  const uint32_t headerSize = U32(bytes, 0);
  if (headerSize < InfoHeaderSize || headerSize > bytes.size()) Fail(0, "unknown header size " + std::to_string(headerSize));
  const int32_t width = int32_t(U32(bytes, 4));
  const int32_t rawHeight = int32_t(U32(bytes, 8));
  const bool topDown = rawHeight < 0;
  const int64_t height = topDown ? -int64_t(rawHeight) : rawHeight;
  const uint16_t bitCount = U16(bytes, 14);
  const uint32_t compression = U32(bytes, 16);
  uint32_t colorsUsed = U32(bytes, 32);
  if (width <= 0 || width > MaxSide || height <= 0 || height > MaxSide) Fail(4, "the size is out of range");
  if (compression != 0) Fail(16, "compressed bitmaps are not supported");
  if (bitCount != 8 && bitCount != 24) Fail(14, std::to_string(bitCount) + " bits per pixel are not supported");
  size_t at = headerSize;
  std::vector<TColor> table;
  if (bitCount == 8) {
    if (colorsUsed == 0) colorsUsed = 256;
    if (colorsUsed > 256) Fail(32, "the colour table is too large");
    if (bytes.size() < at + size_t(colorsUsed) * 4) Fail(bytes.size(), "the colour table is cut short");
    for (uint32_t i = 0; i < colorsUsed; ++i, at += 4)
      table.push_back(Rgb(uint8_t(bytes[at + 2]), uint8_t(bytes[at + 1]), uint8_t(bytes[at])));
  }
  const size_t rowBytes = (size_t(width) * bitCount / 8 + 3) & ~size_t(3);
  if (bytes.size() < at + rowBytes * size_t(height)) Fail(bytes.size(), "the pixels are cut short");
  auto bitmap = std::make_unique<TBitmap>(width, int(height));
  for (int64_t row = 0; row < height; ++row) {
    const size_t rowStart = at + rowBytes * size_t(row);
    const int y = int(topDown ? row : height - 1 - row);
    for (int x = 0; x < width; ++x) {
      if (bitCount == 8) {
        const uint8_t index = uint8_t(bytes[rowStart + size_t(x)]);
        if (index >= table.size()) Fail(rowStart + size_t(x), "a pixel's colour index is outside the table");
        bitmap->SetPixel(x, y, table[index]);
      } else {
        const size_t p = rowStart + size_t(x) * 3;
        bitmap->SetPixel(x, y, Rgb(uint8_t(bytes[p + 2]), uint8_t(bytes[p + 1]), uint8_t(bytes[p])));
      }
    }
  }
  return bitmap;
}
