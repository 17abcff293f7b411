#include "editors/TQuelmDesigner.h"

QUELM_DEFINE_CLASS(TQuelmDesigner, TDSDesigner)

bool TQuelmDesigner::SupportsAggregates() { return false; }

bool TQuelmDesigner::SupportsInternalCalc() { return true; }
