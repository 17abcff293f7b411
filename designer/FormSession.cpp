#include "FormSession.h"

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "rtl/Exceptions.h"

TFormSession::TFormSession(const std::vector<std::string>& files) : FModules(TClassRegistry::Global()) {
  std::vector<TModule*> opened = FModules.OpenModules(files);
  if (opened.empty()) throw Exception("no form file given");
  FMain = opened.front();
  FDesigner = std::make_unique<TModuleDesigner>(FModules, *FMain);
}

TComponent& TFormSession::FindComponent(const std::string& name) {
  TComponent* component = FDesigner->GetComponent(name);
  if (!component) throw Exception(FMain->FileName() + " has no component " + name);
  return *component;
}

std::vector<std::string> TFormSession::SaveModified() {
  std::vector<std::string> saved;
  for (int i = 0; i < FModules.GetModuleCount(); ++i) {
    TModule* module = FModules.GetModule(i);
    if (!module->IsModified()) continue;
    module->Save();
    saved.push_back(module->FileName());
  }
  return saved;
}
