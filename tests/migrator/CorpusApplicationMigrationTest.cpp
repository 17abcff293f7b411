// The shared corpus migrated as one application: every form file with its
// unit beside it, one run, an output folder; every output form read back.
#include "designhost/migration/ApplicationMigration.h"

#include "MigratorTestModules.h"

#include "designhost/units/TUnitSource.h"
#include "streaming/TFormFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace fs = std::filesystem;
using namespace migrator_test;

namespace {

fs::path Corpus() {
  const char* shared = std::getenv("QUELM_SHARED");
  fs::path base = shared && *shared ? fs::path(shared) : fs::path(__FILE__).parent_path() / "../../../shared";
  return base / "corpus";
}

// What a set of form files read together warns about, without the places
// (which move when a form changes).
std::multiset<std::string> Warnings(const std::vector<std::string>& paths) {
  TModuleServices services(Registry());
  services.OpenModules(paths);
  std::multiset<std::string> warnings;
  for (int i = 0; i < services.GetModuleCount(); ++i)
    for (const std::string& w : services.GetModule(i)->Warnings()) {
      std::string file = services.GetModule(i)->FileName();
      size_t what = w.find(": ", file.size());
      warnings.insert(fs::path(file).filename().string() + w.substr(what));
    }
  return warnings;
}

TEST(CorpusApplicationMigrationTest, TheCorpusMigratesWithNoFileLeftOutAndReadsBackWithNoNewWarning) {
  if (!fs::is_directory(Corpus() / "dfm")) GTEST_SKIP() << "no corpus at " << Corpus();
  Registry();
  fs::path dir = fs::temp_directory_path() / ("quelm-corpus-app-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "app");
  for (const char* kind : {"dfm", "pas"})
    for (const auto& e : fs::directory_iterator(Corpus() / kind))
      fs::copy_file(e.path(), dir / "app" / e.path().filename());

  TApplicationMigrationOptions options;
  options.Paths = {(dir / "app").string()};
  options.OutDir = (dir / "out").string();
  options.CreateDatabase = "QuelmData.Db";
  options.RunMigrator = [](TComponent& migrator) { dynamic_cast<TBDE2QuelmDorvik&>(migrator).Migrate(); };
  TApplicationMigrationReport report = MigrateApplication(options);
  ASSERT_EQ(report.Failure, "");
  for (const TLeftOutFile& l : report.LeftOut) ADD_FAILURE() << "left out " << l.Where << ": " << l.Reason;
  EXPECT_EQ(report.ExitCode(), 0);

  std::vector<std::string> in, out;
  int changed = 0, converted = 0;
  for (const TFileMigration& f : report.Files) {
    converted += static_cast<int>(f.Converted.size());
    if (f.Status == "unchanged") continue;
    ++changed;
    if (f.Status != "created") in.push_back(f.Path);
    out.push_back(f.Output);
    EXPECT_EQ(f.WriteError, "") << f.Path;
  }
  EXPECT_GT(converted, 0);
  // Each written unit still reads, and declares each converted dataset it
  // declared with the dataset's new class.
  int units = 0;
  for (const TFileMigration& f : report.Files) {
    if (f.UnitOutput.empty() || f.Status == "created") continue;
    ++units;
    TUnitSource unit = TUnitSource::LoadFromFile(f.UnitOutput);
    TUnitSource was = TUnitSource::LoadFromFile(f.Unit);
    for (const TConvertedDataSet& c : f.Converted) {
      std::string name = c.Name.substr(c.Name.find('.') + 1);
      for (const TUnitClassDeclaration& cls : was.Classes()) {
        if (!cls.FindField(name)) continue;
        const TUnitFieldDeclaration* now = unit.FindClass(cls.Name)->FindField(name);
        ASSERT_NE(now, nullptr) << f.UnitOutput << " " << name;
        EXPECT_EQ(now->TypeName, c.ToClass) << f.UnitOutput << " " << name;
      }
    }
  }
  EXPECT_GT(units, 0);
  std::multiset<std::string> before = Warnings(in), after = Warnings(out);
  for (const std::string& w : after)
    if (before.count(w) < after.count(w)) ADD_FAILURE() << "new warning " << w;
  std::cout << "[ corpus   ] " << report.Files.size() << " files, " << changed << " written, " << converted
            << " datasets converted\n";
  fs::remove_all(dir);
}

} // namespace
