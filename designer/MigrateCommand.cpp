#include "MigrateCommand.h"

#include "designhost/DesignTools.h"
#include "designhost/migration/ApplicationMigration.h"
#include "rtl/Exceptions.h"
#include "streaming/TFormFile.h"

#include <unistd.h>

#include <chrono>
#include <ostream>
#include <sstream>
#include <stdexcept>

namespace {

struct TMigrateCommandOptions {
  TApplicationMigrationOptions Run;
  std::string ReportFile;
};

std::vector<std::string> SplitWords(const std::string& text) {
  std::vector<std::string> words;
  std::stringstream in(text);
  for (std::string word; std::getline(in, word, ',');)
    if (!word.empty()) words.push_back(word);
  return words;
}

TMigrateCommandOptions ParseOptions(const std::vector<std::string>& args) {
  TMigrateCommandOptions o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= args.size()) throw std::invalid_argument(a + " needs a value");
      return args[++i];
    };
    if (a == "--database") o.Run.Database = value();
    else if (a == "--create-database") o.Run.CreateDatabase = value();
    else if (a == "--carry-connection") o.Run.CarryConnection = value();
    else if (a == "--convert") o.Run.Convert = SplitWords(value());
    else if (a == "--keep-sources") o.Run.KeepSources = true;
    else if (a == "--dry-run") o.Run.DryRun = true;
    else if (a == "--diff") o.Run.Diff = true;
    else if (a == "--out") o.Run.OutDir = value();
    else if (a == "--report") o.ReportFile = value();
    else if (a.size() > 1 && a[0] == '-') throw std::invalid_argument("unknown option " + a);
    else o.Run.Paths.push_back(a);
  }
  if (o.Run.Paths.empty()) throw std::invalid_argument("give at least one form file or folder");
  if (!o.Run.Database.empty() && !o.Run.CreateDatabase.empty())
    throw std::invalid_argument("give --database or --create-database, not both");
  return o;
}

// Progress on a terminal, once the run has taken longer than a second.
class TProgressLine {
public:
  explicit TProgressLine(std::ostream& err) : FErr(err), FShow(isatty(STDERR_FILENO) == 1) {}
  ~TProgressLine() { Clear(); }
  // Takes the line away before the summary is printed.
  void Clear() {
    if (FShown) FErr << "\r\033[K" << std::flush;
    FShown = false;
    FShow = false;
  }
  TProgressLine(const TProgressLine&) = delete;
  TProgressLine& operator=(const TProgressLine&) = delete;
  void operator()(const std::string& phase, int done, int total) {
    if (!FShow || std::chrono::steady_clock::now() - FStart < std::chrono::seconds(1)) return;
    FShown = true;
    FErr << "\rmigrate: " << phase << " " << done << "/" << total << "\033[K" << std::flush;
  }

private:
  std::ostream& FErr;
  bool FShow;
  bool FShown = false;
  std::chrono::steady_clock::time_point FStart = std::chrono::steady_clock::now();
};

} // namespace

int RunMigrateCommand(TDesignToolContext& ctx) {
  TMigrateCommandOptions options;
  try {
    options = ParseOptions(ctx.Args);
  } catch (const std::invalid_argument& e) {
    *ctx.Err << "migrate: " << e.what() << "\n" << MigrateUsage;
    return 2;
  }
  TProgressLine progress(*ctx.Err);
  options.Run.Progress = [&](const std::string& phase, int done, int total) { progress(phase, done, total); };
  TApplicationMigrationReport report;
  try {
    report = MigrateApplication(options.Run);
    progress.Clear();
  } catch (const std::invalid_argument& e) {
    *ctx.Err << "migrate: " << e.what() << "\n";
    return 2;
  }
  if (!report.Failure.empty()) {
    for (const std::string& m : report.Messages) *ctx.Err << "message: " << m << "\n";
    *ctx.Err << "migrate: " << report.Failure << "\n";
    if (report.Database.empty())
      *ctx.Err << "migrate: no form has a TQuelmDatabase for the new datasets; drop one on a form, name one with"
               << " --database or make one with --create-database\n";
    *ctx.Err << "migrate: the migration stopped; nothing was written\n";
  }
  // With --json the diffs are members of the report.
  if (options.Run.Diff && !ctx.Json)
    for (const TFileMigration& f : report.Files) *ctx.Out << f.Diff;
  if (ctx.Json) WriteMigrationReportJson(*ctx.Out, report);
  else if (report.Failure.empty()) PrintMigrationReport(*ctx.Out, report);
  if (!options.ReportFile.empty()) {
    std::ostringstream json;
    WriteMigrationReportJson(json, report);
    try {
      WriteFileAtomically(options.ReportFile, json.str());
    } catch (const Exception& e) {
      *ctx.Err << "migrate: " << e.Message() << "\n";
      return 1;
    }
  }
  return report.ExitCode();
}
