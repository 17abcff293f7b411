// The printed summary and the JSON form of an application migration's report.
#include "designhost/migration/ApplicationMigration.h"

#include "rtl/JsonWriter.h"

namespace {
std::string OrNone(const std::string& s) { return s.empty() ? "(none)" : s; }
} // namespace

void PrintMigrationReport(std::ostream& out, const TApplicationMigrationReport& r) {
  out << "migrator " << OrNone(r.Migrator) << (r.MigratorDropped ? " (dropped for this run)" : "") << ", database "
      << OrNone(r.Database) << (r.DatabaseCreated ? " (made for this run)" : "") << "\n";
  if (!r.ConnectionFrom.empty()) {
    out << "connection settings from " << r.ConnectionFrom << ":";
    for (const auto& [property, value] : r.Carried) out << " " << property << "=" << value;
    out << " (no password is carried)\n";
  }
  for (const TFileMigration& f : r.Files) {
    bool quiet = f.Status == "unchanged" && f.Skipped.empty() && f.DataSources.empty() && f.LookupFields.empty() &&
                 f.UnitMentions.empty();
    if (quiet) continue;
    out << f.Path << ": " << f.Status;
    if (f.Output != f.Path) out << (r.DryRun ? ", would write " : ", written to ") << f.Output;
    else if (!r.DryRun && f.Status != "unchanged") out << ", written";
    out << "\n";
    for (const TConvertedDataSet& c : f.Converted) {
      out << "  converted " << c.Name << ": " << c.FromClass << " -> " << c.ToClass
          << (!c.Follows.empty()      ? " (inherited, follows " + c.Follows + ")"
              : c.KeptSource.empty() ? " (source deleted)"
                                     : " (source kept as " + c.KeptSource + ")")
          << "\n";
      if (!c.MovedFields.empty()) {
        out << "    moved fields:";
        for (const std::string& field : c.MovedFields) out << " " << field;
        out << "\n";
      }
    }
    for (const TRepointed& l : f.DataSources) out << "  data source " << l.Name << " -> " << OrNone(l.Target) << "\n";
    for (const TRepointed& l : f.LookupFields) out << "  lookup field " << l.Name << " -> " << OrNone(l.Target) << "\n";
    for (const TUpdateObjectFate& u : f.UpdateObjects)
      out << "  update object " << u.Source << " (" << u.SourceClass << ") of " << u.DataSet << ": " << u.Action
          << (u.NewName.empty() ? "" : " as " + u.NewName) << "\n";
    for (const TLeftBehind& l : f.LeftBehind)
      out << "  left behind " << l.Component << "." << l.Property << " = " << l.Value << ": " << l.Note << "\n";
    for (const TSkippedDataSet& s : f.Skipped)
      out << "  skipped " << s.Name << " (" << s.Class << "): " << s.Reason << "\n";
    if (!f.UnitOutput.empty()) {
      out << "  unit " << f.Unit;
      if (f.UnitOutput != f.Unit) out << (r.DryRun ? ", would write " : ", written to ") << f.UnitOutput;
      else out << (r.DryRun ? ", would change" : ", written");
      out << "\n";
    }
    if (!f.UnitNote.empty()) out << "  unit left alone: " << f.UnitNote << "\n";
    for (const TUnitMention& m : f.UnitMentions)
      out << "  unit code names " << m.Class << ": " << f.Unit << ":" << m.Line << "\n";
    if (!f.WriteError.empty()) out << "  not written: " << f.WriteError << "\n";
  }
  for (const auto& [name, files] : r.DuplicateRoots) {
    out << "duplicate root name " << name << " in";
    for (const std::string& file : files) out << " " << file;
    out << "; references to " << name << " reach the first\n";
  }
  for (const TLeftOutFile& l : r.LeftOut) out << "left out " << l.Where << ": " << l.Reason << "\n";
  for (const std::string& m : r.Messages) out << "message: " << m << "\n";
  int changed = 0;
  for (const TFileMigration& f : r.Files)
    if (f.Status != "unchanged") ++changed;
  out << r.Files.size() << " files read, " << changed << (r.DryRun ? " would change, " : " changed, ")
      << r.LeftOut.size() << " left out\n";
}

