// Every corpus form that holds foreign datasets, migrated as a developer
// would: a database component and the migrator dropped on the form, Execute
// pressed, the migrator removed again, the form saved and read back.
#include "migrator/TBDE2QuelmDorvik.h"

#include "MigratorTestModules.h"

#include "classes/TypInfo.h"
#include "db/TDataSet.h"
#include "db/TDataSource.h"
#include "db/TField.h"
#include "migrator/ConvertibleClasses.h"
#include "runtime/TQuelmDatabase.h"
#include "runtime/TQuelmDataSet.h"
#include "runtime/TQuelmUpdateSQL.h"
#include "streaming/TFormFile.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace fs = std::filesystem;
using namespace migrator_test;

namespace {

fs::path CorpusDir() {
  const char* shared = std::getenv("QUELM_SHARED");
  fs::path base = shared && *shared ? fs::path(shared) : fs::path(__FILE__).parent_path() / "../../../shared";
  return base / "corpus" / "dfm";
}

// What the migration must make of one convertible dataset.
struct TExpected {
  std::string Name;
  std::string NewClass;
  int Fields;
  std::string UpdateObject;  // the converted update object's name; empty when none is carried
};

const char* NewClassOf(TQuelmDataSetKind kind) {
  switch (kind) {
  case TQuelmDataSetKind::Query: return "TQuelmQuery";
  case TQuelmDataSetKind::Table: return "TQuelmTable";
  case TQuelmDataSetKind::StoredProc: return "TQuelmStoredProc";
  }
  return "";
}

const TConvertComponents AllLayers{TConvertComponent::convBDE, TConvertComponent::convADO,
                                   TConvertComponent::convDBX, TConvertComponent::convZeos};

bool IsConvertible(const TComponent* c) {
  return dynamic_cast<const TDataSet*>(c) && FindConvertibleClass(c->ClassName(), AllLayers);
}

// Data sources and lookup fields of the form bound to a convertible dataset:
// the holder's name and the dataset's.
std::vector<std::pair<std::string, std::string>> ExpectedLinks(const TComponent& root) {
  std::vector<std::pair<std::string, std::string>> links;
  for (int i = 0; i < root.ComponentCount(); ++i) {
    TComponent* c = root.Components(i);
    if (auto* source = dynamic_cast<TDataSource*>(c); source && IsConvertible(source->DataSet()))
      links.emplace_back(c->Name(), source->DataSet()->Name());
    if (auto* field = dynamic_cast<TField*>(c); field && field->IsLookup() && IsConvertible(field->LookupDataSet()))
      links.emplace_back(c->Name(), field->LookupDataSet()->Name());
  }
  return links;
}

std::vector<TExpected> ExpectedConversions(const TComponent& root) {
  std::vector<TExpected> expected;
  for (int i = 0; i < root.ComponentCount(); ++i) {
    auto* dataSet = dynamic_cast<TDataSet*>(root.Components(i));
    if (!dataSet) continue;
    const TConvertibleClass* row = FindConvertibleClass(dataSet->ClassName(), AllLayers);
    if (!row) continue;
    TExpected e{dataSet->Name(), NewClassOf(row->Kind), dataSet->DefaultFields() ? 0 : dataSet->FieldCount(), ""};
    if (IsPublishedProp(*dataSet, "UpdateObject"))
      if (auto* update = dynamic_cast<TComponent*>(GetObjectProp(*dataSet, "UpdateObject"));
          update && (update->ClassName() == "TUpdateSQL" || update->ClassName() == "TZUpdateSQL"))
        e.UpdateObject = update->Name();
    expected.push_back(e);
  }
  return expected;
}

struct TCorpusResult {
  std::string File;
  std::string Failure;  // empty: migrated cleanly
};

TCorpusResult MigrateCorpusFile(const fs::path& source, int& converted, int& linked) {
  TCorpusResult result{source.filename().string(), ""};
  fs::path dir = fs::temp_directory_path() / ("quelm-corpus-migration-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  fs::path copy = dir / source.filename();
  fs::copy_file(source, copy, fs::copy_options::overwrite_existing);
  std::vector<TExpected> expected;
  std::vector<std::pair<std::string, std::string>> links;
  size_t warningsBefore = 0;
  {
    TModuleServices services(Registry());
    TModuleServicesGuard guard(services);
    TModule* module = services.OpenModules({copy.string()}).at(0);
    TComponent* root = module->Root();
    expected = ExpectedConversions(*root);
    if (expected.empty()) return {result.File, "-"};
    links = ExpectedLinks(*root);
    warningsBefore = module->Warnings().size();
    auto* database = new TQuelmDatabase(root);
    database->SetName("QuelmDatabase1");
    auto* migrator = new TBDE2QuelmDorvik(root);
    migrator->SetName("BDE2QuelmDorvik1");
    if (migrator->GetDatabase() != database)
      return {result.File, "the dropped migrator did not take the form's database"};
    TRecordingDriver boxes;
    migrator->Migrate();
    std::string message = std::to_string(expected.size()) + " dataset descendants processed successfully";
    if (boxes.Texts() != std::vector<std::string>{message}) return {result.File, "no message '" + message + "'"};
    delete migrator;
    if (!module->IsModified()) return {result.File, "the module was not marked modified"};
    module->Save();
  }
  TModuleServices again(Registry());
  TModule* module = again.OpenModules({copy.string()}).at(0);
  TComponent* root = module->Root();
  for (const TExpected& e : expected) {
    auto* made = dynamic_cast<TQuelmDataSet*>(root->FindComponent(e.Name));
    if (!made || made->ClassName() != e.NewClass)
      return {result.File, e.Name + " reads back as " + (made ? made->ClassName() : "nothing") + ", not " + e.NewClass};
    if (made->FieldCount() != e.Fields)
      return {result.File, e.Name + " has " + std::to_string(made->FieldCount()) + " fields, not " +
                               std::to_string(e.Fields)};
    if (made->GetDatabase() != root->FindComponent("QuelmDatabase1"))
      return {result.File, e.Name + " lost its database"};
    if (!e.UpdateObject.empty() && !made->GetUpdateObject())
      return {result.File, e.Name + " lost its update object " + e.UpdateObject};
    if (e.UpdateObject.empty() && made->GetUpdateObject())
      return {result.File, e.Name + " has an update object it should not have"};
    ++converted;
  }
  for (const auto& [holder, dataSet] : links) {
    TComponent* c = root->FindComponent(holder);
    TComponent* bound = nullptr;
    if (auto* source = dynamic_cast<TDataSource*>(c)) bound = source->DataSet();
    if (auto* field = dynamic_cast<TField*>(c)) bound = field->LookupDataSet();
    if (!bound || bound->Name() != dataSet || !dynamic_cast<TQuelmDataSet*>(bound))
      return {result.File, holder + " is not bound to the new " + dataSet};
    ++linked;
  }
  for (int i = 0; i < root->ComponentCount(); ++i)
    if (root->Components(i)->Name().rfind("Die_", 0) == 0)
      return {result.File, "a source stayed: " + root->Components(i)->Name()};
  if (module->Warnings().size() > warningsBefore) {
    std::string first = module->Warnings().front();
    return {result.File, "new warnings on reading back, e.g. " + first};
  }
  fs::remove_all(dir);
  return result;
}

TEST(CorpusMigrationTest, EveryCorpusFormWithForeignDataSetsMigratesAndReadsBack) {
  fs::path dir = CorpusDir();
  if (!fs::is_directory(dir)) GTEST_SKIP() << "no corpus at " << dir;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(dir))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  int migrated = 0, candidates = 0, converted = 0, linked = 0;
  for (const fs::path& file : files) {
    TCorpusResult r;
    try {
      r = MigrateCorpusFile(file, converted, linked);
    } catch (const Exception& e) {
      r = {file.filename().string(), std::string(e.ClassName()) + ": " + e.Message()};
    }
    if (r.Failure == "-") continue;
    ++candidates;
    if (r.Failure.empty()) ++migrated;
    else ADD_FAILURE() << r.File << ": " << r.Failure;
  }
  std::cout << "[ corpus   ] " << migrated << " of " << candidates << " forms with foreign datasets migrated cleanly ("
            << converted << " datasets, " << linked << " data sources and lookup fields re-pointed), " << files.size()
            << " files in all\n";
  EXPECT_GT(candidates, 0);
}

} // namespace
