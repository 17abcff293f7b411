#include "designhost/TModuleDesigner.h"

#include "classes/TComponent.h"
#include "designhost/ModuleServices.h"
#include "rtl/TextCompare.h"

void TModuleDesigner::Modified() {
  ++FModifiedCount;
  FModule.MarkModified();
}

TComponent* TModuleDesigner::GetRoot() { return FModule.Root(); }

TComponent* TModuleDesigner::GetComponent(const std::string& name) {
  TComponent* root = FModule.Root();
  if (!root || name.empty()) return nullptr;
  if (SameText(root->Name(), name)) return root;
  if (TComponent* own = root->FindComponent(name)) return own;
  size_t dot = name.find('.');
  if (dot == std::string::npos) return nullptr;
  std::string rootName = name.substr(0, dot), componentName = name.substr(dot + 1);
  for (int i = 0; i < FServices.GetModuleCount(); ++i) {
    TComponent* other = FServices.GetModule(i)->Root();
    if (other && SameText(other->Name(), rootName)) return other->FindComponent(componentName);
  }
  return nullptr;
}

std::string TModuleDesigner::GetComponentName(const TComponent* component) {
  if (!component) return "";
  TComponent* root = FModule.Root();
  if (component == root || component->Owner() == root) return component->Name();
  if (component->Owner()) return component->Owner()->Name() + "." + component->Name();
  return component->Name();
}

void TModuleDesigner::GetComponentNames(const TTypeInfo& type, const std::function<void(const std::string&)>& proc) {
  const TClassInfo* wanted = type.ClassType;
  if (!wanted) return;
  auto offer = [&](TComponent* root, bool qualified) {
    for (int i = 0; i < root->ComponentCount(); ++i) {
      TComponent* c = root->Components(i);
      if (!c->Name().empty() && c->InheritsFrom(*wanted)) proc(qualified ? root->Name() + "." + c->Name() : c->Name());
    }
  };
  if (TComponent* root = FModule.Root()) offer(root, false);
  for (int i = 0; i < FServices.GetModuleCount(); ++i) {
    TModule* other = FServices.GetModule(i);
    if (other != &FModule && other->Root()) offer(other->Root(), true);
  }
}
