#include "designhost/TDSDesigner.h"

QUELM_DEFINE_CLASS(TDSDesigner, TObject)

bool TDSDesigner::SupportsAggregates() { return false; }

bool TDSDesigner::SupportsInternalCalc() { return false; }
