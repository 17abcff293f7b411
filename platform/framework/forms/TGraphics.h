#pragma once
// Pictures: a graphic with a size and a transparent flag, the bitmap with
// its pixels, and the picture a TImage holds.
#include "classes/TPersistent.h"

#include <cstdint>
#include <memory>
#include <vector>

// Colours as the host holds them: 0x00BBGGRR.
using TColor = int32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clFuchsia = 0xFF00FF;

class TGraphic : public TPersistent {
  QUELM_CLASS(TGraphic, TPersistent)

public:
  TGraphic() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent) { FTransparent = transparent; }
  virtual std::unique_ptr<TGraphic> Clone() const = 0;

private:
  bool FTransparent = false;
};

class TBitmap : public TGraphic {
  QUELM_CLASS(TBitmap, TGraphic)

public:
  TBitmap() = default;
  TBitmap(int width, int height, TColor fill = clWhite) { SetSize(width, height, fill); }

  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  void SetSize(int width, int height, TColor fill = clWhite);
  // Raises EInvalidOperation outside the bitmap.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);
  // The colour drawn as see-through when the bitmap is transparent: that of
  // the bottom-left pixel, as the host takes it.
  TColor TransparentColor() const { return FHeight > 0 ? Pixel(0, FHeight - 1) : clWhite; }
  std::unique_ptr<TGraphic> Clone() const override;
  void Assign(const TPersistent* source) override;

private:
  int FWidth = 0, FHeight = 0;
  std::vector<TColor> FPixels;
};

class TPicture : public TPersistent {
  QUELM_CLASS(TPicture, TPersistent)

public:
  TPicture() = default;
  TGraphic* Graphic() const { return FGraphic.get(); }
  void SetGraphic(const TGraphic* graphic) { FGraphic = graphic ? graphic->Clone() : nullptr; }
  // The picture's bitmap, made empty when the picture holds none.
  TBitmap& Bitmap();
  int Width() const { return FGraphic ? FGraphic->Width() : 0; }
  int Height() const { return FGraphic ? FGraphic->Height() : 0; }
  void Assign(const TPersistent* source) override;

private:
  std::unique_ptr<TGraphic> FGraphic;
};