void WriteMigrationReportJson(std::ostream& out, const TApplicationMigrationReport& r) {
  TJsonWriter json(out);
  auto nullable = [&](const char* key, const std::string& value) {
    json.Key(key);
    if (value.empty()) json.Null();
    else json.String(value);
  };
  json.BeginObject();
  nullable("migrator", r.Migrator);
  json.Member("dropped", r.MigratorDropped);
  json.Key("database").BeginObject();
  nullable("name", r.Database);
  json.Member("created", r.DatabaseCreated);
  nullable("file", r.DatabaseFile);
  nullable("newModule", r.DatabaseModuleCreated);
  nullable("connectionFrom", r.ConnectionFrom);
  json.Key("carried").BeginObject();
  for (const auto& [property, value] : r.Carried) json.Member(property, value);
  json.EndObject().EndObject();
  json.Member("dryRun", r.DryRun);
  nullable("failure", r.Failure);
  json.Key("files").BeginArray();
  for (const TFileMigration& f : r.Files) {
    json.BeginObject().Member("path", f.Path).Member("output", f.Output);
    nullable("unit", f.Unit);
    nullable("unitOutput", f.UnitOutput);
    json.Member("status", f.Status);
    json.Key("converted").BeginArray();
    for (const TConvertedDataSet& c : f.Converted) {
      json.BeginObject().Member("name", c.Name).Member("from", c.FromClass).Member("to", c.ToClass);
      nullable("keptSource", c.KeptSource);
      nullable("follows", c.Follows);
      json.Key("movedFields").BeginArray();
      for (const std::string& field : c.MovedFields) json.String(field);
      json.EndArray().EndObject();
    }
    json.EndArray();
    auto links = [&](const char* key, const char* target, const std::vector<TRepointed>& list) {
      json.Key(key).BeginArray();
      for (const TRepointed& l : list) {
        json.BeginObject().Member("name", l.Name);
        nullable(target, l.Target);
        json.EndObject();
      }
      json.EndArray();
    };
    links("dataSources", "dataSet", f.DataSources);
    links("lookupFields", "lookupDataSet", f.LookupFields);
    json.Key("updateObjects").BeginArray();
    for (const TUpdateObjectFate& u : f.UpdateObjects) {
      json.BeginObject().Member("dataSet", u.DataSet).Member("source", u.Source).Member("class", u.SourceClass)
          .Member("action", u.Action);
      nullable("as", u.NewName);
      json.EndObject();
    }
    json.EndArray().Key("leftBehind").BeginArray();
    for (const TLeftBehind& l : f.LeftBehind)
      json.BeginObject().Member("component", l.Component).Member("property", l.Property).Member("value", l.Value)
          .Member("note", l.Note).EndObject();
    json.EndArray().Key("skipped").BeginArray();
    for (const TSkippedDataSet& s : f.Skipped)
      json.BeginObject().Member("name", s.Name).Member("class", s.Class).Member("reason", s.Reason).EndObject();
    json.EndArray();
    nullable("unitNote", f.UnitNote);
    json.Key("unitMentions").BeginArray();
    for (const TUnitMention& m : f.UnitMentions)
      json.BeginObject().Key("line").Int(m.Line).Member("class", m.Class).EndObject();
    json.EndArray();
    nullable("diff", f.Diff);
    nullable("writeError", f.WriteError);
    json.EndObject();
  }
  json.EndArray().Key("leftOut").BeginArray();
  for (const TLeftOutFile& l : r.LeftOut)
    json.BeginObject().Member("path", l.Path).Member("where", l.Where).Member("reason", l.Reason).EndObject();
  json.EndArray().Key("duplicateRoots").BeginArray();
  for (const auto& [name, files] : r.DuplicateRoots) {
    json.BeginObject().Member("name", name).Key("files").BeginArray();
    for (const std::string& file : files) json.String(file);
    json.EndArray().EndObject();
  }
  json.EndArray().Key("messages").BeginArray();
  for (const std::string& m : r.Messages) json.String(m);
  json.EndArray().EndObject();
  out << "\n";
}
