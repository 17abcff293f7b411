#include "forms/TLabel.h"

#include "forms/TWidgetSet.h"
#include "forms/TWinControl.h"


QUELM_DEFINE_CLASS(TLabel, TGraphicControl, b.ComponentFactory();
                   b.Property("Alignment", TypeInfoAlignment(), &TLabel::Alignment, &TLabel::SetAlignment).Default(0);
                   b.Property("AutoSize", TypeInfoBoolean(), &TLabel::AutoSize, &TLabel::SetAutoSize).Default(1);
                   b.Property("Caption", TypeInfoCaption(), &TLabel::Caption, &TLabel::SetCaption);
                   b.Property("FocusControl", TWinControl::StaticClass().TypeInfo(), &TLabel::FocusControl,
                              &TLabel::SetFocusControl);
                   b.Property("Transparent", TypeInfoBoolean(), &TLabel::Transparent, &TLabel::SetTransparent)
                       .Default(0);
                   b.Property("WordWrap", TypeInfoBoolean(), &TLabel::WordWrap, &TLabel::SetWordWrap).Default(0);
                   b.Event("OnClick", TypeInfoNotifyEvent(), &TLabel::OnClick);
                   b.Event("OnDblClick", TypeInfoNotifyEvent(), &TLabel::OnDblClick))

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 65, 13); }

void TLabel::SetAutoSize(bool autoSize) {
  FAutoSize = autoSize;
  AdjustSize();
}

void TLabel::TextChanged() { AdjustSize(); }

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  // The stored size came from the designer's font: it is measured again in
  // the one the widgetset shows.
  AdjustSize();
}

void TLabel::AdjustSize() {
  if (!FAutoSize || IsLoading()) return;
  TTextExtent extent = WidgetSet().TextExtent(StripHotkey(Caption()));
  SetBounds(Left(), Top(), extent.Width, extent.Height);
}

char TLabel::Accelerator() const { return AcceleratorChar(Caption()); }
