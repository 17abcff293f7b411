#pragma once
// The host's editor of collection properties: Edit opens the collection editor.
#include "designhost/TClassProperty.h"

class TCollection;

class TCollectionProperty : public TClassProperty {
  QUELM_CLASS(TCollectionProperty, TClassProperty)

public:
  using TClassProperty::TClassProperty;
  TPropertyAttributes GetAttributes() override;
  void Edit() override;
  TCollection* GetCollection() const;
};
