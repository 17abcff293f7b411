#pragma once
// The designer that the fields editor of a suite dataset uses: it offers
// internal-calculated fields and no aggregate fields.
#include "designhost/TDSDesigner.h"

class TQuelmDesigner : public TDSDesigner {
  QUELM_CLASS(TQuelmDesigner, TDSDesigner)

public:
  using TDSDesigner::TDSDesigner;
  bool SupportsAggregates() override;
  bool SupportsInternalCalc() override;
};
