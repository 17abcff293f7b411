#include "classes/TAlignment.h"

const TTypeInfo& TypeInfoAlignment() {
  static const TTypeInfo info = MakeEnumType("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
  return info;
}
