#pragma once
// Declared types of published properties, as the host's type information gives
// them: a kind plus a type name, so that TFileName and string are two types of
// one kind, and an enumeration or set knows its member names.
#include <string>
#include <vector>

class TClassInfo;

enum class TTypeKind {
  tkUnknown,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkFloat,
  tkString,
  tkSet,
  tkClass,
  tkMethod,
  tkInt64,
  tkVariant,
};

struct TTypeInfo {
  TTypeKind Kind = TTypeKind::tkUnknown;
  std::string Name;
  const TClassInfo* ClassType = nullptr;  // tkClass
  std::vector<std::string> EnumNames;     // tkEnumeration, in ordinal order
  const TTypeInfo* CompType = nullptr;    // tkSet: the member enumeration
  std::string MethodSignature;            // tkMethod: the parameter list, for display
};

const TTypeInfo& TypeInfoString();
const TTypeInfo& TypeInfoFileName();   // the host's file-name string type
const TTypeInfo& TypeInfoBoolean();
const TTypeInfo& TypeInfoInteger();    // 32-bit
const TTypeInfo& TypeInfoCardinal();
const TTypeInfo& TypeInfoInt64();
const TTypeInfo& TypeInfoDouble();
const TTypeInfo& TypeInfoDateTime();
const TTypeInfo& TypeInfoCurrency();
const TTypeInfo& TypeInfoChar();
const TTypeInfo& TypeInfoVariant();
const TTypeInfo& TypeInfoNotifyEvent();

// A string type of its own name, such as a suite's About type.
TTypeInfo MakeStringType(std::string name);
TTypeInfo MakeEnumType(std::string name, std::vector<std::string> names);
TTypeInfo MakeSetType(std::string name, const TTypeInfo& members);
TTypeInfo MakeMethodType(std::string name, std::string signature);

std::string TypeKindName(TTypeKind kind);
