#include "designhost/PropertyAttributes.h"

const char* PropertyAttributeName(TPropertyAttribute attribute) {
  switch (attribute) {
  case TPropertyAttribute::paValueList: return "paValueList";
  case TPropertyAttribute::paSubProperties: return "paSubProperties";
  case TPropertyAttribute::paDialog: return "paDialog";
  case TPropertyAttribute::paMultiSelect: return "paMultiSelect";
  case TPropertyAttribute::paAutoUpdate: return "paAutoUpdate";
  case TPropertyAttribute::paSortList: return "paSortList";
  case TPropertyAttribute::paReadOnly: return "paReadOnly";
  case TPropertyAttribute::paRevertable: return "paRevertable";
  case TPropertyAttribute::paFullWidthName: return "paFullWidthName";
  case TPropertyAttribute::paVolatileSubProperties: return "paVolatileSubProperties";
  case TPropertyAttribute::paVCL: return "paVCL";
  case TPropertyAttribute::paNotNestable: return "paNotNestable";
  case TPropertyAttribute::paDisplayReadOnly: return "paDisplayReadOnly";
  case TPropertyAttribute::paCustomDropDown: return "paCustomDropDown";
  case TPropertyAttribute::paValueEditable: return "paValueEditable";
  }
  return "";
}
