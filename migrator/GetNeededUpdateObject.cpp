#include "migrator/TBDE2QuelmDorvik.h"

#include "classes/TStrings.h"
#include "classes/TypInfo.h"
#include "rtl/TextCompare.h"
#include "runtime/TQuelmDataSet.h"
#include "runtime/TQuelmUpdateSQL.h"

#include <array>

namespace {

// The update objects carried over, by exact class name.
bool IsConvertibleUpdateObject(const TComponent& component) {
  return SameText(component.ClassName(), "TUpdateSQL") || SameText(component.ClassName(), "TZUpdateSQL");
}

TComponent* UpdateObjectOf(const TDataSet& dataSet) {
  if (!IsPublishedProp(dataSet, "UpdateObject")) return nullptr;
  return dynamic_cast<TComponent*>(GetObjectProp(dataSet, "UpdateObject"));
}

// The lowest free name "former_2", "former_3", ... in owner.
std::string FreeName(const TComponent* owner, const std::string& former) {
  for (int n = 2;; ++n) {
    std::string name = former + "_" + std::to_string(n);
    if (!owner || !owner->FindComponent(name)) return name;
  }
}

} // namespace

void TBDE2QuelmDorvik::GetNeededUpdateObject(TQuelmDataSet* newDataSet, TDataSet* oldDataSet) {
  if (!newDataSet || !oldDataSet || !IsPublishedProp(*oldDataSet, "UpdateObject")) return;
  auto* oldUpdate = dynamic_cast<TComponent*>(GetObjectProp(*oldDataSet, "UpdateObject"));
  if (!oldUpdate || !IsConvertibleUpdateObject(*oldUpdate)) return;

  // An update object that an earlier source of this migration shared is
  // converted already, under its name. The suite's update object serves one
  // dataset, so this dataset gets one of its own under a free name, and the
  // source is not renamed a second time.
  const TQuelmUpdateSQL* converted = nullptr;
  for (int i = 0; i < FDataSetList->Count() && !converted; ++i) {
    TDataSet* other = FDataSetList->GetOldDataSets(i);
    TQuelmDataSet* otherNew = FDataSetList->GetNewDataSets(i);
    if (other && other != oldDataSet && otherNew && otherNew != newDataSet && otherNew->GetUpdateObject() &&
        UpdateObjectOf(*other) == oldUpdate)
      converted = otherNew->GetUpdateObject();
  }

  // An update object without an owner has no form; its replacement then
  // lives beside the new dataset.
  TComponent* owner = oldUpdate->Owner() ? oldUpdate->Owner() : newDataSet->Owner();
  auto* made = new TQuelmUpdateSQL(owner);
  newDataSet->SetUpdateObject(made);
  UpdateDesignInfo(oldUpdate, made);
  if (converted) {
    made->SetName(FreeName(made->Owner(), converted->Name()));
  } else {
    oldUpdate->SetName(std::string(ReplacedPrefix) + oldUpdate->Name());
    made->SetName(oldUpdate->Name().substr(ReplacedPrefix.size()));
  }

  constexpr std::array<const char*, 3> Statements = {"ModifySQL", "InsertSQL", "DeleteSQL"};
  for (int index = 0; index < static_cast<int>(Statements.size()); ++index) {
    try {
      if (auto* lines = dynamic_cast<TStrings*>(GetObjectProp(*oldUpdate, Statements[index])))
        made->GetSQLIndex(index).Assign(lines);
    } catch (const Exception&) {
      // A statement that cannot be read stays empty; the others still come.
    }
  }
}
