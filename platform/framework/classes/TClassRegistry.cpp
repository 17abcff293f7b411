#include "classes/TClassRegistry.h"

#include "classes/TClassInfo.h"
#include "rtl/Format.h"
#include "rtl/TextCompare.h"

#include <algorithm>

TClassRegistry& TClassRegistry::Global() {
  static TClassRegistry registry;
  return registry;
}

void TClassRegistry::RegisterClass(const TClassInfo& cls) {
  if (std::find(FClasses.begin(), FClasses.end(), &cls) == FClasses.end()) FClasses.push_back(&cls);
}

void TClassRegistry::RegisterClass(const TClassInfo& cls, const std::string& unitName) {
  RegisterClass(cls);
  SetUnitName(cls, unitName);
}

void TClassRegistry::UnRegisterClass(const TClassInfo& cls) {
  FClasses.erase(std::remove(FClasses.begin(), FClasses.end(), &cls), FClasses.end());
  FUnits.erase(std::remove_if(FUnits.begin(), FUnits.end(), [&](const auto& u) { return u.first == &cls; }), FUnits.end());
}

std::string TClassRegistry::UnitName(const TClassInfo& cls) const {
  for (const auto& [c, unit] : FUnits)
    if (c == &cls) return unit;
  return "";
}

void TClassRegistry::SetUnitName(const TClassInfo& cls, const std::string& unitName) {
  if (unitName.empty()) {
    FUnits.erase(std::remove_if(FUnits.begin(), FUnits.end(), [&](const auto& u) { return u.first == &cls; }),
                 FUnits.end());
    return;
  }
  for (auto& [c, unit] : FUnits)
    if (c == &cls) {
      unit = unitName;
      return;
    }
  FUnits.emplace_back(&cls, unitName);
}

const TClassInfo* TClassRegistry::FindClass(std::string_view name) const {
  // The newest registration wins, so a package may stand in for a class.
  for (auto it = FClasses.rbegin(); it != FClasses.rend(); ++it)
    if (SameText((*it)->ClassName(), name)) return *it;
  return nullptr;
}

const TClassInfo& TClassRegistry::GetClass(std::string_view name) const {
  const TClassInfo* cls = FindClass(name);
  if (!cls) throw EClassNotFound(Format(HostText::ClassNotFound, {std::string(name)}));
  return *cls;
}

void RegisterClasses(std::initializer_list<const TClassInfo*> classes) {
  for (const TClassInfo* cls : classes) TClassRegistry::Global().RegisterClass(*cls);
}
