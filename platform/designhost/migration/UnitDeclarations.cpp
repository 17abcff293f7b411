#include "designhost/migration/UnitDeclarations.h"

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "designhost/units/TUnitSource.h"
#include "rtl/TextCompare.h"

#include <cctype>
#include <set>

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

const std::string ReplacedPrefix = "Die_";

} // namespace

TOwnComponents OwnComponents(const TComponent& root) {
  TOwnComponents own;
  for (int i = 0; i < root.ComponentCount(); ++i) {
    const TComponent* c = root.Components(i);
    if (!c->IsAncestor() && !c->Name().empty()) own.emplace_back(c->Name(), c->ClassName());
  }
  return own;
}

bool UpdateUnitDeclarations(TUnitSource& unit, const std::string& formClass, const TOwnComponents& before,
                            const TOwnComponents& after, const TClassRegistry& classes) {
  std::map<std::string, std::string> was, now;
  for (const auto& [name, cls] : before) was[Lower(name)] = cls;
  for (const auto& [name, cls] : after) now[Lower(name)] = cls;
  auto declared = [&](const std::string& name) {
    const TUnitClassDeclaration* c = unit.FindClass(formClass);
    return c && c->FindField(name);
  };
  bool changed = false;
  std::set<std::string> uses;
  auto useUnitOf = [&](const std::string& className) {
    if (const TClassInfo* info = classes.FindClass(className))
      if (std::string u = classes.UnitName(*info); !u.empty()) uses.insert(u);
  };
  // A kept source: the old declaration takes the Die_ name, before the new
  // dataset declares the old name.
  for (const auto& [name, cls] : after) {
    if (was.count(Lower(name)) || name.size() <= ReplacedPrefix.size() ||
        !SameText(name.substr(0, ReplacedPrefix.size()), ReplacedPrefix))
      continue;
    std::string former = name.substr(ReplacedPrefix.size());
    auto it = was.find(Lower(former));
    if (it == was.end() || !SameText(it->second, cls) || !declared(former) || declared(name)) continue;
    changed |= unit.RenameField(formClass, former, name);
  }
  for (const auto& [name, cls] : before)
    if (!now.count(Lower(name))) changed |= unit.RemoveField(formClass, name);
  for (const auto& [name, cls] : after) {
    auto it = was.find(Lower(name));
    if (it != was.end() && SameText(it->second, cls) && declared(name)) continue;
    if (declared(name)) {
      if (it == was.end() || !SameText(it->second, cls)) {
        changed |= unit.SetFieldType(formClass, name, cls);
        useUnitOf(cls);
      }
      continue;
    }
    // Only what the run made or converted is declared; a component the
    // unit did not declare before stays undeclared.
    if (it != was.end() && SameText(it->second, cls)) continue;
    changed |= unit.AddField(formClass, name, cls);
    useUnitOf(cls);
  }
  for (const std::string& u : uses) changed |= unit.AddUses(u);
  return changed;
}
