#pragma once
// A stand-in for the form designer of the design host: the designer of one
// root component, which counts the changes it hears of and lists the root's
// components by class as the real designer does.
#include "classes/TComponent.h"
#include "classes/TypeInfo.h"
#include "designhost/IFormDesigner.h"

#include <functional>
#include <string>

namespace TestSupport {

class TTestFormDesigner : public IFormDesigner {
public:
  explicit TTestFormDesigner(TComponent& root) : FRoot(root) {}
  void Modified() override { ++Changes; }
  TComponent* GetComponent(const std::string& name) override { return FRoot.FindComponent(name); }
  TComponent* GetRoot() override { return &FRoot; }
  void GetComponentNames(const TTypeInfo& type, const std::function<void(const std::string&)>& proc) override {
    for (int i = 0; i < FRoot.ComponentCount(); ++i)
      if (FRoot.Components(i)->InheritsFrom(*type.ClassType)) proc(FRoot.Components(i)->Name());
  }
  std::string GetComponentName(const TComponent* component) override { return component ? component->Name() : ""; }

  int Changes = 0;  // calls of Modified

private:
  TComponent& FRoot;
};

} // namespace TestSupport
