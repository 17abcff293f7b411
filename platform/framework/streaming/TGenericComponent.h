#pragma once
// A component of a class this process does not know (a grid, a button, a
// third-party control, the form class itself). Its class information is made
// at run time from the name in the form file, so ClassName() answers with that
// name; its properties stay in the form file as they were read.
#include "classes/TComponent.h"

#include <string_view>

class TGenericComponent : public TComponent {
public:
  TGenericComponent(const TClassInfo& cls, TComponent* owner) : TComponent(owner), FClass(&cls) {}
  const TClassInfo& ClassType() const override { return *FClass; }
  // The class renamed (a form whose class follows its new name): cls is
  // another class of the same kind, from GenericClassInfo.
  void SetClassType(const TClassInfo& cls) { FClass = &cls; }

private:
  const TClassInfo* FClass;
};

// The class information for an unknown class name, made once per name (the
// same name always gives the same information) and kept for the process's
// life, like registered classes. It descends from TComponent and creates
// TGenericComponent instances.
const TClassInfo& GenericClassInfo(std::string_view className);
