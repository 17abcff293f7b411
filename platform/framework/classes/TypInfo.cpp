#include "classes/TypInfo.h"

#include "rtl/Format.h"
#include "rtl/TextCompare.h"

const TPropInfo* GetPropInfo(const TClassInfo& cls, std::string_view name) { return cls.FindProperty(name); }

const TPropInfo* GetPropInfo(const TObject& object, std::string_view name) {
  return object.ClassType().FindProperty(name);
}

bool IsPublishedProp(const TObject& object, std::string_view name) { return GetPropInfo(object, name) != nullptr; }

const TPropInfo& GetPropInfoOrRaise(const TObject& object, std::string_view name) {
  const TPropInfo* prop = GetPropInfo(object, name);
  if (!prop) throw EPropertyError(Format(HostText::UnknownProperty, {std::string(name)}));
  return *prop;
}

TValue GetPropValue(const TObject& object, const TPropInfo& prop) { return prop.Getter(object); }

void SetPropValue(TObject& object, const TPropInfo& prop, const TValue& value) {
  if (!prop.Setter) throw EPropertyError("Property is read-only");
  prop.Setter(object, value);
}

int64_t GetOrdProp(const TObject& object, std::string_view name) {
  return PropValue::From<int64_t>(GetPropValue(object, GetPropInfoOrRaise(object, name)));
}
void SetOrdProp(TObject& object, std::string_view name, int64_t value) {
  SetPropValue(object, GetPropInfoOrRaise(object, name), TValue(value));
}
std::string GetStrProp(const TObject& object, std::string_view name) {
  return PropValue::From<std::string>(GetPropValue(object, GetPropInfoOrRaise(object, name)));
}
void SetStrProp(TObject& object, std::string_view name, const std::string& value) {
  SetPropValue(object, GetPropInfoOrRaise(object, name), TValue(value));
}
double GetFloatProp(const TObject& object, std::string_view name) {
  return PropValue::From<double>(GetPropValue(object, GetPropInfoOrRaise(object, name)));
}
void SetFloatProp(TObject& object, std::string_view name, double value) {
  SetPropValue(object, GetPropInfoOrRaise(object, name), TValue(value));
}
TObject* GetObjectProp(const TObject& object, std::string_view name) {
  return PropValue::From<TObject*>(GetPropValue(object, GetPropInfoOrRaise(object, name)));
}
void SetObjectProp(TObject& object, std::string_view name, TObject* value) {
  SetPropValue(object, GetPropInfoOrRaise(object, name), TValue(value));
}
TMethod GetMethodProp(const TObject& object, std::string_view name) {
  return PropValue::From<TMethod>(GetPropValue(object, GetPropInfoOrRaise(object, name)));
}
void SetMethodProp(TObject& object, std::string_view name, const TMethod& value) {
  SetPropValue(object, GetPropInfoOrRaise(object, name), TValue(value));
}

std::string GetEnumName(const TTypeInfo& type, int64_t value) {
  if (value < 0 || value >= static_cast<int64_t>(type.EnumNames.size())) return std::to_string(value);
  return type.EnumNames[static_cast<size_t>(value)];
}

int GetEnumValue(const TTypeInfo& type, std::string_view name) {
  for (size_t i = 0; i < type.EnumNames.size(); ++i)
    if (SameText(type.EnumNames[i], name)) return static_cast<int>(i);
  return -1;
}

std::string SetToString(const TTypeInfo& setType, int64_t bits) {
  std::string text = "[";
  bool first = true;
  for (int i = 0; i < 64; ++i) {
    if (!(static_cast<uint64_t>(bits) & (uint64_t{1} << i))) continue;
    if (!first) text += ',';
    text += setType.CompType ? GetEnumName(*setType.CompType, i) : std::to_string(i);
    first = false;
  }
  return text + "]";
}
