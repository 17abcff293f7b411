#include "designhost/TCollectionProperty.h"

#include "classes/TCollection.h"
#include "classes/TComponent.h"
#include "designhost/CollectionEditor.h"

QUELM_DEFINE_CLASS(TCollectionProperty, TClassProperty)

TPropertyAttributes TCollectionProperty::GetAttributes() {
  return {TPropertyAttribute::paDialog, TPropertyAttribute::paReadOnly};
}

TCollection* TCollectionProperty::GetCollection() const { return dynamic_cast<TCollection*>(GetObjectValue()); }

void TCollectionProperty::Edit() {
  ShowCollectionEditor(Designer(), dynamic_cast<TComponent*>(GetComponent(0)), GetCollection(), GetPropInfo()->Name);
}
