#pragma once
// The migrator: a non-visual component that replaces the datasets of other
// access layers on the open forms by the suite's datasets.
#include "classes/TComponent.h"
#include "classes/TComponentRef.h"
#include "classes/TValue.h"
#include "migrator/TDataSetList.h"
#include "rtl/TList.h"

#include <memory>
#include <string>
#include <string_view>

class TClassInfo;
class TDataSet;
class TField;
class TQuelmDatabase;
class TQuelmDataSet;

enum class TConvertComponent { convBDE, convADO, convDBX, convZeos };
using TConvertComponents = TSet<TConvertComponent>;

const TTypeInfo& TypeInfoConvertComponent();
const TTypeInfo& TypeInfoConvertComponents();

class TBDE2QuelmDorvik : public TComponent {
  QUELM_CLASS(TBDE2QuelmDorvik, TComponent)

public:
  // A replaced component's name is this prefix followed by its former name;
  // its replacement takes the former name.
  static constexpr std::string_view ReplacedPrefix = "Die_";

  explicit TBDE2QuelmDorvik(TComponent* owner);
  ~TBDE2QuelmDorvik() override;

  // Runs a whole migration over the open modules of the design host:
  // converts the foreign datasets, re-points data sources and lookup fields,
  // frees the sources when asked to, and reports the count in a message box.
  // Raises "Database not assigned" before anything changes without Database.
  virtual void Migrate();

  // The three phases of Migrate.
  void MigrateTables();
  void MigrateDataSources();
  void MigrateLookupFields();
  // Appends every component of cls (or a descendant) that a root of an open
  // module owns, module by module in the owner's order; nothing without
  // either argument or without the host's module services.
  void FillComponents(TList<TComponent>* list, const TClassInfo* cls);
  // Creates the suite's dataset for a dataset of a convertible class and
  // records the pair; other datasets are left alone.
  void CheckDataSet(TDataSet* dataSet);
  // Gives destination the design position of source and makes it the last
  // component of source's owner.
  void UpdateDesignInfo(TComponent* source, TComponent* destination);
  int NewDataSetPair(TQuelmDataSet* newDataSet, TDataSet* oldDataSet);

  // The transfer of one pair, and its steps.
  void CreateQuelmDataSet(TQuelmDataSet* newDataSet, TDataSet* oldDataSet);
  void GetNeededSQLs(TQuelmDataSet* newDataSet, TDataSet* oldDataSet);
  void AssignEvents(TQuelmDataSet* newDataSet, TDataSet* oldDataSet);
  void MoveFields(TQuelmDataSet* newDataSet, TDataSet* oldDataSet);
  void GetCachedUpdates(TQuelmDataSet* newDataSet, TDataSet* oldDataSet);
  void GetNeededUpdateObject(TQuelmDataSet* newDataSet, TDataSet* oldDataSet);
  // Copies a field's settings onto another field object and hands over its
  // name; the source then carries the "Die_" name.
  void AssignFields(TField* source, TField* destination);

  // The pairs of the current or last migration.
  const TDataSetList& DataSetList() const { return *FDataSetList; }

  const std::string& About() const { return FAbout; }
  void SetAbout(const std::string& about) { FAbout = about; }
  TQuelmDatabase* GetDatabase() const;
  void SetDatabase(TQuelmDatabase* database);
  bool Execute() const { return FExecute; }
  void SetExecute(bool execute) { FExecute = execute; }
  TConvertComponents ConvertComponents() const { return FConvertComponents; }
  void SetConvertComponents(TConvertComponents value);
  bool DeleteSourceComponents() const { return FDeleteSourceComponents; }
  void SetDeleteSourceComponents(bool value);

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  std::string FAbout;
  TComponentRef<TQuelmDatabase> FDatabase;
  std::unique_ptr<TDataSetList> FDataSetList;
  bool FExecute = false;
  bool FDeleteSourceComponents = true;
  TConvertComponents FConvertComponents;
};
