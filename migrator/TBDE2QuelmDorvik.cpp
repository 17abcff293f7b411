#include "migrator/TBDE2QuelmDorvik.h"

#include "runtime/DBList.h"
#include "runtime/QuelmTypes.h"
#include "runtime/TQuelmDatabase.h"

const TTypeInfo& TypeInfoConvertComponent() {
  static const TTypeInfo info = MakeEnumType("TConvertComponent", {"convBDE", "convADO", "convDBX", "convZeos"});
  return info;
}

const TTypeInfo& TypeInfoConvertComponents() {
  static const TTypeInfo info = MakeSetType("TConvertComponents", TypeInfoConvertComponent());
  return info;
}

QUELM_DEFINE_CLASS(TBDE2QuelmDorvik, TComponent, b.ComponentFactory();
                   b.Property("About", TypeInfoQuelmDorvikAbout(), &TBDE2QuelmDorvik::About, &TBDE2QuelmDorvik::SetAbout);
                   b.Property("Database", TQuelmDatabase::StaticClass().TypeInfo(), &TBDE2QuelmDorvik::GetDatabase,
                              &TBDE2QuelmDorvik::SetDatabase);
                   b.Property("Execute", TypeInfoBoolean(), &TBDE2QuelmDorvik::Execute, &TBDE2QuelmDorvik::SetExecute);
                   b.Property("ConvertComponents", TypeInfoConvertComponents(), &TBDE2QuelmDorvik::ConvertComponents,
                              &TBDE2QuelmDorvik::SetConvertComponents);
                   b.Property("DeleteSourceComponents", TypeInfoBoolean(), &TBDE2QuelmDorvik::DeleteSourceComponents,
                              &TBDE2QuelmDorvik::SetDeleteSourceComponents)
                       .Default(1))

TBDE2QuelmDorvik::TBDE2QuelmDorvik(TComponent* owner)
    : TComponent(owner),
      FDataSetList(std::make_unique<TDataSetList>()),
      FConvertComponents{TConvertComponent::convBDE, TConvertComponent::convADO, TConvertComponent::convDBX,
                         TConvertComponent::convZeos} {
  // Dropped on a form at design time, the migrator takes a database of its
  // own form, the latest one made; else the latest database of any form.
  const TList<TQuelmDatabase>& databases = DBList();
  if (IsDesigning() && owner && !databases.IsEmpty()) {
    for (int i = databases.Count() - 1; i >= 0; --i)
      if (databases[i]->Owner() == owner) {
        SetDatabase(databases[i]);
        return;
      }
    SetDatabase(databases.Last());
  }
}

TBDE2QuelmDorvik::~TBDE2QuelmDorvik() = default;

TQuelmDatabase* TBDE2QuelmDorvik::GetDatabase() const { return FDatabase.Get(); }

void TBDE2QuelmDorvik::SetDatabase(TQuelmDatabase* database) {
  FDatabase = database;
  if (database) database->FreeNotification(this);
}

void TBDE2QuelmDorvik::SetConvertComponents(TConvertComponents value) { FConvertComponents = value; }

void TBDE2QuelmDorvik::SetDeleteSourceComponents(bool value) { FDeleteSourceComponents = value; }

void TBDE2QuelmDorvik::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FDatabase.Get()) FDatabase = nullptr;
}
