#include "streaming/ComponentSnapshot.h"

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "rtl/TextCompare.h"
#include "streaming/PropertyValues.h"
#include "streaming/TextFormWriter.h"

#include <memory>

const char* const NotStored = "\x01";

std::string CanonicalValue(const std::optional<TNamedValue>& nv) {
  return nv ? nv->Name + "=" + FormatFormValue(nv->Value, 0, "\n") : NotStored;
}

const TSnapshotTaker::TClassFacts& TSnapshotTaker::Of(const TClassInfo& cls) {
  auto it = FFacts.find(&cls);
  if (it != FFacts.end()) return it->second;
  TClassFacts facts;
  for (const TPropInfo* p : cls.Properties())
    if (!SameText(p->Name, "Name")) facts.Props.emplace_back(p, LowerName(p->Name));
  facts.DesignPosition = !cls.FindProperty("Left");
  return FFacts.emplace(&cls, std::move(facts)).first->second;
}

TComponentSnapshot TSnapshotTaker::Take(const TComponent& c, const TComponent* lookupRoot) {
  TComponentSnapshot result;
  const TClassFacts& facts = Of(c.ClassType());
  for (const auto& [p, key] : facts.Props) {
    result.emplace(key, CanonicalValue(StoredValue(c, *p, lookupRoot)));
    if (p->Kind() == TTypeKind::tkClass)
      for (const TPropertyPath& path : SubProperties(c, *p))
        result.emplace(LowerName(path.Name), CanonicalValue(StoredValue(path, lookupRoot)));
  }
  if (facts.DesignPosition) {
    result["left"] = CanonicalValue(DesignValue(c, true));
    result["top"] = CanonicalValue(DesignValue(c, false));
  }
  return result;
}

TComponentSnapshot TSnapshotTaker::TakeFresh(const TComponent& c, const TComponent* lookupRoot) {
  try {
    if (c.ClassType().CanCreate()) {
      std::unique_ptr<TComponent> fresh(c.ClassType().CreateComponent(nullptr));
      return Take(*fresh, lookupRoot);
    }
  } catch (const std::exception&) {
  }
  return {};
}

std::vector<std::pair<std::string, TFormValue>> StoredProperties(const TComponent& c) {
  // What differs from a freshly made instance, as a new component is written.
  TSnapshotTaker taker;
  TComponentSnapshot fresh = taker.TakeFresh(c, nullptr);
  auto differs = [&](const std::string& key, const std::optional<TNamedValue>& nv) {
    auto it = fresh.find(key);
    return it == fresh.end() || it->second != CanonicalValue(nv);
  };
  std::vector<std::pair<std::string, TFormValue>> result;
  const TComponent* lookupRoot = c.Owner();
  for (const TPropInfo* p : c.ClassType().Properties()) {
    if (SameText(p->Name, "Name")) continue;
    auto nv = StoredValue(c, *p, lookupRoot);
    if (nv && differs(LowerName(p->Name), nv)) result.emplace_back(nv->Name, std::move(nv->Value));
    for (const TPropertyPath& path : SubProperties(c, *p)) {
      auto sub = StoredValue(path, lookupRoot);
      if (sub && differs(LowerName(path.Name), sub)) result.emplace_back(sub->Name, std::move(sub->Value));
    }
  }
  if (HasDesignPosition(c))
    for (bool left : {true, false})
      if (auto nv = DesignValue(c, left)) result.emplace_back(nv->Name, std::move(nv->Value));
  return result;
}
