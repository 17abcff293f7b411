#pragma once
// Components of made-up classes for migrator tests: a class name and
// published properties given as getters, as the foreign classes come.
#include "classes/TClassInfo.h"
#include "classes/TComponent.h"
#include "classes/TypeInfo.h"
#include "db/TDataSet.h"

#include <functional>
#include <memory>
#include <string>

namespace migrator_test {

class TProbeClass {
public:
  TProbeClass(const std::string& name, const TClassInfo& parent)
      : FInfo(std::make_unique<TClassInfo>(name, &parent)) {}
  // A read-only property of that type whose value the getter gives.
  TProbeClass& Property(const std::string& name, const TTypeInfo& type, std::function<TValue()> getter) {
    TPropInfo prop;
    prop.Name = name;
    prop.PropType = &type;
    prop.Getter = [getter](const TObject&) { return getter(); };
    FInfo->AddProperty(std::move(prop));
    return *this;
  }
  const TClassInfo& Info() const { return *FInfo; }

private:
  std::unique_ptr<TClassInfo> FInfo;
};

class TProbeDataSet : public TDataSet {
public:
  TProbeDataSet(const TProbeClass& cls, TComponent* owner) : TDataSet(owner), FClass(&cls.Info()) {}
  const TClassInfo& ClassType() const override { return *FClass; }

private:
  const TClassInfo* FClass;
};

class TProbeComponent : public TComponent {
public:
  TProbeComponent(const TProbeClass& cls, TComponent* owner) : TComponent(owner), FClass(&cls.Info()) {}
  const TClassInfo& ClassType() const override { return *FClass; }

private:
  const TClassInfo* FClass;
};

} // namespace migrator_test
