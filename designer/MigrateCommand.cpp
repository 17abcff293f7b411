#include "MigrateCommand.h"

#include "CommandSupport.h"

#include "designhost/CommandLine.h"
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

void DeclareMigrate(TCommandLine& line, TMigrateCommandOptions& o) {
  TApplicationMigrationOptions& run = o.Run;
  line.Option("--out", run.OutDir, "DIR", "write the changed files under DIR and leave the input alone")
      .Flag("--dry-run", run.DryRun, "write nothing")
      .Flag("--diff", run.Diff, "print a unified diff of each changed file")
      .Option("--report", o.ReportFile, "FILE", "write the report as JSON to FILE")
      .Option("--database", run.Database, "NAME", "the database component the new datasets use")
      .Option("--create-database", run.CreateDatabase, "MODULE.NAME", "make the database component NAME on MODULE")
      .Option("--carry-connection", run.CarryConnection, "NAME|none",
              "the connection component whose settings the made database takes")
      .Option("--convert", "bde,ado,dbx,zeos", "the access layers to convert",
              [&run](const std::string& v) { run.Convert = SplitNames(v); })
      .Flag("--keep-sources", run.KeepSources, "keep each source, renamed Die_NAME")
      .Words("PATH...", run.Paths);
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

int RunMigrate(TDesignToolContext& ctx, TMigrateCommandOptions& options) {
  if (options.Run.Paths.empty()) throw EUsageError("give at least one form file or folder");
  if (!options.Run.Database.empty() && !options.Run.CreateDatabase.empty())
    throw EUsageError("give --database or --create-database, not both");
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

} // namespace

TDesignTool MigrateCommand() {
  return DeclaredTool<TMigrateCommandOptions>(
      "migrate",
      "Opens the form files together, a folder meaning every form file under it\n"
      "(text and binary, each with the unit beside it), and runs the migrator on\n"
      "them: the migrator on the first form, or else one dropped on the first form\n"
      "for this run only. The foreign datasets (BDE, ADO, dbExpress and Zeos\n"
      "queries, tables and stored procedures) become the suite's datasets under\n"
      "their names, with their SQL, table or procedure name, events, persistent\n"
      "fields and update objects, and the data sources and lookup fields that used\n"
      "them follow; a dbExpress or ADO command text that names a table or a\n"
      "procedure becomes SELECT * FROM it or CALL it. A dataset a form inherits\n"
      "follows its ancestor's conversion when the ancestor is among the files,\n"
      "keeping only the descendant's own SQL, names, events and fields; one whose\n"
      "ancestor is not there, one inside an inline frame, or of a class derived\n"
      "from a convertible one is left as it is. The unit of each changed form\n"
      "declares the new classes (a kept source under its Die_ name) and uses the\n"
      "suite's unit; code that still names an old class is listed by line. A file\n"
      "that cannot be read is left out and reported; the others are migrated, and\n"
      "the exit status is 1.\n"
      "\n"
      "--out DIR writes every changed form and unit under DIR at its relative\n"
      "path and leaves the input alone; without it the files change in place,\n"
      "each atomically. --create-database MODULE.NAME adds a database component\n"
      "NAME to the open module MODULE, or makes a data module MODULE.dfm with its\n"
      "unit in DIR (or in the first folder given), and gives it the host, port,\n"
      "database and user (never a password) of the application's first\n"
      "connection component, or of the one --carry-connection names.\n",
      DeclareMigrate, RunMigrate);
}
