#include "forms/TControlCanvas.h"

#include "forms/TWinControl.h"

TTextExtent TControlCanvas::TextExtent(const std::string& text) const {
  // Measured in the control's own font when there is a control.
  if (TControl* control = FControl.Get()) return WidgetSet().ControlTextExtent(*control, text);
  return WidgetSet().TextExtent(text);
}

void TControlCanvas::Draw(int x, int y, const TGraphic& graphic) {
  // A control without a window of its own draws on its parent's, offset by
  // its place there.
  TControl* control = FControl.Get();
  while (control && !dynamic_cast<TWinControl*>(control)) {
    x += control->Left();
    y += control->Top();
    control = control->Parent();
  }
  if (!control) return;
  auto& windowed = static_cast<TWinControl&>(*control);
  WidgetSet().DrawGraphic(windowed.Handle(), x, y, graphic);
}
