#pragma once
// Reading and writing published properties by name, as the host's TypInfo
// unit does. The *Prop functions that take a name raise EPropertyError
// "Property X does not exist" when the object's class has no such property.
#include "classes/TClassInfo.h"

#include <string>
#include <string_view>

const TPropInfo* GetPropInfo(const TObject& object, std::string_view name);
const TPropInfo* GetPropInfo(const TClassInfo& cls, std::string_view name);
bool IsPublishedProp(const TObject& object, std::string_view name);
const TPropInfo& GetPropInfoOrRaise(const TObject& object, std::string_view name);

TValue GetPropValue(const TObject& object, const TPropInfo& prop);
void SetPropValue(TObject& object, const TPropInfo& prop, const TValue& value);

int64_t GetOrdProp(const TObject& object, std::string_view name);
void SetOrdProp(TObject& object, std::string_view name, int64_t value);
std::string GetStrProp(const TObject& object, std::string_view name);
void SetStrProp(TObject& object, std::string_view name, const std::string& value);
double GetFloatProp(const TObject& object, std::string_view name);
void SetFloatProp(TObject& object, std::string_view name, double value);
TObject* GetObjectProp(const TObject& object, std::string_view name);
void SetObjectProp(TObject& object, std::string_view name, TObject* value);
TMethod GetMethodProp(const TObject& object, std::string_view name);
void SetMethodProp(TObject& object, std::string_view name, const TMethod& value);

std::string GetEnumName(const TTypeInfo& type, int64_t value);
int GetEnumValue(const TTypeInfo& type, std::string_view name);  // -1 when unknown
std::string SetToString(const TTypeInfo& setType, int64_t bits);  // "[a,b]" without blanks
