#include "designhost/session/ComponentNaming.h"

#include "classes/TClassInfo.h"
#include "classes/TComponent.h"
#include "designhost/units/PascalLexer.h"
#include "rtl/TextCompare.h"

namespace {

bool IsAsciiIdentifier(const std::string& name) {
  if (name.empty()) return false;
  auto letter = [](char c) { return c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  if (!letter(name[0])) return false;
  for (char c : name)
    if (!letter(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

bool IsTaken(const TComponent& root, const std::string& name, const TComponent* self) {
  if (&root != self && SameText(root.Name(), name)) return true;
  const TComponent* other = root.FindComponent(name);
  return other && other != self;
}

} // namespace

std::string NewComponentName(const TComponent& root, const TClassInfo& cls) {
  std::string base = cls.ClassName();
  if (base.size() > 1 && (base[0] == 'T' || base[0] == 't')) base.erase(0, 1);
  for (int n = 1;; ++n) {
    std::string name = base + std::to_string(n);
    if (!IsTaken(root, name, nullptr)) return name;
  }
}

void CheckComponentName(const TComponent& root, const std::string& name, const TComponent* self) {
  // The unit declares a field of that name, so it must be an identifier in
  // any code page and no word the language reserves.
  if (!IsAsciiIdentifier(name) || IsPascalReservedWord(name))
    throw EComponentError("'" + name + "' is not a valid component name");
  if (IsTaken(root, name, self)) throw EComponentError("a component named " + name + " already exists");
}
