#pragma once
// One migration of a whole application: the form files and folders given
// are opened together as modules (a file that cannot be read is left out
// and the run goes on), the database the new datasets use is found or
// made, the package's migrator runs over the open forms, and every changed
// form is written (in place, or under an output folder at the same relative
// path), with a report of what was converted, re-pointed, moved, kept,
// deleted, skipped and left behind.
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

class TComponent;
class TModule;
struct TFileMigration;

struct TApplicationMigrationOptions {
  std::vector<std::string> Paths;
  std::string OutDir;          // empty: the files are changed in place
  bool DryRun = false;         // writes nothing
  bool Diff = false;           // keeps a unified diff of each changed file
  std::string Database;        // an existing database component ("Root.Name" or a name)
  std::string CreateDatabase;  // "MODULE.NAME": a database made for the run
  // The connection component whose settings the made database takes
  // ("Root.Name"); empty: the first one found; "none": none.
  std::string CarryConnection;
  std::optional<std::vector<std::string>> Convert;  // access layer words: bde, ado, dbx, zeos
  bool KeepSources = false;
  // Told of the run's progress: a phase and how far it is.
  std::function<void(const std::string& phase, int done, int total)> Progress;
  // Runs the migrator; by default through its Execute property editor, as
  // a developer presses it in the inspector.
  std::function<void(TComponent& migrator)> RunMigrator;
  // The unit of a changed form after the migration: its new bytes, or none
  // to leave it. Without it the unit service edits the unit (the converted
  // components' declarations, the uses clause).
  std::function<std::optional<std::string>(const TFileMigration& file, TModule& module)> EditUnit;
};

struct TConvertedDataSet {
  std::string Name;  // "Root.Name"
  std::string FromClass;
  std::string ToClass;
  std::string KeptSource;  // "Root.Die_Name" when the source stayed
  // An inherited dataset: the ancestor's converted dataset it follows,
  // "Root.Name"; it has no source of its own then.
  std::string Follows;
  std::vector<std::string> MovedFields;
};

struct TRepointed {
  std::string Name;
  std::string Target;
};

struct TUpdateObjectFate {
  std::string DataSet;     // the new dataset
  std::string Source;      // the update object the source dataset had
  std::string SourceClass;
  std::string Action;      // "carried", "copied", "deleted", "kept"
  std::string NewName;     // the new dataset's update object; empty when none
};

struct TLeftBehind {
  std::string Component;  // the source dataset's former "Root.Name"
  std::string Property;   // as the form file names it
  std::string Value;      // a short rendering
  std::string Note;       // what the new dataset has instead, when anything
};

struct TSkippedDataSet {
  std::string Name;
  std::string Class;
  std::string Reason;
};

// A place in a unit that still names a converted dataset's old class.
struct TUnitMention {
  int Line = 0;
  std::string Class;
};

struct TFileMigration {
  std::string Path;
  std::string Output;   // the file written (or that would be)
  std::string Unit;     // the unit beside the form; empty when none
  std::string UnitOutput;  // the unit written (or that would be); empty when it was left alone
  std::string UnitNote;    // why a changed form's unit was left alone
  // Code of the unit (outside the form's component declarations) that
  // still names a converted dataset's old class.
  std::vector<TUnitMention> UnitMentions;
  std::string Status;   // "changed", "unchanged", "created"
  std::vector<TConvertedDataSet> Converted;
  std::vector<TRepointed> DataSources;
  std::vector<TRepointed> LookupFields;
  std::vector<TUpdateObjectFate> UpdateObjects;
  std::vector<TLeftBehind> LeftBehind;
  std::vector<TSkippedDataSet> Skipped;
  std::string Diff;
  std::string WriteError;
};

struct TLeftOutFile {
  std::string Path;
  std::string Where;   // "file:line:column" or "file: offset N"; the path when no place is known
  std::string Reason;
};

struct TApplicationMigrationReport {
  std::string Migrator;
  bool MigratorDropped = false;
  std::string Database;
  std::string DatabaseFile;  // the module that holds a made database; empty for --database
  bool DatabaseCreated = false;
  std::string DatabaseModuleCreated;  // the new data module file, when one was made
  std::string ConnectionFrom;         // "Root.Name" whose settings were carried
  std::vector<std::pair<std::string, std::string>> Carried;  // property, value
  std::vector<std::string> Messages;
  std::vector<TFileMigration> Files;
  std::vector<TLeftOutFile> LeftOut;
  std::vector<std::pair<std::string, std::vector<std::string>>> DuplicateRoots;  // name, files
  bool DryRun = false;
  std::string Failure;  // the error that stopped the migration; nothing was written then
  // 0 all well; 1 a file was left out, not written, or the migration stopped.
  int ExitCode() const;
};

// Raises std::invalid_argument for options that cannot work (an unknown
// layer, a database that is no database).
TApplicationMigrationReport MigrateApplication(const TApplicationMigrationOptions& options);

// The printed summary, file by file.
void PrintMigrationReport(std::ostream& out, const TApplicationMigrationReport& report);
// The report as one JSON object.
void WriteMigrationReportJson(std::ostream& out, const TApplicationMigrationReport& report);
