#include "FormSession.h"

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "classes/TypInfo.h"
#include "rtl/Exceptions.h"
#include "streaming/TFormFile.h"

#include <fstream>
#include <sstream>

TFormSession::TFormSession(const std::vector<std::string>& files) : FModules(TClassRegistry::Global()) {
  std::vector<TModule*> opened = FModules.OpenModules(files);
  if (opened.empty()) throw Exception("no form file given");
  FMain = opened.front();
  FDesigner = std::make_unique<TModuleDesigner>(FModules, *FMain);
  RecordClosedComponents();
}

void TFormSession::RecordClosedComponents() {
  for (int m = 0; m < FModules.GetModuleCount(); ++m) {
    TComponent* root = FModules.GetModule(m)->Root();
    for (int i = 0; root && i < root->ComponentCount(); ++i) {
      TComponent* c = root->Components(i);
      for (const char* name : {"Connected", "Active"}) {
        const TPropInfo* prop = GetPropInfo(*c, name);
        if (prop && prop->IsWritable() && prop->PropType == &TypeInfoBoolean() && GetOrdProp(*c, name) == 0)
          FClosedAtOpen.push_back({TComponentRef<TComponent>(c), name});
      }
    }
  }
}

void TFormSession::CloseWhatTheCommandOpened() {
  // Datasets first, then the connections they ran on.
  for (const char* name : {"Active", "Connected"})
    for (const TOpenState& state : FClosedAtOpen)
      if (TComponent* c = state.Component.Get(); c && state.Property == name && GetOrdProp(*c, name) != 0)
        SetOrdProp(*c, name, 0);
}

TComponent& TFormSession::FindComponent(const std::string& name) {
  TComponent* component = FDesigner->GetComponent(name);
  if (!component) throw Exception(FMain->FileName() + " has no component " + name);
  return *component;
}

std::vector<std::string> TFormSession::SaveModified() {
  CloseWhatTheCommandOpened();
  std::vector<std::string> saved;
  for (int i = 0; i < FModules.GetModuleCount(); ++i) {
    TModule* module = FModules.GetModule(i);
    if (!module->IsModified()) continue;
    module->Save();
    saved.push_back(module->FileName());
  }
  return saved;
}

std::vector<std::string> TFormSession::SaveChanged() {
  CloseWhatTheCommandOpened();
  std::vector<std::string> saved;
  for (int i = 0; i < FModules.GetModuleCount(); ++i) {
    TModule* module = FModules.GetModule(i);
    if (!module->IsModified()) continue;
    std::ifstream in(module->FileName(), std::ios::binary);
    std::ostringstream onDisk;
    onDisk << in.rdbuf();
    if (in && onDisk.str() == module->File().SaveToString()) continue;
    module->Save();
    saved.push_back(module->FileName());
  }
  return saved;
}
