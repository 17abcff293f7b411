#include "runtime/QuelmTypes.h"

const TTypeInfo& TypeInfoQuelmDorvikAbout() {
  static const TTypeInfo info = MakeStringType("TQuelmDorvikAbout");
  return info;
}

const TTypeInfo& TypeInfoQuelmUpdateKind() {
  static const TTypeInfo info = MakeEnumType("TQuelmUpdateKind", {"ukModify", "ukInsert", "ukDelete", "ukRefresh"});
  return info;
}

const TTypeInfo& TypeInfoQuelmInternalSelectRoutinesType() {
  static const TTypeInfo info =
      MakeEnumType("TQuelmInternalSelectRoutinesType", {"srtProcedures", "srtFunctions"});
  return info;
}
