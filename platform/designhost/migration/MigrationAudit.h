#pragma once
// What a migration did, seen from outside the migrator: the forms are
// looked at before the run (each dataset with the properties its form file
// gave it and its update object, each data source and lookup field with its
// dataset, each module's text) and compared with the forms afterwards. A
// dataset whose name another object holds afterwards was converted; the
// properties its replacement does not have with the same value were left
// behind.
#include "classes/TComponentRef.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class TComponent;
class TModule;
class TModuleServices;
struct TApplicationMigrationReport;

class TMigrationAudit {
public:
  // fileOf: each module's entry in the report's files. savedText: a
  // module's text as it would be saved now, when known already (empty
  // otherwise), which spares saving it once more.
  TMigrationAudit(TModuleServices& modules, const std::map<const TModule*, size_t>& fileOf, bool withTextViews,
                  const std::function<std::string(const TModule&)>& savedText = {});
  ~TMigrationAudit();
  TMigrationAudit(const TMigrationAudit&) = delete;
  TMigrationAudit& operator=(const TMigrationAudit&) = delete;

  // Adds to each file of the report what the migration did to it.
  void Compare(TApplicationMigrationReport& report) const;

  // Module i as it would have been saved before the run; as text also for a
  // binary form when asked for text views (empty otherwise).
  const std::string& Text(int module) const { return FTexts.at(static_cast<size_t>(module)); }
  const std::string& TextView(int module) const { return FTextViews.at(static_cast<size_t>(module)); }
  // Whether module i was read before the run (a module made by the run was not).
  bool Knows(int module) const { return module >= 0 && static_cast<size_t>(module) < FTexts.size(); }

private:
  struct TDataSetBefore;
  struct TLinkBefore;
  std::vector<TDataSetBefore> FDataSets;
  std::vector<TLinkBefore> FSources, FLookups;
  std::vector<std::string> FTexts;
  std::vector<std::string> FTextViews;
};

// "Root.Name" of a component owned by a form's root; the bare name otherwise.
std::string QualifiedName(const TComponent* component);
