#pragma once
// The designer of one open module: what editors reach through IFormDesigner.
// Components of the other open modules are named "Root.Component", as the
// host names references into another form.
#include "designhost/IFormDesigner.h"

class TModule;
class TModuleServices;

class TModuleDesigner : public IFormDesigner {
public:
  TModuleDesigner(TModuleServices& services, TModule& module) : FServices(services), FModule(module) {}

  void Modified() override;
  TComponent* GetComponent(const std::string& name) override;
  TComponent* GetRoot() override;
  void GetComponentNames(const TTypeInfo& type, const std::function<void(const std::string&)>& proc) override;
  std::string GetComponentName(const TComponent* component) override;

  TModule& Module() const { return FModule; }
  int ModifiedCount() const { return FModifiedCount; }

private:
  TModuleServices& FServices;
  TModule& FModule;
  int FModifiedCount = 0;
};
