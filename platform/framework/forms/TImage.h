#pragma once
// A picture placed on the form.
#include "forms/TGraphicControl.h"
#include "forms/TGraphics.h"

#include <memory>

class TImage : public TGraphicControl {
  QUELM_CLASS(TImage, TGraphicControl)

public:
  explicit TImage(TComponent* owner);

  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(TPicture* picture) { FPicture->Assign(picture); }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent) { FTransparent = transparent; }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool stretch) { FStretch = stretch; }
  bool Center() const { return FCenter; }
  void SetCenter(bool center) { FCenter = center; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize) { FAutoSize = autoSize; }

private:
  std::unique_ptr<TPicture> FPicture;
  bool FTransparent = false;
  bool FStretch = false;
  bool FCenter = false;
  bool FAutoSize = false;
};
