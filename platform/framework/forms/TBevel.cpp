#include "forms/TBevel.h"

QUELM_DEFINE_CLASS(TBevel, TGraphicControl, b.ComponentFactory();
                   b.Property("Shape", TypeInfoBevelShape(), &TBevel::Shape, &TBevel::SetShape).Default(0);
                   b.Property("Style", TypeInfoBevelStyle(), &TBevel::Style, &TBevel::SetStyle).Default(0))

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 50, 50); }
