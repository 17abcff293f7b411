#include "designhost/DesignRegistry.h"

#include "classes/TClassRegistry.h"
#include "classes/TCollection.h"
#include "classes/TComponent.h"
#include "classes/TPersistent.h"
#include "classes/TypInfo.h"
#include "designhost/OrdinalProperties.h"
#include "designhost/TClassProperty.h"
#include "designhost/TCollectionProperty.h"
#include "designhost/TComponentProperty.h"
#include "designhost/TStringProperty.h"
#include "rtl/Format.h"
#include "rtl/TextCompare.h"

#include <algorithm>

TDesignRegistry& TDesignRegistry::Instance() {
  static TDesignRegistry registry;
  return registry;
}

void TDesignRegistry::RegisterComponents(const std::string& page, const std::vector<const TClassInfo*>& classes) {
  TPaletteRegistration registration{page, classes, FCurrentPackage, {}};
  // Palette classes can be created by name from form files from now on.
  for (const TClassInfo* cls : classes)
    if (TClassRegistry::Global().FindClass(cls->ClassName()) != cls) {
      TClassRegistry::Global().RegisterClass(*cls);
      registration.AddedToClassRegistry.push_back(cls);
    }
  FPalette.push_back(std::move(registration));
}

void TDesignRegistry::RegisterComponentEditor(const TClassInfo& componentClass, const TComponentEditorClass& editor) {
  FComponentEditors.push_back({&componentClass, editor, FCurrentPackage});
}

void TDesignRegistry::RegisterPropertyEditor(const TTypeInfo* propertyType, const TClassInfo* componentClass,
                                             const std::string& propertyName, const TPropertyEditorClass& editor) {
  FPropertyEditors.push_back({propertyType, componentClass, propertyName, editor, FCurrentPackage});
}

void TDesignRegistry::RegisterDesignTool(const TDesignTool& tool) { FDesignTools.push_back({tool, FCurrentPackage}); }

void TDesignRegistry::RegisterDatabaseServices(const TClassInfo& databaseClass,
                                               std::shared_ptr<IDatabaseServices> services) {
  FDatabaseServices.push_back({&databaseClass, std::move(services), FCurrentPackage});
}

IDatabaseServices* TDesignRegistry::FindDatabaseServices(const TClassInfo& databaseClass) const {
  for (const TClassInfo* cls = &databaseClass; cls; cls = cls->Parent())
    for (auto it = FDatabaseServices.rbegin(); it != FDatabaseServices.rend(); ++it)
      if (it->DatabaseClass == cls) return it->Services.get();
  return nullptr;
}

std::vector<std::pair<std::string, std::vector<const TClassInfo*>>> TDesignRegistry::PalettePages() const {
  std::vector<std::pair<std::string, std::vector<const TClassInfo*>>> pages;
  for (const TPaletteRegistration& r : FPalette) {
    auto it = std::find_if(pages.begin(), pages.end(), [&](auto& p) { return p.first == r.Page; });
    if (it == pages.end()) {
      pages.push_back({r.Page, {}});
      it = pages.end() - 1;
    }
    it->second.insert(it->second.end(), r.Classes.begin(), r.Classes.end());
  }
  return pages;
}

const TClassInfo* TDesignRegistry::FindPaletteClass(const std::string& className) const {
  for (const TPaletteRegistration& r : FPalette)
    for (const TClassInfo* cls : r.Classes)
      if (SameText(cls->ClassName(), className)) return cls;
  return nullptr;
}

const TDesignTool* TDesignRegistry::FindDesignTool(const std::string& name) const {
  for (auto it = FDesignTools.rbegin(); it != FDesignTools.rend(); ++it)
    if (it->Tool.Name == name) return &it->Tool;
  return nullptr;
}

TComponentEditorClass TDesignRegistry::FindComponentEditor(const TClassInfo& componentClass) const {
  for (const TClassInfo* cls = &componentClass; cls; cls = cls->Parent())
    for (auto it = FComponentEditors.rbegin(); it != FComponentEditors.rend(); ++it)
      if (it->ComponentClass == cls) return it->Editor;
  return TComponentEditorClass::Of<TDefaultEditor>();
}

std::unique_ptr<TComponentEditor> TDesignRegistry::GetComponentEditor(TComponent* component,
                                                                       IFormDesigner* designer) const {
  return FindComponentEditor(component->ClassType()).Create(component, designer);
}

namespace {
int Depth(const TClassInfo* cls) {
  int depth = 0;
  for (; cls; cls = cls->Parent()) ++depth;
  return depth;
}
} // namespace

