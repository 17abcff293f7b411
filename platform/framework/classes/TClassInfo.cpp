#include "classes/TClassInfo.h"

#include "classes/TComponent.h"
#include "rtl/TextCompare.h"

TClassInfo::TClassInfo(std::string className, const TClassInfo* parent)
    : FClassName(std::move(className)), FParent(parent) {
  FTypeInfo.Kind = TTypeKind::tkClass;
  FTypeInfo.Name = FClassName;
  FTypeInfo.ClassType = this;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* c = this; c; c = c->FParent)
    if (c == &other) return true;
  return false;
}

bool TClassInfo::InheritsFrom(std::string_view className) const {
  for (const TClassInfo* c = this; c; c = c->FParent)
    if (SameText(c->FClassName, className)) return true;
  return false;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
  std::vector<const TPropInfo*> result;
  if (FParent) result = FParent->Properties();
  for (const TPropInfo& p : FProperties) {
    // A class may redeclare an ancestor's property (to publish it with another
    // default); the redeclaration keeps the ancestor's place in the list.
    bool replaced = false;
    for (auto& existing : result)
      if (SameText(existing->Name, p.Name)) {
        existing = &p;
        replaced = true;
      }
    if (!replaced) result.push_back(&p);
  }
  return result;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
  for (const TClassInfo* c = this; c; c = c->FParent)
    for (const TPropInfo& p : c->FProperties)
      if (SameText(p.Name, name)) return &p;
  return nullptr;
}

const TMethodEntry* TClassInfo::FindMethod(std::string_view name) const {
  for (const TClassInfo* c = this; c; c = c->FParent)
    for (const TMethodEntry& m : c->FMethods)
      if (SameText(m.Name(), name)) return &m;
  return nullptr;
}

TObject* TClassInfo::CreateInstance(TObject* owner) const {
  if (!FFactory) throw EAbstractError("Cannot create an instance of abstract class " + FClassName);
  return FFactory(*this, owner);
}

TComponent* ObjectAsComponent(TObject* object) { return dynamic_cast<TComponent*>(object); }

TComponent* TClassInfo::CreateComponent(TComponent* owner) const {
  TObject* made = CreateInstance(owner);
  auto* component = dynamic_cast<TComponent*>(made);
  if (!component) {
    delete made;
    throw EInvalidCast(HostText::InvalidCast);
  }
  return component;
}

void TClassInfo::AddProperty(TPropInfo prop) {
  prop.Owner = this;
  FProperties.push_back(std::move(prop));
}

void TClassInfo::AddMethod(TMethodEntry method) { FMethods.push_back(std::move(method)); }

namespace PropValue {
void RaiseBadValue() { throw EPropertyError("Invalid property value"); }
} // namespace PropValue
