#pragma once
// A drawing surface bound to a control: text metrics for layout, and
// pictures drawn straight onto the control's window. What is drawn this way
// is not part of the control's own painting, so its next repaint wipes it.
#include "forms/TControl.h"
#include "forms/TWidgetSet.h"

#include <string>

class TGraphic;

class TControlCanvas {
public:
  TControlCanvas() = default;
  TControlCanvas(const TControlCanvas&) = delete;
  TControlCanvas& operator=(const TControlCanvas&) = delete;

  TControl* Control() const { return FControl.Get(); }
  void SetControl(TControl* control) { FControl = control; }

  int TextWidth(const std::string& text) const { return TextExtent(text).Width; }
  int TextHeight(const std::string& text) const { return TextExtent(text).Height; }
  TTextExtent TextExtent(const std::string& text) const;
  // Draws at (x, y) in the control's coordinates; nothing without a control.
  void Draw(int x, int y, const TGraphic& graphic);

private:
  TComponentRef<TControl> FControl;
};
