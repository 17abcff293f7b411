#include "designhost/TClassProperty.h"

#include "classes/TPersistent.h"
#include "classes/TClassInfo.h"
#include "designhost/DesignRegistry.h"
#include "streaming/PropertyValues.h"

QUELM_DEFINE_CLASS(TClassProperty, TPropertyEditor)

TPropertyAttributes TClassProperty::GetAttributes() {
  return {TPropertyAttribute::paMultiSelect, TPropertyAttribute::paSubProperties, TPropertyAttribute::paReadOnly};
}

void TClassProperty::GetProperties(const TGetPropProc& proc) {
  std::vector<TPersistent*> subObjects;
  for (int i = 0; i < PropCount(); ++i) {
    TPersistent* sub = SubObject(*GetComponent(i), *GetPropInfo());
    if (!sub) return;
    subObjects.push_back(sub);
  }
  if (subObjects.empty()) return;
  for (const TPropInfo* prop : subObjects.front()->ClassType().Properties()) {
    bool shared = true;
    for (TPersistent* sub : subObjects) shared = shared && sub->ClassType().FindProperty(prop->Name);
    if (shared) proc(TDesignRegistry::Instance().CreatePropertyEditor(Designer(), subObjects, prop->Name));
  }
}

std::string TClassProperty::GetValue() { return "(" + GetPropType()->Name + ")"; }
