#include "designhost/TComponentProperty.h"

#include "classes/TComponent.h"
#include "rtl/Format.h"

QUELM_DEFINE_CLASS(TComponentProperty, TPropertyEditor)

TPropertyAttributes TComponentProperty::GetAttributes() {
  return {TPropertyAttribute::paMultiSelect, TPropertyAttribute::paValueList, TPropertyAttribute::paSortList,
          TPropertyAttribute::paRevertable};
}

int TComponentProperty::GetEditLimit() { return 127; }

std::string TComponentProperty::GetValue() {
  auto* component = dynamic_cast<TComponent*>(GetObjectValue());
  if (!component) return "";
  return Designer() ? Designer()->GetComponentName(component) : component->Name();
}

void TComponentProperty::GetValues(const TGetStrProc& proc) {
  if (Designer()) Designer()->GetComponentNames(*GetPropType(), proc);
}

void TComponentProperty::SetValue(const std::string& value) {
  if (value.empty()) {
    SetObjectValue(nullptr);
    return;
  }
  TComponent* component = Designer() ? Designer()->GetComponent(value) : nullptr;
  const TClassInfo* wanted = GetPropType()->ClassType;
  if (!component || (wanted && !component->InheritsFrom(*wanted)))
    throw EPropertyError(Format("'%s' is not a valid property value", {value}));
  SetObjectValue(component);
}
