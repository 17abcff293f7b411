// Migrating a whole application: the shared corpus copied ten times (each
// copy in a folder of its own, forms with their units), one run into an
// output folder, as "quelm-designer migrate app --out out" does it. The
// counters give the forms per run and the process's peak resident memory.
//
// Where the time goes (390 forms, 351 written with their units): reading the
// forms and units, each form written out once as the text it was opened as
// (what tells an unchanged form) and once as it is saved, the unit edits,
// and creating the 702 new files. The last is the file system's: on ext4
// each new file's inode is found past the inodes deleted in the last
// minutes, which this loop, removing the output folder between runs,
// multiplies. The output folder is synced once at the end, not per file.
#include "classes/TClassRegistry.h"
#include "designhost/foreign/ForeignClasses.h"
#include "designhost/migration/ApplicationMigration.h"
#include "migrator/TBDE2QuelmDorvik.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr int Copies = 10;

// The application folder, made once per process and removed at exit.
struct TApplication {
  fs::path Dir;
  int Forms = 0;
  TApplication() {
    fs::path root = fs::path(__FILE__).parent_path().parent_path().parent_path() / "shared";
    if (const char* env = std::getenv("QUELM_SHARED"); env && *env) root = env;
    if (!fs::is_directory(root / "corpus" / "dfm")) return;
    Dir = fs::temp_directory_path() / ("quelm-migrate-bench-" + std::to_string(::getpid()));
    for (int copy = 0; copy < Copies; ++copy) {
      fs::path to = Dir / "app" / ("copy" + std::to_string(copy));
      fs::create_directories(to);
      for (const char* kind : {"dfm", "pas"})
        for (const auto& e : fs::directory_iterator(root / "corpus" / kind)) {
          fs::copy_file(e.path(), to / e.path().filename());
          if (std::string(kind) == "dfm") ++Forms;
        }
    }
  }
  ~TApplication() {
    std::error_code ec;
    if (!Dir.empty()) fs::remove_all(Dir, ec);
  }
};

TApplication& Application() {
  static TApplication app;
  return app;
}

void BM_MigrateCorpusTenTimesIntoOut(benchmark::State& state) {
  TApplication& app = Application();
  if (app.Dir.empty()) {
    state.SkipWithError("no corpus");
    return;
  }
  RegisterForeignClasses(TClassRegistry::Global());
  TClassRegistry::Global().RegisterClass(TBDE2QuelmDorvik::StaticClass());
  TApplicationMigrationOptions options;
  options.Paths = {(app.Dir / "app").string()};
  options.OutDir = (app.Dir / "out").string();
  options.CreateDatabase = "QuelmData.Db";
  options.RunMigrator = [](TComponent& migrator) { dynamic_cast<TBDE2QuelmDorvik&>(migrator).Migrate(); };
  size_t written = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(app.Dir / "out");
    state.ResumeTiming();
    TApplicationMigrationReport report = MigrateApplication(options);
    if (!report.Failure.empty() || !report.LeftOut.empty()) state.SkipWithError("the migration did not run clean");
    written = 0;
    for (const TFileMigration& f : report.Files) written += f.Status != "unchanged";
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["forms"] = app.Forms;
  state.counters["written"] = static_cast<double>(written);
  state.counters["peakMB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_MigrateCorpusTenTimesIntoOut)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
