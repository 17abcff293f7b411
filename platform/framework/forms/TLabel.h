#pragma once
// A caption on the form. Its accelerator ("&Tables:") moves the focus to
// its focus control; with AutoSize it takes the size of its text.
#include "forms/TGraphicControl.h"

class TWinControl;

class TLabel : public TGraphicControl {
  QUELM_CLASS(TLabel, TGraphicControl)

public:
  explicit TLabel(TComponent* owner);

  TWinControl* FocusControl() const { return FFocusControl.Get(); }
  void SetFocusControl(TWinControl* control) { FFocusControl = control; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment) { FAlignment = alignment; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool wrap) { FWordWrap = wrap; }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent) { FTransparent = transparent; }

  // The accelerator of the caption, lower case; 0 when it has none.
  char Accelerator() const;
  void Loaded() override;

protected:
  void TextChanged() override;

private:
  void AdjustSize();

  TComponentRef<TWinControl> FFocusControl;
  bool FAutoSize = true;
  TAlignment FAlignment = TAlignment::taLeftJustify;
  bool FWordWrap = false;
  bool FTransparent = false;
};
