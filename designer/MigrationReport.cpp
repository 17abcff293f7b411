#include "MigrationReport.h"

#include "classes/TComponent.h"
#include "db/TDataSource.h"
#include "db/TField.h"
#include "designhost/ModuleServices.h"
#include "streaming/TFormFile.h"

#include <memory>

struct TMigrationReport::TEntry {
  TComponent* Root;
  std::unique_ptr<TComponentRef<TComponent>> Component;
  std::string Name;
  std::string Class;
};

struct TMigrationReport::TLink {
  std::unique_ptr<TComponentRef<TComponent>> Holder;
  std::unique_ptr<TComponentRef<TComponent>> Target;
};

namespace {
std::unique_ptr<TComponentRef<TComponent>> RefTo(TComponent* c) {
  return std::make_unique<TComponentRef<TComponent>>(c);
}
} // namespace

std::string QualifiedName(const TComponent* component) {
  if (!component) return "";
  if (component->Owner() && !component->Owner()->Name().empty())
    return component->Owner()->Name() + "." + component->Name();
  return component->Name();
}

TMigrationReport::TMigrationReport(TModuleServices& modules) : FModules(modules) {
  for (int i = 0; i < modules.GetModuleCount(); ++i) {
    TModule* module = modules.GetModule(i);
    FTexts.push_back(module->File().SaveToString());
    TComponent* root = module->Root();
    if (!root) continue;
    for (int k = 0; k < root->ComponentCount(); ++k) {
      TComponent* c = root->Components(k);
      FEntries.push_back({root, RefTo(c), c->Name(), c->ClassName()});
      if (auto* source = dynamic_cast<TDataSource*>(c)) FSources.push_back({RefTo(c), RefTo(source->DataSet())});
      if (auto* field = dynamic_cast<TField*>(c); field && field->IsLookup())
        FLookups.push_back({RefTo(c), RefTo(field->LookupDataSet())});
    }
  }
}

TMigrationReport::~TMigrationReport() = default;

void TMigrationReport::Compare() {
  FReplaced.clear();
  FDataSources.clear();
  FLookupFields.clear();
  FChanged.clear();
  for (const TEntry& e : FEntries) {
    if (e.Name.empty()) continue;
    TComponent* now = e.Root->FindComponent(e.Name);
    TComponent* before = e.Component->Get();
    if (!now || now == before) continue;
    FReplaced.push_back({QualifiedName(now), e.Class, now->ClassName(), before ? QualifiedName(before) : ""});
  }
  auto compare = [](const std::vector<TLink>& links, std::vector<TRepointedLink>& out, auto target) {
    for (const TLink& link : links) {
      TComponent* holder = link.Holder->Get();
      if (!holder) continue;
      TComponent* now = target(holder);
      if (now != link.Target->Get()) out.push_back({QualifiedName(holder), QualifiedName(now)});
    }
  };
  compare(FSources, FDataSources, [](TComponent* c) -> TComponent* { return static_cast<TDataSource*>(c)->DataSet(); });
  compare(FLookups, FLookupFields,
          [](TComponent* c) -> TComponent* { return static_cast<TField*>(c)->LookupDataSet(); });
  for (int i = 0; i < FModules.GetModuleCount() && i < static_cast<int>(FTexts.size()); ++i) {
    TModule* module = FModules.GetModule(i);
    if (module->File().SaveToString() != FTexts[static_cast<size_t>(i)]) FChanged.push_back(module);
  }
}
