#include "forms/DibReader.h"

#include "rtl/Format.h"

#include <cstdint>
#include <vector>

namespace {
constexpr size_t FileHeaderSize = 14;
constexpr size_t InfoHeaderSize = 40;
constexpr uint32_t BiRgb = 0;
constexpr int MaxSide = 1 << 15;

class TReader {
public:
  TReader(std::string_view bytes, size_t base) : FBytes(bytes), FBase(base) {}
  uint32_t U32(size_t at) const { return Byte(at) | Byte(at + 1) << 8 | Byte(at + 2) << 16 | uint32_t(Byte(at + 3)) << 24; }
  int32_t I32(size_t at) const { return static_cast<int32_t>(U32(at)); }
  uint16_t U16(size_t at) const { return static_cast<uint16_t>(Byte(at) | Byte(at + 1) << 8); }
  uint32_t Byte(size_t at) const {
    if (FBase + at >= FBytes.size())
      throw EInvalidGraphic(Format("Bitmap ends early: byte %d is past its end (%d bytes)",
                                   {static_cast<int>(FBase + at), static_cast<int>(FBytes.size())}));
    return static_cast<unsigned char>(FBytes[FBase + at]);
  }
  [[noreturn]] void Fail(size_t at, const std::string& what) const {
    throw EInvalidGraphic(Format("Bitmap at byte %d: %s", {static_cast<int>(FBase + at), what}));
  }

private:
  std::string_view FBytes;
  size_t FBase;
};

TColor Rgb(uint32_t blue, uint32_t green, uint32_t red) { return static_cast<TColor>(red | green << 8 | blue << 16); }
} // namespace

std::unique_ptr<TBitmap> ReadDib(std::string_view bytes) {
  size_t base = 0;
  size_t pixelOffset = 0;  // from the info header when 0
  bool file = bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
  if (file) {
    TReader header(bytes, 0);
    pixelOffset = header.U32(10);
    base = FileHeaderSize;
  }
  TReader in(bytes, base);
  uint32_t headerSize = in.U32(0);
  if (headerSize < InfoHeaderSize) in.Fail(0, Format("unsupported header size %d", {static_cast<int>(headerSize)}));
  int32_t width = in.I32(4), height = in.I32(8);
  int bits = in.U16(14);
  uint32_t compression = in.U32(16);
  uint32_t colorsUsed = in.U32(32);
  bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide)
    in.Fail(4, Format("bad size %d x %d", {static_cast<int>(width), static_cast<int>(height)}));
  if (compression != BiRgb) in.Fail(16, "compressed bitmaps are not supported");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
    in.Fail(14, Format("unsupported %d bits a pixel", {bits}));

  std::vector<TColor> palette;
  size_t paletteAt = headerSize;
  if (bits <= 8) {
    size_t count = colorsUsed ? colorsUsed : size_t(1) << bits;
    if (count > 256) in.Fail(32, Format("palette of %d colours", {static_cast<int>(count)}));
    for (size_t i = 0; i < count; ++i) {
      size_t at = paletteAt + 4 * i;
      palette.push_back(Rgb(in.Byte(at), in.Byte(at + 1), in.Byte(at + 2)));
    }
  }
  size_t pixels = file ? pixelOffset - base : paletteAt + 4 * palette.size();
  if (file && pixelOffset < base + headerSize) in.Fail(0, "pixel data overlaps the header");
  size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;

  auto bitmap = std::make_unique<TBitmap>(width, height);
  for (int row = 0; row < height; ++row) {
    int y = topDown ? row : height - 1 - row;
    size_t line = pixels + stride * static_cast<size_t>(row);
    for (int x = 0; x < width; ++x) {
      TColor color;
      if (bits >= 24) {
        size_t at = line + static_cast<size_t>(x) * (bits / 8);
        color = Rgb(in.Byte(at), in.Byte(at + 1), in.Byte(at + 2));
      } else {
        size_t bit = static_cast<size_t>(x) * bits;
        uint32_t byte = in.Byte(line + bit / 8);
        uint32_t index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        if (index >= palette.size()) in.Fail(line + bit / 8, Format("colour %d is not in the palette", {static_cast<int>(index)}));
        color = palette[index];
      }
      bitmap->SetPixel(x, y, color);
    }
  }
  return bitmap;
}
