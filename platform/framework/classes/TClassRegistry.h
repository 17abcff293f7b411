#pragma once
// Finds classes by name so that form files can create their components. The
// framework, the runtime library and packages register their classes through
// explicit calls when they start; tests can build a registry of their own.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TClassInfo;

class TClassRegistry {
public:
  // The process's registry, which form files are read against by default.
  static TClassRegistry& Global();

  void RegisterClass(const TClassInfo& cls);  // registering twice is harmless
  // Registers the class together with the Pascal unit that declares it.
  void RegisterClass(const TClassInfo& cls, const std::string& unitName);
  // The unit that declares the class, which a form's unit must use; empty
  // when the registry was not told. Unregistering the class forgets it.
  std::string UnitName(const TClassInfo& cls) const;
  // An empty name forgets the class's unit.
  void SetUnitName(const TClassInfo& cls, const std::string& unitName);
  void UnRegisterClass(const TClassInfo& cls);
  const TClassInfo* FindClass(std::string_view name) const;  // ignoring case; none when unknown
  const TClassInfo& GetClass(std::string_view name) const;   // raises EClassNotFound
  const std::vector<const TClassInfo*>& Classes() const { return FClasses; }

private:
  std::vector<const TClassInfo*> FClasses;
  std::vector<std::pair<const TClassInfo*, std::string>> FUnits;
};

void RegisterClasses(std::initializer_list<const TClassInfo*> classes);
