#pragma once
// A control of a form built from its form definition, by name and class. A
// definition that lacks it is a fault of the definition, reported by name.
#include "classes/TComponent.h"
#include "rtl/Exceptions.h"

#include <string>

template <class T>
T* FindFormControl(TComponent& form, const char* name) {
  auto* control = dynamic_cast<T*>(form.FindComponent(name));
  if (!control)
    throw EComponentError(std::string("The form definition of ") + form.ClassName() + " has no " + name);
  return control;
}
