#pragma once
// The migrator: a non-visual component that replaces the datasets of other
// access layers on the open forms by the suite's datasets.
#include "classes/TComponent.h"
#include "classes/TComponentRef.h"
#include "classes/TValue.h"

#include <string>

class TQuelmDatabase;

enum class TConvertComponent { convBDE, convADO, convDBX, convZeos };
using TConvertComponents = TSet<TConvertComponent>;

const TTypeInfo& TypeInfoConvertComponent();
const TTypeInfo& TypeInfoConvertComponents();

class TBDE2QuelmDorvik : public TComponent {
  QUELM_CLASS(TBDE2QuelmDorvik, TComponent)

public:
  explicit TBDE2QuelmDorvik(TComponent* owner);
  ~TBDE2QuelmDorvik() override;

  // Runs a whole migration over the open modules of the design host.
  virtual void Migrate();

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
  bool FExecute = false;
  bool FDeleteSourceComponents = true;
  TConvertComponents FConvertComponents;
};
