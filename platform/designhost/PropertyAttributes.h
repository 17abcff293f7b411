#pragma once
// What a property editor tells the inspector about its property, as a set
// whose member n is bit n.
#include "classes/TValue.h"

enum class TPropertyAttribute {
  paValueList,        // bit 0: a drop-down of values
  paSubProperties,    // bit 1
  paDialog,           // bit 2: an ellipsis button that calls Edit
  paMultiSelect,      // bit 3: kept when several components are selected
  paAutoUpdate,       // bit 4
  paSortList,         // bit 5: the inspector sorts the drop-down
  paReadOnly,         // bit 6
  paRevertable,       // bit 7
  paFullWidthName,
  paVolatileSubProperties,
  paVCL,
  paNotNestable,
  paDisplayReadOnly,
  paCustomDropDown,
  paValueEditable,
};
using TPropertyAttributes = TSet<TPropertyAttribute>;

const char* PropertyAttributeName(TPropertyAttribute attribute);
