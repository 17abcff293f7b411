#include "designhost/TClassProperty.h"

QUELM_DEFINE_CLASS(TClassProperty, TPropertyEditor)

TPropertyAttributes TClassProperty::GetAttributes() {
  return {TPropertyAttribute::paMultiSelect, TPropertyAttribute::paSubProperties, TPropertyAttribute::paReadOnly};
}

std::string TClassProperty::GetValue() { return "(" + GetPropType()->Name + ")"; }