const TPropertyEditorRegistration* TDesignRegistry::FindPropertyEditor(const TPropInfo& prop,
                                                                       const TClassInfo& cls) const {
  const TPropertyEditorRegistration* best = nullptr;
  int bestScore = -1;
  for (const TPropertyEditorRegistration& r : FPropertyEditors) {
    if (r.PropertyType != prop.PropType) continue;
    if (r.ComponentClass && !cls.InheritsFrom(*r.ComponentClass)) continue;
    if (!r.PropertyName.empty() && !SameText(r.PropertyName, prop.Name)) continue;
    int score = (r.PropertyName.empty() ? 0 : 1000) + (r.ComponentClass ? Depth(r.ComponentClass) : 0);
    if (score >= bestScore) {
      best = &r;
      bestScore = score;
    }
  }
  return best;
}

TPropertyEditorClass TDesignRegistry::GetPropertyEditorClass(const TPropInfo& prop, const TClassInfo& cls) const {
  if (const TPropertyEditorRegistration* r = FindPropertyEditor(prop, cls)) return r->Editor;
  switch (prop.Kind()) {
  case TTypeKind::tkInteger:
  case TTypeKind::tkInt64: return TPropertyEditorClass::Of<TIntegerProperty>();
  case TTypeKind::tkEnumeration: return TPropertyEditorClass::Of<TEnumProperty>();
  case TTypeKind::tkSet: return TPropertyEditorClass::Of<TSetProperty>();
  case TTypeKind::tkFloat: return TPropertyEditorClass::Of<TFloatProperty>();
  case TTypeKind::tkMethod: return TPropertyEditorClass::Of<TMethodProperty>();
  case TTypeKind::tkClass: {
    const TClassInfo* type = prop.PropType->ClassType;
    if (type && type->InheritsFrom(TComponent::StaticClass())) return TPropertyEditorClass::Of<TComponentProperty>();
    if (type && type->InheritsFrom(TCollection::StaticClass())) return TPropertyEditorClass::Of<TCollectionProperty>();
    return TPropertyEditorClass::Of<TClassProperty>();
  }
  default: return TPropertyEditorClass::Of<TStringProperty>();
  }
}

std::unique_ptr<TPropertyEditor> TDesignRegistry::CreatePropertyEditor(IFormDesigner* designer,
                                                                       const std::vector<TPersistent*>& selection,
                                                                       const std::string& propertyName) const {
  if (selection.empty()) throw EPropertyError("No component selected");
  const TPropInfo& prop = GetPropInfoOrRaise(*selection[0], propertyName);
  for (TPersistent* p : selection) GetPropInfoOrRaise(*p, propertyName);
  auto editor = GetPropertyEditorClass(prop, selection[0]->ClassType())
                    .Create(designer, static_cast<int>(selection.size()));
  for (size_t i = 0; i < selection.size(); ++i)
    editor->SetPropEntry(static_cast<int>(i), selection[i], GetPropInfo(*selection[i], propertyName));
  editor->Initialize();
  return editor;
}

void TDesignRegistry::UnregisterPackage(int package) {
  for (const TPaletteRegistration& r : FPalette)
    if (r.Package == package)
      for (const TClassInfo* cls : r.AddedToClassRegistry) TClassRegistry::Global().UnRegisterClass(*cls);
  auto drop = [package](auto& list) {
    list.erase(std::remove_if(list.begin(), list.end(), [package](auto& r) { return r.Package == package; }), list.end());
  };
  drop(FPalette);
  drop(FComponentEditors);
  drop(FPropertyEditors);
  drop(FDesignTools);
  drop(FDatabaseServices);
}

void TDesignRegistry::Clear() {
  FPalette.clear();
  FComponentEditors.clear();
  FPropertyEditors.clear();
  FDesignTools.clear();
  FDatabaseServices.clear();
}

void RegisterComponents(const std::string& page, std::initializer_list<const TClassInfo*> classes) {
  TDesignRegistry::Instance().RegisterComponents(page, classes);
}

void RegisterComponentEditor(const TClassInfo& componentClass, const TComponentEditorClass& editor) {
  TDesignRegistry::Instance().RegisterComponentEditor(componentClass, editor);
}

void RegisterPropertyEditor(const TTypeInfo* propertyType, const TClassInfo* componentClass,
                            const std::string& propertyName, const TPropertyEditorClass& editor) {
  TDesignRegistry::Instance().RegisterPropertyEditor(propertyType, componentClass, propertyName, editor);
}

void RegisterDatabaseServices(const TClassInfo& databaseClass, std::shared_ptr<IDatabaseServices> services) {
  TDesignRegistry::Instance().RegisterDatabaseServices(databaseClass, std::move(services));
}

IDatabaseServices& GetDatabaseServices(const TComponent& database) {
  IDatabaseServices* services = TDesignRegistry::Instance().FindDatabaseServices(database.ClassType());
  if (!services) throw Exception("no loaded package serves databases of class " + database.ClassName());
  return *services;
}

void RegisterDesignTool(const std::string& name, const std::string& usage, TDesignToolProc run) {
  TDesignRegistry::Instance().RegisterDesignTool({name, usage, std::move(run)});
}
