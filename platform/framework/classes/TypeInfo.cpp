#include "classes/TypeInfo.h"

namespace {
TTypeInfo Simple(TTypeKind kind, const char* name) {
  TTypeInfo info;
  info.Kind = kind;
  info.Name = name;
  return info;
}
} // namespace

const TTypeInfo& TypeInfoString() {
  static const TTypeInfo info = Simple(TTypeKind::tkString, "string");
  return info;
}
const TTypeInfo& TypeInfoFileName() {
  static const TTypeInfo info = Simple(TTypeKind::tkString, "TFileName");
  return info;
}
const TTypeInfo& TypeInfoBoolean() {
  static const TTypeInfo info = MakeEnumType("Boolean", {"False", "True"});
  return info;
}
const TTypeInfo& TypeInfoInteger() {
  static const TTypeInfo info = Simple(TTypeKind::tkInteger, "Integer");
  return info;
}
const TTypeInfo& TypeInfoCardinal() {
  static const TTypeInfo info = Simple(TTypeKind::tkInteger, "Cardinal");
  return info;
}
const TTypeInfo& TypeInfoInt64() {
  static const TTypeInfo info = Simple(TTypeKind::tkInt64, "Int64");
  return info;
}
const TTypeInfo& TypeInfoDouble() {
  static const TTypeInfo info = Simple(TTypeKind::tkFloat, "Double");
  return info;
}
const TTypeInfo& TypeInfoDateTime() {
  static const TTypeInfo info = Simple(TTypeKind::tkFloat, "TDateTime");
  return info;
}
const TTypeInfo& TypeInfoCurrency() {
  static const TTypeInfo info = Simple(TTypeKind::tkFloat, "Currency");
  return info;
}
const TTypeInfo& TypeInfoChar() {
  static const TTypeInfo info = Simple(TTypeKind::tkChar, "Char");
  return info;
}
const TTypeInfo& TypeInfoVariant() {
  static const TTypeInfo info = Simple(TTypeKind::tkVariant, "Variant");
  return info;
}
const TTypeInfo& TypeInfoNotifyEvent() {
  static const TTypeInfo info = MakeMethodType("TNotifyEvent", "(Sender: TObject)");
  return info;
}

TTypeInfo MakeStringType(std::string name) { return Simple(TTypeKind::tkString, name.c_str()); }

TTypeInfo MakeEnumType(std::string name, std::vector<std::string> names) {
  TTypeInfo info;
  info.Kind = TTypeKind::tkEnumeration;
  info.Name = std::move(name);
  info.EnumNames = std::move(names);
  return info;
}

TTypeInfo MakeSetType(std::string name, const TTypeInfo& members) {
  TTypeInfo info;
  info.Kind = TTypeKind::tkSet;
  info.Name = std::move(name);
  info.CompType = &members;
  return info;
}

TTypeInfo MakeMethodType(std::string name, std::string signature) {
  TTypeInfo info;
  info.Kind = TTypeKind::tkMethod;
  info.Name = std::move(name);
  info.MethodSignature = std::move(signature);
  return info;
}

std::string TypeKindName(TTypeKind kind) {
  switch (kind) {
  case TTypeKind::tkUnknown: return "tkUnknown";
  case TTypeKind::tkInteger: return "tkInteger";
  case TTypeKind::tkChar: return "tkChar";
  case TTypeKind::tkEnumeration: return "tkEnumeration";
  case TTypeKind::tkFloat: return "tkFloat";
  case TTypeKind::tkString: return "tkString";
  case TTypeKind::tkSet: return "tkSet";
  case TTypeKind::tkClass: return "tkClass";
  case TTypeKind::tkMethod: return "tkMethod";
  case TTypeKind::tkInt64: return "tkInt64";
  case TTypeKind::tkVariant: return "tkVariant";
  }
  return "tkUnknown";
}
