#include "designhost/OrdinalProperties.h"

#include "classes/TComponent.h"
#include "classes/TypInfo.h"
#include "rtl/Format.h"
#include "rtl/TextCompare.h"

#include <charconv>
#include <cstdlib>

QUELM_DEFINE_CLASS(TIntegerProperty, TPropertyEditor)
QUELM_DEFINE_CLASS(TEnumProperty, TPropertyEditor)
QUELM_DEFINE_CLASS(TSetProperty, TPropertyEditor)
QUELM_DEFINE_CLASS(TFloatProperty, TPropertyEditor)
QUELM_DEFINE_CLASS(TMethodProperty, TPropertyEditor)

namespace {
[[noreturn]] void InvalidValue(const std::string& value) {
  throw EPropertyError(Format("'%s' is not a valid property value", {value}));
}

int64_t ParseInteger(const std::string& value) {
  int64_t result = 0;
  const char* begin = value.data();
  const char* end = value.data() + value.size();
  auto [ptr, ec] = std::from_chars(begin, end, result);
  if (ec != std::errc() || ptr != end || value.empty()) InvalidValue(value);
  return result;
}
} // namespace

std::string TIntegerProperty::GetValue() { return std::to_string(GetOrdValue()); }

void TIntegerProperty::SetValue(const std::string& value) { SetOrdValue(ParseInteger(value)); }

TPropertyAttributes TEnumProperty::GetAttributes() {
  return {TPropertyAttribute::paMultiSelect, TPropertyAttribute::paValueList, TPropertyAttribute::paSortList,
          TPropertyAttribute::paRevertable};
}

std::string TEnumProperty::GetValue() { return GetEnumName(*GetPropType(), GetOrdValue()); }

void TEnumProperty::GetValues(const TGetStrProc& proc) {
  for (const std::string& name : GetPropType()->EnumNames) proc(name);
}

void TEnumProperty::SetValue(const std::string& value) {
  int ordinal = GetEnumValue(*GetPropType(), value);
  if (ordinal < 0) {
    int64_t number = ParseInteger(value);
    if (number < 0 || number >= static_cast<int64_t>(GetPropType()->EnumNames.size())) InvalidValue(value);
    ordinal = static_cast<int>(number);
  }
  SetOrdValue(ordinal);
}

TPropertyAttributes TSetProperty::GetAttributes() {
  return {TPropertyAttribute::paMultiSelect, TPropertyAttribute::paSubProperties, TPropertyAttribute::paReadOnly,
          TPropertyAttribute::paRevertable};
}

std::string TSetProperty::GetValue() { return SetToString(*GetPropType(), GetOrdValue()); }

void TSetProperty::SetValue(const std::string& value) {
  std::string text = value;
  if (text.size() < 2 || text.front() != '[' || text.back() != ']') InvalidValue(value);
  text = text.substr(1, text.size() - 2);
  int64_t bits = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    std::string name = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    while (!name.empty() && name.front() == ' ') name.erase(0, 1);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    if (!name.empty()) {
      int ordinal = GetPropType()->CompType ? GetEnumValue(*GetPropType()->CompType, name) : -1;
      if (ordinal < 0) InvalidValue(value);
      bits |= int64_t{1} << ordinal;
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  SetOrdValue(bits);
}

std::string TFloatProperty::GetValue() { return Format("%g", {GetFloatValue()}); }

void TFloatProperty::SetValue(const std::string& value) {
  char* end = nullptr;
  double number = std::strtod(value.c_str(), &end);
  if (value.empty() || *end != '\0') InvalidValue(value);
  SetFloatValue(number);
}

TPropertyAttributes TMethodProperty::GetAttributes() {
  return {TPropertyAttribute::paMultiSelect, TPropertyAttribute::paValueList, TPropertyAttribute::paSortList,
          TPropertyAttribute::paRevertable};
}

std::string TMethodProperty::GetValue() { return GetMethodValue().Name; }

void TMethodProperty::SetValue(const std::string& value) {
  TMethod method;
  if (!value.empty()) {
    if (!TComponent::IsValidIdent(value)) InvalidValue(value);
    TComponent* root = Designer() ? Designer()->GetRoot() : nullptr;
    method.Name = value;
    method.Data = root;
    method.Code = root ? root->ClassType().FindMethod(value) : nullptr;
  }
  SetMethodValue(method);
}
