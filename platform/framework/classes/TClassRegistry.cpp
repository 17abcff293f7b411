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

void TClassRegistry::UnRegisterClass(const TClassInfo& cls) {
  FClasses.erase(std::remove(FClasses.begin(), FClasses.end(), &cls), FClasses.end());
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
