#include "streaming/TGenericComponent.h"

#include "rtl/TextCompare.h"

#include <memory>
#include <mutex>
#include <vector>

const TClassInfo& GenericClassInfo(std::string_view className) {
  static std::mutex lock;
  static std::vector<std::unique_ptr<TClassInfo>> classes;
  std::lock_guard<std::mutex> guard(lock);
  for (const auto& c : classes)
    if (c->ClassName() == className) return *c;
  auto info = std::make_unique<TClassInfo>(std::string(className), &TComponent::StaticClass());
  info->SetStandIn(true);
  info->SetFactory([](const TClassInfo& cls, TObject* owner) -> TObject* {
    return new TGenericComponent(cls, dynamic_cast<TComponent*>(owner));
  });
  classes.push_back(std::move(info));
  return *classes.back();
}
