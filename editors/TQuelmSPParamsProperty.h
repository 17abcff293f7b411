#pragma once
// A stored procedure's Params: the parameters are refreshed from the server,
// then the host's collection editor opens on them.
#include "designhost/TCollectionProperty.h"

class TQuelmSPParamsProperty : public TCollectionProperty {
  QUELM_CLASS(TQuelmSPParamsProperty, TCollectionProperty)

public:
  using TCollectionProperty::TCollectionProperty;
  void Edit() override;
};
