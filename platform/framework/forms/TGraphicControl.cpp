#include "forms/TGraphicControl.h"

QUELM_DEFINE_CLASS(TGraphicControl, TControl)
