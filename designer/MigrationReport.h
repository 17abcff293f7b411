#pragma once
// What a migration changed on the open forms, seen from outside the migrator:
// the components of every module's root before the run, compared with the
// forms afterwards. A component whose name is held by another object after
// the run was replaced; data sources and lookup fields whose dataset changed
// were re-pointed; a module whose file text changed was modified.
#include "classes/TComponentRef.h"

#include <string>
#include <vector>

class TModuleServices;
class TModule;

struct TReplacedComponent {
  std::string Name;        // "Root.Name", the name the replacement now has
  std::string FromClass;
  std::string ToClass;
  std::string KeptSource;  // "Root.Die_Name" when the source stayed; empty when freed
};

struct TRepointedLink {
  std::string Name;    // "Root.DataSource1", "Root.Query1CUST"
  std::string Target;  // "Root.Query1"; empty for none
};

class TMigrationReport {
public:
  // Takes the snapshot of every open module.
  explicit TMigrationReport(TModuleServices& modules);
  ~TMigrationReport();
  TMigrationReport(const TMigrationReport&) = delete;
  TMigrationReport& operator=(const TMigrationReport&) = delete;

  // Compares the forms now with the snapshot.
  void Compare();

  const std::vector<TReplacedComponent>& Replaced() const { return FReplaced; }
  const std::vector<TRepointedLink>& DataSources() const { return FDataSources; }
  const std::vector<TRepointedLink>& LookupFields() const { return FLookupFields; }
  // The modules whose file text differs from the snapshot's, in module order.
  const std::vector<TModule*>& ChangedModules() const { return FChanged; }

private:
  struct TEntry;
  struct TLink;
  TModuleServices& FModules;
  std::vector<TEntry> FEntries;
  std::vector<TLink> FSources;
  std::vector<TLink> FLookups;
  std::vector<std::string> FTexts;
  std::vector<TReplacedComponent> FReplaced;
  std::vector<TRepointedLink> FDataSources;
  std::vector<TRepointedLink> FLookupFields;
  std::vector<TModule*> FChanged;
};

// "Root.Name" of a component owned by a form's root; the bare name otherwise.
std::string QualifiedName(const TComponent* component);
